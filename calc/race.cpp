#include "race.h"

#include "module1.h"
#include "numbers.h"

#include <cmath>
#include <tuple>

namespace calc {

namespace {

Time timeOf(const QString& minutes, const QString& seconds, const QString& hundredths) {
    return {numbers::textToNumber(minutes), numbers::textToNumber(seconds),
            numbers::textToNumber(hundredths)};
}

std::optional<double> positive(const std::optional<double>& value) {
    return value && *value > 0 ? value : std::nullopt;
}

// An empty box of the reference time counts as 0 where the scale reads the time.
std::optional<double> zeroIfEmpty(const QString& text, const std::optional<double>& value) {
    return text.isEmpty() ? std::optional<double>(0) : value;
}

} // namespace

std::optional<float> Time::seconds32() const {
    if (!minutes || !seconds || !hundredths)
        return std::nullopt;
    const auto time = static_cast<float>(*minutes * 60 + *seconds + *hundredths / 100);
    if (!std::isfinite(time) || time <= 0)
        return std::nullopt;
    return time;
}

Race Race::of(RaceTexts typed, const scale::Scale& scale) {
    Race r{std::move(typed), scale, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    const RaceTexts& t = r.typed;
    r.referenceMetres = numbers::textToNumber(t.referenceDistance);
    r.referenceKg = numbers::textToNumber(t.referenceWeight);
    r.dayMetres = numbers::textToNumber(t.dayDistance);
    r.dayKg = numbers::textToNumber(t.dayWeight);
    r.lengths = numbers::textToNumber(t.margin);
    r.time = timeOf(t.minutes, t.seconds, t.hundredths);
    r.timeWithLengths = timeOf(t.minutesL, t.secondsL, t.hundredthsL);
    r.facts = {positive(r.referenceMetres), std::nullopt, positive(r.dayMetres)};
    const auto m = zeroIfEmpty(t.minutes, r.time.minutes);
    const auto s = zeroIfEmpty(t.seconds, r.time.seconds);
    const auto h = zeroIfEmpty(t.hundredths, r.time.hundredths);
    if (m && s && h) {
        r.facts.referenceSeconds = *m * 60 + *s + *h / 100;
        r.referenceHundredths = Module1::TimeToHundredths(0, *m, *s, *h);
    }
    return r;
}

bool sameForReduction(const Race& a, const Race& b) {
    const auto inputs = [](const RaceTexts& t) {
        // The time with lengths counts only for a reduction taken from it: leaving
        // the margin box rewrites it, which must not make a plain-time one stale.
        const QString none;
        const bool l = t.reductionWithLengths;
        return std::make_tuple(t.referenceDistance, t.referenceWeight, t.minutes, t.seconds,
                               t.hundredths, l ? t.minutesL : none, l ? t.secondsL : none,
                               l ? t.hundredthsL : none, t.reductionWithLengths);
    };
    return inputs(a.typed) == inputs(b.typed);
}

bool sameForEstimate(const Race& a, const Race& b) {
    const auto inputs = [](const RaceTexts& t) {
        const QString none;
        const bool l = t.estimateWithLengths;
        return std::make_tuple(t.referenceDistance, t.referenceWeight, t.minutes, t.seconds,
                               t.hundredths, t.dayDistance, t.dayWeight, l ? t.margin : none,
                               l ? t.minutesL : none, l ? t.secondsL : none,
                               l ? t.hundredthsL : none, t.estimateWithLengths);
    };
    return inputs(a.typed) == inputs(b.typed) && a.scale == b.scale &&
           a.correctionPerKm == b.correctionPerKm;
}

} // namespace calc
