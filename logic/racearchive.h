#pragma once
// Races kept: "Nouvelle course" files the race it ends in the archive folder, one
// file per race in the sheet's own format, named "AAAA-MM-JJ <course>.csv";
// "Courses précédentes…" lists them, opens one again or deletes one. Nothing is
// lost on the way: a race leaves the sheet only once its file is written whole,
// and leaves the archive only once the sheet holding it is.

#include "dialogs.h"
#include "racedayfile.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// A race of the archive, as its file tells it.
struct ArchivedRace {
    QString path;
    QDate date;
    QString hippodrome, name;
    int runners = -1; // -1: the file cannot be read as a race sheet
};

// The file name a race is kept under, without the folder: its date, then its
// name (or hippodrome), with no character a file name cannot hold.
QString archiveName(const RaceSheet& sheet);
// Writes the race into `folder` under a name of its own (" (2)" and so on when
// taken). Its path, or none with the reason told.
std::optional<QString> archiveRace(const RaceSheet& sheet, const QString& folder, Dialogs& dialogs);
// The races in `folder`, the latest first.
std::vector<ArchivedRace> archivedRaces(const QString& folder);

// "Nouvelle course": the race on the sheet archived (when it has runners), then an
// empty sheet for `today`, the distance kept. Whether it began.
bool newRace(RaceDay& day, const QString& folder, const QDate& today, Dialogs& dialogs);
// An archived race back on the sheet, the race on it archived first. Whether it was.
bool openArchived(RaceDay& day, const ArchivedRace& race, const QString& folder, Dialogs& dialogs);
// An archived race deleted, after a question ("Non" unless told otherwise).
bool deleteArchived(const ArchivedRace& race, Dialogs& dialogs);
