// The history's copies: which are kept as days go by, the newest sound one put
// back when the history is damaged, one chosen by the punter put back with the
// history set aside first; and SQLite's every failure said in French.

#include "copies.h"
#include "store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace history;
using copies::Copy;

namespace {

const QDateTime Now(QDate(2026, 12, 9), QTime(12, 0));

Run runOf(const QString& horse) {
    Run r;
    r.horse = horse;
    r.date = QDate(2026, 11, 2);
    r.hippodrome = u"Caen"_qs;
    r.distance = 2100;
    r.time = 20000;
    return r;
}

// "3@1030" a copy made 3 days before Now at 10:30; "400@1000m" before a change
// of structure.
Copy copyOf(const QString& written) {
    const QStringList parts = written.split(u'@');
    const QTime at = QTime::fromString(parts[1].left(4), u"HHmm"_qs);
    const QDateTime made(Now.date().addDays(-parts[0].toInt()), at);
    return {written, made, parts[1].endsWith(u'm')};
}

// A page of the runs overwritten: the file opens, its check fails.
void damage(const QString& path) {
    QFile f(path);
    QVERIFY(f.size() > 5 * 4096);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(3 * 4096);
    f.write(QByteArray(4096, '\xA5'));
}

// A history of 500 horses (pages enough to damage one) and `extra` besides.
void fill(Store& store, const QStringList& extra) {
    std::vector<Run> runs;
    for (int i = 0; i < 500; ++i)
        runs.push_back(runOf(u"Cheval %1"_qs.arg(i)));
    for (const QString& horse : extra)
        runs.push_back(runOf(horse));
    QVERIFY(store.add(runs).result.ok());
}

} // namespace

class TestCopies : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

  private slots:
    void init() {
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path()));
        path = dir.filePath(u"historique.sqlite"_qs);
    }
    void kept_data();
    void kept();
    void restoredWhenDamaged_data();
    void restoredWhenDamaged();
    void restoredByChoice();
    void reasonsInFrench();
    void migratedFromVersion1();
    void migrationAllOrNothing();
};

void TestCopies::kept_data() {
    QTest::addColumn<QStringList>("copies"); // newest first
    QTest::addColumn<QStringList>("dropped");
    QTest::newRow("today: the five newest")
        << QStringList{u"0@1100"_qs, u"0@1000"_qs, u"0@0900"_qs, u"0@0800"_qs,
                       u"0@0700"_qs, u"0@0600"_qs, u"0@0500"_qs}
        << QStringList{u"0@0600"_qs, u"0@0500"_qs};
    QTest::newRow("the last seven days: the newest of each")
        << QStringList{u"1@2000"_qs, u"1@0800"_qs, u"6@0900"_qs, u"6@0800"_qs}
        << QStringList{u"1@0800"_qs, u"6@0800"_qs};
    QTest::newRow("the four weeks before: the newest of each")
        << QStringList{u"7@1000"_qs, u"8@1000"_qs, u"13@1000"_qs, u"14@1000"_qs, u"34@1000"_qs}
        << QStringList{u"8@1000"_qs, u"13@1000"_qs};
    QTest::newRow("older than five weeks")
        << QStringList{u"34@1000"_qs, u"35@1000"_qs} << QStringList{u"35@1000"_qs};
    QTest::newRow("before a change of structure: kept for good")
        << QStringList{u"0@1100"_qs, u"400@1000m"_qs, u"400@0900m"_qs, u"401@1000"_qs}
        << QStringList{u"401@1000"_qs};
    QTest::newRow("dated after now (the clock put back): today's")
        << QStringList{u"-1@1000"_qs, u"0@1000"_qs} << QStringList();
}

void TestCopies::kept() {
    QFETCH(QStringList, copies);
    QFETCH(QStringList, dropped);
    std::vector<Copy> all;
    for (const QString& c : copies)
        all.push_back(copyOf(c));
    QStringList out;
    for (const Copy& c : copies::toDrop(all, Now))
        out << c.path;
    QCOMPARE(out, dropped);
}

