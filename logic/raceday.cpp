#include "raceday.h"

#include "addhorse.h"

#include <algorithm>

namespace {

// Why the main window's estimate cannot go on the sheet; empty when it can.
QString whyNotAddable(const FchronoLogic& logic) {
    if (!logic.Estimate)
        return QStringLiteral("Aucun chrono estimé pour la course du jour : saisissez sa "
                              "distance et lancez le calcul avant d'ajouter ce cheval à la "
                              "course du jour.");
    if (!logic.EstimateMatchesInputs())
        return QStringLiteral("Le chrono estimé affiché ne correspond plus aux valeurs saisies : "
                              "relancez le calcul avant d'ajouter ce cheval à la course du jour.");
    return QString();
}

// The horse of the estimate shown; a reduction left from other inputs is not
// this horse's.
Runner runnerOf(const FchronoLogic& logic, const QString& name, const QString& going) {
    return ::runnerOf(name, going, *logic.Estimate,
                      logic.ReductionMatchesInputs() ? &*logic.Reduction : nullptr);
}

// A runner computed for another distance: offers a new race with it alone.
bool startNewRaceFor(RaceDay& day, const Runner& runner, Dialogs& dialogs) {
    const QString text =
        QStringLiteral("Ce cheval est calculé pour une course de %1 m, mais la course du jour "
                       "est de %2 m : il n'a pas été ajouté.\nCommencer une nouvelle course "
                       "de %1 m avec ce cheval ? Les partants de la course actuelle (%3) seront "
                       "retirés de la feuille.")
            .arg(runner.race.dayDistance, day.sheet.distance())
            .arg(day.sheet.runners.size());
    const QStringList buttons{QStringLiteral("Nouvelle course"), QStringLiteral("Annuler")};
    if (dialogs.question(text, ApplicationTitle, buttons, 1, 1) != 0)
        return false;
    day.sheet = RaceSheet{QString(), QDate::currentDate(), {runner}};
    return true;
}

// A horse already on the sheet: replace its row, add a second one, or nothing.
bool placeKnownHorse(RaceDay& day, size_t existing, const Runner& runner, Dialogs& dialogs) {
    const QString text =
        QStringLiteral("« %1 » est déjà dans la course du jour. Remplacer sa ligne, ajouter une "
                       "deuxième ligne (une autre course de référence du même cheval) ou "
                       "annuler ?")
            .arg(day.sheet.runners[existing].name);
    const QStringList buttons{QStringLiteral("Remplacer"), QStringLiteral("Ajouter une ligne"),
                              QStringLiteral("Annuler")};
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

AddedRunner Bt_AjouteCourse_Click(const FchronoLogic& logic, RaceDay& day, Dialogs& dialogs) {
    if (const QString why = whyNotAddable(logic); !why.isEmpty()) {
        dialogs.inform(why);
        return {};
    }
    const auto answers = askNameAndGoing(dialogs);
    if (!answers || answers->name.isEmpty())
        return {true, false};
    const auto& [name, going] = *answers;
    if (name.contains(u'\n') || name.contains(u'\r') || going.contains(u'\n') ||
        going.contains(u'\r')) {
        dialogs.warn(QStringLiteral("Le cheval n'a pas été ajouté : le nom et l'état du "
                                    "terrain doivent tenir sur une seule ligne."));
        return {};
    }
    const Runner runner = runnerOf(logic, name, going);
    bool changed = false;
    if (!day.sheet.fits(runner.race.dayDistance))
        changed = startNewRaceFor(day, runner, dialogs);
    else if (const auto existing = day.sheet.lastOf(name))
        changed = placeKnownHorse(day, *existing, runner, dialogs);
    else {
        if (day.sheet.runners.empty() && !day.sheet.date.isValid())
            day.sheet.date = QDate::currentDate();
        day.sheet.runners.push_back(runner);
        changed = true;
    }
    if (changed)
        saveRaceDay(day, dialogs);
    return {true, changed};
}

void removeRunners(RaceDay& day, std::vector<size_t> indices, Dialogs& dialogs) {
    // From the last place to the first, so that the places stay right.
    std::sort(indices.rbegin(), indices.rend());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    auto& runners = day.sheet.runners;
    for (size_t index : indices)
        if (index < runners.size())
            runners.erase(runners.begin() + static_cast<std::ptrdiff_t>(index));
    saveRaceDay(day, dialogs);
}

bool newRace(RaceDay& day, Dialogs& dialogs) {
    if (!day.sheet.runners.empty()) {
        const QString text =
            QStringLiteral("Commencer une nouvelle course ? Les partants de la course du "
                           "jour (%1) seront retirés de la feuille.")
                .arg(day.sheet.runners.size());
        if (!dialogs.askYesNo(text))
            return false;
    }
    day.sheet = RaceSheet{QString(), QDate::currentDate(), {}};
    saveRaceDay(day, dialogs);
    return true;
}

bool renameRace(RaceDay& day, const QString& name, const QDate& date, Dialogs& dialogs) {
    if (name == day.sheet.name && date == day.sheet.date)
        return false;
    day.sheet.name = name;
    day.sheet.date = date;
    saveRaceDay(day, dialogs);
    return true;
}
