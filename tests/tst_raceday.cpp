// The day's race sheet's file with two copies of the program at work on it.
#include "racedayfile.h"
#include "racefile.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

Runner runner(const QString& name, double estimate, const QString& distance = u"2400"_qs) {
    Runner r;
    r.name = name;
    r.race.dayDistance = distance;
    r.estimateHundredths = estimate;
    r.estimate = QString::number(estimate);
    return r;
}

QStringList namesOf(const RaceSheet& sheet) {
    QStringList names;
    for (const Runner& r : sheet.runners)
        names << r.name + u':' + QString::number(r.estimateHundredths);
    return names;
}

RaceSheet sheetOn(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return racefile::read(f.readAll()).value_or(RaceSheet{u"<illisible>"_qs, {}, {}});
}

// What each copy does between reading the file and writing it again.
enum class Change { Add, Replace, NewRace, Garble };
void apply(RaceDay& day, Change change, const Runner& r) {
    switch (change) {
    case Change::Add:
        day.sheet.runners.push_back(r);
        break;
    case Change::Replace:
        day.sheet.runners.front() = r;
        break;
    case Change::NewRace:
        day.sheet = RaceSheet{QString(), QDate(2026, 12, 8), {r}};
        break;
    case Change::Garble:
        break;
    }
}

} // namespace

struct TwoCopiesRow {
    const char* name;
    Change other = {}; // the other copy's change, saved first
    Runner theirs = {};
    Change ours = {}; // then this copy's, saved over it
    Runner mine = {};
    QList<int> answers = {}; // to this copy's questions
    QStringList file = {};   // afterwards, "Name:estimate" in order
    int questions = 0;
    bool aside = false; // a file set aside, holding what was not kept
};
Q_DECLARE_METATYPE(TwoCopiesRow)

class TestRaceDay : public QObject {
    Q_OBJECT

  private slots:
    void twoCopies_data();
    void twoCopies();
    void twoProcesses();
};

void TestRaceDay::twoCopies_data() {
    QTest::addColumn<TwoCopiesRow>("row");
    const int Escape = ScriptedDialogs::Escape, Enter = ScriptedDialogs::Enter;
    const Runner bolide = runner(u"Bolide"_qs, 18200), eclair = runner(u"Eclair"_qs, 18100);
    const Runner eclairHere = runner(u"Eclair"_qs, 18110),
                 eclairThere = runner(u"Eclair"_qs, 18120);
    const TwoCopiesRow rows[] = {
        {.name = "each adds a horse: both kept",
         .other = Change::Add,
         .theirs = bolide,
         .ours = Change::Add,
         .mine = eclair,
         .file = {"Alizé:18000", "Eclair:18100", "Bolide:18200"}},
        {.name = "the same horse changed in both: here kept",
         .other = Change::Replace,
         .theirs = eclairThere,
         .ours = Change::Replace,
         .mine = eclairHere,
         .answers = {0},
         .file = {"Eclair:18110"},
         .questions = 1},
        {.name = "the same horse changed in both: there kept",
         .other = Change::Replace,
         .theirs = eclairThere,
         .ours = Change::Replace,
         .mine = eclairHere,
         .answers = {1},
         .file = {"Eclair:18120"},
         .questions = 1},
        {.name = "the same horse changed in both: Enter keeps both",
         .other = Change::Replace,
         .theirs = eclairThere,
         .ours = Change::Replace,
         .mine = eclairHere,
         .answers = {Enter},
         .file = {"Eclair:18110", "Eclair:18120"},
         .questions = 1},
        {.name = "the same horse changed in both: Escape keeps both",
         .other = Change::Replace,
         .theirs = eclairThere,
         .ours = Change::Replace,
         .mine = eclairHere,
         .answers = {Escape},
         .file = {"Eclair:18110", "Eclair:18120"},
         .questions = 1},
        {.name = "another race there: this one kept, the other aside",
         .other = Change::NewRace,
         .theirs = runner(u"Trotteur"_qs, 20000, u"2700"_qs),
         .ours = Change::Add,
         .mine = eclair,
         .answers = {0},
         .file = {"Alizé:18000", "Eclair:18100"},
         .questions = 1,
         .aside = true},
        {.name = "another race there: that one kept, this one aside",
         .other = Change::NewRace,
         .theirs = runner(u"Trotteur"_qs, 20000, u"2700"_qs),
         .ours = Change::Add,
         .mine = eclair,
         .answers = {1},
         .file = {"Trotteur:20000"},
         .questions = 1,
         .aside = true},
        {.name = "garbled there: kept aside, this sheet written",
         .other = Change::Garble,
         .theirs = {},
         .ours = Change::Add,
         .mine = eclair,
         .file = {"Alizé:18000", "Eclair:18100"},
         .questions = 0,
         .aside = true},
    };
    for (const TwoCopiesRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestRaceDay::twoCopies() {
    QFETCH(TwoCopiesRow, row);
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    ScriptedDialogs start;
    RaceDay first = loadRaceDay(path, start, QDateTime::currentDateTime());
    first.sheet.runners.push_back(row.ours == Change::Replace ? runner(u"Eclair"_qs, 18100)
                                                              : runner(u"Alizé"_qs, 18000));
    QVERIFY(saveRaceDay(first, start));
    // Both copies read the file; the other writes first.
    ScriptedDialogs theirs, ours;
    RaceDay other = loadRaceDay(path, theirs, QDateTime::currentDateTime());
    RaceDay mine = loadRaceDay(path, ours, QDateTime::currentDateTime());
    apply(other, row.other, row.theirs);
    if (row.other == Change::Garble) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("n'importe quoi\r\n");
    } else {
        QVERIFY(saveRaceDay(other, theirs));
    }
    apply(mine, row.ours, row.mine);
    ours.choices = row.answers;
    QVERIFY(saveRaceDay(mine, ours));
    QCOMPARE(namesOf(sheetOn(path)), row.file);
    QCOMPARE(namesOf(mine.sheet), row.file); // the window shows what the file holds
    int questions = 0;
    for (const ShownDialog& d : ours.shown)
        questions += d.icon == Dialogs::Icon::Question;
    QCOMPARE(questions, row.questions);
    const QStringList aside = QDir(folder.path()).entryList({u"coursedujour-*.csv"_qs});
    QCOMPARE(aside.size(), row.aside ? 1 : 0);
    // Saved again with nothing changed elsewhere: no question, nothing added.
    QVERIFY(saveRaceDay(mine, ours));
    QCOMPARE(namesOf(sheetOn(path)), row.file);
}

void TestRaceDay::twoProcesses() {
    QTemporaryDir folder;
    const QString path = folder.filePath("coursedujour.csv");
    const QString program = QCoreApplication::applicationDirPath() + u"/sheetcopy"_qs;
    const int each = 12;
    QProcess a, b;
    a.start(program, {path, u"Alpha"_qs, QString::number(each)});
    b.start(program, {path, u"Bravo"_qs, QString::number(each)});
    QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    QStringList names;
    for (const Runner& r : sheetOn(path).runners)
        names << r.name;
    names.sort();
    QStringList expected;
    for (int i = 0; i < each; ++i)
        expected << QStringLiteral("Alpha %1").arg(i) << QStringLiteral("Bravo %1").arg(i);
    expected.sort();
    QCOMPARE(names, expected);
}

QTEST_GUILESS_MAIN(TestRaceDay)
#include "tst_raceday.moc"
