#include "runnercalc.h"

#include "fchronologic.h"

#include <algorithm>

void takeRaceConditions(Runner& r, const RaceSheet& race) {
    r.race.discipline = race.discipline;
    r.race.start = race.start;
    if (isTrot(race.discipline)) {
        r.race.shoeing = r.dayShoeing = calc::shoeingName(calc::Shoeing::Shod);
        r.referenceRecul = r.dayRecul = 0;
    }
}

void followRace(Runner& r, const RaceSheet& before, const RaceSheet& after) {
    if (r.race.discipline.isEmpty() || r.race.discipline == before.discipline)
        r.race.discipline = after.discipline;
    if (r.race.start == before.start)
        r.race.start = after.start;
    if (isTrot(after.discipline)) {
        const QString shod = calc::shoeingName(calc::Shoeing::Shod);
        for (QString* shoeing : {&r.race.shoeing, &r.dayShoeing})
            if (shoeing->isEmpty())
                *shoeing = shod;
    }
}

void report(const runnerfigures::Refusal& refusal, Dialogs& dialogs) {
    if (refusal.error != calc::CalcError::None)
        FchronoLogic::ReportError(refusal.error, dialogs);
    else if (refusal.field == runnerfigures::Field::Margin) // as the main window's option says it
        dialogs.message(refusal.reason, ApplicationTitle, Dialogs::Icon::None,
                        Dialogs::Buttons::Ok);
    else
        dialogs.warn(refusal.reason);
}

std::optional<Runner> rerun(const Runner& runner, const RaceSheet& race, const Rules& rules,
                            const std::vector<runnerfigures::Field>& question, Dialogs& dialogs) {
    const runnerfigures::Outcome out = runnerfigures::compute(runner, race, rules);
    // One question at most, about the first unusual value asked for.
    for (const runnerfigures::Finding& f : out.findings)
        if (std::find(question.begin(), question.end(), f.field) != question.end()) {
            if (!dialogs.askYesNo(f.question))
                return std::nullopt;
            break;
        }
    if (out.refusal)
        report(*out.refusal, dialogs);
    return out.runner;
}
