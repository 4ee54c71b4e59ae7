#include "listtable.h"

#include "cells.h"
#include "cp1252.h"
#include "csv.h"
#include "horselist.h"

#include <algorithm>
#include <cstring>

namespace listtable {

namespace {

// The table is written straight from the list's Windows-1252 bytes into UTF-8:
// every marker of a list line is ASCII, and a million rows then need neither a
// string per cell nor a UTF-16 copy of the whole table.
constexpr QByteArrayView Separator = " ---- ";

using Views = std::array<QByteArrayView, 6>;

// Each byte's character in UTF-8: at most three bytes.
struct Utf8Table {
    std::array<std::array<char, 3>, 256> bytes{};
    std::array<unsigned char, 256> size{};
    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const QByteArray utf8 = cp1252::decode(QByteArrayView(&c, 1)).toUtf8();
            size[static_cast<size_t>(b)] = static_cast<unsigned char>(utf8.size());
            std::copy(utf8.begin(), utf8.end(), bytes[static_cast<size_t>(b)].begin());
        }
    }
};

const Utf8Table& utf8() {
    static const Utf8Table table;
    return table;
}

// Writes into a buffer sized beforehand for the worst case: a million rows then
// cost no bounds checks or reallocations.
struct Writer {
    char* p;
    void put(char c) { *p++ = c; }
    void put(QByteArrayView bytes) {
        if (bytes.isEmpty())
            return; // an empty view may hold no pointer, which memcpy must not see
        std::memcpy(p, bytes.data(), static_cast<size_t>(bytes.size()));
        p += bytes.size();
    }
    // Windows-1252 bytes as UTF-8: ASCII as it is, other bytes through the table.
    void putUtf8(QByteArrayView cp1252Bytes) {
        const Utf8Table& table = utf8();
        for (char c : cp1252Bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                *p++ = c;
            } else {
                std::memcpy(p, table.bytes[b].data(), 3);
                p += table.size[b];
            }
        }
    }
};

// Where the separator is from `from` on, or -1. A plain loop: lines are short,
// and library searches cost more in set-up than in searching here.
qsizetype findSeparator(QByteArrayView text, qsizetype from) {
    const char* p = text.data();
    for (qsizetype i = from; i + Separator.size() <= text.size(); ++i)
        if (p[i + 1] == '-' && p[i] == ' ' && std::memcmp(p + i, Separator.data(), 6) == 0)
            return i;
    return -1;
}

// Strips `prefix` from the start and `suffix` from the end; false when not there.
bool strip(QByteArrayView& piece, QByteArrayView prefix, QByteArrayView suffix) {
    if (!piece.startsWith(prefix) || !piece.endsWith(suffix) ||
        piece.size() < prefix.size() + suffix.size())
        return false;
    piece = piece.sliced(prefix.size(), piece.size() - prefix.size() - suffix.size());
    return true;
}

// The cells of a line; a line of another form goes whole in the Cheval cell.
Views split(QByteArrayView line, QByteArray& seconds) {
    std::array<QByteArrayView, 5> piece;
    qsizetype start = 0;
    bool ok = true;
    for (size_t i = 0; ok && i < piece.size(); ++i) {
        const qsizetype end = i + 1 < piece.size() ? findSeparator(line, start) : line.size();
        ok = end >= 0;
        if (ok) {
            piece[i] = line.sliced(start, end - start);
            start = end + Separator.size();
        }
    }
    // A name holding the separator splits into more pieces: not a line of that form.
    ok = ok && findSeparator(piece[4], 0) < 0 && strip(piece[1], {}, "m") &&
         strip(piece[2], {}, "Kg") && strip(piece[4], "terrain : ", {});
    if (!ok) {
        seconds.resize(0);
        const QByteArrayView none;
        return Views{none, none, none, none, line, none};
    }
    cells::appendSeconds(piece[0], seconds);
    return Views{piece[0], QByteArrayView(seconds), piece[1], piece[2], piece[3], piece[4]};
}

