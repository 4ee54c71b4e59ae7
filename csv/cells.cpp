#include "cells.h"

#include <algorithm>

namespace cells {

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QString upTo(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text.replace(u'.', u',');
}

namespace {

bool allDigits(QByteArrayView t) {
    return !t.isEmpty() &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<qint64> hundredthsOfTime(QByteArrayView time) {
    const qsizetype a = time.indexOf(':'), b = time.lastIndexOf(':');
    if (a <= 0 || b != a + 3 || time.size() != b + 3)
        return std::nullopt;
    const QByteArrayView minutes = time.first(a), seconds = time.sliced(a + 1, 2),
                         hundredths = time.sliced(b + 1);
    if (!allDigits(minutes) || !allDigits(seconds) || !allDigits(hundredths) || minutes.size() > 6)
        return std::nullopt;
    return (minutes.toLongLong() * 60 + seconds.toInt()) * 100 + hundredths.toInt();
}

std::optional<qint64> hundredthsOfTime(QStringView time) {
    for (const QChar c : time)
        if (c.unicode() > 0x7f)
            return std::nullopt;
    return hundredthsOfTime(QByteArrayView(time.toLatin1()));
}

namespace {

// Minutes, two-digit seconds and two-digit hundredths into `pattern`.
QString timeText(qint64 hundredths, QStringView pattern) {
    const qint64 seconds = hundredths / 100;
    return pattern.toString()
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

QString timeOfHundredths(qint64 hundredths) {
    return timeText(hundredths, u"%1:%2:%3");
}

QString punterTime(qint64 hundredths) {
    return timeText(hundredths, u"%1'%2\"%3");
}

void appendSeconds(QByteArrayView time, QByteArray& out) {
    out.resize(0);
    const auto hundredths = hundredthsOfTime(time);
    if (!hundredths)
        return;
    // The hundredths as typed: the text's own digits.
    out.setNum(*hundredths / 100);
    out += ',';
    out += time.last(2);
}

QString secondsOfTime(QStringView time) {
    const auto hundredths = hundredthsOfTime(time);
    if (!hundredths)
        return QString();
    return QString::number(*hundredths / 100) + u',' + time.last(2).toString();
}

QString folded(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text.toString().normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c.toLower();
    // A ligature is typed either way: "Cœur" and "Coeur" are one name.
    plain.replace(QChar(0x0153), QLatin1String("oe")).replace(QChar(0x00E6), QLatin1String("ae"));
    return plain.simplified();
}

QString counted(int n, const char* one, const char* many) {
    return u"%1 %2"_qs.arg(n).arg(QString::fromUtf8(n > 1 ? many : one));
}

std::optional<QDate> dateOf(QStringView text) {
    // A year written with four figures, as every form here writes it back: not a
    // negative one, which Qt would read.
    const auto written = [](const QDate& d) {
        return d.isValid() && d.year() >= 1 && d.year() <= 9999 ? std::optional<QDate>(d)
                                                                : std::nullopt;
    };
    const QString t = text.trimmed().toString();
    // The files' own form first, without a format to parse: sheets hold thousands.
    if (t.size() == 10 && t[4] == u'-')
        return written(QDate::fromString(t, Qt::ISODate));
    for (const char* format : {"dd/MM/yyyy", "d/M/yyyy"})
        if (const auto d = written(QDate::fromString(t, QLatin1String(format))))
            return d;
    // Two-digit years are this century's.
    if (const QDate d = QDate::fromString(t, u"d/M/yy"_qs); d.isValid())
        return written(d.addYears(100));
    return std::nullopt;
}

} // namespace cells
