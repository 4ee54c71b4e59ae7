// Nothing the punter typed is lost or overwritten without a word: a runner fed
// from the history and corrected by hand keeps the correction, a refused edit
// changes nothing anywhere, and a reference's conditions nobody gave are stored
// unknown.
#include "appstate.h"
#include "comparable.h"
#include "logichelpers.h"
#include "newrunner.h"
#include "runhistory.h"
#include "sheetedit.h"
#include "workedexample.h"

#include <QTest>

namespace {

const int Oui = 0, Non = 1;

const RaceSheet TrotDay{.name = u"Prix"_qs,
                        .date = QDate(2026, 12, 8),
                        .distance = u"2700"_qs,
                        .discipline = TrotHarness,
                        .start = u"volté"_qs};

// Idéal's run imported from a saved file: 2700 m in 3'20"00 at Vincennes.
history::Run importedRun() {
    history::Run r;
    r.horse = u"Idéal"_qs;
    r.date = QDate(2026, 11, 30);
    r.hippodrome = u"Vincennes"_qs;
    r.discipline = history::Discipline::TrotHarness;
    r.distance = 2700;
    r.start = calc::Start::Volte;
    r.shoeing = calc::Shoeing::Shod;
    r.time = 20000;
    r.source = history::Source::Import;
    return r;
}

// The history's runs of a horse without their ids, to compare what is stored.
std::vector<history::Run> stored(history::Store& store, const QString& horse) {
    auto runs = store.runsOf(horse).runs;
    for (auto& r : runs)
        r.id = 0;
    return runs;
}

} // namespace

struct KeptRow {
    const char* name;
    RunnerField field;
    QString text;
    QList<int> choices = {};
    QString after = {}; // the cell's text after; empty: the runner unchanged
};
Q_DECLARE_METATYPE(KeptRow)

class TestKept : public QObject {
    Q_OBJECT

  private slots:
    void fedRunnerEdited_data();
    void fedRunnerEdited();
    void conditionsNotAssumed_data();
    void conditionsNotAssumed();
    void typedInOnePass_data();
    void typedInOnePass();
    void shortDate_data();
    void shortDate();
};