// How one kind of table writes its cells: the CSV module's format, with its
// quoting rule as a table of bytes (every character it quotes is ASCII).
struct Format {
    char separator;
    QByteArray lineEnd;
    std::array<bool, 256> quoted{}; // a cell holding one of these is quoted

    explicit Format(const csv::Format& f)
        : separator(static_cast<char>(f.separator.unicode())), lineEnd(f.lineEnd.toLatin1()) {
        for (int c = 0; c < 0x80; ++c)
            quoted[static_cast<size_t>(c)] = csv::needsQuotes(QChar(c), f.separator);
    }
};

void putCell(Writer& out, QByteArrayView cell, const Format& format) {
    const bool quote = std::any_of(cell.begin(), cell.end(), [&](char c) {
        return format.quoted[static_cast<unsigned char>(c)];
    });
    if (!quote)
        return out.putUtf8(cell);
    out.put('"');
    for (qsizetype from = 0; from <= cell.size();) {
        qsizetype to = cell.indexOf('"', from);
        if (to < 0)
            to = cell.size();
        out.putUtf8(cell.sliced(from, to - from));
        if (to < cell.size())
            out.put("\"\"");
        from = to + 1;
    }
    out.put('"');
}

void putRow(Writer& out, const Views& row, const Format& format) {
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            out.put(format.separator);
        putCell(out, row[i], format);
    }
    out.put(format.lineEnd);
}

// The header and the rows of entries first to first + count - 1, in UTF-8, after
// `start` (a byte-order mark, or nothing).
QByteArray table(const HorseList& list, qsizetype first, qsizetype count, QByteArrayView start,
                 const Format& format) {
    QByteArray head;
    for (size_t i = 0; i < header().size(); ++i)
        head += (i > 0 ? QByteArray(1, format.separator) : QByteArray()) + header()[i].toUtf8();
    head += format.lineEnd;
    // The worst case: three UTF-8 bytes a character, quotes around every cell, the
    // seconds, separators and line end. Pages not written to are never touched.
    qsizetype lines = 0;
    if (count == list.count())
        lines = list.lineBytes();
    else
        for (qsizetype i = first; i < first + count; ++i)
            lines += list.bytesAt(i).size();
    const qsizetype size = start.size() + head.size() + 3 * lines + 48 * count;
    QByteArray out(size, Qt::Uninitialized);
    Writer writer{out.data()};
    writer.put(start);
    writer.put(head);
    QByteArray seconds;
    for (qsizetype i = first; i < first + count; ++i) {
        // Lines lie in the order they arrived, not in display order: fetch where
        // a line is kept, then, once that is here, its bytes.
        list.prefetch(i + 32);
        if (i + 16 < first + count)
            __builtin_prefetch(list.bytesAt(i + 16).data());
        putRow(writer, split(list.bytesAt(i), seconds), format);
    }
    out.truncate(writer.p - out.constData());
    return out;
}

} // namespace

const Row& header() {
    static const Row row{u"Réduction"_qs,  u"Réduction (s)"_qs, u"Distance (m)"_qs,
                         u"Poids (kg)"_qs, u"Cheval"_qs,        u"Terrain"_qs};
    return row;
}

Row cells(QStringView line) {
    QByteArray seconds;
    const QByteArray bytes = cp1252::encode(line);
    const Views views = split(bytes, seconds);
    Row row;
    std::transform(views.begin(), views.end(), row.begin(), cp1252::decode);
    return row;
}

QByteArray clipboardText(const HorseList& list, qsizetype first, qsizetype count) {
    static const Format clipboard(csv::Clipboard);
    return table(list, first, count, {}, clipboard);
}

QByteArray csv(const HorseList& list) {
    static const Format file(csv::File);
    return table(list, 0, list.count(), "\xEF\xBB\xBF", file);
}

} // namespace listtable
