#pragma once
// A new runner typed in one pass in the sheet's entry row: its N°, name, the
// reference race and its conditions, today's weight, shoeing and recul, each
// read as its cell reads it. A horse the history knows needs only its name: its
// comparable runs feed it once it is on the sheet.

#include "racedayfile.h"
#include "runnercalc.h"
#include "runnerfields.h"

#include <QString>
#include <utility>
#include <vector>

// The entry row's boxes in the order Tab goes through them; those a discipline
// has no use for are not shown (at the trot no weight, on the flat no shoeing,
// start or recul).
const std::vector<RunnerField>& entryFields();
bool entryShown(RunnerField field, const QString& discipline);

// What the punter typed, box by box (a box not shown or left empty: nothing).
using TypedRunner = std::vector<std::pair<RunnerField, QString>>;

// The runner typed put on the day's sheet and written; `withLengths`: the race's
// base, "Chrono + Longueur". Refused (the reason told, nothing changed) when a
// text cannot go in its box, a slip is not confirmed or the runner cannot be
// computed. Whether it went on.
bool addTypedRunner(RaceDay& day, const TypedRunner& typed, bool withLengths, const Rules& rules,
                    Dialogs& dialogs);
