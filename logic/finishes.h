#pragma once
// A race on the sheet that has been run: each runner's finishing place, from the
// results the history keeps (an arrival typed, a participants file imported
// after the race), shown beside the sheet's rank.

#include "racesheet.h"
#include "store.h"

// Each runner's place ("1", "2", "disqualifié"…; empty when the history has no
// result of the race); whether one changed. The race is the history's race of
// the sheet's day that holds most of its horses, at least half of them.
bool fillFinishes(RaceSheet& sheet, history::Store& store);
