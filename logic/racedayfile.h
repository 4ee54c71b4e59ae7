#pragma once
// The day's race sheet and its file, coursedujour.csv: read at start, written
// after every change, and never written over what another copy of the program
// put there since this one last read or wrote it.

#include "dialogs.h"
#include "racesheet.h"
#include "wholefile.h"

#include <QDateTime>
#include <QString>

// The sheet and the file it is kept in.
struct RaceDay {
    RaceSheet sheet;
    QString path; // coursedujour.csv, beside the list file
    // The sheet as the file held it when this copy last read or wrote it, and a
    // stamp of those bytes: what another copy changed since is told from them.
    RaceSheet base = {};
    files::Stamp stamp = {};
    // The going the punter last typed for a runner of this sheet, offered for
    // the next one; empty until one is typed.
    QString typedGoing = {};

    // Whether the last write of the sheet went through: after one that failed, the
    // sheet stays changed in the window, and is written at the next change.
    bool writeFailed = false;
    bool written() const { return !writeFailed; }
};

// Reads the sheet's file at start. A file that cannot be read as a sheet is
// renamed aside with a dated suffix, a message says so, and the sheet starts
// empty: nothing is dropped silently.
RaceDay loadRaceDay(const QString& path, Dialogs& dialogs, const QDateTime& now);
// Writes the sheet aside and puts it in place; on failure a message with the
// file's full path, and the old file left whole. When another copy changed the
// file since, its runners are merged in first (a horse changed in both: the user
// chooses). Whether it was written; where the caller has nothing else to do on a
// failure, `written()` keeps saying so.
[[nodiscard]] bool saveRaceDay(RaceDay& day, Dialogs& dialogs);

// A copy of the sheet's file as it is, beside it, named with why and when; its
// path, or an empty text when it could not be made.
QString copyAside(const QString& path, const char* why, const QDateTime& now);

// An export's bytes written whole at `path`; a message says where (`done`, the
// path at %1), or why not.
void writeExport(const QString& path, const QByteArray& bytes, const QString& done,
                 Dialogs& dialogs);

// "Exporter en CSV…": the sheet's table, as ranked, into a CSV file for a
// spreadsheet; a message says where, or why not.
void exportRaceDay(const RaceDay& day, const QString& path, Dialogs& dialogs);
