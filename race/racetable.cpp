#include "racetable.h"

#include "cells.h"
#include "csv.h"

namespace racetable {

namespace {

QByteArray joined(const std::vector<QStringList>& rows, const csv::Format& format) {
    std::vector<QStringList> all{header()};
    all.insert(all.end(), rows.begin(), rows.end());
    return csv::write(all, format);
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

std::vector<QStringList> rows(const RaceSheet& sheet) {
    std::vector<QStringList> out;
    for (const RankedRunner& r : ranked(sheet)) {
        const Runner& x = sheet.runners[r.index];
        QStringList row(ColumnCount);
        row[Rank] = QString::number(r.rank);
        row[Name] = x.name;
        row[Estimate] = x.estimate;
        row[EstimateSeconds] = cells::fixed(x.estimateHundredths / 100.0, 2);
        row[GapSeconds] = cells::fixed(r.gapSeconds, 2);
        row[GapLengths] = cells::fixed(r.gapLengths, 2);
        row[Reduction] = x.reduction;
        row[ReductionSeconds] = cells::secondsOfTime(x.reduction);
        row[Distance] = x.race.referenceDistance;
        row[Weight] = x.race.referenceWeight;
        row[Margin] = x.race.margin;
        row[Going] = x.going;
        row[DayWeight] = x.race.dayWeight;
        row[EstimateTime] = timeSource(x.race.estimateWithLengths);
        row[ReductionTime] = timeSource(x.race.reductionWithLengths);
        row[Scale] = x.scale;
        out.push_back(row);
    }
    return out;
}

QByteArray clipboardText(const std::vector<QStringList>& rows) {
    return joined(rows, csv::Clipboard);
}

QByteArray csv(const std::vector<QStringList>& rows) {
    return joined(rows, csv::File);
}

} // namespace racetable
