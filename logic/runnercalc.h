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

// A runner put on `race`'s sheet from the main window: its reference's conditions
// unknown (the window does not ask them), and at the trot ferré today and no recul.
void takeRaceConditions(Runner& runner, const RaceSheet& race);
// The race's discipline changed from `before` to `after`: a reference discipline
// that was the race's follows it; at the trot, today's shoeing not given is ferré.
void followRace(Runner& runner, const RaceSheet& before, const RaceSheet& after);

// A refusal as the punter is told it: the calculation's own message box, or a
// warning naming the runner.
void report(const runnerfigures::Refusal& refusal, Dialogs& dialogs);

// The runner computed anew for `race` under `rules`; none when it cannot be (the
// reason told). Unusual values of the fields in `question` are asked about first.
std::optional<Runner> rerun(const Runner& runner, const RaceSheet& race, const Rules& rules,
                            const std::vector<runnerfigures::Field>& question, Dialogs& dialogs);
