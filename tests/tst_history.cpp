// The horses' history: one horse per key, one run per run, the order of a
// horse's runs, corrections and deletions, and the database's faults.
#include "cells.h"
#include "run.h"
#include "runtable.h"
#include "store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

using namespace history;

namespace {

Run runOf(const QString& horse, QDate date, const QString& hippodrome, int distance) {
    Run r;
    r.horse = horse;
    r.date = date;
    r.hippodrome = hippodrome;
    r.distance = distance;
    r.time = 20000;
    return r;
}

const QDate Day(2026, 11, 2);

} // namespace

struct SameRunRow {
    const char* name;
    std::vector<Run> first = {}, second = {}; // stored one action after the other
    int added = 0, known = 0;                 // by the second action
    int stored = 0;                           // runs of "King du Plessis" in the end
};
Q_DECLARE_METATYPE(SameRunRow)

class TestHistory : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir.isValid());
        path = dir.filePath(u"historique.sqlite"_qs);
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(f));
    }
    void horseKey_data();
    void horseKey();
    void sameRun_data();
    void sameRun();
    void completedByTheSameRun();
    void hippodromesOnce();
    void newestFirst();
    void correctAndDelete();
    void musique();
    void setAside_data();
    void setAside();
    void laterVersionLeftAlone();
    void refusedRunStoresNothing();
    void twoCopiesAtOnce();
    void rowReadBack();
    void cellsRead_data();
    void cellsRead();

  private:
    QTemporaryDir dir;
    QString path;
};

void TestHistory::horseKey_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("case") << u"KING DU PLESSIS"_qs << u"King du Plessis"_qs << true;
    QTest::newRow("repeated and outer spaces")
        << u" King  du   Plessis "_qs << u"king du plessis"_qs << true;
    QTest::newRow("accents") << u"Éclair de Célé"_qs << u"ECLAIR DE CELE"_qs << true;
    QTest::newRow("a ligature typed either way")
        << u"Cœur Vaillant"_qs << u"Coeur vaillant"_qs << true;
    QTest::newRow("another word") << u"King du Plessis"_qs << u"King de Plessis"_qs << false;
    QTest::newRow("a space that parts words")
        << u"Kingdu Plessis"_qs << u"King du Plessis"_qs << false;
}

void TestHistory::horseKey() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(history::horseKey(a) == history::horseKey(b), same);
}

