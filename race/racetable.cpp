#include "racetable.h"

namespace racetable {

namespace {

// "1:15:48" as seconds, "75,48"; nothing for a text of another form (a result
// whose last field lost a digit, "1:02:5", says too little to be sure of).
QString secondsOf(const QString& time) {
    const QStringList parts = time.split(u':');
    if (parts.size() != 3 || parts[1].size() != 2 || parts[2].size() != 2)
        return QString();
    bool okMinutes = false, okSeconds = false, okHundredths = false;
    const int minutes = parts[0].toInt(&okMinutes);
    const int seconds = parts[1].toInt(&okSeconds);
    parts[2].toInt(&okHundredths);
    if (!okMinutes || !okSeconds || !okHundredths || minutes < 0 || parts[0].startsWith(u'+') ||
        parts[1].startsWith(u'+') || parts[2].startsWith(u'+') || parts[2].startsWith(u'-'))
        return QString();
    return QString::number(minutes * 60 + seconds) + u',' + parts[2];
}

QByteArray joined(const std::vector<QStringList>& rows, QChar separator, QStringView lineEnd) {
    QString text;
    const auto add = [&](const QStringList& row) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += separator;
            text += quoted(row[i], separator);
        }
        text += lineEnd;
    };
    add(header());
    for (const QStringList& row : rows)
        add(row);
    return text.toUtf8();
}

} // namespace

const QStringList& header() {
    static const QStringList h{u"Rang"_qs,
                               u"Cheval"_qs,
                               u"Chrono estimé"_qs,
                               u"Chrono estimé (s)"_qs,
                               u"Écart (s)"_qs,
                               u"Écart (longueurs)"_qs,
                               u"Barème"_qs,
                               u"Réduction"_qs,
                               u"Réduction (s)"_qs,
                               u"Distance réf. (m)"_qs,
                               u"Poids réf. (kg)"_qs,
                               u"Longueurs"_qs,
                               u"Terrain"_qs,
                               u"Poids du jour (kg)"_qs,
                               u"Temps de l'estimation"_qs,
                               u"Temps de la réduction"_qs};
    return h;
}

QString timeSource(bool withLengths) {
    return withLengths ? u"Chrono + Longueur"_qs : u"Chrono"_qs;
}

QString decimal(double value) {
    return QString::number(value, 'f', 2).replace(u'.', u',');
}

QString quoted(const QString& cell, QChar separator) {
    if (!cell.contains(separator) && !cell.contains(u'"') && !cell.contains(u'\t') &&
        !cell.contains(u'\n') && !cell.contains(u'\r'))
        return cell;
    return u'"' + QString(cell).replace(u"\""_qs, u"\"\""_qs) + u'"';
}

std::vector<QStringList> rows(const RaceSheet& sheet) {
    std::vector<QStringList> out;
    for (const RankedRunner& r : ranked(sheet)) {
        const Runner& x = sheet.runners[r.index];
        QStringList row(ColumnCount);
        row[Rank] = QString::number(r.rank);
        row[Name] = x.name;
        row[Estimate] = x.estimate;
        row[EstimateSeconds] = decimal(x.estimateHundredths / 100.0);
        row[GapSeconds] = decimal(r.gapSeconds);
        row[GapLengths] = decimal(r.gapLengths);
        row[Reduction] = x.reduction;
        row[ReductionSeconds] = secondsOf(x.reduction);
        row[Distance] = x.referenceDistance;
        row[Weight] = x.referenceWeight;
        row[Margin] = x.margin;
        row[Going] = x.going;
        row[DayWeight] = x.dayWeight;
        row[EstimateTime] = timeSource(x.estimateWithLengths);
        row[ReductionTime] = timeSource(x.reductionWithLengths);
        row[Scale] = x.scale;
        out.push_back(row);
    }
    return out;
}

QByteArray clipboardText(const std::vector<QStringList>& rows) {
    return joined(rows, u'\t', u"\n");
}

QByteArray csv(const std::vector<QStringList>& rows) {
    return "\xEF\xBB\xBF" + joined(rows, u';', u"\r\n");
}

} // namespace racetable
