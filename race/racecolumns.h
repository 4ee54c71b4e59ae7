#pragma once
// The columns of the race sheet's file, each declared once: its header, the
// version of the format that added it, how a row's cell is written from the race
// and a runner, and how it is read back. The file is read by header name:
// columns in any order, unknown ones ignored, a missing one leaves its field as a
// new runner has it, and only a missing required column refuses the file.

#include "racesheet.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace racefile {

struct Column {
    const char* header;
    int version; // 1: the first format; each later one added columns at the end
    bool required;
    // The cell of `runner` (none: the row of a race without runners yet).
    QString (*write)(const RaceSheet& sheet, const Runner* runner);
    // The cell into the race or the runner of its row; false when it cannot be
    // read (the whole file is then refused).
    bool (*read)(const QString& cell, RaceSheet& race, Runner& runner);
};

// Every column, in the order they are written.
const std::vector<Column>& columns();
// The header written now.
QStringList header();
// The header of version `version` of the format: its first columns.
QStringList headerOf(int version);
inline constexpr int CurrentVersion = 9;

} // namespace racefile
