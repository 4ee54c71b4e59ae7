#pragma once
// The day's race sheet's commands: adding the main window's horse, removing a
// runner, starting a new race, and keeping the sheet in its file, which is
// written after every change and read at start.

#include "dialogs.h"
#include "fchronologic.h"
#include "racesheet.h"

#include <QString>

// The sheet and the file it is kept in.
struct RaceDay {
    RaceSheet sheet;
    QString path; // coursedujour.csv, beside the list file

    // The sheet's file beside the list file.
    static QString pathBesideList();
};

// "Ajouter à la course du jour". Whether the sheet window is to be shown, and
// whether the sheet changed (and was written).
struct [[nodiscard]] AddedRunner {
    bool showSheet = false;
    bool changed = false;
};
[[nodiscard]] AddedRunner Bt_AjouteCourse_Click(const FchronoLogic& logic, RaceDay& day,
                                                Dialogs& dialogs);

// Takes out one runner (by its place in RaceSheet::runners); no question: it can
// be added again from the main window.
void removeRunner(RaceDay& day, size_t index, Dialogs& dialogs);
// "Nouvelle course": asks first when the sheet holds runners. Whether it began.
bool newRace(RaceDay& day, Dialogs& dialogs);
// The race's name or date changed in the window.
void renameRace(RaceDay& day, const QString& name, const QDate& date, Dialogs& dialogs);

// "Exporter en CSV…": the sheet's table, as ranked, into a CSV file for a
// spreadsheet; a message says where, or why not.
void exportRaceDay(const RaceDay& day, const QString& path, Dialogs& dialogs);

// Reads the sheet's file at start. A file that cannot be read as a sheet is
// renamed aside with a dated suffix, a message says so, and the sheet starts
// empty: nothing is dropped silently.
RaceDay loadRaceDay(const QString& path, Dialogs& dialogs, const QDateTime& now);
// Writes the sheet aside and puts it in place; on failure a message with the
// file's full path, and the old file left whole. Whether it was written.
bool saveRaceDay(const RaceDay& day, Dialogs& dialogs);
