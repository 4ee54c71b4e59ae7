#include "horsecardlogic.h"

#include "cells.h"

#include "comparable.h"
#include "corrections.h"
#include "runtable.h"

namespace horsecard {

QStringList header() {
    QStringList h = history::runHeader();
    h.removeAll(u"cheval"_qs);
    h.removeAll(u"musique"_qs);
    h.insert(h.indexOf(u"réduction"_qs) + 1, u"aujourd'hui"_qs);
    return h;
}

QStringList row(const history::Run& run, const Runner& base, const RaceSheet& sheet,
                const Rules& rules) {
    QStringList cells = history::runRow(run);
    cells.removeFirst(); // the horse
    cells.removeLast();  // its musique mark
    const auto today = todayReduction(run, base, sheet, rules);
    cells.insert(header().indexOf(u"aujourd'hui"_qs),
                 today ? calc::punterHundredths(*today) : QString());
    return cells;
}

QString summary(const std::vector<history::Run>& runs) {
    if (runs.empty())
        return u"Aucune course gardée pour ce cheval."_qs;
    const QString music = history::musique(runs);
    return u"%1 · musique : %2"_qs.arg(cells::counted(int(runs.size()), "course", "courses"),
                                       music.isEmpty() ? u"—"_qs : music);
}

Runner base(const RaceSheet& sheet, const QString& horse) {
    const auto onSheet = sheet.lastOf(horse);
    Runner out = onSheet ? sheet.runners[*onSheet] : Runner{};
    out.name = horse;
    return out;
}

Card cardOf(AppState& state, const QString& name, Dialogs& dialogs) {
    const history::Runs runs = state.history().runsOf(name);
    if (!runs.result.ok())
        dialogs.warn(runs.result.message);
    Card card;
    card.horse = runs.runs.empty() ? name.simplified() : runs.runs.front().horse;
    card.runs = runs.runs;
    card.summary = summary(card.runs);
    const RaceSheet& sheet = state.raceDay().sheet;
    card.onSheet = sheet.lastOf(card.horse).has_value();
    const Runner today = base(sheet, card.horse);
    for (const history::Run& run : card.runs)
        card.rows.push_back(row(run, today, sheet, {state.scale(), state.corrections()}));
    return card;
}

QStringList knownHorses(AppState& state) {
    return state.history().horses(QString()).names;
}

std::optional<history::Run> typedRun(const QStringList& cells, const history::Run& original,
                                     Dialogs& dialogs) {
    const history::RunRead read = history::runOfCells(history::runHeader(), cells);
    if (!read.run) {
        dialogs.warn(u"Cette course ne peut pas être gardée : %1."_qs.arg(read.refused));
        return std::nullopt;
    }
    history::Run run = *read.run;
    run.id = original.id;
    run.source = original.source;
    return run;
}

namespace {

// A change of the history told when it failed; the sheet's runners follow their runs.
bool stored(AppState& state, const FileResult& result, Dialogs& dialogs) {
    if (!result.ok())
        dialogs.warn(result.message);
    state.sheetEdited();
    return result.ok();
}

} // namespace

bool addRun(AppState& state, const history::Run& typed, Dialogs& dialogs) {
    const history::Added added = state.history().add({typed});
    if (added.result.ok() && added.known > 0)
        dialogs.inform(u"Cette course était déjà gardée : elle est complétée."_qs);
    return stored(state, added.result, dialogs);
}

bool correctRun(AppState& state, const history::Run& typed, Dialogs& dialogs) {
    return stored(state, state.history().update(typed), dialogs);
}

bool deleteRun(AppState& state, const history::Run& run, Dialogs& dialogs) {
    const QString when = run.date.isValid() ? run.date.toString(u"dd/MM/yyyy"_qs) : u"sans date"_qs;
    if (!dialogs.askYesNo(
            u"Supprimer la course du %1 (%2, %3 m) de « %4 » ?"_qs.arg(when, run.hippodrome)
                .arg(run.distance)
                .arg(run.horse)))
        return false;
    return stored(state, state.history().remove(run.id), dialogs);
}

bool pickForToday(AppState& state, const history::Run& run, Dialogs& dialogs) {
    RaceSheet& sheet = state.raceDay().sheet;
    const auto onSheet = sheet.lastOf(run.horse);
    if (!onSheet) {
        dialogs.warn(u"« %1 » n'est pas dans la course du jour."_qs.arg(run.horse));
        return false;
    }
    Runner& runner = sheet.runners[*onSheet];
    if (!isComparable(run, runner, sheet)) {
        dialogs.warn(u"Cette course n'est pas comparable à la course du jour "
                     "(discipline, distance à ±%1 %, %2 derniers mois, un chrono "
                     "ou une réduction)."_qs.arg(sheet.bandPercent)
                         .arg(sheet.months));
        return false;
    }
    runner.picked = runner.picked == run.id ? 0 : run.id;
    state.sheetEdited();
    return true;
}

} // namespace horsecard
