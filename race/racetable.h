#pragma once
// The race sheet as a table: the window's columns, the clipboard's and a CSV
// export's. Times also come as seconds with a decimal comma beside them, so
// that a spreadsheet can sort and compute with them, as in the list's table.

#include "racesheet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace racetable {

enum Column {
    Rank,
    Name,
    Estimate,
    EstimateSeconds,
    GapSeconds,
    GapLengths,
    Scale, // the scale the estimate and the gap in lengths were computed with
    Reduction,
    ReductionSeconds,
    Distance,
    Weight,
    Margin,
    Going,
    DayWeight,
    EstimateTime,
    ReductionTime,
    ColumnCount
};

const QStringList& header();
// One row per runner, fastest first.
std::vector<QStringList> rows(const RaceSheet& sheet);

// "Chrono" or "Chrono + Longueur": the time a result was computed from.
QString timeSource(bool withLengths);

// For the clipboard, in UTF-8: the header, then the rows; tabs between cells,
// line feeds between rows.
QByteArray clipboardText(const std::vector<QStringList>& rows);
// For a CSV file: UTF-8 with a byte-order mark, ';' between cells, CR LF.
QByteArray csv(const std::vector<QStringList>& rows);

} // namespace racetable
