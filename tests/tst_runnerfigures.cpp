// A runner computed without any window: what refuses it and what is asked about,
// each by its field, and its reductions rounded once from their exact value.
#include "racetable.h"
#include "runnerfigures.h"
#include "workedexample.h"

#include <QTest>

using runnerfigures::Field;

namespace {

struct FigureRow {
    const char* name;
    QString discipline = Flat;
    QString distance = u"2100"_qs, time = u"2 38 50"_qs;
    QString weight = u"57"_qs, margin = u"0,0"_qs;
    int recul = 0, dayRecul = 0;
    QString referenceDiscipline = {};
    bool withLengths = false;
    std::optional<Field> refused = {};
    calc::CalcError error = calc::CalcError::None;
    std::vector<Field> asked = {};
};

struct RoundingRow {
    const char* name;
    QString distance;
    int recul;
    QString time;
    double voltePerKm;
    QString tenths, hundredths, correctedTenths, correctedSeconds;
};

// The reference race of `r`: `distance` metres run in `time` ("2 38 50").
void referenceOf(Runner& r, const QString& distance, const QString& time) {
    const QStringList parts = time.split(u' ');
    r.race.referenceDistance = distance;
    r.race.minutes = parts[0];
    r.race.seconds = parts[1];
    r.race.hundredths = parts[2];
}

} // namespace
Q_DECLARE_METATYPE(FigureRow)
Q_DECLARE_METATYPE(RoundingRow)

class TestRunnerFigures : public QObject {
    Q_OBJECT

  private slots:
    void refusalsAndFindings_data();
    void refusalsAndFindings();
    void roundedOnce_data();
    void roundedOnce();
    void lengthsPerSecond_data();
    void lengthsPerSecond();
};

