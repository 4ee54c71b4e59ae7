#pragma once
// Which race of a programme a participants file is for, from what the file holds:
// the address of its casaques (day, meeting, race), its name in any common form
// ("R1C4", "participants_R1_C4.json", "r1-c4"), or its runners against each
// race (the distance the front runners run, the runners declared).

#include "imported.h"

#include <vector>

// The races the file may be for, the surest evidence first: one when it is
// known, several when its runners fit several, none when nothing says.
std::vector<imports::Race> racesOfFile(const std::vector<imports::Race>& races,
                                       const imports::FileRead& file);
