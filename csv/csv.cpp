#include "csv.h"

#include "cp1252.h"

#include <QStringDecoder>
#include <array>
#include <utility>

namespace csv {

bool needsQuotes(QChar c, QChar separator) {
    return c == separator || c == u'"' || c == u'\n' || c == u'\r' || c == u'\t' || c == u';';
}

QString quoted(const QString& cell, QChar separator) {
    for (const QChar c : cell)
        if (needsQuotes(c, separator))
            return u'"' + QString(cell).replace(u"\""_qs, u"\"\""_qs) + u'"';
    return cell;
}

QByteArray write(const std::vector<QStringList>& rows, const Format& format) {
    QString text;
    for (const QStringList& row : rows) {
        // One empty cell alone would be an empty line, which a reader skips.
        if (row.size() == 1 && row[0].isEmpty())
            text += u"\"\""_qs;
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += format.separator;
            text += quoted(row[i], format.separator);
        }
        text += format.lineEnd;
    }
    return (format.byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

QString Refusal::message() const {
    return u"ligne %1, colonne %2 : %3"_qs.arg(line).arg(column).arg(reason);
}

namespace {

QString decoded(QByteArrayView bytes, bool& wasUtf8) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // One mark is skipped above; any other is text, kept as such.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    wasUtf8 = !utf8.hasError();
    return wasUtf8 ? text : cp1252::decode(bytes);
}

QChar detectSeparator(QStringView text) {
    std::array<std::pair<QChar, int>, 3> counts{{{u';', 0}, {u'\t', 0}, {u',', 0}}};
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == u'\n' || c == u'\r'))
            break;
        for (auto& [separator, count] : counts)
            count += !inQuotes && c == separator;
    }
    auto best = counts[0];
    for (const auto& candidate : counts)
        if (candidate.second > best.second)
            best = candidate;
    return best.first;
}

// Reads record by record; `line` counts the text's lines as they go by.
struct Reader {
    QStringView text;
    QChar separator;
    Quotes quotes;
    qsizetype at = 0;
    qsizetype line = 1;
    Table table{separator, true, {}, {}};

    std::optional<Refusal> run();
    std::optional<Refusal> quotedCell(QString& cell, qsizetype column);
    bool lineEndAt(qsizetype i) const { return text[i] == u'\n' || text[i] == u'\r'; }
    void skipLineEnd() {
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
            ++at;
        ++at;
        ++line;
    }
};

// From just after an opening quote to just after its closing one.
std::optional<Refusal> Reader::quotedCell(QString& cell, qsizetype column) {
    const qsizetype startLine = line;
    for (; at < text.size(); ++at) {
        if (text[at] == u'"') {
            if (at + 1 < text.size() && text[at + 1] == u'"') {
                cell += u'"';
                ++at;
                continue;
            }
            ++at;
            if (at < text.size() && text[at] != separator && !lineEndAt(at))
                return Refusal{line, column, u"texte après un guillemet fermant"_qs};
            return std::nullopt;
        }
        if (text[at] == u'\n' ||
            (text[at] == u'\r' && !(at + 1 < text.size() && text[at + 1] == u'\n')))
            ++line;
        cell += text[at];
    }
    return Refusal{startLine, column, u"guillemet jamais fermé"_qs};
}

std::optional<Refusal> Reader::run() {
    while (at < text.size()) {
        if (lineEndAt(at)) { // an empty line: no record
            skipLineEnd();
            continue;
        }
        QStringList record;
        const qsizetype recordLine = line;
        for (bool more = true; more;) {
            QString cell;
            const qsizetype column = record.size() + 1;
            if (text[at] == u'"') {
                ++at;
                if (auto refusal = quotedCell(cell, column))
                    return refusal;
            } else {
                for (; at < text.size() && text[at] != separator && !lineEndAt(at); ++at) {
                    if (text[at] == u'"' && quotes == Quotes::Strict)
                        return Refusal{line, column,
                                       u"guillemet dans une cellule "
                                       "sans guillemets"_qs};
                    cell += text[at];
                }
            }
            record << cell;
            more = at < text.size() && text[at] == separator;
            if (more && ++at == text.size()) {
                record << QString(); // a separator last: one more, empty cell
                more = false;
            }
        }
        if (at < text.size())
            skipLineEnd();
        table.rows.push_back(std::move(record));
        table.lines.push_back(recordLine);
    }
    return std::nullopt;
}

} // namespace

ReadResult read(QByteArrayView bytes, std::optional<QChar> separator, Quotes quotes) {
    bool utf8 = true;
    const QString text = decoded(bytes, utf8);
    Reader reader{text, separator ? *separator : detectSeparator(text), quotes};
    reader.table.utf8 = utf8;
    if (auto refusal = reader.run())
        return {std::nullopt, std::move(*refusal)};
    return {std::move(reader.table), {}};
}

} // namespace csv
