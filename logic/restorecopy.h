#pragma once
// "Restaurer une copie…": the punter chooses one of the history's copies; the
// history as it stands is set aside first (never overwritten), the copy put in
// its place, and the sheet's runners fed from it again.

#include "appstate.h"

// What the punter must be told: done (and what was set aside), not done and
// why, or that there is no copy.
QString restoreCopy(AppState& state, Dialogs& dialogs, const QDateTime& now);
