#pragma once
// One runner of the day's race: the horse, the inputs its results came from, as
// the main window held them, and the results.

#include <QString>

// The scale runners were computed with before a scale could be chosen, named as
// the calculation names it, and its lengths per second.
inline const QString OriginalScale = QStringLiteral("1,5 L/s (origine) · 1 s/1,5 kg (origine)");
inline constexpr double OriginalLengthsPerSecond = 1.5;

struct Runner {
    QString name;
    QString going; // of the reference race
    // The reference race, as typed.
    QString referenceDistance, referenceWeight;
    QString minutes, seconds, hundredths;
    QString margin; // lengths behind the winner
    // The day's race, as typed.
    QString dayDistance, dayWeight;
    // The results as shown, which time each came from, and the estimate as a number.
    QString estimate;
    double estimateHundredths = 0;
    bool estimateWithLengths = false; // "Chrono + Longueur", otherwise "Chrono"
    QString reduction;
    bool reductionWithLengths = false;
    // The scale the estimate was computed with, and the lengths per second its
    // gap to the leader is counted in.
    QString scale = OriginalScale;
    double lengthsPerSecond = OriginalLengthsPerSecond;

    bool operator==(const Runner&) const = default;
};
