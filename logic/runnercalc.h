#pragma once
// A runner of the day's race computed from its reference race, as the main
// window computes a horse, for the race's distance and the conditions of both
// runs: the distance run is the distance and the recul, and the reduction and
// the estimate carry the corrections from the reference's conditions to today's.

#include "corrections.h"
#include "dialogs.h"
#include "racesheet.h"
#include "scale.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a sheet computes its runners with.
struct Rules {
    scale::Scale scale = {};
    calc::CorrectionTable corrections = {};
};

// The conditions of the runner's reference race, and of its run today in `race`.
calc::Conditions referenceConditions(const Runner& runner, const RaceSheet& race);
calc::Conditions todayConditions(const Runner& runner, const RaceSheet& race);

// A runner put on `race`'s sheet from the main window: the race's discipline and
// start for its reference race, and at the trot ferré and no recul on both sides.
void takeRaceConditions(Runner& runner, const RaceSheet& race);
// The race's discipline or start changed from `before` to `after`: a reference
// race that had them (as taken from the race) follows; at the trot, a shoeing not
// given yet is ferré.
void followRace(Runner& runner, const RaceSheet& before, const RaceSheet& after);

// Whether the runner has no reference race yet (imported with today's
// conditions only): nothing to compute.
bool awaitsReference(const Runner& runner);

// The runner computed anew for `race` under `rules`; none when it cannot be (the
// reason told). Unusual values among the boxes named in `question` are asked
// about first.
std::optional<Runner> rerun(const Runner& runner, const RaceSheet& race, const Rules& rules,
                            const QStringList& question, Dialogs& dialogs);
