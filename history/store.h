#pragma once
// The horses' history: every run of every horse, in an SQLite database beside
// the list. One transaction per user action; two copies of the program may write
// at once (the second waits for the first).

#include "copies.h"
#include "races.h"
#include "run.h"
#include "sqlite.h"

#include <QStringList>
#include <vector>

namespace history {

// The schema this program writes; a database of a later one is not touched.
inline constexpr int SchemaVersion = 3;

struct [[nodiscard]] Opened {
    FileResult result;
    QString setAside; // where a damaged or foreign file was put; empty otherwise
    std::optional<copies::Copy> restored; // the copy put back in its place
};

struct [[nodiscard]] Added {
    FileResult result;
    int added = 0; // new runs
    int known = 0; // runs already stored (completed with what they lacked)
};

struct [[nodiscard]] Runs {
    FileResult result;
    std::vector<Run> runs;
};

struct [[nodiscard]] RaceList {
    FileResult result;
    std::vector<races::Race> races;
};

struct [[nodiscard]] Horses {
    FileResult result;
    QStringList names; // as first typed, in alphabetical order of their keys
};

class Store {
  public:
    // Opens the history at `path`, creating it when missing. A file that is not
    // a history (damaged, or another program's database) is set aside, renamed
    // with the time `now` ("…-illisible-2026-12-08-1030"), and the newest sound
    // copy put back, or a new history started. A history of an older structure
    // is copied before it changes.
    Opened open(const QString& path, const QDateTime& now = QDateTime::currentDateTime());
    // The history as it stands set aside ("historique-remplace-…"), `copy` put
    // in its place and opened; on a failure, the history stays as it was.
    Opened restore(const copies::Copy& copy, const QDateTime& now);
    // A copy of the history made now, the copies no longer kept removed.
    FileResult keepCopy(const QDateTime& now) { return copies::make(db_, now); }
    bool isOpen() const { return db_.isOpen(); }
    const QString& path() const { return db_.path(); }

    // Stores the runs in one transaction: all of them or, on a failure, none. A
    // run already stored (same horse, date, hippodrome and distance; for a run
    // without a date, also the same time and reduction) is not stored twice:
    // what it lacked is taken from the new one; a typed run typed again, or an
    // arrival's run recorded again, is replaced whole.
    Added add(const std::vector<Run>& runs);
    // The horse's runs, newest first, those without a date last.
    Runs runsOf(const QString& horse);
    // Every horse's runs, in the same order, read at once (a year measured).
    Runs allRuns();
    // Replaces the stored run `run.id`; refused when it would become another
    // stored run.
    FileResult update(const Run& run);
    FileResult remove(qint64 id);
    // The stored run that is the same run as `before`, if it was typed (a
    // reference race corrected on the sheet), becomes `after`; when `after` is
    // stored already, that run takes what it lacked and the typed one goes. An
    // arrival's or an import's run stays as it is.
    FileResult correctTyped(const Run& before, Run after);
    // The races of the results from `from` to `to`, with their runners.
    RaceList races(const QDate& from, const QDate& to);
    // The horses whose name holds `part` (case and accents aside).
    Horses horses(const QString& part);
    // The hippodromes of the stored runs, each once, in alphabetical order.
    Horses hippodromes();
    // The horse's name as first stored, when there is one by that key.
    std::optional<QString> nameOf(const QString& horse);

  private:
    // The file at `path` set aside, the newest sound copy put in its place (or
    // nothing: a new history), and opened.
    Opened setAsideAndRestore(const QString& path, const QDateTime& now);
    // Opened again when it could not be written (read-only at start, or
    // closed): a file writable again works without a restart.
    FileResult writable();
    // The runs `where` says (its ?1 bound to `key`), newest first.
    Runs runsWhere(const char* where, const QString& key);
    // The first column of every row of `s`, or why it could not be read.
    Horses namesOf(sqlite::Statement& s);
    sqlite::Database db_;
};

// The structure's version of the open database; -1 when it cannot be read.
int schemaVersionOf(sqlite::Database& db);
// Creates or brings the schema up to SchemaVersion.
FileResult migrate(sqlite::Database& db);
// Whether the open database is one of ours (or empty), read without changing it.
enum class Kind { Empty, Ours, Later, Foreign };
Kind kindOf(sqlite::Database& db);

} // namespace history