void TestCopies::restoredWhenDamaged_data() {
    QTest::addColumn<QStringList>("copies"); // each made after the horse it names
    QTest::addColumn<QStringList>("damaged");
    QTest::addColumn<QString>("horseBack"); // the last horse of the copy put back
    QTest::newRow("the newest copy")
        << QStringList{u"Altair"_qs, u"Bolide"_qs} << QStringList() << u"Bolide"_qs;
    QTest::newRow("the newest damaged: the one before")
        << QStringList{u"Altair"_qs, u"Bolide"_qs} << QStringList{u"Bolide"_qs} << u"Altair"_qs;
    QTest::newRow("every copy damaged: a new history")
        << QStringList{u"Altair"_qs} << QStringList{u"Altair"_qs} << QString();
    QTest::newRow("no copy: a new history") << QStringList() << QStringList() << QString();
}

void TestCopies::restoredWhenDamaged() {
    QFETCH(QStringList, copies);
    QFETCH(QStringList, damaged);
    QFETCH(QString, horseBack);
    std::map<QString, QString> copyOfHorse;
    {
        Store store;
        QVERIFY(store.open(path).result.ok());
        fill(store, {});
        for (int i = 0; i < copies.size(); ++i) {
            QVERIFY(store.add({runOf(copies[i])}).result.ok());
            QVERIFY(store.keepCopy(Now.addSecs(-3600 * (copies.size() - i))).ok());
            copyOfHorse[copies[i]] = copies::list(path).front().path;
        }
        QVERIFY(store.add({runOf(u"Zéphyr"_qs)}).result.ok()); // after the last copy
    }
    for (const QString& horse : damaged)
        damage(copyOfHorse[horse]);
    damage(path);
    Store store;
    const Opened opened = store.open(path, Now);
    QVERIFY2(opened.result.ok(), qPrintable(opened.result.message));
    QCOMPARE(opened.setAside, dir.filePath(u"historique-illisible-2026-12-09-1200.sqlite"_qs));
    QVERIFY(QFile::exists(opened.setAside));
    QCOMPARE(opened.restored ? opened.restored->path : QString(),
             horseBack.isEmpty() ? QString() : copyOfHorse[horseBack]);
    QCOMPARE(store.runsOf(u"Zéphyr"_qs).runs.size(), size_t(0));
    for (const QString& horse : copies)
        QCOMPARE(
            store.runsOf(horse).runs.size(),
            size_t(!horseBack.isEmpty() && copies.indexOf(horse) <= copies.indexOf(horseBack)));
    QVERIFY(store.add({runOf(u"Éclair"_qs)}).result.ok()); // written again
    for (const QString& horse : damaged) // a damaged copy is left as it was, never removed
        QVERIFY(QFile::exists(copyOfHorse[horse]));
}

void TestCopies::restoredByChoice() {
    Store store;
    QVERIFY(store.open(path).result.ok());
    QVERIFY(store.add({runOf(u"Altair"_qs)}).result.ok());
    QVERIFY(store.keepCopy(Now.addDays(-1)).ok());
    QVERIFY(store.add({runOf(u"Bolide"_qs)}).result.ok());
    const std::vector<Copy> made = copies::list(path);
    QCOMPARE(made.size(), size_t(1));
    QCOMPARE(copies::shownDate(made.front()), u"08/12/2026 à 12:00"_qs);
    QVERIFY(copies::sound(made.front()));
    const Opened done = store.restore(made.front(), Now);
    QVERIFY2(done.result.ok(), qPrintable(done.result.message));
    QCOMPARE(done.setAside, dir.filePath(u"historique-remplace-2026-12-09-1200.sqlite"_qs));
    QCOMPARE(store.runsOf(u"Altair"_qs).runs.size(), size_t(1));
    QCOMPARE(store.runsOf(u"Bolide"_qs).runs.size(), size_t(0));
    QVERIFY(QFile::exists(made.front().path)); // the copy stays a copy
    // The history as it was, set aside whole: Bolide is there.
    Store before;
    QVERIFY(before.open(done.setAside).result.ok());
    QCOMPARE(before.runsOf(u"Bolide"_qs).runs.size(), size_t(1));
    // A copy that is no history is refused: the history stays as it is.
    QFile junk(copies::folderOf(path) + u"/historique-2026-12-09-1100.sqlite"_qs);
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("pas une base") > 0);
    junk.close();
    const Opened refused = store.restore(copies::list(path).front(), Now);
    QVERIFY(!refused.result.ok());
    QVERIFY(refused.result.message.contains(u"n'est pas un historique lisible"));
    QCOMPARE(store.runsOf(u"Altair"_qs).runs.size(), size_t(1));
}

