#include "racetable.h"

#include "cells.h"
#include "corrections.h"
#include "csv.h"

#include <cmath>

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
                               u"N°"_qs,
                               u"Cheval"_qs,
                               u"Chrono estimé"_qs,
                               u"Chrono estimé (s)"_qs,
                               u"Écart (s)"_qs,
                               u"Écart (longueurs)"_qs,
                               u"Écart (m)"_qs,
                               u"Réduction"_qs,
                               u"Réduction (s)"_qs,
                               u"Réduction corrigée"_qs,
                               u"Réduction corrigée (s)"_qs,
                               u"Corrections (s/km)"_qs,
                               u"Distance réf. (m)"_qs,
                               u"Chrono réf."_qs,
                               u"Chrono réf. (s)"_qs,
                               u"Poids réf. (kg)"_qs,
                               u"Longueurs"_qs,
                               u"Terrain"_qs,
                               u"Poids du jour (kg)"_qs,
                               u"Discipline réf."_qs,
                               u"Départ réf."_qs,
                               u"Ferrure réf."_qs,
                               u"Recul réf. (m)"_qs,
                               u"Ferrure"_qs,
                               u"Recul (m)"_qs,
                               u"Date réf."_qs,
                               u"Hippodrome réf."_qs,
                               u"Course(s) retenue(s)"_qs,
                               u"Courses comparables"_qs,
                               u"Musique"_qs,
                               u"Alertes"_qs,
                               u"Base de l'estimation"_qs,
                               u"Temps de la réduction"_qs,
                               u"Barème"_qs,
                               u"Course"_qs,
                               u"Date"_qs,
                               u"Hippodrome"_qs,
                               u"Distance (m)"_qs,
                               u"Discipline"_qs,
                               u"Départ"_qs,
                               u"Terrain du jour"_qs};
    return h;
}

QString timeSource(bool withLengths) {
    return withLengths ? u"Chrono + Longueur"_qs : u"Chrono"_qs;
}

QString referenceTime(const Runner& r) {
    const auto hundredths = calc::Race::of(r.race, {}).referenceHundredths;
    if (!hundredths || !std::isfinite(*hundredths) || *hundredths < 0 || *hundredths > 1e9)
        return QStringList{r.race.minutes, r.race.seconds, r.race.hundredths}.join(u':');
    return cells::punterTime(std::llround(*hundredths));
}

QString referenceDate(const Runner& r) {
    const QDate date = QDate::fromString(r.race.date, Qt::ISODate);
    return date.isValid() ? date.toString(u"dd/MM/yyyy"_qs) : r.race.date;
}

QString punter(const QString& time) {
    const auto hundredths = cells::hundredthsOfTime(time);
    return hundredths ? cells::punterTime(*hundredths) : time;
}

namespace {

// A reduction in seconds per km in the notation asked for.
QString reductionText(double seconds, Notation notation) {
    return notation == Notation::Tenths ? calc::punterTenths(seconds)
                                        : calc::punterHundredths(seconds);
}

// Seconds to the nearest hundredth, a half going up: one rounding of the exact value.
QString seconds2(double seconds) {
    return cells::fixed(static_cast<double>(std::llround(seconds * 100)) / 100, 2);
}

// The reduction of the reference race: from its exact value when computed here,
// else from the text it was shown with.
void reduction(QStringList& row, const Runner& x, Notation notation) {
    if (x.reductionSeconds > 0) {
        row[Reduction] = reductionText(x.reductionSeconds, notation);
        row[ReductionSeconds] = seconds2(x.reductionSeconds);
        return;
    }
    row[Reduction] = punter(x.reduction);
    row[ReductionSeconds] = cells::secondsOfTime(x.reduction);
    if (const auto hundredths = cells::hundredthsOfTime(x.reduction);
        hundredths && notation == Notation::Tenths)
        row[Reduction] = calc::punterTenths(*hundredths / 100.0);
}

void conditions(QStringList& row, const RaceSheet& sheet, const Runner& x, Notation notation) {
    reduction(row, x, notation);
    if (x.correctedReduction > 0) {
        row[CorrectedReduction] = reductionText(x.correctedReduction, notation);
        row[CorrectedReductionSeconds] = seconds2(x.correctedReduction);
    }
    row[Corrections] = x.corrections;
    row[ReferenceDiscipline] = x.race.discipline;
    row[ReferenceStart] = x.race.start;
    row[ReferenceShoeing] = x.race.shoeing;
    row[ReferenceRecul] = x.race.recul;
    row[DayShoeing] = x.dayShoeing;
    row[DayRecul] = x.dayRecul;
    row[ReferenceDate] = referenceDate(x);
    row[ReferenceHippodrome] = x.race.hippodrome;
    row[Served] = x.served;
    row[Comparable] = x.served.isEmpty() ? QString() : QString::number(x.comparable);
    row[Musique] = x.musique;
    row[Alerts] = x.alerts;
    row[Start] = sheet.start;
    row[DayGoing] = sheet.going;
}

} // namespace

QStringList row(const RaceSheet& sheet, const RankedRunner& r, Notation notation) {
    const Runner& x = sheet.runners[r.index];
    const auto reference = calc::Race::of(x.race, {}).referenceHundredths;
    QStringList row(ColumnCount);
    // A runner without an estimate has no rank and no figures: empty, never 0.
    if (r.rank > 0) {
        row[Rank] = QString::number(r.rank);
        row[Estimate] = punter(x.estimate);
        row[EstimateSeconds] = cells::fixed(x.estimateHundredths / 100.0, 2);
        row[GapSeconds] = cells::fixed(r.gapSeconds, 2);
        row[GapLengths] = cells::fixed(r.gapLengths, 2);
        row[GapMetres] = cells::fixed(r.gapMetres, 1);
        row[Scale] = x.scale;
    }
    row[Number] = x.number;
    row[Name] = x.name;
    row[Distance] = x.race.referenceDistance;
    row[Time] = referenceTime(x);
    row[TimeSeconds] = reference ? cells::fixed(*reference / 100.0, 2) : QString();
    row[Weight] = x.race.referenceWeight;
    row[Margin] = x.race.margin;
    row[Going] = x.going;
    row[DayWeight] = x.race.dayWeight;
    row[EstimateTime] = timeSource(x.race.estimateWithLengths);
    row[ReductionTime] = timeSource(x.race.reductionWithLengths);
    row[RaceName] = sheet.name;
    row[RaceDate] = sheet.date.toString(u"dd/MM/yyyy"_qs);
    row[Hippodrome] = sheet.hippodrome;
    row[RaceDistance] = sheet.distance;
    row[Discipline] = sheet.discipline;
    conditions(row, sheet, x, notation);
    return row;
}

std::vector<QStringList> rows(const RaceSheet& sheet, Notation notation) {
    std::vector<QStringList> out;
    for (const RankedRunner& r : ranked(sheet))
        out.push_back(row(sheet, r, notation));
    return out;
}

QByteArray clipboardText(const std::vector<QStringList>& rows) {
    return joined(rows, csv::Clipboard);
}

QByteArray csv(const std::vector<QStringList>& rows) {
    return joined(rows, csv::File);
}

QByteArray csvOutput(const std::vector<QStringList>& rows) {
    return joined(rows, csv::Output);
}

} // namespace racetable
