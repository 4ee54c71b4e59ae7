#pragma once
// The runners of an import on a sheet of their own, and that sheet put onto the
// day's: the same race merged, another after a question.

#include "importer.h"

// The metres a runner runs behind the others: its distance to run past the race's.
int reculOf(const imports::Entrant& entrant, const imports::Race& race);

// Today's race (when the files named it) and the runners of a participants file,
// non-runners left out, on a sheet of their own; without the race, the race on
// the sheet (`current`) gives the recul and whether the shoeing counts.
RaceSheet importedSheet(const std::optional<imports::Race>& race,
                        const std::vector<imports::Entrant>& entrants, const RaceSheet& current);

// `in` onto the day's sheet: merged when it is the same race or the sheet has no
// runner (`whole`: a race card's runners replace the same horses whole), otherwise
// after a question, the race on the sheet archived. Each runner computed for the
// race, the sheet written. Whether it went there; why not in `out`.
bool placeOnSheet(const RaceSheet& in, bool whole, AppState& state, const ImportPlace& where,
                  Dialogs& dialogs, ImportSummary& out);
