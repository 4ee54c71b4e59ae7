#pragma once
// Conversions between the time forms the calculator shows and computes with.

#include <QString>
#include <QVariant>
#include <optional>

namespace Module1 {

// Minutes (whole minutes and a fraction) as MinutesToText shows them.
struct MinutesAndSeconds {
    float minutes; // whole
    int seconds;   // from 0 to 60
};
MinutesAndSeconds MinutesToParts(float minutes);

// Minutes (whole minutes and a fraction) as M:SS. The seconds are the fraction
// rounded to a whole second; 59.5 s or more shows as 60, nothing carried.
QString MinutesToText(float minutes);

// hours × 360000 + minutes × 6000 + seconds × 100 + hundredths. Each part is a
// number or a text; a single-precision part is multiplied in single precision.
// Empty when a text part is not a number.
std::optional<double> TimeToHundredths(const QVariant& hours, const QVariant& minutes,
                                       const QVariant& seconds, const QVariant& hundredths);

// A count of hundredths as MM:SS:CC; whole hours are dropped. Each field is padded
// on the left to two characters; a fraction of a hundredth stays in the last field.
QString HundredthsToText(double hundredths);

} // namespace Module1
