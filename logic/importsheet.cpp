// The runners an import brings, put onto the day's sheet.

#include "importsheet.h"

#include "cells.h"
#include "numbers.h"
#include "racearchive.h"
#include "runnercalc.h"

using imports::Entrant;
using imports::Race;

namespace {

bool sameHorse(const Runner& a, const Runner& b) {
    return (!a.number.isEmpty() && a.number == b.number) ||
           history::horseKey(a.name) == history::horseKey(b.name);
}

// Whether the imported race is the sheet's: the same day, hippodrome and name
// (or distance, when a name is missing); a file without its race, when it
// shares a horse with the sheet.
bool sameRace(const RaceSheet& sheet, const RaceSheet& in) {
    if (!in.date.isValid())
        return std::any_of(in.runners.begin(), in.runners.end(),
                           [&](const Runner& r) { return sheet.lastOf(r.name).has_value(); });
    const bool named = !sheet.name.isEmpty() && !in.name.isEmpty();
    return sheet.date == in.date &&
           cells::folded(sheet.hippodrome) == cells::folded(in.hippodrome) &&
           (named ? cells::folded(sheet.name) == cells::folded(in.name)
                  : sheet.distance == in.distance);
}

// A value of today's run the file gives: taken where the sheet has none (or the
// same), kept where the punter gave another, and said either way. `given`: the
// sheet holds one; `shoeingShod`: ferré, the trot sheet's default, the file's
// déferrage taken over it but said.
template <typename T>
void takeOrKeep(T& sheet, const T& file, bool given, bool fileSays, const QString& horse,
                const QString& what, QString (*name)(const T&), QStringList& notes,
                bool overDefault = false) {
    if (!fileSays || sheet == file)
        return;
    if (!given) {
        sheet = file;
        return;
    }
    const QString e = what == u"ferrure" ? u"e"_qs : QString(); // the only feminine one
    if (overDefault) {
        notes << u"« %1 » : %2 %3 pris%4 du fichier (%5 sur la feuille)"_qs.arg(
            horse, what, name(file), e, name(sheet));
        sheet = file;
        return;
    }
    notes << u"« %1 » : %2 %3 gardé%4 (le fichier dit %5)"_qs.arg(horse, what, name(sheet), e,
                                                                  name(file));
}

QString same(const QString& t) {
    return t;
}
QString metres(const int& m) {
    return m ? u"%1 m"_qs.arg(m) : u"aucun"_qs;
}
QString shoeing(const calc::Shoeing& s) {
    return calc::shoeingName(s);
}

// A horse already on the sheet takes today's conditions from the file; what the
// punter gave there (N°, recul, shoeing, weight) is kept, and listed in `notes`.
void update(Runner& at, const Runner& r, QStringList& notes) {
    const QString& n = at.name;
    takeOrKeep(at.number, r.number, !at.number.isEmpty(), !r.number.isEmpty(), n, u"n°"_qs, same,
               notes);
    takeOrKeep(at.dayRecul, r.dayRecul, at.dayRecul != 0, true, n, u"recul"_qs, metres, notes);
    takeOrKeep(at.dayShoeing, r.dayShoeing, at.dayShoeing != calc::Shoeing::Unknown,
               r.dayShoeing != calc::Shoeing::Unknown, n, u"ferrure"_qs, shoeing, notes,
               at.dayShoeing == calc::Shoeing::Shod);
    takeOrKeep(at.race.dayWeight, r.race.dayWeight, !at.race.dayWeight.isEmpty(),
               !r.race.dayWeight.isEmpty(), n, u"poids"_qs, same, notes);
    if (!r.musique.isEmpty())
        at.musique = r.musique;
    // The market moves through the day: the file's odds, trainer and rider are
    // the newest, never the punter's typing.
    if (r.oddsReference || r.oddsDirect)
        std::tie(at.oddsReference, at.oddsDirect) = std::tie(r.oddsReference, r.oddsDirect);
    for (auto [field, from] : {std::pair{&Runner::trainer, &r.trainer}, {&Runner::rider, &r.rider}})
        if (!from->isEmpty())
            at.*field = *from;
    if (r.blinkers != calc::Blinkers::Unknown)
        at.blinkers = r.blinkers;
}

// The imported runners into the sheet's race: a horse already there takes
// today's conditions from the file (what the punter gave kept and listed), its
// reference race kept.
void merge(RaceSheet& sheet, const RaceSheet& in, bool whole, QStringList& notes) {
    if (sheet.runners.empty() && in.date.isValid()) {
        const RaceSheet kept = sheet;
        sheet.takeRace(in);
        std::tie(sheet.rule, sheet.bandPercent, sheet.months) =
            std::tie(kept.rule, kept.bandPercent, kept.months);
    }
    for (const Runner& r : in.runners) {
        const auto at = std::find_if(sheet.runners.begin(), sheet.runners.end(),
                                     [&](const Runner& s) { return sameHorse(s, r); });
        if (at == sheet.runners.end())
            sheet.runners.push_back(r);
        else if (whole) // a race card's runner is the punter's whole row, reference included
            *at = r;
        else
            update(*at, r, notes);
    }
}

QString raceTitle(const RaceSheet& s) {
    return u"%1, %2, %3"_qs.arg(s.name.isEmpty() ? u"sans nom"_qs : s.name, s.hippodrome,
                                s.date.toString(u"dd/MM/yyyy"_qs));
}

} // namespace

