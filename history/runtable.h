#pragma once
// A horse's runs as a table, for standard output and files: the columns of the
// past-runs CSV the program reads, so that what it writes can be read back.

#include "run.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace history {

const QStringList& runHeader();
// Times and reductions in the punter's notation (2'12"58, 1'14"52), dates
// AAAA-MM-JJ, decimals with a comma.
QStringList runRow(const Run& run);
// UTF-8, ';' between cells, a header, line feeds: for standard output.
QByteArray runsOutput(const std::vector<Run>& runs);

} // namespace history
