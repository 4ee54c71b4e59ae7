#include "racecolumns.h"

#include "columncells.h"

#include "cells.h"
#include "corrections.h"
#include "racetable.h"

#include <cmath>

namespace racefile {

namespace {

const QString DateFormat = u"yyyy-MM-dd"_qs;

using namespace cell;

QString writeDate(const RaceSheet& s, const Runner*) {
    return s.date.toString(DateFormat);
}
// A date typed in a spreadsheet, 30/11/2026, is read as well; an empty one is no
// date, as a file without the column has (the program then takes today's).
bool readDate(const QString& c, RaceSheet& s, Runner&) {
    s.date = cells::dateOf(c).value_or(QDate());
    return s.date.isValid() || c.trimmed().isEmpty();
}

// The day's distance: the runner's, and the race's on a row without a runner.
QString writeDayDistance(const RaceSheet& s, const Runner* r) {
    return r ? r->race.dayDistance : s.distance;
}
bool readDayDistance(const QString& c, RaceSheet& s, Runner& r) {
    r.race.dayDistance = c;
    s.distance = c;
    return true;
}

// The results are the sheet's to compute again: one left empty or wrong (a row
// typed in a spreadsheet) leaves the runner to compute, with no estimate.
QString writeEstimate(const RaceSheet&, const Runner* r) {
    return r ? exact(r->estimateHundredths) : QString();
}
bool readEstimate(const QString& c, RaceSheet&, Runner& r) {
    const auto hundredths = number(c, 0);
    r.estimateHundredths = hundredths.value_or(0);
    if (!hundredths)
        r.estimate.clear();
    return true;
}

template <bool calc::RaceTexts::*F> QString writeSource(const RaceSheet&, const Runner* r) {
    return r ? racetable::timeSource(r->race.*F) : QString();
}
template <bool calc::RaceTexts::*F> bool readSource(const QString& c, RaceSheet&, Runner& r) {
    const auto withLengths = timeSourceOf(c);
    r.race.*F = withLengths.value_or(false);
    return withLengths.has_value();
}

bool readScale(const QString& c, RaceSheet&, Runner& r) {
    r.scale = c.isEmpty() ? OriginalScale : c;
    return true;
}
QString writeLengthsPerSecond(const RaceSheet&, const Runner* r) {
    return r ? exact(r->lengthsPerSecond) : QString();
}
bool readLengthsPerSecond(const QString& c, RaceSheet&, Runner& r) {
    r.lengthsPerSecond = number(c, 0, false).value_or(OriginalLengthsPerSecond);
    return true;
}

bool readDiscipline(const QString& c, RaceSheet& s, Runner&) {
    s.discipline = c;
    return c == Flat || c == Jumps || isTrot(c);
}
bool readStart(const QString& c, RaceSheet& s, Runner&) {
    s.start = c;
    return calc::startOf(c).has_value();
}
bool readGoing(const QString& c, RaceSheet& s, Runner&) {
    s.going = c;
    return c.isEmpty() || calc::goingOf(c);
}

// A figure kept only when above zero: every digit, and its punter's notation.
template <double Runner::*F> QString writePositive(const RaceSheet&, const Runner* r) {
    return r && r->*F > 0 ? exact(r->*F) : QString();
}
template <double Runner::*F> bool readPositive(const QString& c, RaceSheet&, Runner& r) {
    r.*F = number(c, 0, false).value_or(0);
    return true;
}
QString writeCorrectedPunter(const RaceSheet&, const Runner* r) {
    return r && r->correctedReduction > 0 ? calc::punterHundredths(r->correctedReduction)
                                          : QString();
}
bool ignored(const QString&, RaceSheet&, Runner&) {
    return true; // written for the reader of the file, computed again here
}

QString writeReferenceDate(const RaceSheet&, const Runner* r) {
    return r ? r->referenceDate.toString(DateFormat) : QString();
}
bool readReferenceDate(const QString& c, RaceSheet&, Runner& r) {
    r.referenceDate = cells::dateOf(c).value_or(QDate());
    return c.trimmed().isEmpty() || r.referenceDate.isValid();
}

QString writeBand(const RaceSheet& s, const Runner*) {
    return QString::number(s.bandPercent);
}
// A band or a span typed wrong in a spreadsheet: the defaults.
bool readBand(const QString& c, RaceSheet& s, Runner&) {
    s.bandPercent = boundedInt(c, 1, 50).value_or(10);
    return true;
}
QString writeMonths(const RaceSheet& s, const Runner*) {
    return QString::number(s.months);
}
bool readMonths(const QString& c, RaceSheet& s, Runner&) {
    s.months = boundedInt(c, 1, 120).value_or(12);
    return true;
}

QString writeComparable(const RaceSheet&, const Runner* r) {
    return r ? QString::number(r->comparable) : QString();
}
bool readComparable(const QString& c, RaceSheet&, Runner& r) {
    r.comparable = c.toInt();
    return true;
}
QString writeBlinkers(const RaceSheet&, const Runner* r) {
    return r ? calc::blinkersName(r->blinkers) : QString();
}
bool readBlinkers(const QString& c, RaceSheet&, Runner& r) {
    const auto b = calc::blinkersOf(c);
    r.blinkers = b.value_or(calc::Blinkers::Unknown);
    return b.has_value();
}
QString writePicked(const RaceSheet&, const Runner* r) {
    return r && r->picked ? QString::number(r->picked) : QString();
}
bool readPicked(const QString& c, RaceSheet&, Runner& r) {
    r.picked = c.toLongLong();
    return true;
}

// Odds as every digit; an empty cell, or one below 1 (no odds pay less), none.
template <std::optional<double> Runner::*F> QString writeOdds(const RaceSheet&, const Runner* r) {
    return r && r->*F ? exact(*(r->*F)) : QString();
}
template <std::optional<double> Runner::*F> bool readOdds(const QString& c, RaceSheet&, Runner& r) {
    r.*F = number(c, 1);
    return r.*F || c.trimmed().isEmpty();
}

} // namespace

const std::vector<Column>& columns() {
    using R = calc::RaceTexts;
    static const std::vector<Column> all{
        {"course", 1, false, raceText<&RaceSheet::name>, toRace<&RaceSheet::name>},
        {"date", 1, false, writeDate, readDate},
        {"cheval", 1, true, runnerText<&Runner::name>, toRunner<&Runner::name>},
        {"terrain", 1, false, runnerText<&Runner::going>, toRunner<&Runner::going>},
        {"distance réf. (m)", 1, true, typedText<&R::referenceDistance>,
         toTyped<&R::referenceDistance>},
        {"poids réf. (kg)", 1, false, typedText<&R::referenceWeight>, toTyped<&R::referenceWeight>},
        {"minutes", 1, true, typedText<&R::minutes>, toTyped<&R::minutes>},
        {"secondes", 1, true, typedText<&R::seconds>, toTyped<&R::seconds>},
        {"centièmes", 1, true, typedText<&R::hundredths>, toTyped<&R::hundredths>},
        {"longueurs", 1, false, typedText<&R::margin>, toTyped<&R::margin>},
        {"distance du jour (m)", 1, false, writeDayDistance, readDayDistance},
        {"poids du jour (kg)", 1, false, typedText<&R::dayWeight>, toTyped<&R::dayWeight>},
        {"chrono estimé", 1, false, runnerText<&Runner::estimate>, toRunner<&Runner::estimate>},
        {"chrono estimé (centièmes)", 1, false, writeEstimate, readEstimate},
        {"temps de l'estimation", 1, false, writeSource<&R::estimateWithLengths>,
         readSource<&R::estimateWithLengths>},
        {"réduction", 1, false, runnerText<&Runner::reduction>, toRunner<&Runner::reduction>},
        {"temps de la réduction", 1, false, writeSource<&R::reductionWithLengths>,
         readSource<&R::reductionWithLengths>},
        {"barème", 2, false, runnerText<&Runner::scale>, readScale},
        {"longueurs par seconde", 2, false, writeLengthsPerSecond, readLengthsPerSecond},
        {"n°", 3, false, runnerText<&Runner::number>, toRunner<&Runner::number>},
        {"hippodrome", 3, false, raceText<&RaceSheet::hippodrome>, toRace<&RaceSheet::hippodrome>},
        {"discipline", 3, false, raceText<&RaceSheet::discipline>, readDiscipline},
        {"départ", 4, false, raceText<&RaceSheet::start>, readStart},
        {"discipline réf.", 4, false, disciplineText, toDiscipline},
        {"départ réf.", 4, false, startText, toStart},
        {"ferrure réf.", 4, false, shoeingText<&Runner::referenceShoeing>,
         toShoeing<&Runner::referenceShoeing>},
        {"recul réf. (m)", 4, false, reculText<&Runner::referenceRecul>,
         toRecul<&Runner::referenceRecul>},
        {"ferrure", 4, false, shoeingText<&Runner::dayShoeing>, toShoeing<&Runner::dayShoeing>},
        {"recul (m)", 4, false, reculText<&Runner::dayRecul>, toRecul<&Runner::dayRecul>},
        {"réduction corrigée (s)", 4, false, writePositive<&Runner::correctedReduction>,
         readPositive<&Runner::correctedReduction>},
        {"réduction corrigée", 4, false, writeCorrectedPunter, ignored},
        {"corrections (s/km)", 4, false, runnerText<&Runner::corrections>,
         toRunner<&Runner::corrections>},
        {"terrain du jour", 5, false, raceText<&RaceSheet::going>, readGoing},
        {"date réf.", 5, false, writeReferenceDate, readReferenceDate},
        {"hippodrome réf.", 5, false, typedText<&R::hippodrome>, toTyped<&R::hippodrome>},
        {"règle", 5, false, raceText<&RaceSheet::rule>, toRace<&RaceSheet::rule>},
        {"écart de distance (%)", 5, false, writeBand, readBand},
        {"mois", 5, false, writeMonths, readMonths},
        {"courses retenues", 5, false, runnerText<&Runner::served>, toRunner<&Runner::served>},
        {"courses comparables", 5, false, writeComparable, readComparable},
        {"course choisie", 5, false, writePicked, readPicked},
        {"musique", 6, false, runnerText<&Runner::musique>, toRunner<&Runner::musique>},
        {"alertes", 6, false, runnerText<&Runner::alerts>, toRunner<&Runner::alerts>},
        {"réduction (s)", 7, false, writePositive<&Runner::reductionSeconds>,
         readPositive<&Runner::reductionSeconds>},
        {"cote réf.", 8, false, writeOdds<&Runner::oddsReference>,
         readOdds<&Runner::oddsReference>},
        {"cote", 8, false, writeOdds<&Runner::oddsDirect>, readOdds<&Runner::oddsDirect>},
        {"entraîneur", 8, false, runnerText<&Runner::trainer>, toRunner<&Runner::trainer>},
        {"driver ou jockey", 8, false, runnerText<&Runner::rider>, toRunner<&Runner::rider>},
        {"œillères", 9, false, writeBlinkers, readBlinkers},
    };
    return all;
}

QStringList headerOf(int version) {
    QStringList out;
    for (const Column& c : columns())
        if (c.version <= version)
            out << QString::fromUtf8(c.header);
    return out;
}

QStringList header() {
    return headerOf(CurrentVersion);
}

} // namespace racefile
