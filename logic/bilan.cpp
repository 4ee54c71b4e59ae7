#include "bilan.h"

#include <algorithm>
#include <map>
#include <thread>

namespace {

using RunsByHorse = std::map<QString, std::vector<history::Run>>;

// The race's sheet as it stood that morning: its runners, their final odds, fed
// from the runs before the race.
RaceSheet sheetOf(const history::races::Race& race, const RunsByHorse& runs, const Rules& rules) {
    RaceSheet sheet{.name = race.name,
                    .date = race.date,
                    .hippodrome = race.hippodrome,
                    .distance = QString::number(race.distance),
                    .discipline = history::sheetDiscipline(race.discipline)};
    if (sheet.discipline.isEmpty())
        sheet.discipline = Flat;
    for (const history::races::Starter& s : race.starters) {
        Runner r;
        r.number = s.number ? QString::number(s.number) : QString();
        r.name = s.horse;
        std::tie(r.oddsReference, r.oddsDirect) = std::tie(s.oddsReference, s.oddsDirect);
        r.blinkers = s.blinkers;
        const auto its = runs.find(history::horseKey(s.horse));
        sheet.runners.push_back(its == runs.end()
                                    ? std::move(r)
                                    : feedRunner(r, its->second, sheet, rules, Counted::NoMore));
    }
    return sheet;
}

MeasuredRace measured(const RaceSheet& sheet, const history::races::Race& race) {
    MeasuredRace out{race.date, sheet.discipline, {}, {}, {}};
    std::vector<int> ranks(sheet.runners.size(), 0);
    for (const RankedRunner& r : ranked(sheet))
        ranks[r.index] = r.rank;
    for (size_t i = 0; i < sheet.runners.size(); ++i) {
        out.entries.push_back(chanceEntry(sheet.runners[i], ranks[i]));
        out.ranks.push_back(ranks[i]);
        out.places.push_back(race.starters[i].place);
    }
    return out;
}

// Each race's sheet made and ranked, the races shared out among the cores
// (each sheet stands alone: nothing is written).
std::vector<MeasuredRace> measuredAll(const std::vector<history::races::Race>& races,
                                      const RunsByHorse& runs, const Rules& rules) {
    std::vector<MeasuredRace> out(races.size());
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const auto work = [&](size_t first) {
        for (size_t i = first; i < races.size(); i += workers)
            out[i] = measured(sheetOf(races[i], runs, rules), races[i]);
    };
    std::vector<std::thread> helpers;
    for (size_t w = 1; w < workers; ++w)
        helpers.emplace_back(work, w);
    work(0);
    for (std::thread& t : helpers)
        t.join();
    return out;
}

} // namespace

Bilan bilanOf(history::Store& store, const Rules& rules, const QDate& from, const QDate& to) {
    Bilan out;
    const history::RaceList list = store.races(from, to);
    if (out.result = list.result; !out.result.ok())
        return out;
    // Every run read once: a year's races feed from memory.
    const history::Runs all = store.allRuns();
    if (out.result = all.result; !out.result.ok())
        return out;
    RunsByHorse runs;
    for (const history::Run& r : all.runs)
        runs[history::horseKey(r.horse)].push_back(r);
    out.races = measuredAll(list.races, runs, rules);
    return out;
}

namespace {

bool kept(const MeasuredRace& race, const BilanFilter& filter) {
    return race.date >= filter.from && race.date <= filter.to &&
           (filter.discipline.isEmpty() || race.discipline == filter.discipline);
}

// The sheet's chances of the race at the τ in force.
std::vector<double> chancesOf(const MeasuredRace& race, const chances::Fits& fits) {
    std::vector<double> out;
    for (const chances::Chance& c :
         chances::of(race.entries, chances::tauOf(fits, familyOf(race.discipline))))
        out.push_back(c.percent);
    return out;
}

std::vector<std::optional<double>> oddsOf(const MeasuredRace& race) {
    std::vector<std::optional<double>> out;
    for (const chances::Entry& e : race.entries)
        out.push_back(e.odds);
    return out;
}

} // namespace

std::vector<scorecard::Race> cardsOf(const Bilan& bilan, const BilanFilter& filter,
                                     const InForce& inForce, bool combined) {
    std::vector<scorecard::Race> out;
    for (const MeasuredRace& race : bilan.races) {
        if (!kept(race, filter))
            continue;
        std::vector<double> shares = chancesOf(race, inForce.fits);
        if (combined) { // only the races where every runner has its odds
            const auto mixed = blend::combined(shares, oddsOf(race), inForce.blend);
            if (!mixed)
                continue;
            shares = *mixed;
        }
        scorecard::Race card;
        for (size_t i = 0; i < race.entries.size(); ++i)
            card.push_back({shares[i], race.ranks[i], race.entries[i].odds, race.places[i]});
        out.push_back(std::move(card));
    }
    return out;
}

Measures figuresOf(const Bilan& bilan, const BilanFilter& filter, const InForce& inForce) {
    Measures out{scorecard::measure(cardsOf(bilan, filter, inForce, false)), std::nullopt};
    if (inForce.blend.races >= blend::From)
        out.combined = scorecard::measure(cardsOf(bilan, filter, inForce, true));
    return out;
}

namespace {

chances::Fits fitsOf(const Bilan& bilan) {
    std::array<std::vector<chances::Race>, 3> byFamily;
    for (const MeasuredRace& race : bilan.races) {
        chances::Race fit;
        fit.winner = -1;
        for (size_t i = 0; i < race.entries.size(); ++i)
            if (race.entries[i].seconds) {
                if (race.places[i] == 1)
                    fit.winner = int(fit.seconds.size());
                fit.seconds.push_back(*race.entries[i].seconds);
            }
        if (fit.winner >= 0 && fit.seconds.size() >= 4)
            byFamily[size_t(familyOf(race.discipline))].push_back(std::move(fit));
    }
    chances::Fits out = {};
    for (size_t f = 0; f < out.size(); ++f)
        if (!byFamily[f].empty())
            out[f] = chances::fit(byFamily[f]);
    return out;
}

// The combination fitted on the races the bilan counts where every runner has
// its odds, the sheet's chances at `fits`.
blend::Weights blendOf(const Bilan& bilan, const chances::Fits& fits) {
    std::vector<blend::Race> races;
    for (const scorecard::Race& card : cardsOf(bilan, {}, {fits, {}}, false)) {
        if (!scorecard::counts(card))
            continue;
        blend::Race r;
        std::vector<std::optional<double>> odds;
        for (const scorecard::Runner& x : card) {
            r.winner = x.place == 1 ? int(r.sheet.size()) : r.winner;
            r.sheet.push_back(x.chance);
            odds.push_back(x.odds);
        }
        const auto market = chances::implied(odds);
        if (std::any_of(market.begin(), market.end(), [](const auto& m) { return !m; }))
            continue;
        for (const auto& m : market)
            r.market.push_back(*m);
        races.push_back(std::move(r));
    }
    if (races.size() < size_t(blend::From))
        return {0, 0, int(races.size())};
    return blend::fit(races);
}

} // namespace

InForce fittedOn(const Bilan& bilan) {
    const chances::Fits fits = fitsOf(bilan);
    return {fits, blendOf(bilan, fits)};
}
