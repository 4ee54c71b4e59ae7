#pragma once
// A runner of the sheet computed without any window: from its reference race,
// the race's conditions, the scale and the corrections to every figure the sheet
// shows, or the input that keeps it from being computed. Nothing is asked and
// nothing is shown here: unusual values come back as findings, which the sheet's
// editing asks about by field.

#include "corrections.h"
#include "racesheet.h"

#include <QString>
#include <optional>
#include <vector>

// What a sheet computes its runners with.
struct Rules {
    scale::Scale scale = {};
    calc::CorrectionTable corrections = {};
};

namespace runnerfigures {

// The inputs of a runner a refusal or a finding is about.
enum class Field {
    ReferenceDistance,
    ReferenceRecul,
    Time,
    Reduction, // of the reference time over its distance
    ReferenceWeight,
    Margin,
    DayDistance,
    DayRecul,
    DayWeight,
    Conditions,
};

// Why a runner cannot be computed. `error`, when there is one, is the main
// window's own calculation error, reported with its own message box.
struct Refusal {
    Field field;
    QString reason;
    calc::CalcError error = calc::CalcError::None;
};

// An unusual value, asked about before it counts: the question to ask.
struct Finding {
    Field field;
    QString question;
};

struct Outcome {
    std::optional<Runner> runner; // computed; none when refused
    std::optional<Refusal> refusal;
    std::vector<Finding> findings; // in the order of the inputs
};

// The scale a sheet counts lengths with: at the trot, the scale table's trot
// figure whatever rule the main window uses (a trotter covers about 5,5 lengths a
// second, not 1,5), and no weight.
scale::Scale sheetScale(const scale::Scale& chosen, const QString& discipline);

// Whether the runner has no reference race yet (imported with today's
// conditions only): nothing to compute.
bool awaitsReference(const Runner& runner);

// The runner computed anew for `race` under `rules`.
Outcome compute(const Runner& runner, const RaceSheet& race, const Rules& rules);

} // namespace runnerfigures
