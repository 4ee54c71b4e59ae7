// The sheet measured on races run: every figure on three races worked by hand,
// and the races left out.

#include "scorecard.h"

#include <QTest>

using scorecard::Race;
using scorecard::Runner;

namespace {

// Chance, sheet's rank, final odds, place: four runners, ranked in this order.
Race race(std::initializer_list<std::tuple<double, double, int>> runners) {
    Race out;
    int rank = 0;
    for (const auto& [chance, odds, place] : runners)
        out.push_back({chance, ++rank, odds, place});
    return out;
}

// Three races: the sheet's first wins the first, is third then second.
const std::vector<Race> Three{
    race({{50, 2.5, 1}, {30, 3, 2}, {15, 10, 3}, {5, 40, 0}}),
    race({{40, 4, 3}, {30, 2, 1}, {20, 6, 2}, {10, 20, 0}}),
    race({{60, 1.5, 2}, {20, 8, 0}, {15, 5, 1}, {5, 30, 3}}),
};

} // namespace

class TestScorecard : public QObject {
    Q_OBJECT
  private slots:
    void byHand();
    void leftOut_data();
    void leftOut();
};

void TestScorecard::byHand() {
    const scorecard::Figures f = scorecard::measure(Three);
    QCOMPARE(f.races, 3);
    QVERIFY(qFuzzyCompare(f.firstWon, 100.0 / 3)); // the first race only
    QCOMPARE(f.firstPlaced, 100.0);                // 1st, 3rd, 2nd
    QCOMPARE(f.winnerRank, 2.0);                   // ranks 1, 2 and 3
    // −ln 0,5 − ln 0,3 − ln 0,15 = 3,794240, over 3.
    QVERIFY(std::abs(f.logLoss - 1.264747) < 1e-6);
    // 0,365 + 0,700 + 1,125 (Σ (p − won)² in each race), over 3.
    QVERIFY(std::abs(f.brier - 0.73) < 1e-9);
    // The market: 1/odds normalised in each race.
    QCOMPARE(f.marketRaces, 3);
    QVERIFY(std::abs(f.marketLogLoss - 1.018968) < 1e-6);
    QVERIFY(std::abs(f.marketBrier - 0.623167) < 1e-6);
    // 1 € on the first: 2,5 back once in 3; lost twice running at the end.
    QCOMPARE(f.first.bets, 3);
    QCOMPARE(f.first.won, 1);
    QCOMPARE(f.first.returned, 2.5);
    QCOMPARE(f.first.longestLosing, 2);
    // Values from 1,10: A, C, D; A, C, D; B, D. Only the first race's A won.
    QCOMPARE(f.value.bets, 8);
    QCOMPARE(f.value.won, 1);
    QCOMPARE(f.value.returnRate(), 2.5 / 8);
    QCOMPARE(f.value.longestLosing, 7);
    // What the bets stood at after each race: +1,50 then −1 a race on the
    // first; +2,50 − 3 then 3 and 2 more lost on the values.
    QCOMPARE(f.first.net, (std::vector<double>{1.5, 0.5, -0.5}));
    QCOMPARE(f.value.net, (std::vector<double>{-0.5, -3.5, -5.5}));
    // Calibration: announced against won, in five bins.
    QStringList bins;
    for (const scorecard::Bin& b : f.bins)
        bins << u"%1-%2: %3 runners, %4 won, %5 %"_qs.arg(b.from)
                    .arg(b.to)
                    .arg(b.runners)
                    .arg(b.wins)
                    .arg(b.announced, 0, 'f', 2);
    QCOMPARE(
        bins,
        (QStringList{u"0-10: 2 runners, 0 won, 5.00 %"_qs, u"10-20: 3 runners, 1 won, 13.33 %"_qs,
                     u"20-30: 2 runners, 0 won, 20.00 %"_qs, u"30-50: 3 runners, 1 won, 33.33 %"_qs,
                     u"50-100: 2 runners, 1 won, 55.00 %"_qs}));
}

void TestScorecard::leftOut_data() {
    QTest::addColumn<std::vector<Race>>("races");
    QTest::addColumn<int>("counted");
    std::vector<Race> noWinner = Three;
    noWinner[1][1].place = 0;
    QTest::newRow("no winner known") << noWinner << 2;
    std::vector<Race> threeRated = Three;
    threeRated[2][3].rank = 0;
    QTest::newRow("three runners with an estimate") << threeRated << 2;
    std::vector<Race> deadHeat = Three;
    deadHeat[0][1].place = 1;
    QTest::newRow("two winners (a dead heat)") << deadHeat << 2;
    QTest::newRow("none") << std::vector<Race>{} << 0;
}

void TestScorecard::leftOut() {
    QFETCH(std::vector<Race>, races);
    QFETCH(int, counted);
    const scorecard::Figures f = scorecard::measure(races);
    QCOMPARE(f.races, counted);
    QCOMPARE(f.first.bets, counted);
}

QTEST_GUILESS_MAIN(TestScorecard)
#include "tst_scorecard.moc"
