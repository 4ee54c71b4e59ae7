// The history's tables, created or brought up to date in one transaction. A new
// version adds one step to `Steps`; the database says which it has reached in
// PRAGMA user_version.
#include "store.h"

namespace history {

namespace {

// A horse is one per key; its name is kept as first typed. A run is the same run
// when the horse, the date, the hippodrome (by key) and the distance agree; runs
// without a date (from the list) also by their figures, since two of them at one
// distance are two results, not one.
const char* const Version1 = R"(
CREATE TABLE horse (
    id INTEGER PRIMARY KEY,
    key TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL
);
CREATE TABLE run (
    id INTEGER PRIMARY KEY,
    horse INTEGER NOT NULL REFERENCES horse(id) ON DELETE CASCADE,
    date TEXT NOT NULL DEFAULT '',
    hippodrome TEXT NOT NULL DEFAULT '',
    hippodrome_key TEXT NOT NULL DEFAULT '',
    race TEXT NOT NULL DEFAULT '',
    discipline TEXT NOT NULL DEFAULT '',
    distance INTEGER NOT NULL CHECK (distance > 0),
    recul INTEGER NOT NULL DEFAULT 0 CHECK (recul >= 0),
    start TEXT NOT NULL DEFAULT '',
    shoeing TEXT NOT NULL DEFAULT '',
    going TEXT NOT NULL DEFAULT '',
    time INTEGER CHECK (time > 0),
    reduction INTEGER CHECK (reduction > 0),
    place INTEGER NOT NULL DEFAULT 0,
    status TEXT NOT NULL DEFAULT '',
    lengths REAL,
    weight REAL,
    rider TEXT NOT NULL DEFAULT '',
    allocation INTEGER,
    runners INTEGER,
    source TEXT NOT NULL,
    note TEXT NOT NULL DEFAULT '',
    undated TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX run_same ON run (horse, date, hippodrome_key, distance, undated);
CREATE INDEX run_horse_date ON run (horse, date DESC);
)";

// A race of the results (an arrival's, an import's) and its runners with what a
// participants file says of them: number, odds, trainer, driver or jockey. The
// results already stored make their races: one per day, hippodrome, distance
// and name.
const char* const Version2 = R"(
CREATE TABLE race (
    id INTEGER PRIMARY KEY,
    date TEXT NOT NULL,
    hippodrome TEXT NOT NULL DEFAULT '',
    hippodrome_key TEXT NOT NULL DEFAULT '',
    meeting INTEGER,
    number INTEGER,
    name TEXT NOT NULL DEFAULT '',
    discipline TEXT NOT NULL DEFAULT '',
    distance INTEGER NOT NULL CHECK (distance > 0),
    start TEXT NOT NULL DEFAULT '',
    runners INTEGER
);
CREATE UNIQUE INDEX race_same ON race (date, hippodrome_key, distance, name);
CREATE TABLE starter (
    race INTEGER NOT NULL REFERENCES race(id) ON DELETE CASCADE,
    horse INTEGER NOT NULL REFERENCES horse(id) ON DELETE CASCADE,
    number INTEGER,
    odds_reference REAL CHECK (odds_reference >= 1),
    odds_direct REAL CHECK (odds_direct >= 1),
    trainer TEXT NOT NULL DEFAULT '',
    rider TEXT NOT NULL DEFAULT '',
    place INTEGER NOT NULL DEFAULT 0,
    status TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (race, horse)
);
ALTER TABLE run ADD COLUMN race_id INTEGER REFERENCES race(id) ON DELETE SET NULL;
CREATE INDEX run_race ON run (race_id);
INSERT OR IGNORE INTO race (date, hippodrome, hippodrome_key, name, discipline, distance, start,
                            runners)
    SELECT date, hippodrome, hippodrome_key, race, discipline, distance, start, runners FROM run
    WHERE date != '' AND race != '' AND source IN ('arrivée', 'import') ORDER BY id;
UPDATE run SET race_id = (SELECT id FROM race WHERE race.date = run.date
                          AND race.hippodrome_key = run.hippodrome_key
                          AND race.distance = run.distance AND race.name = run.race)
    WHERE date != '' AND race != '' AND source IN ('arrivée', 'import');
INSERT OR IGNORE INTO starter (race, horse, rider, place, status)
    SELECT race_id, horse, rider, place, status FROM run WHERE race_id IS NOT NULL;
)";

// The blinkers each runner wore, as a participants file or the sheet says.
const char* const Version3 = R"(
ALTER TABLE starter ADD COLUMN blinkers TEXT NOT NULL DEFAULT '';
)";

const char* const Steps[] = {Version1, Version2, Version3};

} // namespace

int schemaVersionOf(sqlite::Database& db) {
    sqlite::Statement read(db, "PRAGMA user_version");
    return read.step() == sqlite::Statement::Step::Row ? static_cast<int>(read.integer(0)) : -1;
}

Kind kindOf(sqlite::Database& db) {
    const int version = schemaVersionOf(db);
    if (version < 0)
        return Kind::Foreign;
    if (version > SchemaVersion)
        return Kind::Later;
    if (version > 0)
        return Kind::Ours;
    sqlite::Statement tables(db, "SELECT count(*) FROM sqlite_master");
    if (tables.step() != sqlite::Statement::Step::Row)
        return Kind::Foreign;
    return tables.integer(0) == 0 ? Kind::Empty : Kind::Foreign;
}

FileResult migrate(sqlite::Database& db) {
    sqlite::Transaction t(db);
    if (!t.begun().ok())
        return t.begun();
    const int from = schemaVersionOf(db);
    if (from < 0)
        return db.failure("de lire");
    for (int v = from; v < SchemaVersion; ++v)
        if (FileResult r = db.exec(Steps[v]); !r.ok())
            return r;
    if (from < SchemaVersion) {
        const QByteArray set = "PRAGMA user_version = " + QByteArray::number(SchemaVersion);
        if (FileResult r = db.exec(set.constData()); !r.ok())
            return r;
    }
    return t.commit();
}

} // namespace history
