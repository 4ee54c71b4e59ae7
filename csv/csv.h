#pragma once
// CSV as spreadsheets write and read it: one quoting rule for every table the
// program writes (files, exports, the clipboard), and one reader for every CSV
// file it reads, with a reason, a line and a column for every refusal.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace csv {

// How a table is written.
struct Format {
    QChar separator = u';';
    bool byteOrderMark = true; // so that a spreadsheet knows the text is UTF-8
    QStringView lineEnd = u"\r\n";
};
// A file for a French spreadsheet: UTF-8 with a byte-order mark, ';', CR LF.
inline constexpr Format File{};
// The clipboard: tabs between cells, line feeds between rows, no mark.
inline constexpr Format Clipboard{u'\t', false, u"\n"};
// Standard output: ';' as in a file, but no mark and line feeds, for a pipe.
inline constexpr Format Output{u';', false, u"\n"};

// Whether a cell holding `c` is quoted: the separator, a quote, a line break, a
// tab or a semicolon (a spreadsheet pasted into may split at either).
bool needsQuotes(QChar c, QChar separator);
// A cell as written: quoted, quotes doubled, when it holds such a character.
QString quoted(const QString& cell, QChar separator);
// Every row, each cell quoted as needed, in UTF-8.
QByteArray write(const std::vector<QStringList>& rows, const Format& format = File);

// Why a text is not CSV, and where: the line (from 1) where the record starts and
// the cell (from 1).
struct Refusal {
    qsizetype line = 0;
    qsizetype column = 0;
    QString reason;
    // "ligne 3, colonne 2 : guillemet jamais fermé"
    QString message() const;
};

struct Table {
    QChar separator;
    bool utf8 = true;              // otherwise read as Windows-1252
    std::vector<QStringList> rows; // empty lines left out
    std::vector<qsizetype> lines;  // where each row starts, from 1
};

struct [[nodiscard]] ReadResult {
    std::optional<Table> table; // none when refused
    Refusal refusal;
};

// UTF-8 (a byte-order mark is skipped), or Windows-1252 when the bytes are not
// UTF-8. The separator is `separator` when given, otherwise the most frequent of
// ';', tab and ',' outside quotes in the first line (';' when none). Cells may be
// quoted, with doubled quotes and line breaks inside; lines end at CR LF or LF.
// `Quotes::Literal`: a quote inside a cell that does not start with one is a
// character of the cell (2'12"58 typed by hand), as spreadsheets read it.
enum class Quotes { Strict, Literal };
ReadResult read(QByteArrayView bytes, std::optional<QChar> separator = std::nullopt,
                Quotes quotes = Quotes::Strict);

} // namespace csv
