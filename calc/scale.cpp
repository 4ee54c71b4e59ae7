#include "scale.h"

#include "cells.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>

namespace scale {

namespace {

constexpr double OriginalKilogramsPerSecond = 1.5;

// Each discipline and going, in the order of their enumeration: its full name, and
// the short one of the scale's line.
struct Names {
    const char* full;
    const char* brief;
};
constexpr Names DisciplineNames[DisciplineCount] = {{"plat", "plat"},
                                                    {"obstacle", "obstacle"},
                                                    {"plat sur piste en sable", "sable"},
                                                    {"trot attelé", "attelé"},
                                                    {"trot monté", "monté"}};
constexpr Names GoingNames[GoingCount] = {{"bon ou plus rapide", "bon"},
                                          {"bon souple", "bon souple"},
                                          {"souple ou plus lourd", "souple"}};

QString shortDiscipline(Discipline d) {
    return QString::fromUtf8(DisciplineNames[static_cast<size_t>(d)].brief);
}

QString shortGoing(Going g) {
    return QString::fromUtf8(GoingNames[static_cast<size_t>(g)].brief);
}

QString lengthsText(const Scale& s, const RaceFacts& facts) {
    const auto lps = lengthsPerSecond(s, facts);
    switch (s.lengths) {
    case LengthsRule::Original:
        return u"1,5 L/s (origine)"_qs;
    case LengthsRule::DisciplineGoing:
        return u"%1 L/s (%2, %3)"_qs.arg(decimal(*lps), shortDiscipline(s.discipline),
                                         shortGoing(s.going));
    case LengthsRule::RaceSpeed:
        if (!lps)
            return u"L/s selon la vitesse (%1 m/L)"_qs.arg(decimal(s.metresPerLength));
        return u"%1 L/s (vitesse, %2 m/L)"_qs.arg(decimal(*lps), decimal(s.metresPerLength));
    }
    return {};
}

QString weightText(const Scale& s, const RaceFacts& facts) {
    switch (s.weight) {
    case WeightRule::Original:
        if (isTrot(s.discipline))
            return u"sans poids (trot)"_qs;
        return u"1 s/1,5 kg (origine)"_qs;
    case WeightRule::ByDistance:
        if (!facts.dayMetres)
            return u"kg/L selon la distance"_qs;
        return u"%1 kg/L (%2 m)"_qs.arg(decimal(s.weightTable[distanceRow(*facts.dayMetres)]))
            .arg(DistanceRows[distanceRow(*facts.dayMetres)]);
    case WeightRule::None:
        return u"sans poids"_qs;
    }
    return {};
}

} // namespace

const LengthsTable& defaultLengthsTable() {
    // Good or faster, good to soft, soft or slower.
    static const LengthsTable table = {{
        {6, 5.5, 5},     // flat, turf
        {5, 4.5, 4},     // jumps
        {6, 6, 6},       // all-weather (a slow fibresand surface is counted at 5)
        {5.5, 5.5, 5.5}, // trot, in harness: the going matters little
        {5.5, 5.5, 5.5}, // trot, mounted
    }};
    return table;
}

const WeightTable& defaultWeightTable() {
    static const WeightTable table = {1.52, 1.42, 1.25, 1.18, 1.06, 1.03, 1.0, 0.91,
                                      0.72, 0.64, 0.58, 0.56, 0.54, 0.5,  0.43};
    return table;
}

std::optional<double> valueWithin(QStringView text, double low, double high) {
    const auto value = numbers::textToNumber(text);
    if (!value || !(*value > low && *value <= high))
        return std::nullopt;
    return value;
}

std::optional<double> lengthsPerSecond(const Scale& s, const RaceFacts& facts) {
    switch (s.lengths) {
    case LengthsRule::Original:
        return OriginalLengthsPerSecond;
    case LengthsRule::DisciplineGoing:
        return s.lengthsTable[static_cast<size_t>(s.discipline)][static_cast<size_t>(s.going)];
    case LengthsRule::RaceSpeed: {
        if (!facts.referenceMetres || !facts.referenceSeconds || *facts.referenceMetres <= 0 ||
            *facts.referenceSeconds <= 0)
            return std::nullopt;
        // Metres per second, then lengths of the given size per second.
        const double lps = *facts.referenceMetres / *facts.referenceSeconds / s.metresPerLength;
        if (!std::isfinite(lps) || lps <= 0)
            return std::nullopt;
        return lps;
    }
    }
    return std::nullopt;
}

size_t distanceRow(double metres) {
    // The last row whose distance is not above the race's; the first below it.
    const auto after = std::upper_bound(DistanceRows.begin(), DistanceRows.end(), metres);
    return after == DistanceRows.begin() ? 0
                                         : static_cast<size_t>(after - DistanceRows.begin()) - 1;
}

bool weightCounts(const Scale& s) {
    return s.weight != WeightRule::None &&
           !(s.weight == WeightRule::Original && isTrot(s.discipline));
}

std::optional<double> kilogramsPerSecond(const Scale& s, const RaceFacts& facts) {
    switch (s.weight) {
    case WeightRule::Original:
        // At the trot the weight does not count unless another rule was chosen.
        if (!weightCounts(s))
            return std::nullopt;
        return OriginalKilogramsPerSecond;
    case WeightRule::ByDistance: {
        const auto lps = lengthsPerSecond(s, facts);
        if (!lps || !facts.dayMetres)
            return std::nullopt;
        // kg per length × lengths per second: the kilograms one second is worth.
        return s.weightTable[distanceRow(*facts.dayMetres)] * *lps;
    }
    case WeightRule::None:
        return std::nullopt;
    }
    return std::nullopt;
}

QString disciplineName(Discipline d) {
    return QString::fromUtf8(DisciplineNames[static_cast<size_t>(d)].full);
}

QString goingName(Going g) {
    return QString::fromUtf8(GoingNames[static_cast<size_t>(g)].full);
}

QString summary(const Scale& s, const RaceFacts& facts) {
    return lengthsText(s, facts) + u" · "_qs + weightText(s, facts);
}

QString describe(const Scale& s, const RaceFacts& facts) {
    return u"Barème : "_qs + summary(s, facts);
}

QString decimal(double value) {
    return cells::upTo(value, 2);
}

} // namespace scale
