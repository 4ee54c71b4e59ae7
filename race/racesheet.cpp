#include "racesheet.h"

#include <algorithm>
#include <cmath>
#include <numeric>

bool RaceSheet::sameRace(const RaceSheet& other) const {
    return name == other.name && date == other.date && hippodrome == other.hippodrome &&
           distance.trimmed() == other.distance.trimmed() && discipline == other.discipline &&
           start == other.start && going == other.going && rule == other.rule &&
           bandPercent == other.bandPercent && months == other.months;
}

void RaceSheet::takeRace(const RaceSheet& other) {
    name = other.name;
    date = other.date;
    hippodrome = other.hippodrome;
    distance = other.distance;
    discipline = other.discipline;
    start = other.start;
    going = other.going;
    rule = other.rule;
    bandPercent = other.bandPercent;
    months = other.months;
}

std::optional<size_t> RaceSheet::lastOf(const QString& name) const {
    for (size_t i = runners.size(); i-- > 0;)
        if (runners[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

bool isRated(const Runner& r) {
    return !r.estimate.isEmpty() && r.estimateHundredths > 0;
}

QString unratedReason(const Runner& r) {
    if (!r.served.isEmpty())
        return r.served;
    const bool noReference = r.race.referenceDistance.trimmed().isEmpty() &&
                             r.race.minutes.trimmed().isEmpty() &&
                             r.race.seconds.trimmed().isEmpty();
    return noReference ? u"en attente d'une référence"_qs : u"pas encore calculé"_qs;
}

chances::Family familyOf(const QString& discipline) {
    return isTrot(discipline)    ? chances::Family::Trot
           : discipline == Jumps ? chances::Family::Obstacle
                                 : chances::Family::Flat;
}

chances::Entry chanceEntry(const Runner& runner, int rank) {
    return {rank > 0 ? std::optional(runner.estimateHundredths / 100) : std::nullopt,
            runner.odds()};
}

namespace {

void withChances(const RaceSheet& sheet, std::vector<RankedRunner>& out) {
    std::vector<chances::Entry> entries;
    for (const RankedRunner& r : out)
        entries.push_back(chanceEntry(sheet.runners[r.index], r.rank));
    const auto chances =
        chances::of(entries, chances::tauOf(sheet.fits, familyOf(sheet.discipline)));
    std::vector<double> sheetChances;
    std::vector<std::optional<double>> odds;
    for (size_t i = 0; i < out.size(); ++i) {
        std::tie(out[i].chance, out[i].chanceSource) =
            std::tie(chances[i].percent, chances[i].source);
        sheetChances.push_back(chances[i].percent);
        odds.push_back(entries[i].odds);
    }
    if (sheet.blend.races < blend::From)
        return;
    if (const auto mixed = blend::combined(sheetChances, odds, sheet.blend))
        for (size_t i = 0; i < out.size(); ++i)
            out[i].combined = (*mixed)[i];
}

} // namespace

std::vector<RankedRunner> ranked(const RaceSheet& sheet) {
    const auto& runners = sheet.runners;
    std::vector<size_t> order(runners.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // The rated first, fastest first; the others after them, as they were added.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const bool ra = isRated(runners[a]), rb = isRated(runners[b]);
        if (ra != rb)
            return ra;
        return ra && runners[a].estimateHundredths < runners[b].estimateHundredths;
    });
    std::vector<RankedRunner> out;
    out.reserve(order.size());
    for (size_t place = 0; place < order.size(); ++place) {
        const Runner& r = runners[order[place]];
        if (!isRated(r)) {
            out.push_back({order[place], 0, 0, 0, 0});
            continue;
        }
        const double best = runners[order.front()].estimateHundredths;
        const bool tied =
            place > 0 && r.estimateHundredths == runners[order[place - 1]].estimateHundredths;
        const int rank = tied ? out.back().rank : static_cast<int>(place) + 1;
        const double gap = r.estimateHundredths - best; // hundredths
        // Lengths to the nearest hundredth, a half going up: 4,21 s is 6,32 lengths.
        const double lengths = std::round(gap * r.lengthsPerSecond) / 100.0;
        const Runner& leader = runners[order.front()];
        const double metres = best > 0 ? std::round(gap / best * leader.dayRun() * 10) / 10.0 : 0.0;
        out.push_back({order[place], rank, gap / 100.0, lengths, metres});
    }
    withChances(sheet, out);
    return out;
}
