// Folders of saved race files: grouped by day and race from what the files hold,
// a race stored whole or not at all, stopped between two races, today's single
// race onto the sheet, and the history copied before each import and once a day.

#include "bilan.h"
#include "cells.h"
#include "finishes.h"
#include "folderimport.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Today(2026, 12, 8);

qint64 msOf(const QDate& day) {
    return QDateTime(day, QTime(13, 0), Qt::UTC).toMSecsSinceEpoch();
}

void write(const QString& path, const QJsonObject& o) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    const QByteArray bytes = QJsonDocument(o).toJson();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The file a recipe names: "prog 05112025 R1C1:2100 R1C2:2700" (a day's
// programme at Vincennes), "part A,B 2100 [casaque 07112025/R2/C3] [run]"
// (participants, placed in their order once run; "odds 3.5,9" their final odds;
// "oeilleres": the first with blinkers, the others without), "perf A,B" (each
// horse's run of 2 November), "csv A" (past runs), "junk".
QJsonObject fileOf(const QString& recipe, QByteArray& raw) {
    const QStringList w = recipe.split(u' ');
    if (w[0] == u"prog") {
        QJsonArray races;
        for (const QString& r : w.mid(2))
            races.append(QJsonObject{{u"numOrdre"_qs, r.section(u':', 0, 0).mid(3).toInt()},
                                     {u"libelle"_qs, u"PRIX "_qs + r.section(u':', 0, 0)},
                                     {u"discipline"_qs, u"ATTELE"_qs},
                                     {u"distance"_qs, r.section(u':', 1).toInt()}});
        const QDate day = QDate::fromString(w[1], u"ddMMyyyy"_qs);
        return {{u"programme"_qs,
                 QJsonObject{
                     {u"reunions"_qs,
                      QJsonArray{QJsonObject{
                          {u"numOfficiel"_qs, 1},
                          {u"dateReunion"_qs, msOf(day)},
                          {u"timezoneOffset"_qs, 3600000},
                          {u"hippodrome"_qs, QJsonObject{{u"libelleCourt"_qs, u"VINCENNES"_qs}}},
                          {u"courses"_qs, races}}}}}}};
    }
    QJsonArray runners;
    const QStringList horses = w.value(1).split(u',');
    for (int i = 0; i < horses.size(); ++i) {
        QJsonObject o{{u"numPmu"_qs, i + 1}, {u"nom"_qs, horses[i]}, {u"nomCheval"_qs, horses[i]}};
        if (w[0] == u"part") {
            o[u"handicapDistance"_qs] = w[2].toInt();
            if (const int at = w.indexOf(u"casaque"_qs); at > 0)
                o[u"urlCasaque"_qs] = u"https://x/casaques/%1/P%2.png"_qs.arg(w[at + 1]).arg(i + 1);
            if (const int at = w.indexOf(u"odds"_qs); at > 0)
                o[u"dernierRapportDirect"_qs] =
                    QJsonObject{{u"rapport"_qs, w[at + 1].split(u',')[i].toDouble()}};
            if (w.contains(u"oeilleres"_qs)) // the first with blinkers, the others without
                o[u"oeilleres"_qs] = i == 0 ? u"OEILLERES_CLASSIQUES"_qs : u"SANS_OEILLERES"_qs;
            if (w.contains(u"run"_qs))
                o[u"ordreArrivee"_qs] = i + 1, o[u"reductionKilometrique"_qs] = 7200 + 10 * i;
        } else {
            o[u"coursesCourues"_qs] = QJsonArray{
                QJsonObject{{u"date"_qs, msOf(QDate(2026, 11, 2))},
                            {u"timezoneOffset"_qs, 3600000},
                            {u"hippodrome"_qs, u"CAEN"_qs},
                            {u"discipline"_qs, u"ATTELE"_qs},
                            {u"distance"_qs, 2200},
                            {u"participants"_qs,
                             QJsonArray{QJsonObject{{u"nomCheval"_qs, horses[i]},
                                                    {u"itsHim"_qs, true},
                                                    {u"place"_qs, QJsonObject{{u"place"_qs, 3}}},
                                                    {u"reductionKilometrique"_qs, 7400}}}}}};
        }
        runners.append(o);
    }
    if (w[0] == u"csv")
        raw = "cheval;date;hippodrome;distance;chrono\r\n" + horses[0].toUtf8() +
              ";02/11/2026;Caen;2200;2'44\"00\r\n";
    if (w[0] == u"junk")
        raw = "{\"participants\": [";
    return {{u"participants"_qs, runners}};
}

// Each "path = recipe" of `files` written under `root`.
void writeAll(const QString& root, const QStringList& files) {
    for (const QString& f : files) {
        QByteArray raw;
        const QJsonObject o = fileOf(f.section(u" = "_qs, 1), raw);
        const QString path = root + u'/' + f.section(u" = "_qs, 0, 0);
        if (raw.isEmpty()) {
            write(path, o);
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(raw) == raw.size());
    }
}

struct Workplace {
    QTemporaryDir dir;
    AppState state;
    ScriptedDialogs dialogs;
    QString files() const { return dir.filePath(u"fichiers"_qs); }
    explicit Workplace(const QDateTime& now = QDateTime())
        : state(dir.filePath(u"o.ini"_qs), RaceDay{{}, dir.filePath(u"coursedujour.csv"_qs)}) {
        if (const QString why = state.openHistory(history(), now, dialogs); !why.isEmpty())
            qFatal("%s", qPrintable(why));
    }
    QString history() const { return dir.filePath(u"historique.sqlite"_qs); }
    PathsImported import(ImportProgress* progress = nullptr) {
        return importPaths({files()}, state, {dir.filePath(u"courses"_qs), Today}, dialogs,
                           progress);
    }
    size_t runsOf(const QString& horse) { return state.history().runsOf(horse).runs.size(); }
    // R1C1 of 5 November 2025 over 2700 m, its runners from `participants`, imported.
    bool importR1C1(const QString& participants) {
        writeAll(files(), {u"programme_05112025.json = prog 05112025 R1C1:2700"_qs,
                           u"participants_R1_C1.json = "_qs + participants});
        return import().anyRead;
    }
};

// Stops at a given step, counting them.
struct StopAt : ImportProgress {
    int stopAt, steps = 0;
    explicit StopAt(int at) : stopAt(at) {}
    bool step(int, int) override { return ++steps < stopAt; }
};

} // namespace

