#pragma once
// A runner's cells on the sheet: what each shows for editing, and the runner
// with a text typed in one, read where it comes in (a time split, a date, a
// recul in whole metres, a condition among its names) or refused with a message.

#include "dialogs.h"
#include "runner.h"

#include <QString>
#include <optional>

// The inputs of a runner a cell of the sheet edits.
enum class RunnerField {
    Number,
    Name,
    ReferenceDistance,
    Time, // minutes, seconds and hundredths, typed as 1'12"58
    ReferenceWeight,
    Margin,
    Going,
    DayWeight,
    EstimateSource,  // "Chrono" or "Chrono + Longueur"
    ReductionSource, // the same, for the reduction
    // The conditions of the reference race, and at the trot of today's run.
    ReferenceDiscipline,
    ReferenceStart,
    ReferenceShoeing,
    ReferenceRecul,
    DayShoeing,
    DayRecul,
    // Where and when the reference race was run, for the horse's history.
    ReferenceDate,
    ReferenceHippodrome,
};

// What the cell of `field` shows for editing.
QString fieldText(const Runner& runner, RunnerField field);

// A time typed in one cell ("1'12\"58", "1:12:58", "1.12.58", "1 12 58", "72\"58")
// as its three boxes; none when it does not have two or three parts.
struct TimeTexts {
    QString minutes, seconds, hundredths;
};
std::optional<TimeTexts> splitTime(const QString& text);

// The runner with `text` typed in the cell of `field`; none, the reason told,
// when the text cannot go there. Nothing is computed here.
std::optional<Runner> withField(Runner runner, RunnerField field, const QString& text,
                                Dialogs& dialogs);
