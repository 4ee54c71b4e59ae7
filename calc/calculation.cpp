#include "calculation.h"

#include "module1.h"
#include "numbers.h"

#include <cmath>

namespace calc {

namespace {

const QString Chrono = u"chrono"_qs;
const QString ChronoL = u"chronoL"_qs;

// Results from this many seconds on would need more digits than single precision
// holds (and an exponent to show them); they are refused as a time error.
constexpr float LargestResultSeconds = 1e7f;

// Minutes, two-digit seconds and the first two decimals of the rounded seconds,
// and those decimals; none when the seconds cannot be shown.
struct ResultText {
    QString text;
    double hundredths; // what the text shows, as a number
    qint16 decimals;
};
std::optional<ResultText> resultText(double seconds) {
    auto value = static_cast<float>(seconds);
    if (!std::isfinite(value) || value < 0 || value >= LargestResultSeconds)
        return std::nullopt;
    value = static_cast<float>(numbers::roundHalfEven(value, 2));
    const auto decimals =
        static_cast<qint16>(numbers::hundredthsOfText(numbers::singleToText(value)));
    // The number is what the text shows, field by field, as the text reads back.
    const float minutes = std::floor(value) / 60.0f;
    const Module1::MinutesAndSeconds shown = Module1::MinutesToParts(minutes);
    return ResultText{
        Module1::MinutesToText(minutes) + u':' + numbers::twoDigits(decimals),
        static_cast<double>(shown.minutes) * 6000.0 + shown.seconds * 100.0 + decimals, decimals};
}

// The distance the reference time was run over; none when a distance cannot be
// read or is not above zero.
std::optional<double> referenceDistance(const Race& race) {
    const auto& d = race.referenceMetres;
    if (!d || *d <= 0 || (!race.typed.dayDistance.isEmpty() && !race.facts.dayMetres))
        return std::nullopt;
    return d;
}

const Time& timeFrom(const Race& race, const QString& source) {
    return source == ChronoL ? race.timeWithLengths : race.time;
}

CalcError weightHundredths(Calculation& c) {
    const auto difference = weightDifference(c.race);
    if (!difference)
        return CalcError::Weight;
    c.weightTime = *difference;
    if (c.weightTime == 0)
        return CalcError::None;
    const auto kilogramsPerSecond = scale::kilogramsPerSecond(c.race.scale, c.race.facts);
    // In trotting weight does not count; without a day's race there is no estimate
    // to correct.
    if (!kilogramsPerSecond &&
        (!scale::weightCounts(c.race.scale) || c.race.typed.dayDistance.isEmpty())) {
        c.weightTime = 0;
        return CalcError::None;
    }
    if (!kilogramsPerSecond)
        return CalcError::Time; // the race's speed needs the reference time
    // The kilograms one second is worth: 1.5 on the original scale.
    c.weightTime = static_cast<float>(c.weightTime / *kilogramsPerSecond);
    c.weightHundredths = weightTimeToHundredths(c.weightTime);
    return std::isfinite(c.weightHundredths) ? CalcError::None : CalcError::Weight;
}

// The estimate corrected for the weight, in hundredths; none on an error.
std::optional<double> corrected(const Calculation& c, double rt, CalcError& error) {
    // An adjustment as large as the estimate comes from a weight typed wrong (580 kg).
    if (rt <= c.weightHundredths) {
        error = c.weightHundredths > 0 ? CalcError::Weight : CalcError::None;
        return error == CalcError::None ? std::optional<double>(rt) : std::nullopt;
    }
    const auto& r = c.race;
    const bool lighterToday = r.referenceKg && r.dayKg && *r.referenceKg > *r.dayKg;
    const double total = lighterToday ? rt - c.weightHundredths : rt + c.weightHundredths;
    // The MM:SS:CC form has no hours: an hour or more would show as a wrong time.
    if (total >= 360000) {
        error = CalcError::Time;
        return std::nullopt;
    }
    return total;
}

CalcError estimate(Calculation& c, double distance) {
    const auto dayTime = timeFrom(c.race, c.dayRaceTimeSource).seconds32();
    if (!dayTime)
        return CalcError::Time;
    c.estimateChange = Change::Withdrawn;
    if (c.race.typed.dayDistance.isEmpty()) {
        // No day's race: an earlier estimate would no longer match the fields, and
        // correcting it again would add the weight twice.
        c.estimateChange = Change::Cleared;
        return CalcError::None;
    }
    const auto lengthsPerSecond = scale::lengthsPerSecond(c.race.scale, c.race.facts);
    if (!lengthsPerSecond)
        return CalcError::Time; // the race's speed needs the reference time
    double seconds = *c.race.dayMetres * *dayTime / distance;
    if (c.race.correctionPerKm != 0) // one rounding for the time and its corrections
        seconds += c.race.correctionPerKm * *c.race.dayMetres / 1000;
    const auto shown = resultText(seconds);
    if (!shown)
        return CalcError::Time;
    c.decimalDigits = shown->decimals;
    CalcError error = CalcError::None;
    const auto total = corrected(c, shown->hundredths, error);
    if (!total) {
        c.estimateChange = Change::Cleared; // no estimate rather than a wrong one
        return error;
    }
    // Not corrected (a time of zero, nothing to add): it keeps its M:SS:CC text.
    const bool notCorrected = shown->hundredths <= c.weightHundredths;
    const QString text = notCorrected ? shown->text : Module1::HundredthsToText(*total);
    c.estimate = Estimate{
        {text, *total, c.race}, scale::summary(c.race.scale, c.race.facts), *lengthsPerSecond};
    c.estimateChange = Change::Shown;
    return CalcError::None;
}

bool reduction(Calculation& c, double distance) {
    const auto time = timeFrom(c.race, c.reductionTimeSource).seconds32();
    if (!time)
        return false;
    c.decimalDigits = 0;
    const double exact = static_cast<double>(*time) * 1000 / distance;
    const auto shown = resultText(exact);
    if (!shown)
        return false;
    c.decimalDigits = shown->decimals;
    c.reduction = Result{shown->text, shown->hundredths, c.race, exact};
    c.reductionChange = Change::Shown;
    return true;
}

} // namespace

QString errorText(CalcError error) {
    switch (error) {
    case CalcError::None:
        break;
    case CalcError::Distance:
        return u"veuillez rentrer une distance"_qs;
    case CalcError::Weight:
        return u"Erreur dans vos valeur de poids"_qs;
    case CalcError::Time:
        return u"Erreur dans vos valeur de temps"_qs;
    }
    return {};
}

std::optional<std::array<QString, 3>> timeWithLengths(const Race& race) {
    const RaceTexts& t = race.typed;
    const QString& margin = t.margin;
    if (margin.isEmpty() || margin == u"0" || margin == u"0,0")
        return std::array<QString, 3>{t.minutes, t.seconds, t.hundredths};
    if (!race.lengths)
        return std::nullopt;
    const auto lengthsPerSecond = scale::lengthsPerSecond(race.scale, race.facts);
    if (!lengthsPerSecond)
        return std::nullopt; // the race's speed needs the reference distance and time
    const auto lostSeconds = static_cast<float>(*race.lengths / *lengthsPerSecond);
    if (!std::isfinite(lostSeconds))
        return std::nullopt;
    if (t.minutes.isEmpty() && t.seconds.isEmpty() && t.hundredths.isEmpty())
        return std::nullopt;
    const auto lost = Module1::TimeToHundredths(0, 0, lostSeconds, 0);
    if (!race.referenceHundredths)
        return std::nullopt;
    const double total = *lost + *race.referenceHundredths;
    if (!std::isfinite(total) || total < 0)
        return std::nullopt;
    const QStringList parts = Module1::HundredthsToText(total).split(u':');
    return std::array<QString, 3>{parts[0], parts[1], parts[2]};
}

Race Race::typedIn(RaceTexts typed, const scale::Scale& scale) {
    const auto withLengths = calc::timeWithLengths(of(typed, scale));
    typed.minutesL = withLengths ? (*withLengths)[0] : QString();
    typed.secondsL = withLengths ? (*withLengths)[1] : QString();
    typed.hundredthsL = withLengths ? (*withLengths)[2] : QString();
    return of(std::move(typed), scale);
}

std::optional<float> weightDifference(const Race& race) {
    const RaceTexts& t = race.typed;
    const auto& reference = race.referenceKg;
    const auto& today = race.dayKg;
    if ((!t.referenceWeight.isEmpty() && !reference) || (!t.dayWeight.isEmpty() && !today))
        return std::nullopt;
    // No weight given, or a reference weight that rounds to 0 kg: no adjustment.
    if (!reference || !today || std::nearbyint(*reference) == 0)
        return 0.0f;
    const auto difference = static_cast<float>(std::fabs(*reference - *today));
    if (!std::isfinite(difference))
        return std::nullopt;
    return difference;
}

float weightTimeToHundredths(float seconds) {
    const float whole = std::floor(seconds);
    // The fraction is cut, not rounded, to hundredths: 0,6666667 s gives 66.
    const int hundredths = numbers::hundredthsOfText(numbers::singleToText(seconds));
    const auto total = Module1::TimeToHundredths(u"00"_qs, 0, whole, hundredths);
    return static_cast<float>(*total);
}

Calculation calculate(Race race) {
    Calculation c;
    c.race = std::move(race);
    const auto distance = referenceDistance(c.race);
    if (!distance) {
        c.error = CalcError::Distance;
        return c;
    }
    c.dayRaceTimeSource = c.race.typed.estimateWithLengths ? ChronoL : Chrono;
    c.reductionTimeSource = c.race.typed.reductionWithLengths ? ChronoL : Chrono;
    c.race.typed.referenceWeight.replace(u'.', u',');
    c.error = weightHundredths(c);
    if (c.error == CalcError::None)
        c.error = estimate(c, *distance);
    if (c.error == CalcError::None && !reduction(c, *distance))
        c.error = CalcError::Time;
    return c;
}

} // namespace calc
