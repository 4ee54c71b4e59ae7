#pragma once
// The race sheet edited in place: a runner's inputs corrected cell by cell, and
// the race's own fields. Every runner is computed for the race's distance from
// its reference race, checked as the main window checks its boxes: an unusual
// value is questioned, an unreadable one refused with the calculation's message,
// and nothing is half-applied.

#include "dialogs.h"
#include "racedayfile.h"
#include "runnercalc.h"
#include "runnerfields.h"

#include <QDateTime>
#include <QString>
#include <optional>

// A cell of runner `index` set to `text`. Whether the sheet changed (and was
// written). A name changed is given in `renamedFrom` (the old name).
bool editRunner(RaceDay& day, size_t index, RunnerField field, const QString& text,
                const Rules& rules, Dialogs& dialogs, QString* renamedFrom = nullptr);

// A slip asked about before a runner's cell counts, "Non" the default: a recul
// off the 25 m steps or past 100 m (250 for 25), a N° another runner has.
// Whether the punter keeps it.
bool slipAccepted(const RaceSheet& sheet, size_t index, RunnerField field, const Runner& runner,
                  Dialogs& dialogs);

// The race's fields as the window holds them: a new distance, discipline or
// start recomputes every runner (or none, when one of them cannot be). Whether
// the sheet changed.
bool editRace(RaceDay& day, const RaceSheet& race, const Rules& rules, Dialogs& dialogs);

// The sheet as read from its file, every runner computed again from its inputs
// under `rules` (a file edited in a spreadsheet comes back right). A runner that
// cannot be computed leaves the sheet, named with its reason in one message, the
// file as it was kept aside. Whether the sheet changed (and was written).
bool recomputeSheet(RaceDay& day, const Rules& rules, Dialogs& dialogs, const QDateTime& now);

// Every runner named `from` renamed `to`, after one question. Whether they were.
bool offerRenameOnSheet(RaceDay& day, const QString& from, const QString& to, Dialogs& dialogs);
