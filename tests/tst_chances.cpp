// Chances from the estimated times: the logit worked by hand, the runners
// without an estimate, and τ fitted back from races drawn with a known one.

#include "blend.h"
#include "chances.h"

#include <QTest>
#include <cmath>
#include <random>

using chances::Chance;
using chances::Entry;
using Source = chances::Chance::Source;

Q_DECLARE_METATYPE(std::vector<Entry>)
Q_DECLARE_METATYPE(std::vector<Chance>)

class TestChances : public QObject {
    Q_OBJECT
  private slots:
    void logit_data();
    void logit();
    void tauFitted_data();
    void tauFitted();
    void tauInForce_data();
    void tauInForce();
    void combined_data();
    void combined();
    void blendFitted_data();
    void blendFitted();
};

void TestChances::logit_data() {
    QTest::addColumn<std::vector<Entry>>("runners");
    QTest::addColumn<double>("tau");
    QTest::addColumn<std::vector<Chance>>("expected");
    const auto E = Source::Estimate;
    // By hand: e^-1 = 0,367879; 1 / (1 + e^-1) = 0,731059.
    QTest::newRow("two runners one second apart, τ = 1")
        << std::vector<Entry>{{150.0, {}}, {151.0, {}}} << 1.0
        << std::vector<Chance>{{73.1059, E}, {26.8941, E}};
    QTest::newRow("the same gap, τ = 2: closer chances (e^-0,5 = 0,606531)")
        << std::vector<Entry>{{150.0, {}}, {151.0, {}}} << 2.0
        << std::vector<Chance>{{62.2459, E}, {37.7541, E}};
    QTest::newRow("equal estimates: equal chances")
        << std::vector<Entry>{{150.0, 2.0}, {150.0, 30.0}, {150.0, {}}} << 1.5
        << std::vector<Chance>{{33.3333, E}, {33.3333, E}, {33.3333, E}};
    // 1/2 + 1/8 + 1/4 = 0,875: C's market share 0,25 / 0,875 = 28,5714 %; A and
    // B share 71,4286 % by the logit.
    QTest::newRow("a runner without an estimate, with odds: its market share")
        << std::vector<Entry>{{150.0, 2.0}, {151.0, 8.0}, {{}, 4.0}} << 1.0
        << std::vector<Chance>{{52.2185, E}, {19.2101, E}, {28.5714, Source::Market}};
    // C takes a third of the 100 %, A and B share two thirds by the logit.
    QTest::newRow("a runner with neither: an even share of what is left")
        << std::vector<Entry>{{150.0, {}}, {151.0, {}}, {{}, {}}} << 1.0
        << std::vector<Chance>{{48.7373, E}, {17.9294, E}, {33.3333, Source::Even}};
    QTest::newRow("both kinds without an estimate")
        << std::vector<Entry>{{150.0, 2.0}, {{}, 2.0}, {{}, {}}} << 1.0
        << std::vector<Chance>{{25.0, E}, {50.0, Source::Market}, {25.0, Source::Even}};
    QTest::newRow("no estimate, no odds: even shares")
        << std::vector<Entry>{{{}, {}}, {{}, {}}} << 1.0
        << std::vector<Chance>{{50.0, Source::Even}, {50.0, Source::Even}};
    QTest::newRow("no runner") << std::vector<Entry>{} << 1.0 << std::vector<Chance>{};
}

void TestChances::logit() {
    QFETCH(std::vector<Entry>, runners);
    QFETCH(double, tau);
    QFETCH(std::vector<Chance>, expected);
    const std::vector<Chance> out = chances::of(runners, tau);
    QCOMPARE(out.size(), expected.size());
    double sum = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        QVERIFY2(
            std::abs(out[i].percent - expected[i].percent) < 1e-3,
            qPrintable(
                u"%1: %2 instead of %3"_qs.arg(i).arg(out[i].percent).arg(expected[i].percent)));
        QCOMPARE(out[i].source, expected[i].source);
        sum += out[i].percent;
    }
    if (!out.empty())
        QVERIFY(std::abs(sum - 100) < 1e-9);
}

void TestChances::tauFitted_data() {
    QTest::addColumn<double>("tau");
    QTest::addColumn<int>("races");
    QTest::newRow("τ = 0,8 s, 1,000 races") << 0.8 << 1000;
    QTest::newRow("τ = 1,5 s, 1,000 races") << 1.5 << 1000;
    QTest::newRow("τ = 3 s, 1,000 races") << 3.0 << 1000;
    QTest::newRow("τ = 1,5 s, 100 races (within 25 %)") << 1.5 << 100;
}

void TestChances::tauFitted() {
    QFETCH(double, tau);
    QFETCH(int, races);
    // Races of 10 runners estimated 0 to 8 s apart; each winner drawn as the
    // logit says: the best estimated time less τ times a Gumbel error.
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(1e-12, 1.0);
    std::vector<chances::Race> drawn;
    for (int r = 0; r < races; ++r) {
        chances::Race race;
        double best = 1e9;
        for (int i = 0; i < 10; ++i) {
            race.seconds.push_back(150 + 8 * unit(random));
            const double run = race.seconds.back() + tau * std::log(-std::log(unit(random)));
            if (run < best)
                best = run, race.winner = i;
        }
        drawn.push_back(race);
    }
    const chances::Fit fit = chances::fit(drawn);
    QCOMPARE(fit.races, races);
    const double within = races >= 1000 ? 0.10 : 0.25;
    QVERIFY2(std::abs(fit.tau - tau) / tau < within, qPrintable(QString::number(fit.tau)));
    // The fit is the top: a τ 20 % either side is less likely.
    for (const double other : {fit.tau * 0.8, fit.tau * 1.2})
        QVERIFY(chances::logLikelihood(drawn, other) < chances::logLikelihood(drawn, fit.tau));
}