class TestFolders : public QObject {
    Q_OBJECT
  private slots:
    void grouped_data();
    void grouped();
    void folderImported();
    void stopped_data();
    void stopped();
    void refusedRaceStoresNothing();
    void todaysRace_data();
    void todaysRace();
    void copiesMade();
    void racesKept();
    void finishes_data();
    void finishes();
    void bilan_data();
    void bilan();
    void blinkersFirstTime_data();
    void blinkersFirstTime();
    void combinedFromTwoHundred_data();
    void combinedFromTwoHundred();
};

void TestFolders::grouped_data() {
    QTest::addColumn<QStringList>("files");  // "path = recipe"
    QTest::addColumn<QStringList>("groups"); // "day code: files", in order
    const QString prog = u"prog 05112025 R1C1:2100 R1C2:2700"_qs;
    QTest::newRow("a day as saved: programme, participants and performances")
        << QStringList{u"j/programme_05112025.json = "_qs + prog,
                       u"j/participants_R1_C1.json = part A,B 2100"_qs,
                       u"j/performances_R1_C1.json = perf A,B"_qs}
        << QStringList{u"05/11/2025 R1C1: programme_05112025.json participants_R1_C1.json "
                       "performances_R1_C1.json"_qs};
    QTest::newRow("named nothing: the race from its runners, performances from their horses")
        << QStringList{u"j/p.json = "_qs + prog, u"j/a.json = part C,D 2700"_qs,
                       u"j/b.json = perf D,C"_qs}
        << QStringList{u"05/11/2025 R1C2: p.json a.json b.json"_qs};
    QTest::newRow("two days, each in its folder, the same race codes")
        << QStringList{u"d1/programme_05112025.json = prog 05112025 R1C1:2100"_qs,
                       u"d1/participants_R1_C1.json = part A,B 2100"_qs,
                       u"d2/programme_06112025.json = prog 06112025 R1C1:2100"_qs,
                       u"d2/participants_R1_C1.json = part E,F 2100"_qs}
        << QStringList{u"05/11/2025 R1C1: programme_05112025.json participants_R1_C1.json"_qs,
                       u"06/11/2025 R1C1: programme_06112025.json participants_R1_C1.json"_qs};
    QTest::newRow("the casaques' address, no programme")
        << QStringList{u"x/partants.json = part A 2100 casaque 07112025/R2/C3"_qs}
        << QStringList{u"07/11/2025 R2C3: partants.json"_qs};
    QTest::newRow("runners fitting two races: alone, with the programme")
        << QStringList{u"j/p.json = prog 05112025 R1C1:2700 R1C2:2700"_qs,
                       u"j/a.json = part A 2700"_qs}
        << QStringList{u"- -: p.json a.json"_qs};
    QTest::newRow("performances of horses in no file: alone")
        << QStringList{u"j/p.json = "_qs + prog, u"j/a.json = part A,B 2100"_qs,
                       u"j/b.json = perf X,Y,A"_qs}
        << QStringList{u"- -: b.json"_qs, u"05/11/2025 R1C1: p.json a.json"_qs};
    QTest::newRow("past runs and a file not read: alone, the unread left out")
        << QStringList{u"courses.csv = csv A"_qs, u"abime.json = junk"_qs}
        << QStringList{u"- -: courses.csv"_qs};
}

