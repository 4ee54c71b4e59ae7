#pragma once
// The sheet's runners in the horses' history: each runner's reference race is a
// run of its horse, recorded when the sheet changes, corrected with it.

#include "racesheet.h"
#include "store.h"

#include <optional>

// A runner's reference race as a run of its horse; none without a distance.
std::optional<history::Run> referenceRun(const Runner& runner, const RaceSheet& race);

// Whether the runner's reference race is the punter's (typed), not a run the
// history chose for it.
bool typedIn(const Runner& runner);

// Every runner's typed reference race recorded, in one transaction; why it failed, or
// nothing. A closed history records nothing.
QString recordReferences(history::Store& store, const RaceSheet& sheet);

// A runner corrected on the sheet: its reference race, when it was typed, is
// corrected in the history to the runner's new one; never removed (a reference
// no longer complete leaves the run as it was).
QString correctRecorded(history::Store& store, const Runner& before, const Runner& after,
                        const RaceSheet& sheet);