void TestCopies::reasonsInFrench() {
    // Every result code SQLite has (1 to 28, 100, 101), primary and extended.
    QList<int> codes{100, 101, 19 | (8 << 8), 10 | (3 << 8)};
    for (int c = 1; c <= 28; ++c)
        codes << c;
    for (const int code : codes) {
        const QString why = sqlite::reason(code);
        QVERIFY2(!why.isEmpty(), qPrintable(QString::number(code)));
        for (const char* english : {"error", "failed", "constraint", "database", "not ", "unknown"})
            QVERIFY2(!why.contains(QLatin1String(english), Qt::CaseInsensitive),
                     qPrintable(u"%1: %2"_qs.arg(code).arg(why)));
    }
}

namespace {

// The version-1 history written by the program before its races were kept
// (a race's results imported, their past runs, a past-runs CSV), at `path`.
void versionOneAt(const QString& path) {
    QFile::remove(path);
    QVERIFY(QFile::copy(u":/donnees/historique-version1.sqlite"_qs, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

int versionOf(const QString& path) {
    sqlite::Database db;
    return db.open(path).ok() ? schemaVersionOf(db) : -1;
}

} // namespace

void TestCopies::migratedFromVersion1() {
    versionOneAt(path);
    Store store;
    const Opened opened = store.open(path, Now);
    QVERIFY2(opened.result.ok(), qPrintable(opened.result.message));
    QCOMPARE(versionOf(path), SchemaVersion);
    // Copied first, as it was, and kept for good.
    const std::vector<Copy> made = copies::list(path);
    QCOMPARE(made.size(), size_t(1));
    QVERIFY(made.front().beforeMigration);
    QVERIFY(made.front().path.endsWith(u"historique-2026-12-09-1200-avant-version-3.sqlite"_qs));
    QCOMPARE(versionOf(made.front().path), 1);
    // Every run kept; the results' races made from them, each runner's line there.
    QCOMPARE(store.runsOf(u"BELLE ÉPOQUE"_qs).runs.size(), size_t(2));
    QCOMPARE(store.runsOf(u"ÉTOILE"_qs).runs.size(), size_t(1));
    const RaceList list = store.races(QDate(2025, 1, 1), QDate(2025, 12, 31));
    QVERIFY(list.result.ok());
    QStringList races;
    for (const races::Race& r : list.races) {
        QStringList starters;
        for (const races::Starter& s : r.starters)
            starters << u"%1 %2"_qs.arg(s.horse).arg(s.place ? QString::number(s.place)
                                                             : statusName(s.status));
        races << u"%1 %2 %3 m: %4"_qs.arg(r.date.toString(u"dd/MM/yyyy"_qs), r.name)
                     .arg(r.distance)
                     .arg(starters.join(u", "_qs));
    }
    QCOMPARE(races, (QStringList{u"20/10/2025 PRIX X 2150 m: ARCHANGE 1, BELLE ÉPOQUE 2, "
                                 "CHAMPION DU NORD 3, DIABOLO 4"_qs,
                                 u"05/11/2025 PRIX DE BREST 2850 m: ARCHANGE 2, BELLE ÉPOQUE 1, "
                                 "CHAMPION DU NORD disqualifié, DIABOLO 3"_qs}));
    // Opened again: nothing more to do, no other copy.
    Store again;
    QVERIFY(again.open(path, Now.addSecs(120)).result.ok());
    QCOMPARE(copies::list(path).size(), size_t(1));
}

void TestCopies::migrationAllOrNothing() {
    // A table of the new version already there (another tool's): the step fails
    // half-way, and the history is left as it was, version 1, never half-changed.
    versionOneAt(path);
    {
        sqlite::Database db;
        QVERIFY(db.open(path).ok());
        QVERIFY(db.exec("CREATE TABLE starter (x)").ok());
    }
    Store store;
    const Opened opened = store.open(path, Now);
    QVERIFY(!opened.result.ok());
    QVERIFY2(opened.result.message.startsWith(u"Impossible"), qPrintable(opened.result.message));
    QCOMPARE(versionOf(path), 1);
    sqlite::Database db;
    QVERIFY(db.open(path).ok());
    sqlite::Statement race(db, "SELECT count(*) FROM sqlite_master WHERE name = 'race'");
    QVERIFY(race.step() == sqlite::Statement::Step::Row);
    QCOMPARE(race.integer(0), qint64(0));
}

QTEST_GUILESS_MAIN(TestCopies)
#include "tst_copies.moc"
