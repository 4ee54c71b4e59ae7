#include "blend.h"

#include "chances.h"

#include <cmath>

namespace blend {

namespace {

// exp(α·ln s + β·ln m) for each runner, scaled by the largest for safety.
std::vector<double> weights(const std::vector<double>& sheet, const std::vector<double>& market,
                            double alpha, double beta) {
    std::vector<double> logs;
    double top = -INFINITY;
    for (size_t i = 0; i < sheet.size(); ++i) {
        logs.push_back(alpha * std::log(sheet[i]) + beta * std::log(market[i]));
        top = std::max(top, logs.back());
    }
    for (double& l : logs)
        l = std::exp(l - top);
    return logs;
}

} // namespace

std::optional<std::vector<double>> combined(const std::vector<double>& sheet,
                                            const std::vector<std::optional<double>>& odds,
                                            const Weights& w) {
    std::vector<double> market;
    for (const auto& m : chances::implied(odds)) {
        if (!m)
            return std::nullopt;
        market.push_back(*m);
    }
    for (const double s : sheet)
        if (!(s > 0))
            return std::nullopt;
    std::vector<double> out = weights(sheet, market, w.alpha, w.beta);
    double sum = 0;
    for (const double x : out)
        sum += x;
    for (double& x : out)
        x = 100 * x / sum;
    return out;
}

double logLikelihood(const std::vector<Race>& races, double alpha, double beta) {
    double sum = 0;
    for (const Race& r : races) {
        const std::vector<double> w = weights(r.sheet, r.market, alpha, beta);
        double total = 0;
        for (const double x : w)
            total += x;
        sum += std::log(w[size_t(r.winner)] / total);
    }
    return sum;
}

namespace {

// The likelihood's slope and (minus) its curvature at (α, β).
struct Slope {
    double ga = 0, gb = 0, haa = 0, hab = 0, hbb = 0;
};
Slope slopeAt(const std::vector<Race>& races, double a, double b) {
    Slope s;
    for (const Race& r : races) {
        const std::vector<double> w = weights(r.sheet, r.market, a, b);
        double total = 0, ma = 0, mb = 0, saa = 0, sab = 0, sbb = 0;
        for (size_t i = 0; i < w.size(); ++i) {
            const double xa = std::log(r.sheet[i]), xb = std::log(r.market[i]);
            total += w[i], ma += w[i] * xa, mb += w[i] * xb;
            saa += w[i] * xa * xa, sab += w[i] * xa * xb, sbb += w[i] * xb * xb;
        }
        ma /= total, mb /= total;
        s.ga += std::log(r.sheet[size_t(r.winner)]) - ma;
        s.gb += std::log(r.market[size_t(r.winner)]) - mb;
        s.haa += saa / total - ma * ma, s.hab += sab / total - ma * mb;
        s.hbb += sbb / total - mb * mb;
    }
    return s;
}

} // namespace

Weights fit(const std::vector<Race>& races) {
    // Newton's method: the likelihood is concave in (α, β), a conditional logit
    // on the two logarithms; a step that does not climb is halved.
    double a = 1, b = 0, best = logLikelihood(races, a, b);
    for (int step = 0; step < 50; ++step) {
        const Slope s = slopeAt(races, a, b);
        const double det = s.haa * s.hbb - s.hab * s.hab;
        if (!(det > 1e-12))
            break;
        double da = (s.hbb * s.ga - s.hab * s.gb) / det, db = (s.haa * s.gb - s.hab * s.ga) / det;
        bool climbed = false;
        for (int half = 0; half < 30 && !climbed; ++half, da /= 2, db /= 2)
            if (const double l = logLikelihood(races, a + da, b + db); l >= best)
                a += da, b += db, best = l, climbed = true;
        if (!climbed || std::abs(da) + std::abs(db) < 1e-9)
            break;
    }
    return {a, b, int(races.size())};
}

} // namespace blend
