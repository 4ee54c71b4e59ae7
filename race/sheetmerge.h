#pragma once
// Two copies of the program on one race sheet: what this copy has, what the other
// copy wrote to the file since this one last read or wrote it, and what both
// started from. Nothing is lost and nothing is counted twice.

#include "racesheet.h"

#include <vector>

namespace sheetmerge {

// The same horse changed in both copies since they last agreed: which to keep is
// the user's to say.
struct Conflict {
    size_t ours;   // in Merged::sheet.runners
    Runner theirs; // the other copy's row, not in the sheet
};

struct Merged {
    RaceSheet sheet;
    std::vector<Conflict> conflicts;
    // The other copy's sheet is another race (another distance): it was not merged,
    // and the user chooses one of the two.
    bool otherRace = false;
};

// This copy's sheet, with what the other copy added and what it took out since
// `base`; the race's name and date as the copy that changed them left them (this
// one's when both did). Runners equal in every cell are one runner.
Merged merge(const RaceSheet& base, const RaceSheet& ours, const RaceSheet& theirs);

} // namespace sheetmerge