void TestFolders::grouped() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, groups);
    QTemporaryDir dir;
    writeAll(dir.path(), files);
    std::vector<imports::FileRead> reads;
    QStringList folders;
    for (const QString& path : filesUnder({dir.path()})) {
        reads.push_back(readPath(path));
        folders << QFileInfo(path).absolutePath();
    }
    QStringList out;
    for (const RaceFiles& g : groupByRace(std::move(reads), folders)) {
        QStringList names;
        for (const imports::FileRead& f : g.reads)
            names << f.file;
        out << u"%1 %2: %3"_qs.arg(g.day.isValid() ? g.day.toString(u"dd/MM/yyyy"_qs) : u"-"_qs,
                                   g.code.isEmpty() ? u"-"_qs : g.code, names.join(u' '));
    }
    QCOMPARE(out, groups);
}

void TestFolders::folderImported() {
    Workplace w;
    writeAll(w.files(),
             {u"2025/11/05/programme_05112025.json = prog 05112025 R1C1:2100 R1C2:2700"_qs,
              u"2025/11/05/participants_R1_C1.json = part A,B 2100 run"_qs,
              u"2025/11/05/participants_R1_C2.json = part C,D 2700 run"_qs,
              u"2025/11/05/performances_R1_C2.json = perf C,D"_qs,
              u"2025/11/06/programme_06112025.json = prog 06112025 R1C1:2100"_qs,
              u"2025/11/06/participants_R1_C1.json = part E,A 2100 run"_qs,
              u"2025/11/06/notes.txt = junk"_qs, u"2025/11/06/casaque.png = junk"_qs});
    const PathsImported done = w.import();
    QVERIFY(done.anyRead);
    const QStringList lines = done.text.split(u'\n');
    QCOMPARE(lines.value(0), u"7 fichiers, 3 courses importées"_qs); // the picture not taken
    QCOMPARE(lines.value(1), u"05/11/2025 (2 courses) : 6 courses passées (0 déjà connue), "
                             "0 refusée"_qs);
    QCOMPARE(lines.value(2), u"06/11/2025 (1 course) : 2 courses passées (0 déjà connue), "
                             "0 refusée"_qs);
    QVERIFY2(lines.value(3).startsWith(u"notes.txt : JSON illisible"_qs), qPrintable(done.text));
    QCOMPARE(w.runsOf(u"A"_qs), size_t(2));           // its result on each day
    QCOMPARE(w.runsOf(u"C"_qs), size_t(2));           // its result and its past run
    QVERIFY(w.state.raceDay().sheet.runners.empty()); // no race of today
    // Imported again: nothing new, each run known.
    QVERIFY(w.import().text.contains(u"05/11/2025 (2 courses) : 6 courses passées (6 déjà "
                                     "connues)"_qs));
}

