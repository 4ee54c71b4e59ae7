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
    // Each column's title beside its name; the list follows the columns' order.
    struct Title {
        Column column;
        const char16_t* text;
    };
    static const Title titles[] = {
        {Rank, u"Rang"},
        {Number, u"N°"},
        {Name, u"Cheval"},
        {Estimate, u"Chrono estimé"},
        {EstimateSeconds, u"Chrono estimé (s)"},
        {GapSeconds, u"Écart (s)"},
        {GapLengths, u"Écart (longueurs)"},
        {GapMetres, u"Écart (m)"},
        {Chance, u"Chance (%)"},
        {Combined, u"Chance combinée (%)"},
        {FairOdds, u"Cote estimée"},
        {Odds, u"Cote"},
        {OddsReference, u"Cote réf."},
        {Value, u"Valeur"},
        {Outsider, u"Tocard"},
        {Finish, u"Arrivée"},
        {Reduction, u"Réduction"},
        {ReductionSeconds, u"Réduction (s)"},
        {CorrectedReduction, u"Réduction corrigée"},
        {CorrectedReductionSeconds, u"Réduction corrigée (s)"},
        {Corrections, u"Corrections (s/km)"},
        {Distance, u"Distance réf. (m)"},
        {Time, u"Chrono réf."},
        {TimeSeconds, u"Chrono réf. (s)"},
        {Weight, u"Poids réf. (kg)"},
        {Margin, u"Longueurs"},
        {Going, u"Terrain"},
        {DayWeight, u"Poids du jour (kg)"},
        {ReferenceDiscipline, u"Discipline réf."},
        {ReferenceStart, u"Départ réf."},
        {ReferenceShoeing, u"Ferrure réf."},
        {ReferenceRecul, u"Recul réf. (m)"},
        {DayShoeing, u"Ferrure"},
        {DayRecul, u"Recul (m)"},
        {ReferenceDate, u"Date réf."},
        {ReferenceHippodrome, u"Hippodrome réf."},
        {Served, u"Course(s) retenue(s)"},
        {Comparable, u"Courses comparables"},
        {Musique, u"Musique"},
        {Alerts, u"Alertes"},
        {Rider, u"Driver / jockey"},
        {Trainer, u"Entraîneur"},
        {Blinkers, u"Œillères"},
        {EstimateTime, u"Base de l'estimation"},
        {ReductionTime, u"Temps de la réduction"},
        {Scale, u"Barème"},
        {RaceName, u"Course"},
        {RaceDate, u"Date"},
        {Hippodrome, u"Hippodrome"},
        {RaceDistance, u"Distance (m)"},
        {Discipline, u"Discipline"},
        {Start, u"Départ"},
        {DayGoing, u"Terrain du jour"},
    };
    static const QStringList h = [] {
        QStringList out(ColumnCount);
        for (const Title& t : titles)
            out[t.column] = QString::fromUtf16(t.text);
        return out;
    }();
    return h;
}

QString timeSource(bool withLengths) {
    return withLengths ? u"Chrono + Longueur"_qs : u"Chrono"_qs;
}

// Whether the runner has no reference time at all (none typed, none fed): shown
// empty, never as 0'00"00.
bool noReferenceTime(const Runner& r) {
    return r.race.minutes.trimmed().isEmpty() && r.race.seconds.trimmed().isEmpty() &&
           r.race.hundredths.trimmed().isEmpty();
}

QString referenceTime(const Runner& r) {
    if (noReferenceTime(r))
        return QString();
    const auto hundredths = calc::Race::of(r.race, {}).referenceHundredths;
    if (!hundredths || !std::isfinite(*hundredths) || *hundredths < 0 || *hundredths > 1e9)
        return QStringList{r.race.minutes, r.race.seconds, r.race.hundredths}.join(u':');
    return cells::punterTime(std::llround(*hundredths));
}

QString referenceDate(const Runner& r) {
    return r.referenceDate.toString(u"dd/MM/yyyy"_qs);
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
    row[ReferenceDiscipline] = x.referenceDisciplineName();
    row[ReferenceStart] = calc::startName(x.referenceStart);
    row[ReferenceShoeing] = calc::shoeingName(x.referenceShoeing);
    row[ReferenceRecul] = x.referenceRecul ? QString::number(x.referenceRecul) : QString();
    row[DayShoeing] = calc::shoeingName(x.dayShoeing);
    row[DayRecul] = x.dayRecul ? QString::number(x.dayRecul) : QString();
    row[ReferenceDate] = referenceDate(x);
    row[ReferenceHippodrome] = x.race.hippodrome;
    row[Served] = x.served;
    row[Comparable] = x.served.isEmpty() ? QString() : QString::number(x.comparable);
    row[Musique] = x.musique;
    row[Alerts] = x.alerts;
    row[Start] = sheet.start;
    row[DayGoing] = sheet.going;
}

// The runner against the market: its chance and fair odds, the odds, their value
// and whether it is a tocard (odds above twice the runners).
void market(QStringList& row, const RaceSheet& sheet, const Runner& x, const RankedRunner& r) {
    row[Chance] = cells::fixed(r.chance, 1);
    if (r.combined)
        row[Combined] = cells::fixed(*r.combined, 1);
    if (r.chance > 0)
        row[FairOdds] = cells::fixed(100 / r.chance, 1);
    if (x.oddsReference)
        row[OddsReference] = cells::upTo(*x.oddsReference, 2);
    if (const auto odds = x.odds()) {
        row[Odds] = cells::upTo(*odds, 2);
        row[Value] = cells::fixed(r.chance * *odds / 100, 2);
        if (*odds > 2.0 * double(sheet.runners.size()))
            row[Outsider] = u"tocard"_qs;
    }
    row[Finish] = x.finish;
    row[Rider] = x.rider;
    row[Trainer] = x.trainer;
    row[Blinkers] = calc::blinkersName(x.blinkers);
}

} // namespace

QStringList row(const RaceSheet& sheet, const RankedRunner& r, Notation notation) {
    const Runner& x = sheet.runners[r.index];
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
    if (!noReferenceTime(x))
        if (const auto reference = calc::Race::of(x.race, {}).referenceHundredths)
            row[TimeSeconds] = cells::fixed(*reference / 100.0, 2);
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
    market(row, sheet, x, r);
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