void TestHistory::sameRun_data() {
    QTest::addColumn<SameRunRow>("row");
    const QString king = u"King du Plessis"_qs;
    const Run run = runOf(king, Day, u"Vincennes"_qs, 2700);
    Run shouted = run;
    shouted.horse = u"KING DU PLESSIS"_qs;
    shouted.hippodrome = u"VINCENNES"_qs;
    Run otherDay = run, otherDistance = run, otherPlace = run;
    otherDay.date = Day.addDays(7);
    otherDistance.distance = 2850;
    otherPlace.hippodrome = u"Enghien"_qs;
    Run undated = run, undatedOther = run;
    undated.date = undatedOther.date = QDate();
    undated.hippodrome = undatedOther.hippodrome = QString();
    undatedOther.time.reset();
    undatedOther.reduction = 7450;
    // clang-format off
    const SameRunRow rows[] = {
        {.name = "the same run again", .first = {run}, .second = {run}, .known = 1, .stored = 1},
        {.name = "the same run, named in capitals", .first = {run}, .second = {shouted}, .known = 1, .stored = 1},
        {.name = "twice in one action", .second = {run, run}, .added = 1, .known = 1, .stored = 1},
        {.name = "another date", .first = {run}, .second = {otherDay}, .added = 1, .stored = 2},
        {.name = "another distance", .first = {run}, .second = {otherDistance}, .added = 1, .stored = 2},
        {.name = "another hippodrome", .first = {run}, .second = {otherPlace}, .added = 1, .stored = 2},
        {.name = "a run without a date, again", .first = {undated}, .second = {undated}, .known = 1, .stored = 1},
        {.name = "two results without a date at one distance", .first = {undated}, .second = {undatedOther},
         .added = 1, .stored = 2},
    };
    // clang-format on
    for (const SameRunRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestHistory::sameRun() {
    QFETCH(SameRunRow, row);
    Store store;
    QVERIFY(store.open(path).result.ok());
    if (!row.first.empty())
        QVERIFY(store.add(row.first).result.ok());
    const Added added = store.add(row.second);
    QVERIFY(added.result.ok());
    QCOMPARE(added.added, row.added);
    QCOMPARE(added.known, row.known);
    const Runs runs = store.runsOf(u"king du plessis"_qs);
    QCOMPARE(int(runs.runs.size()), row.stored);
    QCOMPARE(runs.runs.front().horse, u"King du Plessis"_qs); // as first typed
    QCOMPARE(store.horses(u"PLESS"_qs).names, QStringList{u"King du Plessis"_qs});
}

// The hippodromes the entry row completes: each once however written, none empty.
void TestHistory::hippodromesOnce() {
    Store store;
    QVERIFY(store.open(path).result.ok());
    QVERIFY(store
                .add({runOf(u"A"_qs, QDate(2026, 11, 1), u"Vincennes"_qs, 2700),
                      runOf(u"B"_qs, QDate(2026, 11, 2), u"VINCENNES"_qs, 2700),
                      runOf(u"C"_qs, QDate(2026, 11, 3), u"Chantilly"_qs, 2100),
                      runOf(u"D"_qs, QDate(2026, 11, 4), QString(), 2100)})
                .result.ok());
    QCOMPARE(store.hippodromes().names, (QStringList{u"Chantilly"_qs, u"VINCENNES"_qs}));
}

void TestHistory::completedByTheSameRun() {
    // An arrival gives the time; an import of the same run its reduction and
    // driver: one run holding both, the first figures kept.
    Store store;
    QVERIFY(store.open(path).result.ok());
    Run arrival = runOf(u"Idéal"_qs, Day, u"Vincennes"_qs, 2700);
    arrival.place = 3;
    arrival.source = Source::Arrival;
    Run imported = arrival;
    imported.source = Source::Import;
    imported.time = 99999;
    imported.reduction = 7430;
    imported.rider = u"J.-M. Bazire"_qs;
    imported.place = 5;
    QVERIFY(store.add({arrival}).result.ok());
    QVERIFY(store.add({imported}).result.ok());
    const Runs runs = store.runsOf(u"idéal"_qs);
    QCOMPARE(runs.runs.size(), size_t(1));
    const Run& r = runs.runs.front();
    QCOMPARE(r.time, std::optional<qint64>(20000));
    QCOMPARE(r.reduction, std::optional<qint64>(7430));
    QCOMPARE(r.rider, u"J.-M. Bazire"_qs);
    QCOMPARE(r.place, 3);
    // Typed twice: the punter's latest word replaces the first.
    Run typed = runOf(u"Lotus"_qs, Day, u"Caen"_qs, 2000), retyped = typed;
    retyped.time = 12345;
    retyped.rider = u"A. Abrivard"_qs;
    QVERIFY(store.add({typed}).result.ok());
    QCOMPARE(store.add({retyped}).known, 1);
    const Run back = store.runsOf(u"Lotus"_qs).runs.front();
    QCOMPARE(back.time, std::optional<qint64>(12345));
    QCOMPARE(back.rider, u"A. Abrivard"_qs);
}

void TestHistory::newestFirst() {
    Store store;
    QVERIFY(store.open(path).result.ok());
    std::vector<Run> runs;
    for (int days : {30, 0, 400, -1, 10}) {
        Run r =
            runOf(u"Lotus"_qs, days < 0 ? QDate() : Day.addDays(-days), u"Caen"_qs, 2000 + days);
        r.weight = 57.5;
        r.lengths = 1.25;
        r.discipline = history::Discipline::Flat;
        runs.push_back(r);
    }
    QVERIFY(store.add(runs).result.ok());
    QStringList order;
    for (const Run& r : store.runsOf(u"Lotus"_qs).runs)
        order << (r.date.isValid() ? r.date.toString(Qt::ISODate) : u"sans date"_qs);
    QCOMPARE(order, (QStringList{u"2026-11-02"_qs, u"2026-10-23"_qs, u"2026-10-03"_qs,
                                 u"2025-09-28"_qs, u"sans date"_qs}));
    const Run back = store.runsOf(u"Lotus"_qs).runs.front();
    Run expected = runs[1];
    expected.id = back.id;
    QCOMPARE(back, expected); // every field kept as stored
}

void TestHistory::correctAndDelete() {
    Store store;
    QVERIFY(store.open(path).result.ok());
    QVERIFY(store
                .add({runOf(u"Jaguar"_qs, Day, u"Caen"_qs, 2450),
                      runOf(u"Jaguar"_qs, Day.addDays(-9), u"Caen"_qs, 2450)})
                .result.ok());
    Run newest = store.runsOf(u"Jaguar"_qs).runs.front();
    newest.date = Day.addDays(-9); // now the other run: refused
    const FileResult twice = store.update(newest);
    QVERIFY(!twice.ok() && twice.message.contains(u"a déjà cette course"));
    newest.date = Day.addDays(-1);
    newest.horse = u"Jaguar Bleu"_qs; // a run misfiled under the wrong horse
    QVERIFY(store.update(newest).ok());
    QCOMPARE(store.runsOf(u"Jaguar"_qs).runs.size(), size_t(1));
    QCOMPARE(store.runsOf(u"Jaguar Bleu"_qs).runs.front().date, Day.addDays(-1));
    QVERIFY(store.remove(store.runsOf(u"Jaguar"_qs).runs.front().id).ok());
    QVERIFY(store.runsOf(u"Jaguar"_qs).runs.empty());
    QCOMPARE(store.horses(QString()).names, QStringList{u"Jaguar Bleu"_qs});
}

void TestHistory::musique() {
    const auto of = [](int place, Status status, const char* discipline) {
        Run r;
        r.place = place;
        r.status = status;
        r.discipline = history::disciplineOf(QString::fromUtf8(discipline));
        return musiqueOf(r);
    };
    QCOMPARE(of(3, Status::Placed, "trot attelé"), u"3a"_qs);
    QCOMPARE(of(1, Status::Placed, "trot monté"), u"1m"_qs);
    QCOMPARE(of(12, Status::Placed, "plat"), u"0p"_qs);
    QCOMPARE(of(0, Status::Disqualified, "trot attelé"), u"Da"_qs);
    QCOMPARE(of(0, Status::Stopped, "obstacle"), u"Ah"_qs);
    QCOMPARE(of(0, Status::Fallen, "obstacle"), u"Th"_qs);
    QCOMPARE(of(0, Status::Unplaced, "plat"), u"0p"_qs);
    QCOMPARE(of(0, Status::Placed, "plat"), QString()); // not known
    // Each obstacle its letter; sand is the flat; a run without its discipline too.
    QCOMPARE(of(1, Status::Placed, "HAIE"), u"1h"_qs);
    QCOMPARE(of(2, Status::Placed, "STEEPLECHASE"), u"2s"_qs);
    QCOMPARE(of(3, Status::Placed, "Cross"), u"3c"_qs);
    QCOMPARE(of(4, Status::Placed, "plat sur piste en sable"), u"4p"_qs);
    QCOMPARE(of(5, Status::Placed, ""), u"5p"_qs);
    // The sheet's name of each: the obstacles are one there.
    QCOMPARE(sheetDiscipline(history::disciplineOf(u"cross"_qs)), u"obstacle"_qs);
    QCOMPARE(sheetDiscipline(history::disciplineOf(u"TROT_MONTE"_qs)), u"trot monté"_qs);
    QCOMPARE(sheetDiscipline(history::disciplineOf(u"galop"_qs)), QString());
}

void TestHistory::setAside_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text") << QByteArray("1:15:48 ---- 2100m ---- 57Kg ---- Eclair\r\n");
    QTest::newRow("a database's header, then nothing") << QByteArray("SQLite format 3\0", 16);
    QTest::newRow("another program's database") << QByteArray(); // made below
    QTest::newRow("a history damaged inside, its first page sound")
        << QByteArray("damaged"); // made below
}

void TestHistory::setAside() {
    QFETCH(QByteArray, bytes);
    if (bytes == "damaged") {
        {
            Store full; // enough runs for pages past the first
            QVERIFY(full.open(path).result.ok());
            std::vector<Run> runs;
            for (int i = 0; i < 500; ++i)
                runs.push_back(runOf(u"Cheval %1"_qs.arg(i), Day, u"Caen"_qs, 2100));
            QCOMPARE(full.add(runs).added, 500);
        }
        QFile f(path);
        QVERIFY(f.size() > 5 * 4096);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(3 * 4096); // a page of the runs, not the schema's
        f.write(QByteArray(4096, '\xA5'));
    } else if (bytes.isEmpty()) {
        sqlite::Database other;
        QVERIFY(other.open(path).ok());
        QVERIFY(other.exec("CREATE TABLE contacts (name TEXT)").ok());
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    Store store;
    const Opened opened = store.open(path, QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
    QVERIFY2(opened.result.ok(), qPrintable(opened.result.message));
    QCOMPARE(opened.setAside, dir.filePath(u"historique-illisible-2026-12-08-1030.sqlite"_qs));
    QFile aside(opened.setAside);
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), before); // kept as it was
    QCOMPARE(store.add({runOf(u"Eclair"_qs, Day, u"Caen"_qs, 2100)}).added, 1);
}

void TestHistory::laterVersionLeftAlone() {
    {
        sqlite::Database later;
        QVERIFY(later.open(path).ok());
        QVERIFY(later.exec("CREATE TABLE run (x); PRAGMA user_version = 99").ok());
    }
    Store store;
    const Opened opened = store.open(path);
    QVERIFY(!opened.result.ok() && opened.result.message.contains(u"plus récente"));
    QVERIFY(opened.setAside.isEmpty());
    QVERIFY(!store.isOpen());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"historique.sqlite"_qs});
}

