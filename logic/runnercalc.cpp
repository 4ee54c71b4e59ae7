#include "runnercalc.h"

#include "fchronologic.h"

#include <algorithm>

namespace {

calc::Start startOf(const RaceSheet& race) {
    return calc::startOf(race.start).value_or(calc::Start::Unknown);
}

} // namespace

void takeRaceConditions(Runner& r, const RaceSheet& race) {
    r.referenceDiscipline = calc::disciplineOf(race.discipline);
    r.referenceStart = startOf(race);
    if (isTrot(race.discipline)) {
        r.referenceShoeing = r.dayShoeing = calc::Shoeing::Shod;
        r.referenceRecul = r.dayRecul = 0;
    }
}

void followRace(Runner& r, const RaceSheet& before, const RaceSheet& after) {
    if (!r.referenceDiscipline || r.referenceDiscipline == calc::disciplineOf(before.discipline))
        r.referenceDiscipline = calc::disciplineOf(after.discipline);
    if (r.referenceStart == startOf(before))
        r.referenceStart = startOf(after);
    if (isTrot(after.discipline))
        for (calc::Shoeing* shoeing : {&r.referenceShoeing, &r.dayShoeing})
            if (*shoeing == calc::Shoeing::Unknown)
                *shoeing = calc::Shoeing::Shod;
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
