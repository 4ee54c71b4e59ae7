#include "sheetedit.h"

#include "fchronologic.h"
#include "numbers.h"
#include "places.h"
#include "racetable.h"

#include <cmath>

namespace {

// The inputs a cell fills, for the question about an unusual value: a time or a
// distance typed wrong shows in the reduction too.
std::vector<runnerfigures::Field> questionedBy(RunnerField field) {
    using F = runnerfigures::Field;
    switch (field) {
    case RunnerField::ReferenceDistance:
        return {F::ReferenceDistance, F::Reduction};
    case RunnerField::Time:
        return {F::Time, F::Reduction};
    case RunnerField::ReferenceWeight:
        return {F::ReferenceWeight};
    case RunnerField::DayWeight:
        return {F::DayWeight};
    default:
        return {};
    }
}

bool computed(RunnerField field) {
    return field != RunnerField::Number && field != RunnerField::Name &&
           field != RunnerField::Going && field != RunnerField::ReferenceDate &&
           field != RunnerField::ReferenceHippodrome;
}

} // namespace

// A slip the punter is asked about before it counts, "Non" the default: a recul
// off the 25 m steps or past 100 m (250 for 25), a N° another runner has.
bool slipAccepted(const RaceSheet& sheet, size_t index, RunnerField field, const Runner& r,
                  Dialogs& dialogs) {
    if (field == RunnerField::DayRecul || field == RunnerField::ReferenceRecul) {
        const int metres = field == RunnerField::DayRecul ? r.dayRecul : r.referenceRecul;
        if (metres % 25 == 0 && metres <= 100)
            return true;
        return dialogs.askYesNo(u"Un recul de %1 m est inhabituel : les reculs vont de 25 en 25 m, "
                                "jusqu'à 100 m. Le garder pour « %2 » ?"_qs.arg(metres)
                                    .arg(r.name));
    }
    if (field != RunnerField::Number || r.number.trimmed().isEmpty())
        return true;
    for (size_t i = 0; i < sheet.runners.size(); ++i)
        if (i != index && sheet.runners[i].number.trimmed() == r.number.trimmed())
            return dialogs.askYesNo(
                u"Le n° %1 est déjà celui de « %2 ». Le donner aussi à "
                "« %3 » ?"_qs.arg(r.number.trimmed(), sheet.runners[i].name, r.name));
    return true;
}

bool editRunner(RaceDay& day, size_t index, RunnerField field, const QString& text,
                const Rules& rules, Dialogs& dialogs, QString* renamedFrom) {
    if (index >= day.sheet.runners.size())
        return false;
    const Runner& old = day.sheet.runners[index];
    if (text.trimmed() == fieldText(old, field).trimmed())
        return false;
    auto changed = withField(old, field, text, dialogs);
    if (changed && !slipAccepted(day.sheet, index, field, *changed, dialogs))
        return false;
    if (changed && computed(field)) {
        // A reference corrected by hand is the punter's, no longer the history's:
        // kept as typed until a run is picked on the card.
        changed->served.clear();
        changed->comparable = 0;
        changed->picked = Runner::KeptAsTyped;
        changed = rerun(*changed, day.sheet, rules, questionedBy(field), dialogs);
    }
    if (!changed)
        return false;
    if (renamedFrom)
        *renamedFrom = changed->name != old.name ? old.name : QString();
    if (field == RunnerField::Going)
        day.typedGoing = changed->going;
    day.sheet.runners[index] = *changed;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool editRace(RaceDay& day, const RaceSheet& race, const Rules& rules, Dialogs& dialogs) {
    if (race.sameRace(day.sheet))
        return false;
    RaceSheet next = day.sheet;
    next.takeRace(race);
    next.distance = race.distance.trimmed();
    if (const auto metres = numbers::textToNumber(next.distance);
        !next.distance.isEmpty() && !(metres && *metres > 0)) {
        FchronoLogic::ReportError(CalcError::Distance, dialogs);
        return false;
    }
    if (next.distance != day.sheet.distance.trimmed() || next.discipline != day.sheet.discipline ||
        next.start != day.sheet.start || next.going != day.sheet.going) {
        for (size_t i = 0; i < next.runners.size(); ++i) {
            // The distance is questioned once, with the first runner.
            const auto question = i == 0 ? std::vector{runnerfigures::Field::DayDistance}
                                         : std::vector<runnerfigures::Field>{};
            Runner r = next.runners[i];
            followRace(r, day.sheet, next);
            const auto runner = rerun(r, next, rules, question, dialogs);
            if (!runner)
                return false;
            next.runners[i] = *runner;
        }
    }
    day.sheet = next;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool offerRenameOnSheet(RaceDay& day, const QString& from, const QString& to, Dialogs& dialogs) {
    auto& runners = day.sheet.runners;
    const auto named = [&](const Runner& r) { return r.name == from; };
    const auto count = std::count_if(runners.begin(), runners.end(), named);
    if (count == 0 || from == to)
        return false;
    if (!dialogs.askYesNo(u"« %1 » est aussi dans la course du jour. Le renommer "
                          "aussi « %2 » ?"_qs.arg(from, to),
                          Dialogs::Default::Yes))
        return false;
    for (Runner& r : runners)
        if (named(r))
            r.name = to;
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}

bool recomputeSheet(RaceDay& day, const Rules& rules, Dialogs& dialogs, const QDateTime& now) {
    std::vector<Runner> kept;
    QStringList refused;
    for (const Runner& r : day.sheet.runners) {
        RecordingDialogs quiet; // said once for every runner, below
        if (const auto again = rerun(r, day.sheet, rules, {}, quiet))
            kept.push_back(*again);
        else
            refused << u"« %1 » : %2"_qs.arg(r.name, quiet.said.join(u' '));
    }
    if (kept == day.sheet.runners)
        return false;
    if (!refused.isEmpty()) {
        const QString aside = copyAside(day.path, "refus", now);
        dialogs.warn(u"Ces chevaux de la course du jour ne peuvent pas être "
                     "calculés et ont été retirés de la feuille (le fichier tel "
                     "qu'il était est gardé dans %1) :\n%2"_qs.arg(
                         aside.isEmpty() ? places::shown(day.path) : places::shown(aside),
                         refused.join(u'\n')));
    }
    day.sheet.runners = std::move(kept);
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}
