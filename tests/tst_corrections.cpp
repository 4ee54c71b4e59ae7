// The corrections from a reference race's conditions to today's, and the
// punter's notation of a reduction.
#include "corrections.h"

#include <QTest>

using namespace calc;
using scale::Discipline;
using scale::Going;

struct CorrectionRow {
    const char* name;
    Conditions reference = {};
    Conditions today = {};
    double referenceRun = 2700, dayRun = 2700;
    QString text = {}; // as the sheet shows them
    double total = 0;
    bool refused = false;
};
Q_DECLARE_METATYPE(CorrectionRow)

class TestCorrections : public QObject {
    Q_OBJECT

  private slots:
    void corrections_data();
    void corrections();
    void edited();
    void notation_data();
    void notation();
    void names();
    void going_data();
    void going();
};

void TestCorrections::corrections_data() {
    QTest::addColumn<CorrectionRow>("row");
    const auto A = Discipline::TrotHarness, M = Discipline::TrotMounted, F = Discipline::Flat,
               J = Discipline::Jumps;
    const Start Auto = Start::Autostart, V = Start::Volte, NoStart = Start::Unknown;
    const Shoeing Sh = Shoeing::Shod, D4 = Shoeing::D4, DA = Shoeing::DA, DP = Shoeing::DP;
    // clang-format off
    const CorrectionRow rows[] = {
        {.name = "same conditions: none", .reference = {A, V, Sh}, .today = {A, V, Sh}},
        // Each alone.
        {.name = "from an autostart to a volté start", .reference = {A, Auto, Sh}, .today = {A, V, Sh},
         .text = "autostart +1,0", .total = 1},
        {.name = "from a volté start to an autostart", .reference = {A, V, Sh}, .today = {A, Auto, Sh},
         .text = "autostart −1,0", .total = -1},
        {.name = "déferré des quatre today", .reference = {A, V, Sh}, .today = {A, V, D4}, .text = "D4 −2,0", .total = -2},
        {.name = "déferré des antérieurs today", .reference = {A, V, Sh}, .today = {A, V, DA}, .text = "DA −1,0", .total = -1},
        {.name = "déferré des postérieurs today", .reference = {A, V, Sh}, .today = {A, V, DP}, .text = "DP −1,0", .total = -1},
        {.name = "D4 then, ferré today", .reference = {A, V, D4}, .today = {A, V, Sh}, .text = "D4 +2,0", .total = 2},
        {.name = "D4 then, DA today", .reference = {A, V, D4}, .today = {A, V, DA}, .text = "D4→DA +1,0", .total = 1},
        {.name = "mounted today", .reference = {A, V, Sh}, .today = {M, V, Sh}, .text = "trot monté +1,0", .total = 1},
        {.name = "in harness today", .reference = {M, V, Sh}, .today = {A, V, Sh}, .text = "trot monté −1,0", .total = -1},
        {.name = "500 m further", .reference = {A, V, Sh}, .today = {A, V, Sh}, .dayRun = 3200,
         .text = "distance +1,0", .total = 1},
        {.name = "250 m shorter, in proportion", .reference = {A, V, Sh}, .today = {A, V, Sh}, .referenceRun = 2950,
         .text = "distance −0,5", .total = -0.5},
        // The recul is in the distance run on either side.
        {.name = "25 m of recul today", .reference = {A, V, Sh}, .today = {A, V, Sh, 25}, .dayRun = 2725,
         .text = "distance +0,1", .total = 0.05},
        {.name = "25 m of recul on both sides", .reference = {A, V, Sh, 25}, .today = {A, V, Sh, 25},
         .referenceRun = 2725, .dayRun = 2725},
        // Combined.
        {.name = "autostart then, D4 and mounted today, 500 m further", .reference = {A, Auto, Sh},
         .today = {M, V, D4}, .dayRun = 3200,
         .text = "autostart +1,0 · D4 −2,0 · trot monté +1,0 · distance +1,0", .total = 1},
        // Unknown on either side: no correction from it.
        {.name = "start unknown then", .reference = {A, NoStart, Sh}, .today = {A, Auto, D4}, .text = "D4 −2,0", .total = -2},
        {.name = "shoeing unknown today", .reference = {A, Auto, Sh}, .today = {A, V, Shoeing::Unknown},
         .text = "autostart +1,0", .total = 1},
        {.name = "discipline unknown then: the race's distance rule", .reference = {std::nullopt, V, Sh},
         .today = {M, V, Sh}, .dayRun = 3200, .text = "distance +1,0", .total = 1},
        {.name = "no discipline at all: nothing", .today = {std::nullopt, V, D4}, .dayRun = 3200},
        // Flat and obstacle: no trot condition counts; distance and going 0 by default.
        {.name = "flat, 500 m further, softer: none by default", .reference = {F, Auto, D4, 0, Going::GoodOrFaster},
         .today = {F, V, Sh, 0, Going::SoftOrSlower}, .dayRun = 3200},
        {.name = "obstacle from flat: none", .reference = {F}, .today = {J}},
        // Trot and the others do not mix.
        {.name = "a trot reference for a flat race", .reference = {A, V, Sh}, .today = {F}, .refused = true},
        {.name = "a flat reference for a trot race", .reference = {J}, .today = {M, V, Sh}, .refused = true},
    };
    // clang-format on
    for (const CorrectionRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestCorrections::corrections() {
    QFETCH(CorrectionRow, row);
    const Corrections c =
        calc::corrections({}, row.reference, row.today, row.referenceRun, row.dayRun);
    QCOMPARE(c.refused.isEmpty(), !row.refused);
    QCOMPARE(c.text(), row.text);
    QVERIFY2(std::fabs(c.total - row.total) < 1e-9, qPrintable(QString::number(c.total)));
}

void TestCorrections::edited() {
    // The table's own figures, the going among them for the flat.
    CorrectionTable table;
    table.d4 = -1.5;
    table.flatPer500 = 0.6;
    table.going = {0, 0.5, 1.2};
    const Corrections trot =
        calc::corrections(table, {Discipline::TrotHarness, Start::Volte, Shoeing::Shod},
                          {Discipline::TrotHarness, Start::Volte, Shoeing::D4}, 2700, 2700);
    QCOMPARE(trot.text(), u"D4 −1,5"_qs);
    const Corrections flat =
        calc::corrections(table, {Discipline::Flat, {}, {}, 0, Going::GoodOrFaster},
                          {Discipline::Flat, {}, {}, 0, Going::SoftOrSlower}, 1600, 2100);
    QCOMPARE(flat.text(), u"distance +0,6 · souple ou plus lourd +1,2"_qs);
    QVERIFY(std::fabs(flat.total - 1.8) < 1e-9);
}

void TestCorrections::notation_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("tenths");
    QTest::addColumn<QString>("hundredths");
    QTest::newRow("76,257") << 76.257 << u"1'16\"3"_qs << u"1'16\"26"_qs;
    QTest::newRow("74,96") << 74.96 << u"1'15\"0"_qs << u"1'14\"96"_qs;
    QTest::newRow("75,449") << 75.449 << u"1'15\"4"_qs << u"1'15\"45"_qs;
    // 229,88 s over 3000 m and 25 m of recul: 75,99 s per km, published 1'16"0.
    QTest::newRow("recul: 229,88 s over 3025 m")
        << 229.88 * 1000 / 3025 << u"1'16\"0"_qs << u"1'15\"99"_qs;
    QTest::newRow("a minute up") << 59.96 << u"1'00\"0"_qs << u"0'59\"96"_qs;
}

void TestCorrections::notation() {
    QFETCH(double, seconds);
    QFETCH(QString, tenths);
    QFETCH(QString, hundredths);
    QCOMPARE(punterTenths(seconds), tenths);
    QCOMPARE(punterHundredths(seconds), hundredths);
}

void TestCorrections::names() {
    for (Start s : {Start::Unknown, Start::Autostart, Start::Volte})
        QCOMPARE(startOf(startName(s)), s);
    for (Shoeing s : {Shoeing::Unknown, Shoeing::Shod, Shoeing::D4, Shoeing::DA, Shoeing::DP})
        QCOMPARE(shoeingOf(shoeingName(s)), s);
    for (int d = 0; d < scale::DisciplineCount; ++d)
        QCOMPARE(disciplineOf(scale::disciplineName(Discipline(d))), Discipline(d));
    QCOMPARE(startOf(u"lancé"_qs), std::nullopt);
    QCOMPARE(shoeingOf(u"D5"_qs), std::nullopt);
    QCOMPARE(signedSeconds(-2), u"−2,0"_qs);
}

void TestCorrections::going_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("band"); // -1: unknown
    const int good = int(Going::GoodOrFaster), goodToSoft = int(Going::GoodToSoft),
              soft = int(Going::SoftOrSlower);
    QTest::newRow("a band's own name") << u"souple ou plus lourd"_qs << soft;
    QTest::newRow("case and accents aside") << u"TRÈS Léger"_qs << good;
    QTest::newRow("repeated spaces") << u"  bon   souple "_qs << goodToSoft;
    QTest::newRow("bon à souple") << u"Bon à souple"_qs << goodToSoft;
    QTest::newRow("bon") << u"bon"_qs << good;
    QTest::newRow("collant") << u"collant"_qs << soft;
    QTest::newRow("très lourd") << u"très lourd"_qs << soft;
    QTest::newRow("a going of the sand: unknown") << u"PSF standard"_qs << -1;
    QTest::newRow("a word that only begins like one") << u"bonne"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestCorrections::going() {
    QFETCH(QString, text);
    QFETCH(int, band);
    const auto going = goingOf(text);
    QCOMPARE(going ? int(*going) : -1, band);
}

QTEST_GUILESS_MAIN(TestCorrections)
#include "tst_corrections.moc"
