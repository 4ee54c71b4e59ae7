#pragma once
// How well the sheet did on races already run: how often its first won or
// placed, how good its chances were (log-loss, Brier, calibration) beside the
// market's, and what 1 € a race would have returned at the final odds.

#include <array>
#include <optional>
#include <vector>

namespace scorecard {

struct Runner {
    double chance = 0;          // the sheet's, in %
    int rank = 0;               // the sheet's; 0: no estimate
    std::optional<double> odds; // the final odds; none: not known
    int place = 0;              // 1 for the winner; 0: not placed or not finished
};

// A race run, its runners in any order.
using Race = std::vector<Runner>;

// A figure and how many it rests on: below 50, not enough to judge by.
inline constexpr int Enough = 50;

struct Bet {
    int bets = 0, won = 0;
    double returned = 0; // for 1 € a bet, at the final odds
    int longestLosing = 0;
    // What the bets had won (or lost, below 0) in €, after each race counted.
    std::vector<double> net;
    double returnRate() const { return bets ? returned / bets : 0; } // 1,00: even
};

struct Bin {
    double from = 0, to = 0; // chance announced, in %
    int runners = 0, wins = 0;
    double announced = 0; // mean chance announced in it, in %
};

struct Figures {
    int races = 0;
    double firstWon = 0, firstPlaced = 0; // % of races: the sheet's first 1st, in the first 3
    double winnerRank = 0;                // the winner's mean rank on the sheet
    double logLoss = 0, brier = 0;        // of the sheet's chances
    int marketRaces = 0;                  // with every runner's final odds
    double marketLogLoss = 0, marketBrier = 0;
    std::array<Bin, 5> bins;
    Bet first; // 1 € on the sheet's first in each race
    Bet value; // 1 € on each runner whose value (chance × odds ÷ 100) was 1,10 or more
};

// The value from which a runner is a bet.
inline constexpr double ValueBet = 1.10;

// Whether a race is counted: a single winner, at least 4 runners with an estimate.
bool counts(const Race& race);

// The figures of `races`, in the order they were run (the losing runs follow
// it). A race without a winner, or with fewer than 4 runners with an estimate,
// is left out.
Figures measure(const std::vector<Race>& races);

} // namespace scorecard
