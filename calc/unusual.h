#pragma once
// Values a punter rarely means: a distance or a weight out of racing's range, a
// time field beyond its clock, a reduction no horse of the discipline runs. Each
// is asked about ("… est inhabituel… Calculer quand même ?") before it counts, by
// the main window and by the race sheet alike.

#include "corrections.h"
#include "race.h"

#include <QString>
#include <vector>

namespace calc {

// The inputs of a race, in the main window's tab order.
enum class Input {
    ReferenceDistance,
    ReferenceWeight,
    Minutes,
    Seconds,
    Hundredths,
    Reduction, // of the reference time over its distance
    DayDistance,
    DayWeight,
};

struct Unusual {
    Input input;
    QString question;
};

// Every unusual input of `race` (the reduction's bounds from `table`, for the
// trot when `trot`), in tab order. An empty box or a text that is not a number
// is the calculation's to report, not a question.
std::vector<Unusual> unusualInputs(const Race& race, const CorrectionTable& table, bool trot);

} // namespace calc
