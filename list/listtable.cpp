#include "listtable.h"

#include "horselist.h"

#include <algorithm>

namespace listtable {

namespace {

const QString Separator = QStringLiteral(" ---- ");

// "1:15:48" as seconds with a decimal comma, "75,48"; empty for another text.
QString seconds(QStringView reduction) {
    const auto digits = [](QStringView t) {
        return !t.isEmpty() &&
               std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    const qsizetype a = reduction.indexOf(u':'), b = reduction.lastIndexOf(u':');
    if (a <= 0 || b != a + 3 || reduction.size() != b + 3)
        return QString();
    const QStringView minutes = reduction.first(a), secs = reduction.sliced(a + 1, 2),
                      hundredths = reduction.sliced(b + 1);
    if (!digits(minutes) || !digits(secs) || !digits(hundredths) || minutes.size() > 6)
        return QString();
    return QString::number(minutes.toInt() * 60 + secs.toInt()) + u',' + hundredths.toString();
}

// A line of another form, whole in the Cheval cell.
Row whole(QStringView line) {
    Row row;
    row[4] = line.toString();
    return row;
}

// Strips `suffix` from the end or `prefix` from the start; false when it is not there.
bool strip(QStringView& piece, QStringView prefix, QStringView suffix) {
    if (!piece.startsWith(prefix) || !piece.endsWith(suffix) ||
        piece.size() < prefix.size() + suffix.size())
        return false;
    piece = piece.sliced(prefix.size(), piece.size() - prefix.size() - suffix.size());
    return true;
}

void appendCell(QString& out, const QString& cell, bool (*needsQuotes)(QChar)) {
    if (std::none_of(cell.begin(), cell.end(), needsQuotes)) {
        out += cell;
        return;
    }
    out += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

void appendRow(QString& out, const Row& row, QChar separator, QStringView lineEnd,
               bool (*needsQuotes)(QChar)) {
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            out += separator;
        appendCell(out, row[i], needsQuotes);
    }
    out += lineEnd;
}

QString table(const HorseList& list, qsizetype first, qsizetype count, QChar separator,
              QStringView lineEnd, bool (*needsQuotes)(QChar)) {
    QString out;
    out.reserve((count + 1) * 80);
    appendRow(out, header(), separator, lineEnd, needsQuotes);
    for (qsizetype i = first; i < first + count; ++i)
        appendRow(out, cells(list.at(i)), separator, lineEnd, needsQuotes);
    return out;
}

} // namespace

const Row& header() {
    static const Row row{u"Réduction"_qs,  u"Réduction (s)"_qs, u"Distance (m)"_qs,
                         u"Poids (kg)"_qs, u"Cheval"_qs,        u"Terrain"_qs};
    return row;
}

Row cells(QStringView line) {
    std::array<QStringView, 5> piece;
    qsizetype start = 0;
    for (size_t i = 0; i < piece.size(); ++i) {
        const qsizetype end = i + 1 < piece.size() ? line.indexOf(Separator, start) : line.size();
        if (end < 0)
            return whole(line);
        piece[i] = line.sliced(start, end - start);
        start = end + Separator.size();
    }
    // A name holding the separator splits into more pieces: not a line of that form.
    if (piece[4].contains(Separator) || !strip(piece[1], {}, u"m") || !strip(piece[2], {}, u"Kg") ||
        !strip(piece[4], u"terrain : ", {}))
        return whole(line);
    return {piece[0].toString(), seconds(piece[0]),   piece[1].toString(),
            piece[2].toString(), piece[3].toString(), piece[4].toString()};
}

QString clipboardText(const HorseList& list, qsizetype first, qsizetype count) {
    return table(list, first, count, u'\t', u"\n",
                 [](QChar c) { return c == u'\t' || c == u'"' || c == u';'; });
}

QByteArray csv(const HorseList& list) {
    const QString text = table(list, 0, list.count(), u';', u"\r\n", [](QChar c) {
        return c == u';' || c == u'"' || c == u'\r' || c == u'\n';
    });
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace listtable
