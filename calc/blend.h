#pragma once
// The sheet's chances combined with the market's: p ∝ exp(α·ln p_sheet +
// β·ln p_market), normalised over the race, α and β fitted by maximum likelihood
// on the punter's races once there are enough of them. The market knows what
// the times do not (form, draw, a stable's intent); the sheet sometimes knows
// better than the market: the fit says how much of each to believe.

#include <optional>
#include <vector>

namespace blend {

struct Weights {
    double alpha = 0, beta = 0;
    int races = 0; // the fit rests on them
    bool operator==(const Weights&) const = default;
};

// From this many races the combined chance is shown and measured.
inline constexpr int From = 200;

// The combined chances (in %) of a race from the sheet's (in %) and every
// runner's odds; none when a runner has no odds or no chance.
std::optional<std::vector<double>> combined(const std::vector<double>& sheet,
                                            const std::vector<std::optional<double>>& odds,
                                            const Weights& w);

// A past race for the fit: the sheet's and the market's chances (in %), and
// which runner won.
struct Race {
    std::vector<double> sheet, market;
    int winner = 0;
};

Weights fit(const std::vector<Race>& races);
double logLikelihood(const std::vector<Race>& races, double alpha, double beta);

} // namespace blend
