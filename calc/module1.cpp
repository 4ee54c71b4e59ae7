#include "module1.h"

#include "numbers.h"

#include <cmath>

namespace Module1 {

namespace {

QString padLeft(QString text) {
    return text.size() == 1 ? u'0' + text : text;
}

// One part of a time, multiplied by its weight in hundredths.
std::optional<double> partInHundredths(const QVariant& part, double weight) {
    switch (part.typeId()) {
    case QMetaType::Float:
        return static_cast<double>(part.toFloat() * static_cast<float>(weight));
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return part.toDouble() * weight;
    default:
        if (const auto value = numbers::textToNumber(part.toString()))
            return *value * weight;
        return std::nullopt;
    }
}

} // namespace

MinutesAndSeconds MinutesToParts(float minutes) {
    const float whole = std::floor(minutes);
    const float fraction = minutes - whole;
    const float seconds = fraction / 100.0f * 60.0f; // 0.SS: seconds as hundredths of 1
    const auto rounded = static_cast<float>(numbers::roundHalfEven(seconds, 2));
    return {whole, numbers::hundredthsOfText(numbers::singleToText(rounded))};
}

QString MinutesToText(float minutes) {
    const MinutesAndSeconds parts = MinutesToParts(minutes);
    return numbers::singleToText(parts.minutes) + u':' + numbers::twoDigits(parts.seconds);
}

std::optional<double> TimeToHundredths(const QVariant& hours, const QVariant& minutes,
                                       const QVariant& seconds, const QVariant& hundredths) {
    const auto h = partInHundredths(hours, 360000.0);
    const auto m = partInHundredths(minutes, 6000.0);
    const auto s = partInHundredths(seconds, 100.0);
    const auto c = partInHundredths(hundredths, 1.0);
    if (!h || !m || !s || !c)
        return std::nullopt;
    return *h + *m + *s + *c;
}

QString HundredthsToText(double hundredths) {
    // The remainder within the hour; fmod is exact where t - floor(t / 360000) * 360000
    // would lose digits on very large counts.
    double r = std::fmod(hundredths, 360000.0);
    if (r < 0)
        r += 360000.0;
    const double m = std::floor(r / 6000.0);
    const double s = std::floor((r - m * 6000.0) / 100.0);
    const double c = r - m * 6000.0 - s * 100.0;
    return padLeft(numbers::doubleToText(m)) + u':' + padLeft(numbers::doubleToText(s)) + u':' +
           padLeft(numbers::doubleToText(c));
}

} // namespace Module1
