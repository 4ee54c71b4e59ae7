#pragma once
// The scale a calculation turns lengths and kilograms into seconds with. The
// original one (1.5 lengths per second, one second per 1.5 kg) is the default;
// the others follow published practice and can be edited.

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace scale {

// How a margin in lengths becomes seconds.
enum class LengthsRule {
    Original,        // 1.5 lengths per second
    DisciplineGoing, // a table by discipline and going
    RaceSpeed,       // the reference race's own speed, in lengths of a given size
};
// How a weight difference becomes seconds.
enum class WeightRule {
    Original,   // one second per 1.5 kg
    ByDistance, // kilograms per length by the day's distance, with the lengths per second
    None,       // no correction (trotting)
};
enum class Discipline { Flat, Jumps, AllWeather, TrotHarness, TrotMounted };
enum class Going { GoodOrFaster, GoodToSoft, SoftOrSlower };

inline constexpr int DisciplineCount = 5;
inline constexpr bool isTrot(Discipline d) {
    return d == Discipline::TrotHarness || d == Discipline::TrotMounted;
}
inline constexpr int GoingCount = 3;
// Lengths per second, by discipline then going.
using LengthsTable = std::array<std::array<double, GoingCount>, DisciplineCount>;

// The distances the weight table is given at; a row holds from its distance up to
// the next one (the first also below it).
inline constexpr std::array<int, 15> DistanceRows = {1000, 1100, 1200, 1300, 1400, 1450, 1500, 1600,
                                                     2000, 2200, 2400, 2500, 2600, 2800, 3200};
// Kilograms per length, by row of DistanceRows.
using WeightTable = std::array<double, DistanceRows.size()>;

const LengthsTable& defaultLengthsTable();
const WeightTable& defaultWeightTable();
inline constexpr double DefaultMetresPerLength = 2.4;
// The original scale's lengths per second.
inline constexpr double OriginalLengthsPerSecond = 1.5;

// Bounds of the values a scale may hold, each above its low bound and at most its
// high one: a typed or stored value outside them is refused.
inline constexpr double MaxLengthsPerSecond = 20;
inline constexpr double MinMetresPerLength = 0.5, MaxMetresPerLength = 10;
inline constexpr double MaxKilogramsPerLength = 10;
// A typed or stored value read as a number above `low` and at most `high`; none
// otherwise.
std::optional<double> valueWithin(QStringView text, double low, double high);

struct Scale {
    LengthsRule lengths = LengthsRule::Original;
    Discipline discipline = Discipline::Flat;
    Going going = Going::GoodOrFaster;
    LengthsTable lengthsTable = defaultLengthsTable();
    double metresPerLength = DefaultMetresPerLength;
    WeightRule weight = WeightRule::Original;
    WeightTable weightTable = defaultWeightTable();

    bool operator==(const Scale&) const = default;
    bool isOriginal() const {
        return lengths == LengthsRule::Original && weight == WeightRule::Original;
    }
};

// What a calculation knows of the races; a rule that needs a fact left out has no value.
struct RaceFacts {
    std::optional<double> referenceMetres;  // the reference race's distance
    std::optional<double> referenceSeconds; // its plain time
    std::optional<double> dayMetres;        // the day's distance
};

// Lengths per second; none when the race-speed rule misses the reference race.
std::optional<double> lengthsPerSecond(const Scale& s, const RaceFacts& facts);
// The row of the weight table for a distance.
size_t distanceRow(double metres);
// Whether the weight counts at all: not without a rule, nor at the trot under the
// original one.
bool weightCounts(const Scale& s);
// Kilograms of weight difference worth one second; none when the rule misses a
// fact or makes no correction.
std::optional<double> kilogramsPerSecond(const Scale& s, const RaceFacts& facts);

// Names for the user, in French.
// "plat", "obstacle", "plat sur piste en sable", "trot attelé", "trot monté"
QString disciplineName(Discipline d);
QString goingName(Going g); // "bon ou plus rapide", "bon souple", "souple ou plus lourd"

// The scale in force as one short line: "Barème : 6 L/s (plat, bon) · 0,58 kg/L (2400 m)".
// The figures a rule takes from the race are given when the facts hold them.
QString describe(const Scale& s, const RaceFacts& facts);
// The same without "Barème : ", as the race sheet records it with a runner.
QString summary(const Scale& s, const RaceFacts& facts);

// A number as the scale shows it: at most two decimals, a comma, no trailing zeros.
QString decimal(double value);

} // namespace scale
