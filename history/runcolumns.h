#pragma once
// The columns of a run, each declared once: its name in the history's run table
// and how the run's field is bound to it and read from it, and its header in a
// CSV of runs (what --cheval writes and the past-runs reader takes back) with
// how its cell is written and read.

#include "run.h"
#include "sqlite.h"

#include <QString>
#include <vector>

namespace history {

struct RunColumn {
    const char* sql;
    const char* header;
    void (*bind)(sqlite::Statement& s, int at, const Run& r);
    void (*fromSql)(const sqlite::Statement& s, int at, Run& r);
    QString (*cell)(const Run& r);
    // The cell (trimmed, maybe empty) into the run; why not, naming the column.
    QString (*fromCell)(const QString& cell, Run& r);
};

// In the order the statements and the CSV take them.
const std::vector<RunColumn>& runColumns();

// Why a cell cannot be read: "chrono : « 2 min » ne se lit pas", or that it lacks.
QString refusal(const char* column, const QString& text);

} // namespace history
