#pragma once
// Each runner's chance of winning from the sheet's estimated times: a
// multinomial logit, chance_i = exp(−(T_i − T_best)/τ) / Σ_j exp(−(T_j − T_best)/τ).
// It is exact when each estimate misses the real time by a Gumbel error of scale
// τ (an error of standard deviation σ = τ·π/√6); τ is fitted on the punter's own
// races by maximum likelihood once there are enough of them.

#include <array>
#include <optional>
#include <vector>

namespace chances {

enum class Family { Trot, Flat, Obstacle };

// τ in seconds before any fit: an estimate's error taken as σ = 4 s at the trot,
// 3 s on the flat and 6 s over obstacles (a reduction a second off per km over
// 2 to 3 km; jumps less even), τ = σ·√6/π: 3,12 s, 2,34 s and 4,68 s.
double defaultTau(Family family);

struct Entry {
    std::optional<double> seconds; // the estimated time; none: no estimate
    std::optional<double> odds;    // the market's odds for 1 € (9.2); none: not known
};

struct Chance {
    double percent = 0;
    // Where it comes from: the estimates, the market's share (a runner without
    // an estimate, with odds), or an even share of what is left (neither).
    enum class Source { Estimate, Market, Even } source = Source::Estimate;
    bool operator==(const Chance&) const = default;
};

// The chances of `runners`, in their order, summing to 100: the runners without
// an estimate take their market share (1/odds over the field's Σ 1/odds) when
// their odds are known; those with neither an even share of what is left, with
// the runners that have an estimate, who share the rest by the logit.
std::vector<Chance> of(const std::vector<Entry>& runners, double tau);

// The market's chances: 1/odds normalised to 100 over the runners with odds
// (none for those without).
std::vector<std::optional<double>> implied(const std::vector<std::optional<double>>& odds);

// A past race for the fit: its runners' estimated times, and which of them won.
struct Race {
    std::vector<double> seconds;
    int winner = 0;
};

// τ maximising the likelihood of the winners, and how many races it rests on.
struct Fit {
    double tau = 0;
    int races = 0;
    bool operator==(const Fit&) const = default;
};
Fit fit(const std::vector<Race>& races);

// The fits kept, one a family (in the order of `Family`); a τ is taken from its
// fit once it rests on `FitFrom` races, the family's default until then.
inline constexpr int FitFrom = 50;
using Fits = std::array<Fit, 3>;
double tauOf(const Fits& fits, Family family);

// The log-likelihood of the winners under τ (the fit's measure).
double logLikelihood(const std::vector<Race>& races, double tau);

} // namespace chances
