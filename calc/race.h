#pragma once
// One horse's race as the user typed it, and its numbers, read once: the value
// the main window, the calculation, the race sheet and its file pass around.

#include "scale.h"

#include <QString>
#include <optional>

namespace calc {

// What the user typed, kept as typed for display and files.
struct RaceTexts {
    // The reference race.
    QString referenceDistance, referenceWeight;
    QString minutes, seconds, hundredths;
    QString margin; // lengths behind the winner
    // The time with lengths, as the main window derived it from the above.
    QString minutesL, secondsL, hundredthsL;
    // The day's race.
    QString dayDistance, dayWeight;
    // "Le Chrono + Longueur" chosen for the reduction, for the estimate.
    bool reductionWithLengths = false;
    bool estimateWithLengths = false;
    // Where the reference race was run, for what reads it next.
    QString hippodrome;

    bool operator==(const RaceTexts&) const = default;
};

// A reference time read from its three boxes.
struct Time {
    std::optional<double> minutes, seconds, hundredths;
    // Whole minutes × 60 + seconds + hundredths ÷ 100, in single precision, above
    // zero; none otherwise.
    std::optional<float> seconds32() const;
};

struct Race {
    RaceTexts typed;
    scale::Scale scale;

    // Read once from `typed` (none: empty, or not a number).
    std::optional<double> referenceMetres, referenceKg, dayMetres, dayKg, lengths;
    Time time, timeWithLengths;
    // What the scale takes from the races: distances above zero, the plain time
    // (an empty box counting as 0).
    scale::RaceFacts facts;
    // The reference time in hundredths, an empty box counting as 0; none when a
    // box cannot be read.
    std::optional<double> referenceHundredths;
    // Seconds per km added to the estimate over the day's distance, before it is
    // rounded: the race sheet's corrections. The main window never sets it.
    double correctionPerKm = 0;

    static Race of(RaceTexts typed, const scale::Scale& scale);
    // As the main window holds it once its boxes were left: the time with lengths
    // derived from the reference time and the margin.
    static Race typedIn(RaceTexts typed, const scale::Scale& scale);
    bool operator==(const Race& other) const {
        return typed == other.typed && scale == other.scale &&
               correctionPerKm == other.correctionPerKm;
    }
};

// Whether two races give the same reduction: the inputs it reads (the time with
// lengths only when it is read from it).
bool sameForReduction(const Race& a, const Race& b);
// Whether two races give the same estimate for the day's race.
bool sameForEstimate(const Race& a, const Race& b);

} // namespace calc