void TestFolders::stopped_data() {
    QTest::addColumn<int>("stopAt"); // the step answered Annuler: 5 files, then 3 races
    QTest::addColumn<int>("racesDone");
    QTest::newRow("while reading: nothing stored") << 3 << 0;
    QTest::newRow("after the first race") << 7 << 1;
    QTest::newRow("before the last race") << 8 << 2;
    QTest::newRow("never") << 100 << 3;
}

void TestFolders::stopped() {
    QFETCH(int, stopAt);
    QFETCH(int, racesDone);
    Workplace w;
    writeAll(w.files(),
             {u"programme.json = prog 05112025 R1C1:2100 R1C2:2200 R1C3:2300"_qs,
              u"R1C1.json = part A1,A2,A3 2100 run"_qs, u"R1C2.json = part B1,B2,B3 2200 run"_qs,
              u"R1C3.json = part C1,C2,C3 2300 run"_qs, u"perf_R1C3.json = perf C1,C2"_qs});
    StopAt stop(stopAt);
    const PathsImported done = w.import(&stop);
    QCOMPARE(done.text.contains(u"Import arrêté"_qs), racesDone < 3);
    QVERIFY2(done.text.startsWith(u"5 fichiers, %1"_qs.arg(racesDone)), qPrintable(done.text));
    // Each race whole or not at all: C1's result and past run come together.
    for (const char* race : {"A", "B", "C"}) {
        const bool stored = (race[0] - 'A') < racesDone;
        for (const char* n : {"1", "2", "3"})
            QCOMPARE(w.runsOf(QString::fromUtf8(race) + QString::fromUtf8(n)),
                     size_t(stored ? (race[0] == 'C' && n[0] != '3' ? 2 : 1) : 0));
    }
}

void TestFolders::refusedRaceStoresNothing() {
    // A run the history refuses inside a race's transaction (a trigger stands
    // for any refusal there): nothing of that race kept, the other kept whole.
    Workplace w;
    {
        sqlite::Database db;
        QVERIFY(db.open(w.history()).ok());
        QVERIFY(db.exec("CREATE TRIGGER refuse BEFORE INSERT ON run WHEN (SELECT name FROM "
                        "horse WHERE id = NEW.horse) = 'B' BEGIN SELECT RAISE(ABORT, 'non'); END")
                    .ok());
    }
    writeAll(w.files(), {u"p.json = prog 05112025 R1C1:2100 R1C2:2700"_qs,
                         u"participants_R1_C1.json = part A,B 2100 run"_qs,
                         u"performances_R1_C1.json = perf A,B"_qs,
                         u"participants_R1_C2.json = part C,D 2700 run"_qs});
    const PathsImported done = w.import();
    QVERIFY2(done.text.contains(u"aucune course passée gardée : Impossible"_qs) &&
                 done.text.contains(u"sans son cheval"_qs),
             qPrintable(done.text));
    QCOMPARE(w.runsOf(u"A"_qs) + w.runsOf(u"B"_qs), size_t(0));
    QCOMPARE(w.runsOf(u"C"_qs) + w.runsOf(u"D"_qs), size_t(2));
}

void TestFolders::todaysRace_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("sheet"); // the race on the sheet after
    QTest::addColumn<QString>("said");  // in the summary
    QTest::newRow("one race of today: onto the sheet")
        << QStringList{u"programme_08122026.json = prog 08122026 R1C1:2100"_qs,
                       u"participants_R1_C1.json = part A,B 2100"_qs,
                       u"old/programme_05112025.json = prog 05112025 R1C1:2100"_qs,
                       u"old/participants_R1_C1.json = part E,F 2100 run"_qs}
        << u"PRIX R1C1"_qs << u"08/12/2026 (1 course) : 2 partants"_qs;
    QTest::newRow("two races of today: none, said")
        << QStringList{u"programme_08122026.json = prog 08122026 R1C1:2100 R1C2:2700"_qs,
                       u"participants_R1_C1.json = part A,B 2100"_qs,
                       u"participants_R1_C2.json = part C,D 2700"_qs}
        << QString() << u"les fichiers comptent 2 courses du jour"_qs;
}

