#pragma once
// A runner of the day's race computed for the race's distance and the conditions
// of both runs, its unusual values asked about and its refusal told as the main
// window tells its own. The arithmetic itself is the race's (runnerfigures.h).

#include "dialogs.h"
#include "racesheet.h"
#include "runnerfigures.h"

#include <optional>
#include <vector>

using runnerfigures::awaitsReference;

// A runner put on `race`'s sheet from the main window: the race's discipline and
// start for its reference race, and at the trot ferré and no recul on both sides.
void takeRaceConditions(Runner& runner, const RaceSheet& race);
// The race's discipline or start changed from `before` to `after`: a reference
// race that had them (as taken from the race) follows; at the trot, a shoeing not
// given yet is ferré.
void followRace(Runner& runner, const RaceSheet& before, const RaceSheet& after);

// A refusal as the punter is told it: the calculation's own message box, or a
// warning naming the runner.
void report(const runnerfigures::Refusal& refusal, Dialogs& dialogs);

// The runner computed anew for `race` under `rules`; none when it cannot be (the
// reason told). Unusual values of the fields in `question` are asked about first.
std::optional<Runner> rerun(const Runner& runner, const RaceSheet& race, const Rules& rules,
                            const std::vector<runnerfigures::Field>& question, Dialogs& dialogs);