void TestHistory::refusedRunStoresNothing() {
    Store store;
    QVERIFY(store.open(path).result.ok());
    Run noDistance = runOf(u"Bolide"_qs, Day, u"Caen"_qs, 0);
    const Added added = store.add({runOf(u"Eclair"_qs, Day, u"Caen"_qs, 2100), noDistance});
    QVERIFY(!added.result.ok() && added.result.message.contains(u"« Bolide » n'a pas de distance"));
    QVERIFY(added.result.message.contains(QDir::toNativeSeparators(path)));
    QVERIFY(store.horses(QString()).names.isEmpty()); // one action: all or nothing
}

void TestHistory::twoCopiesAtOnce() {
    // Two copies, each adding its runs one action at a time: both keep theirs.
    Store first;
    QVERIFY(first.open(path).result.ok());
    const auto addMany = [this](const QString& horse, int* added) {
        Store store;
        if (!store.open(path).result.ok())
            return;
        for (int i = 0; i < 100; ++i)
            *added += store.add({runOf(horse, Day.addDays(-i), u"Caen"_qs, 2000)}).added;
    };
    int a = 0, b = 0;
    std::thread other(addMany, u"Copie A"_qs, &a);
    addMany(u"Copie B"_qs, &b);
    other.join();
    QCOMPARE(a, 100);
    QCOMPARE(b, 100);
    QCOMPARE(first.runsOf(u"Copie A"_qs).runs.size(), size_t(100));
    QCOMPARE(first.runsOf(u"Copie B"_qs).runs.size(), size_t(100));
}