void TestFolders::todaysRace() {
    QFETCH(QStringList, files);
    QFETCH(QString, sheet);
    QFETCH(QString, said);
    Workplace w;
    writeAll(w.files(), files);
    const PathsImported done = w.import();
    QVERIFY2(done.text.contains(said), qPrintable(done.text));
    QCOMPARE(w.state.raceDay().sheet.name, sheet);
    QVERIFY(w.dialogs.shown.isEmpty()); // nothing asked
}

void TestFolders::copiesMade() {
    // The copy before an import is dated now: the starts are the day before and
    // two days after.
    const QDateTime morning = QDateTime::currentDateTime().addDays(-1);
    {
        Workplace w(morning); // the day's copy at the first start
        const QString history = w.history();
        QCOMPARE(history::copies::list(history).size(), size_t(1));
        writeAll(w.files(), {u"courses.csv = csv A"_qs});
        QVERIFY(w.import().anyRead); // a copy before it, then A stored
        const auto made = history::copies::list(history);
        QCOMPARE(made.size(), size_t(2));
        history::Store before; // the newest copy: the history without A
        QVERIFY(before.open(made.front().path).result.ok());
        QCOMPARE(before.runsOf(u"A"_qs).runs.size(), size_t(0));
        QCOMPARE(w.runsOf(u"A"_qs), size_t(1));
        // Opened again the same day: no other copy; the next day: one.
        AppState again(w.dir.filePath(u"o.ini"_qs), RaceDay{{}, w.dir.filePath(u"c.csv"_qs)});
        QVERIFY(again.openHistory(history, morning.addSecs(3600), w.dialogs).isEmpty());
        QCOMPARE(history::copies::list(history).size(), size_t(2));
        AppState next(w.dir.filePath(u"o.ini"_qs), RaceDay{{}, w.dir.filePath(u"c.csv"_qs)});
        QVERIFY(next.openHistory(history, morning.addDays(3), w.dialogs).isEmpty());
        QCOMPARE(history::copies::list(history).size(), size_t(3));
    }
}

void TestFolders::racesKept() {
    // A race run, imported with its final odds: the race with its numbers, each
    // runner's line; imported again with other odds (and without the blinkers),
    // the same race, updated, its blinkers kept.
    Workplace w;
    writeAll(w.files(),
             {u"programme_05112025.json = prog 05112025 R1C1:2100 R1C2:2700"_qs,
              u"participants_R1_C2.json = part A,B,C 2700 run odds 2.5,9,14 oeilleres"_qs});
    QVERIFY(w.import().anyRead);
    writeAll(w.files(), {u"participants_R1_C2.json = part A,B,C 2700 run odds 2.2,10.5,14"_qs});
    QVERIFY(w.import().anyRead);
    const history::RaceList list = w.state.history().races(QDate(2025, 11, 5), QDate(2025, 11, 5));
    QVERIFY(list.result.ok());
    QCOMPARE(list.races.size(), size_t(1));
    const history::races::Race& race = list.races.front();
    QCOMPARE(
        u"R%1C%2 %3 %4 m"_qs.arg(race.meeting).arg(race.number).arg(race.name).arg(race.distance),
        u"R1C2 PRIX R1C2 2700 m"_qs);
    QStringList starters;
    for (const history::races::Starter& s : race.starters)
        starters << u"%1 %2 %3 %4 %5"_qs.arg(s.number)
                        .arg(s.horse)
                        .arg(s.place)
                        .arg(s.oddsDirect.value_or(-1))
                        .arg(calc::blinkersName(s.blinkers));
    QCOMPARE(starters,
             (QStringList{u"1 A 1 2.2 œillères"_qs, u"2 B 2 10.5 sans"_qs, u"3 C 3 14 sans"_qs}));
}

void TestFolders::finishes_data() {
    QTest::addColumn<QString>("results");   // the participants file of 05/11/2025
    QTest::addColumn<QStringList>("shown"); // the sheet's A, B, C then
    QTest::newRow("the race imported once run: each runner's place")
        << u"part C,A,B 2700 run"_qs << QStringList{u"2"_qs, u"3"_qs, u"1"_qs};
    QTest::newRow("two of the three horses there: the race, the third without a place")
        << u"part B,C,X 2700 run"_qs << QStringList{QString(), u"1"_qs, u"2"_qs};
    QTest::newRow("a race of other horses that day (one of three): no place")
        << u"part X,Y,A 2700 run"_qs << QStringList{QString(), QString(), QString()};
    QTest::newRow("a race not run yet: no place")
        << u"part A,B,C 2700"_qs << QStringList{QString(), QString(), QString()};
}

