#pragma once
// The day's race sheet's commands: adding the main window's horse, removing a
// runner, starting a new race, and keeping the sheet in its file, which is
// written after every change and read at start.

#include "dialogs.h"
#include "fchronologic.h"

#include <QString>

#include "racedayfile.h"

// "Ajouter à la course du jour". Whether the sheet window is to be shown, and
// whether the sheet changed (and was written).
struct [[nodiscard]] AddedRunner {
    bool showSheet = false;
    bool changed = false;
};
[[nodiscard]] AddedRunner Bt_AjouteCourse_Click(const FchronoLogic& logic, RaceDay& day,
                                                Dialogs& dialogs);

// Takes out runners (by their places in RaceSheet::runners), in one rewrite of the
// file; no question: each can be added again from the main window.
void removeRunners(RaceDay& day, std::vector<size_t> indices, Dialogs& dialogs);
// "Nouvelle course": asks first when the sheet holds runners. Whether it began.
bool newRace(RaceDay& day, Dialogs& dialogs);
// The race's name or date changed in the window. Whether the sheet changed.
bool renameRace(RaceDay& day, const QString& name, const QDate& date, Dialogs& dialogs);
