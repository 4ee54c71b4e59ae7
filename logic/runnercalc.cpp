#include "runnercalc.h"

#include "fchronologic.h"

#include <algorithm>

void takeRaceConditions(Runner& r, const RaceSheet& race) {
    // The reference's conditions are not the main window's to say: left unknown
    // (no correction from them, nothing assumed in the history).
    r.referenceDiscipline.reset();
    r.referenceStart = calc::Start::Unknown;
    r.referenceShoeing = calc::Shoeing::Unknown;
    if (isTrot(race.discipline)) {
        r.dayShoeing = calc::Shoeing::Shod;
        r.referenceRecul = r.dayRecul = 0;
    }
}

void followRace(Runner& r, const RaceSheet& before, const RaceSheet& after) {
    // A reference discipline equal to the race's came with the race (older
    // sheets were given it): it follows.
    if (r.referenceDiscipline == calc::disciplineOf(before.discipline))
        r.referenceDiscipline.reset();
    if (isTrot(after.discipline) && r.dayShoeing == calc::Shoeing::Unknown)
        r.dayShoeing = calc::Shoeing::Shod;
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
