#pragma once
// The races of the results and their runners: a result stored (an arrival's or
// an import's run with its day and race) finds or makes its race, and leaves its
// runner's line there (number, odds, trainer, rider, place).

#include "run.h"
#include "sqlite.h"

namespace history::races {

// A runner's line in a race.
struct Starter {
    QString horse; // as first named
    int number = 0;
    std::optional<double> oddsReference, oddsDirect;
    QString trainer, rider;
    calc::Blinkers blinkers = calc::Blinkers::Unknown;
    int place = 0;
    Status status = Status::Placed;
    bool operator==(const Starter&) const = default;
};

struct Race {
    qint64 id = 0;
    QDate date;
    QString hippodrome, name;
    Discipline discipline = Discipline::Unknown;
    int distance = 0;
    int meeting = 0, number = 0;   // 0: not known
    std::vector<Starter> starters; // by number, then name
};

// The races run from `from` to `to` (both included), by day, with their runners.
bool read(sqlite::Database& db, const QDate& from, const QDate& to, std::vector<Race>& out);

// `run` (stored as `runId`, of horse `horse`; `known`: stored before) linked to
// its race and its line written there; false on a failure of the database.
bool link(sqlite::Database& db, qint64 runId, qint64 horse, const Run& run, bool known);

} // namespace history::races
