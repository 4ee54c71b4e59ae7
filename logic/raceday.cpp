#include "raceday.h"

#include "addhorse.h"
#include "racetable.h"
#include "runhistory.h"
#include "sheetedit.h"

#include <algorithm>

namespace {

// Why the main window's estimate cannot go on the sheet once calculated; empty
// when it can.
QString whyNotAddable(const FchronoLogic& logic) {
    if (!logic.EstimateMatchesInputs())
        return u"Aucun chrono estimé pour la course du jour : saisissez sa "
               "distance avant d'ajouter ce cheval à la course du jour."_qs;
    return QString();
}

// The going last typed on this sheet: a race's runners often share it. Before
// one is typed here, that of the last runner the punter typed; never the going
// of a run the history fed.
QString lastGoing(const RaceDay& day) {
    if (!day.typedGoing.isEmpty())
        return day.typedGoing;
    const auto& runners = day.sheet.runners;
    const auto typed = std::find_if(runners.rbegin(), runners.rend(), typedIn);
    return typed == runners.rend() ? QString() : typed->going;
}

// The horse of the estimate shown; a reduction left from other inputs is not
// this horse's.
Runner runnerOf(const FchronoLogic& logic, const QString& name, const QString& going) {
    return ::runnerOf(name, going, *logic.Estimate,
                      logic.ReductionMatchesInputs() ? &*logic.Reduction : nullptr);
}

// A runner computed for another distance than the race's: computed anew for the
// race's, from its reference race, and the user told.
std::optional<Runner> forRaceDistance(const RaceSheet& sheet, Runner runner, const Rules& rules,
                                      Dialogs& dialogs) {
    takeRaceConditions(runner, sheet);
    RaceSheet race = sheet;
    if (race.distance.isEmpty())
        race.distance = runner.race.dayDistance.trimmed();
    auto again = rerun(runner, race, rules, {}, dialogs);
    if (again && runner.race.dayDistance.trimmed() != race.distance)
        dialogs.inform(u"« %1 » était calculé pour %2 m ; la course du jour est de "
                       "%3 m : il y est compté pour %3 m (chrono estimé %4)."_qs.arg(
                           runner.name, runner.race.dayDistance, race.distance,
                           racetable::punter(again->estimate)));
    return again;
}

// A horse already on the sheet: replace its row, add a second one, or nothing.
bool placeKnownHorse(RaceDay& day, size_t existing, const Runner& runner, Dialogs& dialogs) {
    const QString text = u"« %1 » est déjà dans la course du jour. Remplacer sa ligne, ajouter une "
                         "deuxième ligne (une autre course de référence du même cheval) ou "
                         "annuler ?"_qs.arg(day.sheet.runners[existing].name);
    const QStringList buttons{u"Remplacer"_qs, u"Ajouter une ligne"_qs, u"Annuler"_qs};
    switch (dialogs.question(text, ApplicationTitle, buttons, 2, 2)) {
    case 0:
        day.sheet.runners[existing] = runner;
        return true;
    case 1:
        day.sheet.runners.push_back(runner);
        return true;
    default:
        return false;
    }
}

} // namespace

AddedRunner Bt_AjouteCourse_Click(FchronoLogic& logic, RaceDay& day, bool alsoList,
                                  Dialogs& dialogs, const calc::CorrectionTable& corrections) {
    // The estimate put on the sheet is always that of the boxes as they stand:
    // calculated first when none matches them (one key less per runner).
    if (!logic.EstimateMatchesInputs()) {
        if (const QString correct = logic.Btcalcul_Click(dialogs); !correct.isEmpty())
            return {.correct = correct};
        if (logic.LastError != CalcError::None)
            return {}; // the calculation stopped, and said why
    }
    if (const QString why = whyNotAddable(logic); !why.isEmpty()) {
        dialogs.inform(why);
        return {};
    }
    const auto answers = askNameAndGoing(dialogs, QString(), lastGoing(day));
    if (!answers || answers->name.isEmpty())
        return {true, false, {}};
    const auto& [name, going] = *answers;
    if (name.contains(u'\n') || name.contains(u'\r') || going.contains(u'\n') ||
        going.contains(u'\r')) {
        dialogs.warn(u"Le cheval n'a pas été ajouté : le nom et l'état du "
                     "terrain doivent tenir sur une seule ligne."_qs);
        return {};
    }
    day.typedGoing = going.trimmed();
    const auto runner = forRaceDistance(day.sheet, runnerOf(logic, name, going),
                                        Rules{logic.fields.scale, corrections}, dialogs);
    if (!runner)
        return {true, false, {}};
    bool changed = false;
    if (const auto existing = day.sheet.lastOf(name))
        changed = placeKnownHorse(day, *existing, *runner, dialogs);
    else {
        if (day.sheet.runners.empty() && !day.sheet.date.isValid())
            day.sheet.date = QDate::currentDate();
        if (day.sheet.distance.isEmpty())
            day.sheet.distance = runner->race.dayDistance.trimmed();
        day.sheet.runners.push_back(*runner);
        changed = true;
    }
    if (!changed)
        return {true, false, {}};
    // Unwritten (said), the runner stays on the sheet in the window; the list is
    // a file of its own.
    (void)saveRaceDay(day, dialogs);
    return {true, true, alsoList ? alsoListLine(logic, *answers, dialogs) : std::nullopt};
}

bool removeRunners(RaceDay& day, std::vector<size_t> indices, Dialogs& dialogs) {
    // From the last place to the first, so that the places stay right.
    std::sort(indices.rbegin(), indices.rend());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    auto& runners = day.sheet.runners;
    std::erase_if(indices, [&](size_t i) { return i >= runners.size(); });
    if (indices.empty())
        return false;
    const QString text =
        indices.size() == 1
            ? u"Retirer « %1 » de la course du jour ?"_qs.arg(runners[indices[0]].name)
            : u"Retirer ces %1 chevaux de la course du jour ?"_qs.arg(indices.size());
    if (!dialogs.askYesNo(text))
        return false;
    for (size_t index : indices)
        runners.erase(runners.begin() + static_cast<std::ptrdiff_t>(index));
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}