void TestRunnerFigures::refusalsAndFindings_data() {
    QTest::addColumn<FigureRow>("row");
    using E = calc::CalcError;
    // clang-format off
    const FigureRow rows[] = {
        {.name = "the worked example: nothing to say"},
        // 197,30 s over 2200 m is 89,68 s/km: no flat horse runs that slowly.
        {.name = "1'29\"7 a km on the flat asked", .distance = "2200", .time = "3 17 30",
         .asked = {Field::Reduction}},
        {.name = "the same at the trot is usual", .discipline = TrotHarness, .distance = "2200",
         .time = "3 17 30", .weight = ""},
        {.name = "a trotter at 1'00\"0 a km asked", .discipline = TrotHarness, .distance = "2000",
         .time = "2 00 00", .weight = "", .asked = {Field::Reduction}},
        {.name = "55 s/km is within the flat's", .distance = "2000", .time = "1 50 00"},
        {.name = "seconds 75 asked, and the reduction", .time = "2 75 50",
         .asked = {Field::Time, Field::Reduction}},
        {.name = "a distance of 21000 m asked, its reduction too", .distance = "21000",
         .asked = {Field::ReferenceDistance, Field::Reduction}},
        {.name = "a weight of 5 kg asked", .weight = "5", .asked = {Field::ReferenceWeight}},
        {.name = "a recul past 1000 m refused", .discipline = TrotHarness, .weight = "",
         .dayRecul = 1025, .refused = Field::DayRecul},
        {.name = "a reference recul below 0 refused", .discipline = TrotHarness, .weight = "",
         .recul = -25, .refused = Field::ReferenceRecul},
        {.name = "with lengths but no time with lengths", .margin = "une tête",
         .withLengths = true, .refused = Field::Margin},
        {.name = "no reference distance", .distance = "0", .refused = Field::ReferenceDistance,
         .error = E::Distance, .asked = {Field::ReferenceDistance}},
        {.name = "a weight that is no number", .weight = "lourd", .refused = Field::ReferenceWeight,
         .error = E::Weight},
        {.name = "a time that is no number", .time = "2 3x 50", .refused = Field::Time,
         .error = E::Time},
        {.name = "a trot reference for a flat race", .referenceDiscipline = TrotHarness,
         .refused = Field::Conditions},
    };
    // clang-format on
    for (const FigureRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRunnerFigures::refusalsAndFindings() {
    QFETCH(FigureRow, row);
    Runner r = workedExample(u"Éclair"_qs);
    referenceOf(r, row.distance, row.time);
    r.race.referenceWeight = row.weight;
    r.race.margin = row.margin;
    r.referenceRecul = row.recul;
    r.referenceDiscipline = calc::disciplineOf(row.referenceDiscipline);
    r.race.estimateWithLengths = row.withLengths;
    r.dayRecul = row.dayRecul;
    if (isTrot(row.discipline))
        r.race.dayWeight.clear();
    const RaceSheet race{.distance = u"2400"_qs, .discipline = row.discipline};
    const runnerfigures::Outcome out = runnerfigures::compute(r, race, {});
    QCOMPARE(out.runner.has_value(), !row.refused);
    QCOMPARE(out.refusal.has_value(), row.refused.has_value());
    if (out.refusal) {
        QCOMPARE(out.refusal->field, *row.refused);
        QCOMPARE(out.refusal->error, row.error);
        QVERIFY(!out.refusal->reason.isEmpty());
    }
    std::vector<Field> asked;
    for (const auto& f : out.findings) {
        asked.push_back(f.field);
        QVERIFY(f.question.endsWith(u"Calculer quand même ?"_qs));
    }
    QCOMPARE(asked, row.asked);
}

void TestRunnerFigures::roundedOnce_data() {
    QTest::addColumn<RoundingRow>("row");
    // 202,80 s over 2700 m and 50 m of recul: 73,7454… s/km. Rounded to the
    // hundredth first (73,75), its tenth would be 1'13"8. Corrected by +0,2 s/km:
    // 73,9454…, whose tenth is 1'13"9 (1'14"0 from 73,75 + 0,2).
    // clang-format off
    const RoundingRow rows[] = {
        {"73,745 s/km: 1'13\"7", "2700", 50, "3 22 80", 0, "1'13\"7", "1'13\"75", "1'13\"7", "73,75"},
        {"corrected to 73,945: 1'13\"9", "2700", 50, "3 22 80", 0.2, "1'13\"7", "1'13\"75", "1'13\"9", "73,95"},
        // 147,50 s over 2000 m is 73,75 exactly: a half goes up.
        {"a tenth exactly half goes up", "2000", 0, "2 27 50", 0, "1'13\"8", "1'13\"75", "1'13\"8", "73,75"},
        {"without recul", "2750", 0, "3 22 80", 0, "1'13\"7", "1'13\"75", "1'13\"7", "73,75"},
    };
    // clang-format on
    for (const RoundingRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRunnerFigures::roundedOnce() {
    QFETCH(RoundingRow, row);
    Runner r;
    r.name = u"Idéal du Gazeau"_qs;
    referenceOf(r, row.distance, row.time);
    r.referenceRecul = row.recul;
    r.dayRecul = row.recul;
    r.referenceStart = calc::Start::Autostart;
    // The same distance run today: the start is the only correction.
    RaceSheet race{.distance = row.distance, .discipline = TrotHarness, .start = u"volté"_qs};
    Rules rules;
    rules.corrections.autostart = 0;
    rules.corrections.volte = row.voltePerKm;
    const auto out = runnerfigures::compute(r, race, rules);
    QVERIFY(out.runner);
    race.runners.push_back(*out.runner);
    const QStringList tenths = racetable::rows(race, racetable::Notation::Tenths)[0];
    const QStringList hundredths = racetable::rows(race)[0];
    QCOMPARE(tenths[racetable::Reduction], row.tenths);
    QCOMPARE(hundredths[racetable::Reduction], row.hundredths);
    QCOMPARE(tenths[racetable::CorrectedReduction], row.correctedTenths);
    QCOMPARE(hundredths[racetable::CorrectedReductionSeconds], row.correctedSeconds);
}

void TestRunnerFigures::lengthsPerSecond_data() {
    QTest::addColumn<QString>("discipline");
    QTest::addColumn<int>("lengthsRule"); // of the scale the main window uses
    QTest::addColumn<double>("estimate"); // hundredths, over 2700 m
    QTest::addColumn<double>("lengthsPerSecond");
    // 3'20"00 over 2700 m, 5,5 lengths behind the winner, the estimate from the time
    // with lengths: 1 s at the trot's 5,5 L/s, 3,67 s at the flat's original 1,5.
    using R = scale::LengthsRule;
    QTest::newRow("trot, original scale") << TrotHarness << int(R::Original) << 20100.0 << 5.5;
    QTest::newRow("trot mounted, race speed") << TrotMounted << int(R::RaceSpeed) << 20100.0 << 5.5;
    QTest::newRow("flat, original scale") << Flat << int(R::Original) << 20367.0 << 1.5;
}

void TestRunnerFigures::lengthsPerSecond() {
    QFETCH(QString, discipline);
    QFETCH(int, lengthsRule);
    QFETCH(double, estimate);
    QFETCH(double, lengthsPerSecond);
    Runner r;
    r.name = u"Bold Eagle"_qs;
    referenceOf(r, u"2700"_qs, u"3 20 00"_qs);
    r.race.margin = u"5,5"_qs;
    r.race.estimateWithLengths = true;
    r.referenceDiscipline = calc::disciplineOf(discipline);
    Rules rules;
    rules.scale.lengths = static_cast<scale::LengthsRule>(lengthsRule);
    const RaceSheet race{.distance = u"2700"_qs, .discipline = discipline};
    const auto out = runnerfigures::compute(r, race, rules);
    QVERIFY(out.runner);
    QCOMPARE(out.runner->estimateHundredths, estimate);
    QCOMPARE(out.runner->lengthsPerSecond, lengthsPerSecond);
}

QTEST_GUILESS_MAIN(TestRunnerFigures)
#include "tst_runnerfigures.moc"