void TestFolders::finishes() {
    QFETCH(QString, results);
    QFETCH(QStringList, shown);
    Workplace w;
    QVERIFY(w.importR1C1(results));
    RaceSheet sheet{.name = u"PRIX"_qs, .date = QDate(2025, 11, 5)};
    for (const char* horse : {"A", "B", "C"}) {
        sheet.runners.emplace_back();
        sheet.runners.back().name = QString::fromUtf8(horse);
    }
    fillFinishes(sheet, w.state.history());
    QStringList out;
    for (const Runner& r : sheet.runners)
        out << r.finish;
    QCOMPARE(out, shown);
}

void TestFolders::bilan_data() {
    QTest::addColumn<QString>("order");   // the arrival, first to last
    QTest::addColumn<QString>("pastDay"); // of the four horses' past runs
    QTest::addColumn<QString>("figures"); // races, first won %, winner's rank, return
    // A was fastest before the race (2'44"00, then B, C, D a second apart).
    QTest::newRow("the sheet's first wins at 2,5")
        << u"A,B,C,D"_qs << u"01/11/2026"_qs << u"1 100,0 1,00 2,50"_qs;
    QTest::newRow("the sheet's last wins")
        << u"D,C,B,A"_qs << u"01/11/2026"_qs << u"1 0,0 4,00 0,00"_qs;
    QTest::newRow("past runs dated after the race: no estimate that morning, not counted")
        << u"A,B,C,D"_qs << u"10/12/2026"_qs << u"0   "_qs;
}

void TestFolders::bilan() {
    QFETCH(QString, order);
    QFETCH(QString, pastDay);
    QFETCH(QString, figures);
    Workplace w;
    QByteArray past = "cheval;date;hippodrome;discipline;distance;chrono\r\n";
    for (const auto& [horse, time] :
         {std::pair{"A", "2'44\"00"}, {"B", "2'45\"00"}, {"C", "2'46\"00"}, {"D", "2'47\"00"}})
        past +=
            QByteArray(horse) + ';' + pastDay.toUtf8() + ";Caen;trot attelé;2200;" + time + "\r\n";
    QDir().mkpath(w.files());
    QFile csv(w.files() + u"/courses.csv"_qs);
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(past) == past.size());
    csv.close();
    const QStringList horses = order.split(u',');
    QStringList odds;
    for (const QString& h : horses)
        odds << (h == u"A" ? u"2.5"_qs : h == u"B" ? u"4"_qs : h == u"C" ? u"8"_qs : u"20"_qs);
    writeAll(w.files(), {u"programme_05122026.json = prog 05122026 R1C1:2200"_qs,
                         u"participants_R1_C1.json = part %1 2200 run odds %2"_qs.arg(
                             order, odds.join(u','))});
    QVERIFY(w.import().anyRead);
    const Bilan b = bilanOf(w.state.history(), {});
    QVERIFY(b.result.ok());
    const Measures measures = figuresOf(b, {}, {});
    const scorecard::Figures& f = measures.sheet;
    QCOMPARE(f.races > 0 ? u"%1 %2 %3 %4"_qs.arg(f.races).arg(cells::fixed(f.firstWon, 1),
                                                              cells::fixed(f.winnerRank, 2),
                                                              cells::fixed(f.first.returnRate(), 2))
                         : u"0   "_qs,
             figures);
    // The import stored results: τ fitted on the trot races it may rest on.
    QCOMPARE(w.state.settings().fits()[size_t(chances::Family::Trot)].races, f.races);
    QCOMPARE(w.state.settings().fitted(), Today);
    // The CSV says so, and that one race is not enough to judge by.
    const QString table = QString::fromUtf8(bilanCsv(measures));
    QVERIFY2(table.contains(u"courses;%1;%1;insuffisant (moins de 50 courses)"_qs.arg(f.races)),
             qPrintable(table));
}