void TestChances::tauInForce_data() {
    QTest::addColumn<int>("races");
    QTest::addColumn<double>("fitted");
    QTest::addColumn<double>("taken");
    const double trot = chances::defaultTau(chances::Family::Trot);
    QTest::newRow("no fit: the default") << 0 << 0.0 << trot;
    QTest::newRow("49 races: not enough, the default") << 49 << 2.0 << trot;
    QTest::newRow("50 races: the fit") << 50 << 2.0 << 2.0;
    QTest::newRow("a fit without a τ: the default") << 80 << 0.0 << trot;
}

// A family's fit is taken once it rests on 50 races; the other families keep
// their defaults.
void TestChances::tauInForce() {
    QFETCH(int, races);
    QFETCH(double, fitted);
    QFETCH(double, taken);
    chances::Fits fits{};
    fits[size_t(chances::Family::Trot)] = {fitted, races};
    QCOMPARE(chances::tauOf(fits, chances::Family::Trot), taken);
    QCOMPARE(chances::tauOf(fits, chances::Family::Flat),
             chances::defaultTau(chances::Family::Flat));
}

using Odds = std::vector<std::optional<double>>;
Q_DECLARE_METATYPE(Odds)
Q_DECLARE_METATYPE(std::vector<double>)

void TestChances::combined_data() {
    QTest::addColumn<std::vector<double>>("sheet");
    QTest::addColumn<Odds>("odds");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");
    QTest::addColumn<std::vector<double>>("expected"); // empty: none
    // The market at 2 and 4: 1/2 and 1/4 over 3/4, 66,67 % and 33,33 %.
    const Odds market{2.0, 4.0};
    QTest::newRow("α = 1, β = 0: the sheet's")
        << std::vector<double>{80, 20} << market << 1.0 << 0.0 << std::vector<double>{80, 20};
    QTest::newRow("α = 0, β = 1: the market's") << std::vector<double>{80, 20} << market << 0.0
                                                << 1.0 << std::vector<double>{66.6667, 33.3333};
    // √(80 × 66,67) = 73,03, √(20 × 33,33) = 25,82: 73,88 % and 26,12 %.
    QTest::newRow("α = β = 0,5: the geometric mean, normalised")
        << std::vector<double>{80, 20} << market << 0.5 << 0.5
        << std::vector<double>{73.8796, 26.1204};
    QTest::newRow("a runner without odds: none")
        << std::vector<double>{80, 20} << Odds{2.0, {}} << 0.5 << 0.5 << std::vector<double>{};
}

void TestChances::combined() {
    QFETCH(std::vector<double>, sheet);
    QFETCH(Odds, odds);
    QFETCH(double, alpha);
    QFETCH(double, beta);
    QFETCH(std::vector<double>, expected);
    const auto out = blend::combined(sheet, odds, {alpha, beta, blend::From});
    QCOMPARE(out.has_value(), !expected.empty());
    for (size_t i = 0; out && i < expected.size(); ++i)
        QVERIFY2(std::abs((*out)[i] - expected[i]) < 1e-3, qPrintable(QString::number((*out)[i])));
}

void TestChances::blendFitted_data() {
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");
    QTest::newRow("the market worth more: α 0,4, β 0,9") << 0.4 << 0.9;
    QTest::newRow("the sheet worth more: α 1,2, β 0,3") << 1.2 << 0.3;
}

// Races of 8 runners, the sheet's and the market's chances drawn apart, each
// winner drawn from the combination with known weights: the fit finds them
// back within 10 % over 2,000 races.
void TestChances::blendFitted() {
    QFETCH(double, alpha);
    QFETCH(double, beta);
    std::mt19937 random(9122026);
    std::uniform_real_distribution<double> unit(1e-9, 1.0);
    std::vector<blend::Race> drawn;
    for (int r = 0; r < 2000; ++r) {
        blend::Race race;
        Odds odds;
        for (int i = 0; i < 8; ++i) {
            race.sheet.push_back(std::exp(3 * unit(random)));
            odds.push_back(1.2 + 30 * unit(random));
        }
        double sum = 0;
        for (double x : race.sheet)
            sum += x;
        for (double& x : race.sheet)
            x = 100 * x / sum;
        for (const auto& m : chances::implied(odds))
            race.market.push_back(*m);
        const auto truth = *blend::combined(race.sheet, odds, {alpha, beta, blend::From});
        double draw = 100 * unit(random);
        race.winner = 7;
        for (int i = 0; i < 8; ++i)
            if ((draw -= truth[size_t(i)]) <= 0) {
                race.winner = i;
                break;
            }
        drawn.push_back(race);
    }
    const blend::Weights w = blend::fit(drawn);
    QCOMPARE(w.races, 2000);
    QVERIFY2(std::abs(w.alpha - alpha) / alpha < 0.10 && std::abs(w.beta - beta) / beta < 0.10,
             qPrintable(u"α %1, β %2"_qs.arg(w.alpha).arg(w.beta)));
    for (const auto& [da, db] : {std::pair{0.1, 0.0}, {-0.1, 0.0}, {0.0, 0.1}, {0.0, -0.1}})
        QVERIFY(blend::logLikelihood(drawn, w.alpha + da, w.beta + db) <
                blend::logLikelihood(drawn, w.alpha, w.beta));
}

QTEST_GUILESS_MAIN(TestChances)
#include "tst_chances.moc"
