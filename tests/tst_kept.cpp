// Nothing the punter typed is lost or overwritten without a word: a runner fed
// from the history and corrected by hand keeps the correction, a refused edit
// changes nothing anywhere, and a reference's conditions nobody gave are stored
// unknown.
#include "appstate.h"
#include "comparable.h"
#include "logichelpers.h"
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

QTEST_GUILESS_MAIN(TestKept)
#include "tst_kept.moc"
