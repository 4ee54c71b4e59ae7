#include "unusual.h"

#include "numbers.h"

#include <limits>

namespace calc {

namespace {

const char* const Distance =
    "%1 (%2 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?";
const char* const Weight =
    "%1 (%2 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?";
// A time field beyond its clock (seconds "1212") is a slip of the keyboard too;
// below its range it is left to the calculation.
const char* const Minutes =
    "%1 (%2) est inhabituel : une course se court en moins de 15 minutes. Calculer quand même ?";
const char* const Seconds =
    "%1 (%2) est inhabituel : les secondes vont de 0 à 59. Calculer quand même ?";
const char* const Hundredths =
    "%1 (%2) est inhabituel : les centièmes vont de 0 à 99. Calculer quand même ?";

struct Check {
    Input input;
    const QString& text;
    double low, high;
    const char* question;
    const char* what;
};

// The reduction of the plain time over the reference distance, when both read.
std::optional<Unusual> unusualReduction(const Race& race, const CorrectionTable& table, bool trot) {
    const auto& metres = race.facts.referenceMetres;
    const auto& seconds = race.facts.referenceSeconds;
    if (!metres || !seconds || *seconds <= 0)
        return std::nullopt;
    const double perKm = *seconds * 1000 / *metres;
    const double low = trot ? table.trotLowest : table.flatLowest;
    const double high = trot ? table.trotHighest : table.flatHighest;
    if (perKm >= low && perKm <= high)
        return std::nullopt;
    return Unusual{Input::Reduction,
                   u"Le chrono de référence fait %1 au km, ce qui est inhabituel : "
                   "%2, les réductions vont de %3 à %4 s/km. Calculer quand même ?"_qs.arg(
                       punterTenths(perKm), trot ? u"au trot"_qs : u"en plat"_qs,
                       numbers::doubleToText(low), numbers::doubleToText(high))};
}

} // namespace

std::vector<Unusual> unusualInputs(const Race& race, const CorrectionTable& table, bool trot) {
    const RaceTexts& t = race.typed;
    constexpr double any = std::numeric_limits<double>::lowest();
    const Check checks[] = {
        {Input::ReferenceDistance, t.referenceDistance, 800, 8000, Distance,
         "La distance de la course de référence"},
        {Input::ReferenceWeight, t.referenceWeight, 40, 80, Weight,
         "Le poids de la course de référence"},
        {Input::Minutes, t.minutes, any, 15, Minutes,
         "Le nombre de minutes du chrono de référence"},
        {Input::Seconds, t.seconds, any, 59, Seconds,
         "Le nombre de secondes du chrono de référence"},
        {Input::Hundredths, t.hundredths, any, 99, Hundredths,
         "Le nombre de centièmes du chrono de référence"},
        {Input::DayDistance, t.dayDistance, 800, 8000, Distance,
         "La distance de la course du jour"},
        {Input::DayWeight, t.dayWeight, 40, 80, Weight, "Le poids de la course du jour"},
    };
    std::vector<Unusual> out;
    for (const Check& c : checks) {
        if (c.input == Input::DayDistance)
            if (auto reduction = unusualReduction(race, table, trot))
                out.push_back(std::move(*reduction));
        const auto value = numbers::textToNumber(c.text);
        if (value && !(*value >= c.low && *value <= c.high))
            out.push_back(
                {c.input, QString::fromUtf8(c.question).arg(QString::fromUtf8(c.what), c.text)});
    }
    return out;
}

} // namespace calc
