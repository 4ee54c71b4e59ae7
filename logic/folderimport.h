#pragma once
// "Importer un dossier…": every saved file under folders (files and folders
// mixed), grouped by day and race from what the files hold, each race stored in
// a transaction of its own, a summary per day. Stopped between two races when
// the punter asks: the races finished stay, none is half stored.

#include "importer.h"

#include <map>

// How far an import has gone; the window's progress bar, or nothing.
struct ImportProgress {
    virtual ~ImportProgress() = default;
    // `done` steps of `total` (each file read, then each race stored); false:
    // stop before the next race.
    virtual bool step(int done, int total) = 0;
};

// The files of one race (its programme, participants, performances), or a file
// alone (past runs, a race card, files no race could be found for).
struct RaceFiles {
    QDate day;    // invalid: the files say no day
    QString code; // "R1C3"; empty: not known
    std::vector<imports::FileRead> reads;
};

// The files grouped: a participants file with its programme's race (from its
// casaques, its name or its runners, among the programmes of its own folder
// first), a performances file with the participants file of its horses.
// `folders[i]` is the folder `reads[i]` came from.
std::vector<RaceFiles> groupByRace(std::vector<imports::FileRead> reads,
                                   const QStringList& folders);

struct FolderSummary {
    int files = 0;     // found
    int races = 0;     // groups found
    int racesDone = 0; // groups stored
    bool stopped = false;
    struct Day {
        int races = 0;
        ImportSummary summary;
    };
    std::map<QDate, Day> days; // an invalid date: files of no day
    QStringList unread;        // "file : why"
    // "51 fichiers, 16 courses importées", then a line per day ("05/11/2025 (8
    // courses) : 560 courses passées…"), the files not read, and where it
    // stopped.
    QString text() const;
};

// The files under `paths`, folders walked down, in the order of their paths.
QStringList filesUnder(const QStringList& paths);

// The files under `paths` imported. Runners reach the sheet only when the files
// hold a single race of `where.today` (asked as for files), else none.
FolderSummary importFolder(const QStringList& paths, AppState& state, const ImportPlace& where,
                           Dialogs& dialogs, ImportProgress* progress);

// What `importPaths` did: the summary's text, and whether any file was read.
struct PathsImported {
    QString text;
    bool anyRead = false;
};

// The history copied first; then files alone imported as "Importer…" imports
// them (asked about), with a folder among them as a folder.
PathsImported importPaths(const QStringList& paths, AppState& state, const ImportPlace& where,
                          Dialogs& dialogs, ImportProgress* progress);
