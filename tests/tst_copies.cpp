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
Copy copyOf(const QString& spec) {
    const QStringList parts = spec.split(u'@');
    const QTime at = QTime::fromString(parts[1].left(4), u"HHmm"_qs);
    const QDateTime made(Now.date().addDays(-parts[0].toInt()), at);
    return {spec, made, parts[1].endsWith(u'm')};
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

QTEST_GUILESS_MAIN(TestCopies)
#include "tst_copies.moc"
