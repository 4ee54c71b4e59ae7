#pragma once
// One runner of the day's race: the horse, the inputs its results came from, as
// the main window held them, and the results.

#include <QString>

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

    bool operator==(const Runner&) const = default;
};