int reculOf(const Entrant& e, const Race& race) {
    return e.distanceRun && race.distance > 0 && *e.distanceRun > race.distance
               ? *e.distanceRun - race.distance
               : 0;
}

// Today's race on a sheet of its own, with the file's runners.
RaceSheet importedSheet(const std::optional<Race>& race, const std::vector<Entrant>& entrants,
                        const RaceSheet& current) {
    RaceSheet s;
    if (race) {
        s = RaceSheet{.name = race->name,
                      .date = race->date,
                      .hippodrome = race->hippodrome,
                      .distance = QString::number(race->distance),
                      .discipline = history::sheetDiscipline(race->discipline),
                      .start = calc::startName(race->start)};
    }
    // Without a programme the runners are for the race on the sheet: its
    // distance gives the recul, its discipline whether the shoeing counts.
    const QString discipline = race ? s.discipline : current.discipline;
    const Race assumed{.distance = int(numbers::textToNumber(current.distance).value_or(0))};
    for (const Entrant& e : entrants) {
        if (e.scratched)
            continue;
        Runner r;
        r.number = QString::number(e.number);
        r.name = e.name;
        r.race.dayDistance = s.distance;
        r.race.dayWeight = e.weight ? cells::upTo(*e.weight, 1) : QString();
        if (isTrot(discipline))
            r.dayShoeing = e.shoeing;
        const int recul = reculOf(e, race ? *race : assumed);
        r.dayRecul = std::max(recul, 0);
        r.musique = e.musique;
        std::tie(r.oddsReference, r.oddsDirect) = std::tie(e.oddsReference, e.oddsDirect);
        std::tie(r.trainer, r.rider) = std::tie(e.trainer, e.rider);
        r.blinkers = e.blinkers;
        s.runners.push_back(std::move(r));
    }
    return s;
}

// The imported race onto the sheet; whether it went there.
bool placeOnSheet(const RaceSheet& in, bool whole, AppState& state, const ImportPlace& where,
                  Dialogs& dialogs, ImportSummary& out) {
    RaceDay& day = state.raceDay();
    const RaceSheet before = day.sheet;
    QStringList notes;
    if (day.sheet.runners.empty() || sameRace(day.sheet, in)) {
        merge(day.sheet, in, whole, notes);
    } else {
        const int answer =
            dialogs.question(u"La course importée (%1) n'est pas celle de la feuille (%2).\n\n"
                             "Commencer une nouvelle course avec les partants importés ? Celle de "
                             "la feuille sera gardée dans les courses précédentes."_qs.arg(
                                 raceTitle(in), raceTitle(day.sheet)),
                             u"Importer"_qs, {u"Nouvelle course"_qs, u"Annuler"_qs}, 0, 1);
        if (answer != 0 || !archiveRace(day.sheet, where.archiveFolder, dialogs)) {
            out.reasons
                << u"partants non placés : la feuille garde sa course (les courses passées et les résultats sont tout de même gardés)"_qs;
            return false;
        }
        day.sheet = RaceSheet{.date = where.today,
                              .rule = before.rule,
                              .bandPercent = before.bandPercent,
                              .months = before.months};
        merge(day.sheet, in, whole, notes);
        // Runners of a race the files do not name: their recul, counted from the
        // other race's distance, is not known.
        if (!in.date.isValid())
            for (Runner& r : day.sheet.runners)
                r.dayRecul = 0;
    }
    // Each runner computed for the race (a race card's results are the sheet's
    // to compute); one that cannot be stays as it came, to correct on the sheet.
    for (Runner& r : day.sheet.runners) {
        RecordingDialogs quiet;
        if (auto again = rerun(r, day.sheet, {state.scale(), state.corrections()}, {}, quiet))
            r = std::move(*again);
    }
    if (!saveRaceDay(day, dialogs)) {
        day.sheet = before;
        out.reasons << u"partants non placés : la feuille n'a pas pu être enregistrée"_qs;
        return false;
    }
    out.runners = static_cast<int>(in.runners.size());
    out.reasons << notes;
    return true;
}
