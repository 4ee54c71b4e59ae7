#pragma once
// A horse's runs as a table, for standard output and files: the columns of the
// past-runs CSV the program reads, so that what it writes can be read back.

#include "run.h"

#include <QByteArray>
#include <QStringList>
#include <optional>
#include <vector>

namespace history {

const QStringList& runHeader();
// Times and reductions in the punter's notation (2'12"58, 1'14"52), dates
// AAAA-MM-JJ, decimals with a comma.
QStringList runRow(const Run& run);
// A run read back from cells under `header` (the columns above, in any order,
// matched without regard to case, accents and spaces; `driver` or `jockey`):
// `cheval`, `distance` and one of `chrono` / `réduction` required. The reason
// (column and text) when a cell cannot be read.
struct RunRead {
    std::optional<Run> run;
    QString refused;
};
RunRead runOfCells(const QStringList& header, const QStringList& cells);
// A time `2'12"58`, `2:12:58` or seconds `132,58`, and a reduction `1'14"5`
// (tenths), `1'14"52`, `1:14:52` or seconds, in hundredths; none otherwise.
std::optional<qint64> hundredthsOfText(const QString& text);

// UTF-8, ';' between cells, a header, line feeds: for standard output.
QByteArray runsOutput(const std::vector<Run>& runs);

} // namespace history
