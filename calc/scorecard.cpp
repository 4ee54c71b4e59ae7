#include "scorecard.h"

#include "chances.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace scorecard {

namespace {

constexpr std::array<double, 6> BinEdges{0, 10, 20, 30, 50, 100.000001};

} // namespace

bool counts(const Race& race) {
    const auto rated =
        std::count_if(race.begin(), race.end(), [](const Runner& r) { return r.rank > 0; });
    const auto winners =
        std::count_if(race.begin(), race.end(), [](const Runner& r) { return r.place == 1; });
    return rated >= 4 && winners == 1;
}

namespace {

void bet(Bet& b, bool won, std::optional<double> odds, int& losing) {
    ++b.bets;
    if (won && odds) {
        ++b.won;
        b.returned += *odds;
        losing = 0;
    } else {
        b.longestLosing = std::max(b.longestLosing, ++losing);
    }
}

// Log-loss and Brier of one race's chances (in %), the winner at `winner`.
std::pair<double, double> scores(const std::vector<double>& chances, size_t winner) {
    double brier = 0;
    for (size_t i = 0; i < chances.size(); ++i)
        brier += std::pow(chances[i] / 100 - (i == winner ? 1 : 0), 2);
    return {-std::log(std::max(chances[winner] / 100, 1e-12)), brier};
}

void marketScores(const Race& race, size_t winner, Figures& f) {
    std::vector<std::optional<double>> odds;
    for (const Runner& r : race)
        odds.push_back(r.odds);
    if (std::any_of(odds.begin(), odds.end(), [](const auto& o) { return !o; }))
        return;
    std::vector<double> implied;
    for (const auto& p : chances::implied(odds))
        implied.push_back(*p);
    const auto [logLoss, brier] = scores(implied, winner);
    ++f.marketRaces;
    f.marketLogLoss += logLoss;
    f.marketBrier += brier;
}

void binned(const Runner& r, Figures& f) {
    for (size_t b = 0; b + 1 < BinEdges.size(); ++b)
        if (r.chance >= BinEdges[b] && r.chance < BinEdges[b + 1]) {
            Bin& bin = f.bins[b];
            ++bin.runners;
            bin.wins += r.place == 1;
            bin.announced += r.chance;
        }
}

void add(const Race& race, Figures& f, int& firstLosing, int& valueLosing) {
    ++f.races;
    const auto winner = size_t(
        std::find_if(race.begin(), race.end(), [](const Runner& r) { return r.place == 1; }) -
        race.begin());
    const auto first =
        std::min_element(race.begin(), race.end(), [](const Runner& a, const Runner& b) {
            return (a.rank > 0 ? a.rank : 1 << 20) < (b.rank > 0 ? b.rank : 1 << 20);
        });
    f.firstWon += first->place == 1;
    f.firstPlaced += first->place >= 1 && first->place <= 3;
    const auto rated =
        std::count_if(race.begin(), race.end(), [](const Runner& r) { return r.rank > 0; });
    f.winnerRank += race[winner].rank > 0 ? race[winner].rank : double(rated + 1);
    std::vector<double> chances;
    for (const Runner& r : race) {
        chances.push_back(r.chance);
        binned(r, f);
        if (r.odds && r.chance * *r.odds / 100 >= ValueBet)
            bet(f.value, r.place == 1, r.odds, valueLosing);
    }
    const auto [logLoss, brier] = scores(chances, winner);
    f.logLoss += logLoss;
    f.brier += brier;
    marketScores(race, winner, f);
    bet(f.first, first->place == 1, first->odds, firstLosing);
    for (Bet* b : {&f.first, &f.value})
        b->net.push_back(b->returned - b->bets);
}

} // namespace

Figures measure(const std::vector<Race>& races) {
    Figures f;
    for (size_t b = 0; b < f.bins.size(); ++b)
        std::tie(f.bins[b].from, f.bins[b].to) =
            std::pair{BinEdges[b], std::floor(BinEdges[b + 1])};
    int firstLosing = 0, valueLosing = 0;
    for (const Race& race : races)
        if (counts(race))
            add(race, f, firstLosing, valueLosing);
    if (f.races > 0) {
        for (double* sum : {&f.firstWon, &f.firstPlaced})
            *sum = 100 * *sum / f.races;
        for (double* mean : {&f.winnerRank, &f.logLoss, &f.brier})
            *mean /= f.races;
    }
    if (f.marketRaces > 0)
        f.marketLogLoss /= f.marketRaces, f.marketBrier /= f.marketRaces;
    for (Bin& b : f.bins)
        if (b.runners > 0)
            b.announced /= b.runners;
    return f;
}

} // namespace scorecard