void TestKept::fedRunnerEdited_data() {
    QTest::addColumn<KeptRow>("row");
    using F = RunnerField;
    // clang-format off
    const KeptRow rows[] = {
        {.name = "the reference's discipline stays as typed", .field = F::ReferenceDiscipline,
         .text = u"trot monté"_qs, .after = u"trot monté"_qs},
        {.name = "the reference's shoeing stays as typed", .field = F::ReferenceShoeing,
         .text = u"D4"_qs, .after = u"D4"_qs},
        {.name = "the time stays as typed", .field = F::Time, .text = u"3'21\"50"_qs,
         .after = u"3'21\"50"_qs},
        {.name = "an unreadable time changes nothing", .field = F::Time, .text = u"vite"_qs},
        {.name = "unusual seconds refused: nothing changes", .field = F::Time,
         .text = u"3'75\"00"_qs, .choices = {Non}},
        {.name = "a recul of 250 m refused: nothing changes", .field = F::DayRecul,
         .text = u"250"_qs, .choices = {Non}},
        {.name = "a discipline of no name changes nothing", .field = F::ReferenceDiscipline,
         .text = u"galop"_qs},
    };
    // clang-format on
    for (const KeptRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestKept::fedRunnerEdited() {
    QFETCH(KeptRow, row);
    QTemporaryDir folder;
    RaceSheet sheet = TrotDay;
    Runner r = workedExample(u"Idéal"_qs);
    r.race.referenceDistance = u"2700"_qs;
    r.race.referenceWeight = r.race.dayWeight = QString();
    sheet.runners = {r};
    AppState state(folder.filePath(u"o.ini"_qs),
                   RaceDay{sheet, folder.filePath(u"coursedujour.csv"_qs)});
    ScriptedDialogs dialogs;
    history::Store& store = state.history();
    QVERIFY(saveRaceDay(state.raceDay(), dialogs));
    QCOMPARE(state.openHistory(folder.filePath(u"h.sqlite"_qs), QDateTime(), dialogs), QString());
    QVERIFY(store.add({importedRun()}).result.ok());
    state.feedFromHistory();
    const Runner fed = state.raceDay().sheet.runners[0];
    QCOMPARE(fed.served, u"30/11/2026 Vincennes"_qs);
    const auto runsBefore = stored(store, u"Idéal"_qs);

    dialogs.choices = row.choices;
    const bool changed = editRunner(state.raceDay(), 0, row.field, row.text, {}, dialogs);
    QCOMPARE(changed, !row.after.isEmpty());
    if (changed) {
        state.runnerCorrected(fed, state.raceDay().sheet.runners[0]);
        state.sheetEdited();
    }
    const Runner now = state.raceDay().sheet.runners[0];
    const auto runsAfter = stored(store, u"Idéal"_qs);
    if (row.after.isEmpty()) {
        QCOMPARE(now, fed);
        QCOMPARE(runsAfter, runsBefore);
        return;
    }
    QCOMPARE(fieldText(now, row.field), row.after);
    QVERIFY(now.served.isEmpty()); // the punter's, not the history's choice
    // The imported run keeps what the file said (the same run typed again only
    // fills what it lacked).
    QCOMPARE(runsAfter.size(), runsBefore.size());
    const history::Run& imported = runsAfter[0]; // the dated run first
    QCOMPARE(imported.source, history::Source::Import);
    QCOMPARE(imported.time, runsBefore[0].time);
    QCOMPARE(imported.discipline, runsBefore[0].discipline);
    QCOMPARE(imported.shoeing, runsBefore[0].shoeing);
    // Read again from its file, the sheet keeps it.
    state.feedFromHistory();
    QCOMPARE(fieldText(state.raceDay().sheet.runners[0], row.field), row.after);
}

void TestKept::conditionsNotAssumed_data() {
    QTest::addColumn<QString>("discipline"); // today's
    QTest::addColumn<QString>("typed");      // the reference's, typed; empty: not
    QTest::addColumn<history::Discipline>("stored");
    using D = history::Discipline;
    QTest::newRow("a trot sheet: a trot, attelé or monté unsaid")
        << TrotHarness << QString() << D::Trot;
    QTest::newRow("a monté sheet: the same") << TrotMounted << QString() << D::Trot;
    QTest::newRow("monté typed on an attelé sheet") << TrotHarness << TrotMounted << D::TrotMounted;
    QTest::newRow("a flat sheet: flat") << Flat << QString() << D::Flat;
    QTest::newRow("an obstacle sheet: obstacle") << Jumps << QString() << D::Jumps;
}

void TestKept::conditionsNotAssumed() {
    QFETCH(QString, discipline);
    QFETCH(QString, typed);
    QFETCH(history::Discipline, stored);
    RaceSheet sheet = TrotDay;
    sheet.discipline = discipline;
    Runner r = workedExample(u"Idéal"_qs);
    takeRaceConditions(r, sheet); // as the main window's horse comes on the sheet
    r.referenceDiscipline = calc::disciplineOf(typed);
    const auto run = referenceRun(r, sheet);
    QVERIFY(run);
    QCOMPARE(run->discipline, stored);
    QCOMPARE(run->start, calc::Start::Unknown);
    QCOMPARE(run->shoeing, calc::Shoeing::Unknown);
    // Read back, a trot of either kind is comparable for a trot race of each kind.
    if (stored == history::Discipline::Trot) {
        QCOMPARE(history::disciplineOf(history::disciplineName(stored)), stored);
        history::Run dated = *run;
        dated.date = QDate(2026, 11, 30);
        for (const QString& today : {TrotHarness, TrotMounted}) {
            RaceSheet race = sheet;
            race.discipline = today;
            race.distance = u"2100"_qs;
            QVERIFY(isComparable(dated, r, race));
        }
    }
}

struct OnePassRow {
    const char* name;
    QString discipline;
    TypedRunner typed;
    QList<int> choices = {};
    QString estimate = {}; // as the sheet holds it; empty: not put on the sheet
    QString corrections = {};
    QString said = {}; // the first message, if any
};
Q_DECLARE_METATYPE(OnePassRow)

void TestKept::typedInOnePass_data() {
    QTest::addColumn<OnePassRow>("row");
    using F = RunnerField;
    // clang-format off
    const OnePassRow rows[] = {
        // By hand: 2400 × 158,5 ÷ 2100 = 181,14, plus 1 kg at 1,5 kg a second
        // (cut to 0,66): 181,80.
        {.name = "flat: the worked example", .discipline = Flat,
         .typed = {{F::Number, u"4"_qs}, {F::Name, u"Eclair"_qs}, {F::ReferenceDistance, u"2100"_qs},
                   {F::Time, u"2'38\"50"_qs}, {F::ReferenceWeight, u"57"_qs}, {F::Margin, u""_qs},
                   {F::ReferenceDate, u"15/11/2026"_qs}, {F::ReferenceHippodrome, u"Chantilly"_qs},
                   {F::DayWeight, u"58"_qs}},
         .estimate = u"03:01:80"_qs},
        // By hand: 3'20"50 over 2700 m is 74,26 s/km; volté then and today: no
        // start correction; D4 today over ferré then −2,0: 72,26 × 2,7 = 195,10.
        {.name = "trot: D4 today, the reference ferré", .discipline = TrotHarness,
         .typed = {{F::Number, u"7"_qs}, {F::Name, u"Lotus"_qs}, {F::ReferenceDistance, u"2700"_qs},
                   {F::Time, u"3'20\"50"_qs}, {F::ReferenceStart, u"volté"_qs},
                   {F::ReferenceShoeing, u"ferré"_qs}, {F::DayShoeing, u"D4"_qs}},
         .estimate = u"03:15:10"_qs, .corrections = u"D4 −2,0"_qs},
        {.name = "a known horse by its name alone: waits for its runs", .discipline = TrotHarness,
         .typed = {{F::Name, u"Idéal"_qs}}, .estimate = u""_qs},
        {.name = "no name", .discipline = Flat, .typed = {{F::Name, u" "_qs}},
         .said = u"Le nom du cheval ne peut pas être vide."_qs},
        {.name = "a time unreadable: nothing added", .discipline = Flat,
         .typed = {{F::Name, u"Eclair"_qs}, {F::ReferenceDistance, u"2100"_qs}, {F::Time, u"vite"_qs}},
         .said = TimeError},
        {.name = "a recul of 250 m, Non: nothing added", .discipline = TrotHarness,
         .typed = {{F::Name, u"Lotus"_qs}, {F::DayRecul, u"250"_qs}}, .choices = {1},
         .said = u"Un recul de 250 m est inhabituel : les reculs vont de 25 en 25 m, jusqu'à 100 m. Le garder pour « Lotus » ?"_qs},
        {.name = "a N° already taken, Non: nothing added", .discipline = Flat,
         .typed = {{F::Number, u"1"_qs}, {F::Name, u"Eclair"_qs}}, .choices = {1},
         .said = u"Le n° 1 est déjà celui de « Bolide ». Le donner aussi à « Eclair » ?"_qs},
    };
    // clang-format on
    for (const OnePassRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestKept::typedInOnePass() {
    QFETCH(OnePassRow, row);
    QTemporaryDir folder;
    RaceSheet sheet = TrotDay;
    sheet.discipline = row.discipline;
    sheet.start = isTrot(row.discipline) ? u"volté"_qs : QString();
    sheet.distance = isTrot(row.discipline) ? u"2700"_qs : u"2400"_qs;
    Runner bolide;
    bolide.name = u"Bolide"_qs;
    bolide.number = u"1"_qs;
    sheet.runners = {bolide}; // awaiting its reference
    RaceDay day{sheet, folder.filePath(u"coursedujour.csv"_qs)};
    ScriptedDialogs dialogs;
    dialogs.choices = row.choices;
    const bool added = addTypedRunner(day, row.typed, false, {}, dialogs);
    QCOMPARE(dialogs.shown.isEmpty() ? QString() : dialogs.shown[0].text, row.said);
    QCOMPARE(added, row.said.isEmpty());
    if (!added) {
        QCOMPARE(day.sheet, sheet);
        return;
    }
    QCOMPARE(day.sheet.runners.size(), size_t(2));
    const Runner& r = day.sheet.runners[1];
    QCOMPARE(r.estimate, row.estimate);
    QCOMPARE(r.corrections, row.corrections);
    QCOMPARE(r.picked, row.estimate.isEmpty() ? 0 : Runner::KeptAsTyped);
    QVERIFY(day.written());
}

void TestKept::shortDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("daysBack"); // from today; -1: refused
    QTest::newRow("today") << QDate::currentDate().toString(u"d/M"_qs) << 0;
    QTest::newRow("yesterday, with its year")
        << QDate::currentDate().addDays(-1).toString(u"dd/MM/yyyy"_qs) << 1;
    QTest::newRow("tomorrow: last year's")
        << QDate::currentDate().addDays(1).toString(u"dd/MM"_qs)
        << int(QDate::currentDate().addDays(1).addYears(-1).daysTo(QDate::currentDate()));
    QTest::newRow("a day of no month") << u"31/02"_qs << -1;
    QTest::newRow("a month alone") << u"11"_qs << -1;
}

// A reference's date typed as day and month: the last such day.
void TestKept::shortDate() {
    QFETCH(QString, typed);
    QFETCH(int, daysBack);
    ScriptedDialogs dialogs;
    const auto r = withField(Runner{}, RunnerField::ReferenceDate, typed, dialogs);
    QCOMPARE(r.has_value(), daysBack >= 0);
    if (r)
        QCOMPARE(r->referenceDate, QDate::currentDate().addDays(-daysBack));
}

QTEST_GUILESS_MAIN(TestKept)
#include "tst_kept.moc"