void TestHistory::rowReadBack() {
    // What the program writes of a run reads back as the same run.
    Run r = runOf(u"King du Plessis"_qs, Day, u"Vincennes"_qs, 2700);
    r.race = u"Prix; \"de\" Bretagne"_qs;
    r.discipline = history::Discipline::TrotHarness;
    r.recul = 25;
    r.start = calc::Start::Volte;
    r.shoeing = calc::Shoeing::D4;
    r.reduction = 7358;
    r.place = 3;
    r.lengths = 1.25;
    r.weight = 62.5;
    r.rider = u"É. Raffin"_qs;
    r.allocation = 45000;
    r.runners = 14;
    r.source = Source::Arrival;
    r.note = u"PROTEGE_ANTERIEURS"_qs;
    const RunRead read = runOfCells(runHeader(), runRow(r));
    QVERIFY2(read.run, qPrintable(read.refused));
    QCOMPARE(*read.run, r);
}

void TestHistory::cellsRead_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // the field as read; empty: refused
    // clang-format off
    QTest::newRow("chrono, the punter's notation") << u"chrono"_qs << u"2'12\"58"_qs << u"13258"_qs;
    QTest::newRow("chrono with colons") << u"chrono"_qs << u"2:12:58"_qs << u"13258"_qs;
    QTest::newRow("chrono in seconds") << u"chrono"_qs << u"132,58"_qs << u"13258"_qs;
    QTest::newRow("réduction to the tenth") << u"réduction"_qs << u"1'14\"5"_qs << u"7450"_qs;
    QTest::newRow("réduction to the hundredth") << u"réduction"_qs << u"1'14\"52"_qs << u"7452"_qs;
    QTest::newRow("seconds, the longest") << u"chrono"_qs << u"59999,99"_qs << u"5999999"_qs;
    QTest::newRow("seconds past 999 minutes") << u"chrono"_qs << u"245030"_qs << QString();
    QTest::newRow("seconds rounded to nothing") << u"chrono"_qs << u"0,001"_qs << QString();
    QTest::newRow("seconds past 59") << u"chrono"_qs << u"2'75\"00"_qs << QString();
    QTest::newRow("a time that is none") << u"chrono"_qs << u"vite"_qs << QString();
    QTest::newRow("date JJ/MM/AAAA") << u"date"_qs << u"02/11/2026"_qs << u"2026-11-02"_qs;
    QTest::newRow("a date that is none") << u"date"_qs << u"31/02/2026"_qs << QString();
    QTest::newRow("a year below nought") << u"date"_qs << u"02/11/-2026"_qs << QString();
    QTest::newRow("a distance that is none") << u"distance"_qs << u"2700 m"_qs << QString();
    QTest::newRow("a status") << u"statut"_qs << u"Disqualifié"_qs << u"disqualifié"_qs;
    QTest::newRow("an unknown status") << u"statut"_qs << u"perdu"_qs << QString();
    // The columns a punter's spreadsheet names as it likes: any case, accents or not.
    QTest::newRow("Recul") << u"Recul"_qs << u"25"_qs << u"25"_qs;
    QTest::newRow("a recul past 1000 m") << u"recul"_qs << u"1001"_qs << QString();
    QTest::newRow("Depart") << u"Depart"_qs << u"autostart"_qs << u"autostart"_qs;
    QTest::newRow("Ferrure") << u"FERRURE"_qs << u"D4"_qs << u"D4"_qs;
    QTest::newRow("a shoeing in lower case") << u"ferrure"_qs << u"da"_qs << u"DA"_qs;
    QTest::newRow("an unknown shoeing") << u"ferrure"_qs << u"D5"_qs << QString();
    QTest::newRow("a start with its accent left out") << u"départ"_qs << u"VOLTE"_qs << u"volté"_qs;
    QTest::newRow("an unknown start") << u"départ"_qs << u"lancé"_qs << QString();
    QTest::newRow("Ecart") << u"Ecart"_qs << u"1,5"_qs << u"1,5"_qs;
    QTest::newRow("an écart that is none") << u"écart"_qs << u"une tête"_qs << QString();
    QTest::newRow("Poids") << u"Poids"_qs << u"57.5"_qs << u"57,5"_qs;
    QTest::newRow("a jockey for the driver") << u"Jockey"_qs << u"C. Soumillon"_qs
                                             << u"C. Soumillon"_qs;
    QTest::newRow("Partants") << u"partants"_qs << u"14"_qs << u"14"_qs;
    QTest::newRow("Place") << u"Place"_qs << u"3"_qs << u"3"_qs;
    QTest::newRow("a place that is none") << u"place"_qs << u"3e"_qs << QString();
    QTest::newRow("Course") << u"Course"_qs << u"Prix d'Amérique"_qs << u"Prix d'Amérique"_qs;
    // clang-format on
}