void TestFolders::blinkersFirstTime_data() {
    QTest::addColumn<QString>("past");  // the participants file of a race run
    QTest::addColumn<QString>("horse"); // on today's sheet, with blinkers
    QTest::addColumn<bool>("alert");
    // "oeilleres": A ran with blinkers, B and C without.
    QTest::newRow("without them before: the first time")
        << u"part A,B,C 2700 run oeilleres"_qs << u"B"_qs << true;
    QTest::newRow("with them before: nothing")
        << u"part A,B,C 2700 run oeilleres"_qs << u"A"_qs << false;
    QTest::newRow("blinkers never known: nothing said")
        << u"part A,B,C 2700 run"_qs << u"B"_qs << false;
}

// A runner in blinkers today whose known races were all run without them is
// pointed out, as a first time barefoot is.
void TestFolders::blinkersFirstTime() {
    QFETCH(QString, past);
    QFETCH(QString, horse);
    QFETCH(bool, alert);
    Workplace w;
    QVERIFY(w.importR1C1(past));
    RaceSheet sheet{.date = QDate(2025, 12, 1), .distance = u"2700"_qs, .discipline = TrotHarness};
    sheet.runners.emplace_back();
    sheet.runners.back().name = horse;
    sheet.runners.back().blinkers = calc::Blinkers::Australian;
    (void)feedSheet(sheet, w.state.history(), {});
    QCOMPARE(sheet.runners[0].alerts.contains(u"œillères australiennes pour la première fois"_qs),
             alert);
}

void TestFolders::combinedFromTwoHundred_data() {
    QTest::addColumn<int>("withOdds");    // races whose every runner has odds
    QTest::addColumn<int>("withoutOdds"); // races with a runner without
    QTest::addColumn<bool>("fitted");
    QTest::newRow("199 races with every odds: not yet") << 199 << 60 << false;
    QTest::newRow("200: fitted and measured on them alone") << 200 << 60 << true;
}

// Races of 5 trotters: the sheet's first (estimated 2 s ahead) and the market's
// favourite (at 1,8) each win their share; the combination is fitted on the
// races where every runner has odds, from 200 of them, and measured on them.
void TestFolders::combinedFromTwoHundred() {
    QFETCH(int, withOdds);
    QFETCH(int, withoutOdds);
    QFETCH(bool, fitted);
    Bilan b;
    for (int r = 0; r < withOdds + withoutOdds; ++r) {
        MeasuredRace race{QDate(2026, 1, 1).addDays(r), TrotHarness, {}, {}, {}};
        const int winner = r % 5 == 0 ? 2 : r % 3; // the first, the favourite, a third
        for (int i = 0; i < 5; ++i) {
            std::optional<double> odds = std::array{6.0, 1.8, 9.0, 12.0, 25.0}[size_t(i)];
            if (r >= withOdds && i == 4)
                odds.reset();
            race.entries.push_back({200.0 + (i == 0 ? 0 : 2 + i), odds});
            race.ranks.push_back(i + 1);
            race.places.push_back(i == winner ? 1 : 0);
        }
        b.races.push_back(race);
    }
    const InForce inForce = fittedOn(b);
    QCOMPARE(inForce.fits[size_t(chances::Family::Trot)].races, withOdds + withoutOdds);
    QCOMPARE(inForce.blend.races, withOdds);
    QCOMPARE(inForce.blend.alpha != 0 || inForce.blend.beta != 0, fitted);
    const Measures m = figuresOf(b, {}, inForce);
    QCOMPARE(m.combined.has_value(), fitted);
    if (fitted) {
        QCOMPARE(m.combined->races, withOdds);
        // Fitted on these races, the combination cannot do worse than the
        // sheet's chances alone on them (α = 1, β = 0 is one of its choices).
        const Measures alone = figuresOf(b, {}, {inForce.fits, {1, 0, blend::From}});
        QVERIFY(m.combined->logLoss <= alone.combined->logLoss + 1e-9);
    }
    const QString table = QString::fromUtf8(bilanCsv(m));
    QCOMPARE(table.contains(u"pas encore ajustée (il faut 200 courses avec toutes les cotes)"_qs),
             !fitted);
}

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
