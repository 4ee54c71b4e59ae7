#include "chances.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chances {

double defaultTau(Family family) {
    const double sigma = family == Family::Trot ? 4.0 : family == Family::Flat ? 3.0 : 6.0;
    return sigma * std::sqrt(6.0) / std::numbers::pi;
}

double tauOf(const Fits& fits, Family family) {
    const Fit& f = fits[static_cast<size_t>(family)];
    return f.races >= FitFrom && f.tau > 0 ? f.tau : defaultTau(family);
}

std::vector<std::optional<double>> implied(const std::vector<std::optional<double>>& odds) {
    double sum = 0;
    for (const auto& o : odds)
        if (o && *o > 0)
            sum += 1 / *o;
    std::vector<std::optional<double>> out;
    for (const auto& o : odds)
        out.push_back(o && *o > 0 && sum > 0 ? std::optional(100 / *o / sum) : std::nullopt);
    return out;
}

std::vector<Chance> of(const std::vector<Entry>& runners, double tau) {
    std::vector<std::optional<double>> odds;
    for (const Entry& e : runners)
        odds.push_back(e.odds);
    const auto market = implied(odds);
    std::optional<double> best;
    double left = 100; // what the runners without an estimate do not take
    int sharing = 0;   // the runners who share it: with an estimate, or with nothing
    for (size_t i = 0; i < runners.size(); ++i) {
        if (const auto& t = runners[i].seconds)
            best = std::min(best.value_or(*t), *t);
        if (!runners[i].seconds && market[i])
            left -= *market[i];
        else
            ++sharing;
    }
    double weights = 0;
    for (const Entry& e : runners)
        if (e.seconds)
            weights += std::exp(-(*e.seconds - *best) / tau);
    const int withEstimate = int(std::count_if(
        runners.begin(), runners.end(), [](const Entry& e) { return e.seconds.has_value(); }));
    // The runners with an estimate share their part of what is left by the logit.
    const double estimated = sharing > 0 ? left * withEstimate / sharing : 0;
    std::vector<Chance> out;
    for (size_t i = 0; i < runners.size(); ++i) {
        if (const auto& t = runners[i].seconds)
            out.push_back(
                {estimated * std::exp(-(*t - *best) / tau) / weights, Chance::Source::Estimate});
        else if (market[i])
            out.push_back({*market[i], Chance::Source::Market});
        else
            out.push_back({left / sharing, Chance::Source::Even});
    }
    return out;
}

double logLikelihood(const std::vector<Race>& races, double tau) {
    double sum = 0;
    for (const Race& r : races) {
        const double best = *std::min_element(r.seconds.begin(), r.seconds.end());
        double weights = 0;
        for (const double t : r.seconds)
            weights += std::exp(-(t - best) / tau);
        sum += -(r.seconds[size_t(r.winner)] - best) / tau - std::log(weights);
    }
    return sum;
}

Fit fit(const std::vector<Race>& races) {
    // The likelihood is concave in 1/τ: a golden-section search on 1/τ finds its
    // top between τ = 0,05 s and 50 s.
    double low = 1 / 50.0, high = 1 / 0.05;
    const double g = (std::sqrt(5.0) - 1) / 2;
    const auto at = [&](double inverse) { return logLikelihood(races, 1 / inverse); };
    double a = high - g * (high - low), b = low + g * (high - low);
    double fa = at(a), fb = at(b);
    for (int step = 0; step < 80 && high - low > 1e-6; ++step) {
        if (fa > fb) {
            high = b, b = a, fb = fa;
            a = high - g * (high - low), fa = at(a);
        } else {
            low = a, a = b, fa = fb;
            b = low + g * (high - low), fb = at(b);
        }
    }
    return {2 / (low + high), int(races.size())};
}

} // namespace chances