void TestHistory::cellsRead() {
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(QString, read);
    // A minimal row (headers in capitals and without accents), then the cell tried.
    QStringList header{u"CHEVAL"_qs, u"distance"_qs, u"chrono"_qs};
    QStringList cells{u"Éclair"_qs, u"2700"_qs, u"3'20\"00"_qs};
    const qsizetype at = header.indexOf(column);
    if (at >= 0) {
        cells[at] = text;
    } else {
        header << column;
        cells << text;
    }
    const RunRead got = runOfCells(header, cells);
    QCOMPARE(!got.run, read.isEmpty());
    if (!got.run) {
        QVERIFY2(got.refused.contains(text), qPrintable(got.refused));
        return;
    }
    const Run& r = *got.run;
    // The other columns as the run's row writes them back.
    const QString written = u"driver;départ;écart;ferrure;recul;poids;partants;place;course"_qs;
    const QString folded =
        cells::folded(column) == u"jockey" ? u"driver"_qs : cells::folded(column);
    const auto writtenAt = [&] {
        for (const QString& h : written.split(u';'))
            if (cells::folded(h) == folded)
                return runHeader().indexOf(h);
        return qsizetype(-1);
    }();
    const QString field = column == u"chrono"      ? QString::number(r.time.value_or(0))
                          : column == u"réduction" ? QString::number(r.reduction.value_or(0))
                          : column == u"date"      ? r.date.toString(Qt::ISODate)
                          : column == u"statut"    ? statusName(r.status)
                          : writtenAt >= 0         ? runRow(r)[writtenAt]
                                                   : QString::number(r.distance);
    QCOMPARE(field, read);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
