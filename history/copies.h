#pragma once
// Copies of the history, the punter's most valuable file: one before every
// import, before every change of its structure, and once a day, in
// "sauvegardes" beside it (historique-2026-12-09-1030.sqlite). Kept: the newest
// of each of the last 7 days (today's last 5), the newest of each of the 4 weeks
// before, and every copy made before a change of structure.

#include "sqlite.h"

#include <QDateTime>
#include <vector>

namespace history::copies {

struct Copy {
    QString path;
    QDateTime made;               // from its name, to the minute
    bool beforeMigration = false; // "…-avant-version-2.sqlite": kept for good
    bool operator==(const Copy&) const = default;
};

// "…/sauvegardes" beside the history at `historyPath`.
QString folderOf(const QString& historyPath);

// The copies beside the history at `historyPath`, newest first (files of other
// names left out).
std::vector<Copy> list(const QString& historyPath);

// Of `copies` (newest first), those the rule no longer keeps at `now`.
std::vector<Copy> toDrop(const std::vector<Copy>& copies, const QDateTime& now);

// `db` copied whole, as it stands in its last committed state (SQLite writes
// the copy: never a file copy of a database open for writing), then the copies
// no longer kept removed. `nextVersion` > 0: a copy made before the structure
// changes to that version.
FileResult make(sqlite::Database& db, const QDateTime& now, int nextVersion = 0);

// Whether the copy opens as a sound history (SQLite's quick check).
bool sound(const Copy& copy);

// `copy` put in the place of the history at `historyPath` (which must no longer
// be there): written aside, then renamed.
FileResult putBack(const Copy& copy, const QString& historyPath);

// "09/12/2026 à 10:30"
QString shownDate(const Copy& copy);

} // namespace history::copies
