#pragma once
// A run as a row of the history's `run` table, for the store: its columns written
// and read, its horse found or added, the same run looked up, a row inserted,
// replaced or completed. Each call is one statement of the caller's transaction;
// false or none on a failure (the database tells why).

#include "run.h"
#include "sqlite.h"

#include <optional>

namespace history::rows {

// The columns a run is written and read with, in this order ("date, hippodrome, …").
const char* columns();
// A run read from column `at` on, in the order of `Columns`.
Run runAt(const sqlite::Statement& s, int at);

// The horse's id, the horse stored when new.
std::optional<qint64> horseId(sqlite::Database& db, const QString& name);

// The stored run that is the same run as `r` of horse `horse`, and whether it
// was typed; id 0 when none.
struct Same {
    qint64 id = 0;
    bool typed = false;
    bool arrival = false; // recorded by an arrival
};
Same sameRun(sqlite::Database& db, qint64 horse, const Run& r);

bool insert(sqlite::Database& db, qint64 horse, const Run& r);
// The stored run `id` made `r`, every column.
bool replace(sqlite::Database& db, qint64 id, qint64 horse, const Run& r);
// What the stored run `id` lacks, taken from the same run come again.
bool complete(sqlite::Database& db, qint64 id, const Run& r);

} // namespace history::rows
