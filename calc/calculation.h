#pragma once
// The calculation without the window: from a race to every result the main
// window shows (the time with lengths, the weight adjustment, the estimate for
// the day's race, the kilometric reduction), with their exact texts, or the
// error to report.

#include "race.h"

#include <QString>
#include <array>
#include <optional>

namespace calc {

// Why a calculation stopped.
enum class CalcError { None, Distance, Weight, Time };

// The message that reports a calculation stopped by `error`, as the main window
// shows it ("veuillez rentrer une distance"); empty for none.
QString errorText(CalcError error);

// The time with lengths, as its three boxes show it; none when the margin or the
// reference time cannot give one (the boxes are then emptied).
std::optional<std::array<QString, 3>> timeWithLengths(const Race& race);

// A result the calculation leaves as it was, takes off, or shows.
enum class Change {
    Unchanged, // the calculation stopped before it: the text and its number stay
    Withdrawn, // the text stays, but no longer counts as a result of any inputs
    Cleared,   // no result: the text is emptied
    Shown,
};

// A result as shown, as a number, and the race it came from.
struct Result {
    QString text;
    double hundredths = 0;
    Race race;
    // The value before any rounding, in seconds: a reduction's tenth or hundredth
    // elsewhere is rounded once, from it.
    double exactSeconds = 0;
};

struct Estimate : Result {
    // The scale it was computed with, as one line, and its lengths per second.
    QString scale;
    double lengthsPerSecond = 0;
};

struct Calculation {
    CalcError error = CalcError::None;
    // The race as the calculation leaves it: a decimal point in the reference
    // weight becomes a comma once the distance is known good.
    Race race;
    // The window-level variables as the calculation leaves them.
    qint16 decimalDigits = 0;
    float weightTime = 0;
    float weightHundredths = 0;
    QString dayRaceTimeSource, reductionTimeSource; // "chrono" or "chronoL"
    Change estimateChange = Change::Unchanged;
    std::optional<Estimate> estimate; // when shown
    Change reductionChange = Change::Unchanged;
    std::optional<Result> reduction; // when shown
};

// "Lancer le calcul !" on a race whose empty boxes were filled (the day's weight
// from the reference one, an empty time box as 0).
Calculation calculate(Race race);

// The weight difference in kilograms; none when a weight that is given cannot be
// read. 0 without both weights, or with a reference weight that rounds to 0 kg.
std::optional<float> weightDifference(const Race& race);
// Seconds of weight as hundredths: the fraction cut, not rounded, to hundredths.
float weightTimeToHundredths(float seconds);

} // namespace calc
