// The list file's, the race sheet's and the horses' history's faults that only a
// POSIX system lets a test bring about:
// permissions that bind (run as nobody when the suite runs as root) and a
// file-size limit that stops a write part-way, as a full disk would.
#include "horselist.h"
#include "importer.h"
#include "listfile.h"
#include "listhelpers.h"
#include "places.h"
#include "racearchive.h"
#include "raceday.h"
#include "racefile.h"
#include "scripteddialogs.h"
#include "store.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Root reads and writes whatever the permissions say: a test of permissions runs
// this program again as nobody, which then decides the test.
void checkAsNobody(const char* function) {
    QProcess child;
    child.start(u"setpriv"_qs, {u"--reuid=nobody"_qs, u"--regid=nogroup"_qs, u"--clear-groups"_qs,
                                QCoreApplication::applicationFilePath(), QLatin1String(function)});
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() >= 126)
        QSKIP("running as root, and this program could not be started as nobody");
    QVERIFY2(child.exitCode() == 0, child.readAll().constData());
}

// Every message a fault scenario shows, checked after each test for text
// decoded twice ("d'Ã©crire").
QStringList Seen;
const QString& seen(const QString& message) {
    Seen << message;
    return message;
}

// A file-size limit `room` bytes past the larger of the history and its -wal
// (where WAL writes a transaction): the writes stop part-way, as a full disk
// would, once the transaction has written some pages.
struct FullDisk {
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
    qint64 walBefore = 0;
    QString history;
    FullDisk(const QString& file, qint64 room) : history(file) {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        walBefore = QFileInfo(file + u"-wal"_qs).size();
        rlimit limited = old;
        limited.rlim_cur = static_cast<rlim_t>(std::max(QFileInfo(file).size(), walBefore) + room);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    // Whether the transaction had written past the -wal's size before it stopped.
    bool stoppedPartWay() const { return QFileInfo(history + u"-wal"_qs).size() > walBefore; }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};

} // namespace

class TestFaultsPosix : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir.isValid());
        path = dir.filePath("lstchrono.txt");
        QFile::remove(path);
    }
    void cleanup() {
        for (const QString& m : std::exchange(Seen, {}))
            QVERIFY2(!m.contains(u'Ã') && !m.contains(u'Â'), qPrintable(m));
    }

    void permissionFailures();
    void listFolderChoice();
    void writeCutShortLeavesFileAsItWas_data();
    void writeCutShortLeavesFileAsItWas();
    void correctionOnAFullDiskLeavesFileAsItWas();
    void raceKeptOnlyWhole_data();
    void raceKeptOnlyWhole();
    void historyOnAFullDisk();
    void historyInAReadOnlyFolder();
    void historyWritableAgain();
    void importOnAFullDisk();

  private:
    QTemporaryDir dir;
    QString path;
};

void TestFaultsPosix::permissionFailures() {
    if (geteuid() == 0)
        return checkAsNobody("permissionFailures");
    QTemporaryDir own;
    QVERIFY(own.isValid());
    const QString file = own.filePath("lstchrono.txt");
    HorseList list;
    list.add("kept");

    writeBytes(file, "a\r\n");
    QFile::setPermissions(file, QFileDevice::WriteOwner); // unreadable
    QVERIFY(seen(loadListFile(file, list).message).contains(u"lstchrono.txt : accès refusé"));
    QFile::setPermissions(file, QFileDevice::ReadOwner); // read-only
    QVERIFY(seen(saveListFile(file, list).message).contains(u"accès refusé"));
    QVERIFY(seen(emptyListFile(file).message).contains(u"accès refusé"));
    QCOMPARE(readBytes(file), QByteArray("a\r\n"));

    // A read-only folder: no new file, but an existing writable one still works.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(own.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString missing = own.filePath("autre/lstchrono.txt");
    QVERIFY(!saveListFile(own.filePath("new.txt"), list).ok());
    QVERIFY(!QFile::exists(own.filePath("new.txt")));
    QVERIFY(!saveListFile(missing, list).ok());
    QVERIFY_OK(saveListFile(file, list));
    QCOMPARE(readBytes(file), QByteArray("a\r\nkept\r\n\r\n"));
    QVERIFY_OK(emptyListFile(file));
    QCOMPARE(readBytes(file), QByteArray("\r\n"));
    QFile::setPermissions(own.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(entries(list), QStringList{"kept"});
}

void TestFaultsPosix::listFolderChoice() {
    if (geteuid() == 0)
        return checkAsNobody("listFolderChoice");
    QTemporaryDir own;
    QVERIFY(own.isValid());
    const QString program = own.filePath("bin"), data = own.filePath("xdg/Orvanto");
    QVERIFY(QDir(own.path()).mkdir("bin"));

    // A folder the program may write in keeps the list file, and the check leaves nothing.
    QCOMPARE(places::chooseListFolder(program, data), program);
    QVERIFY(QDir(program).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    // A package's program, marked in its share folder: the data folder, though
    // the program's folder could be written in (as by the superuser).
    QVERIFY(QDir(own.path()).mkpath("share/orvanto"));
    writeBytes(own.filePath("share/orvanto/installe.txt"), "installé\n");
    QCOMPARE(places::chooseListFolder(program, data), data);
    QVERIFY(QFile::remove(own.filePath("share/orvanto/installe.txt")));
    // A folder it may not write in (an installed program's): the data folder.
    QVERIFY(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QCOMPARE(places::chooseListFolder(program, data), data);

    // $XDG_DATA_HOME decides where the data folder is.
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", own.filePath("xdg").toLocal8Bit());
    const QString chosen = places::userDataFolder();
    qputenv("XDG_DATA_HOME", oldXdg);
    QCOMPARE(chosen, data);

    // Made when first needed; a save then lands there.
    const QString file = QDir(data).filePath("lstchrono.txt");
    QVERIFY(!QFileInfo::exists(data));
    QVERIFY_OK(files::makeFolderFor(file));
    HorseList list;
    list.add(u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs);
    QVERIFY_OK(saveListFile(file, list));
    QCOMPARE(readBytes(file),
             QByteArray("1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon\r\n\r\n"));
    // A folder that cannot be made: the message names it.
    const FileResult refused = files::makeFolderFor(QDir(program).filePath("sub/lstchrono.txt"));
    QVERIFY(!refused.ok());
    QVERIFY2(seen(refused.message).contains(QDir::toNativeSeparators(program)) &&
                 refused.message.contains(u"accès refusé"),
             qPrintable(refused.message));
    QFile::setPermissions(program,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestFaultsPosix::writeCutShortLeavesFileAsItWas_data() {
    // clang-format off
    QTest::addColumn<QString>("command"); // save, empty ("Vider liste + fichier") or sheet
    QTest::addColumn<bool>("existed"); // the file held "old" before
    QTest::addColumn<int>("limit");   // largest file size allowed, bytes
    QTest::newRow("save cut short: the file as it was") << "save" << true << 1005;
    QTest::newRow("save cut short on a new file: no file left") << "save" << false << 1000;
    QTest::newRow("emptying on a full disk: the file as it was") << "empty" << true << 1;
    QTest::newRow("race sheet on a full disk: the file as it was") << "sheet" << true << 500;
    QTest::newRow("new race sheet on a full disk: no file left") << "sheet" << false << 500;
    // clang-format on
}

void TestFaultsPosix::writeCutShortLeavesFileAsItWas() {
    QFETCH(QString, command);
    QFETCH(bool, existed);
    QFETCH(int, limit);
    const QByteArray before("old\r\n");
    if (existed)
        writeBytes(path, before);
    HorseList list;
    for (int i = 0; i < 100; ++i)
        list.add(u"1:15:%1 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs.arg(i));

    // A file-size limit stops the write part-way, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = static_cast<rlim_t>(limit);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    if (command == u"sheet") {
        // As this copy last saw the file: nothing to take in from another copy.
        RaceDay day{RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7)},
                    path,
                    {},
                    existed ? files::stampOf(before) : files::Stamp{}};
        for (int i = 0; i < 20; ++i) {
            day.sheet.runners.emplace_back();
            day.sheet.runners.back().name = u"Eclair %1"_qs.arg(i);
        }
        ScriptedDialogs dialogs;
        QVERIFY(!saveRaceDay(day, dialogs));
        error = seen(dialogs.lastText());
    } else {
        error = seen((command == u"save" ? saveListFile(path, list) : emptyListFile(path)).message);
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(error.contains(u"lstchrono.txt") && error.contains(u"trop volumineux"),
             qPrintable(error));
    QCOMPARE(readBytes(path), existed ? before : QByteArray("<missing>"));
    QCOMPARE(list.count(), 100);
    QCOMPARE(list.unsavedCount(), 100); // the next save writes them
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), existed ? 1 : 0);
}

void TestFaultsPosix::correctionOnAFullDiskLeavesFileAsItWas() {
    const QByteArray before(
        "1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon\r\n"
        "1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd\r\n\r\n");
    writeBytes(path, before);
    HorseList list;
    QVERIFY_OK(loadListFile(path, list));
    // Room for no more than the file holds now: a longer name cannot be written.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = static_cast<rlim_t>(before.size());
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const FileResult result = rewriteListLine(
        path, list, 1, u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair le Grand ---- terrain : bon"_qs);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY2(!result.ok() && seen(result.message).contains(u"trop volumineux"),
             qPrintable(result.message));
    QCOMPARE(readBytes(path), before);
    QCOMPARE(entries(list),
             (QStringList{u"1:02:50 ---- 1200m ---- 56Kg ---- Bolide ---- terrain : lourd"_qs,
                          u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon"_qs}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    // With room again, the same correction goes through.
    QVERIFY_OK(rewriteListLine(
        path, list, 1, u"1:15:48 ---- 2100m ---- 57Kg ---- Eclair le Grand ---- terrain : bon"_qs));
    QCOMPARE(readBytes(path), QByteArray(before).replace("Eclair", "Eclair le Grand"));
}

void TestFaultsPosix::raceKeptOnlyWhole_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("opening"); // a kept race opened, rather than a new one begun
    QTest::newRow("full disk") << u"full"_qs << false;
    QTest::newRow("read-only archive folder") << u"read-only"_qs << false;
    QTest::newRow("opening on a full disk") << u"full"_qs << true;
    QTest::newRow("opening with a read-only archive folder") << u"read-only"_qs << true;
    // The race on the sheet is kept, but the larger one opened cannot be written.
    QTest::newRow("opening a larger race on a full disk") << u"full-larger"_qs << true;
    // The race is kept, but the emptied sheet cannot be written: no copy left behind.
    QTest::newRow("read-only sheet folder") << u"sheet-read-only"_qs << false;
}

// "Nouvelle course" where the race cannot be kept: the race stays on the sheet
// and in its file, nothing half-written is left in the archive.
void TestFaultsPosix::raceKeptOnlyWhole() {
    QFETCH(QString, fault);
    QFETCH(bool, opening);
    if (fault == u"read-only" && geteuid() == 0)
        return checkAsNobody(opening ? "raceKeptOnlyWhole:opening with a read-only archive folder"
                                     : "raceKeptOnlyWhole:read-only archive folder");
    if (fault == u"sheet-read-only" && geteuid() == 0)
        return checkAsNobody("raceKeptOnlyWhole:read-only sheet folder");
    QTemporaryDir own;
    const QString archive = own.filePath("courses");
    QVERIFY(QDir(own.path()).mkdir("courses"));
    RaceDay day{RaceSheet{.name = u"Prix"_qs, .date = QDate(2026, 12, 7), .distance = u"2400"_qs},
                own.filePath("coursedujour.csv")};
    for (int i = 0; i < 20; ++i) {
        day.sheet.runners.emplace_back();
        day.sheet.runners.back().name = u"Eclair %1"_qs.arg(i);
    }
    ScriptedDialogs dialogs;
    QVERIFY(saveRaceDay(day, dialogs));
    // A small race kept earlier, to open.
    RaceSheet small{.name = u"Prix d'avant"_qs, .date = QDate(2026, 12, 1), .distance = u"2000"_qs};
    small.runners.push_back(day.sheet.runners.front());
    if (fault == u"full-larger") { // the small race on the sheet, the large one kept
        std::swap(small, day.sheet);
        QVERIFY(saveRaceDay(day, dialogs));
    }
    const auto keptPath = archiveRace(small, archive, dialogs);
    QVERIFY(keptPath);
    const QByteArray kept = readBytes(*keptPath);
    const QByteArray file = readBytes(day.path);
    const RaceSheet before = day.sheet;
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (fault.startsWith(u"full")) {
        rlimit limited = old;
        // Room for the small race on the sheet, not for the large one.
        limited.rlim_cur = fault == u"full" ? 500 : racefile::write(day.sheet).size() + 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    } else {
        QFile::setPermissions(fault == u"read-only" ? archive : own.path(),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const bool began = opening ? openArchived(day, archivedRaces(archive).front(), archive, dialogs)
                               : newRace(day, archive, QDate(2026, 12, 8), dialogs);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    for (const QString& folder : {archive, own.path()})
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    QVERIFY(!began);
    QVERIFY(day.sheet == before);
    QCOMPARE(readBytes(day.path), file);
    QVERIFY2(fault == u"full-larger" || fault == u"sheet-read-only"
                 ? seen(dialogs.lastText()).contains(u"coursedujour.csv"_qs)
                 : dialogs.lastText().contains(u"courses"_qs) &&
                       dialogs.lastText().endsWith(u"La course reste sur la feuille."_qs),
             qPrintable(dialogs.lastText()));
    // The kept race as it was, and nothing else.
    QCOMPARE(QDir(archive).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(*keptPath).fileName()});
    QCOMPARE(readBytes(*keptPath), kept);
}

namespace {

std::vector<history::Run> runsOf(const QString& horse, int count) {
    std::vector<history::Run> runs;
    for (int i = 0; i < count; ++i) {
        history::Run r;
        r.horse = horse;
        r.date = QDate(2026, 12, 1).addDays(-i);
        r.hippodrome = u"Vincennes"_qs;
        r.distance = 2700;
        r.time = 20000 + i;
        r.note = QString(200, u'x'); // room taken quickly
        runs.push_back(r);
    }
    return runs;
}

} // namespace

void TestFaultsPosix::historyOnAFullDisk() {
    const QString file = dir.filePath("historique.sqlite");
    QFile::remove(file);
    history::Store store;
    QVERIFY(store.open(file).result.ok());
    QCOMPARE(store.add(runsOf(u"Gardé"_qs, 10)).added, 10);
    history::Added added;
    {
        const FullDisk full(file, 64 * 1024);
        added = store.add(runsOf(u"Perdu"_qs, 2000));
        QVERIFY(full.stoppedPartWay());
    }
    QVERIFY2(!added.result.ok() &&
                 seen(added.result.message)
                     .contains(u"historique.sqlite : l'écriture sur le disque a échoué") &&
                 added.result.message.startsWith(u"Impossible"),
             qPrintable(added.result.message));
    QCOMPARE(added.added, 0);
    QVERIFY(store.runsOf(u"Perdu"_qs).runs.empty()); // rolled back whole
    QCOMPARE(store.runsOf(u"Gardé"_qs).runs.size(), size_t(10));
    // The next action works again.
    QCOMPARE(store.add(runsOf(u"Après"_qs, 3)).added, 3);
}

namespace {

// A history of ten runs of "Gardé" at `file`, closed.
void historyOfTen(const QString& file) {
    history::Store store;
    QVERIFY(store.open(file).result.ok());
    QCOMPARE(store.add(runsOf(u"Gardé"_qs, 10)).added, 10);
}

} // namespace

void TestFaultsPosix::historyInAReadOnlyFolder() {
    if (geteuid() == 0)
        return checkAsNobody("historyInAReadOnlyFolder");
    QTemporaryDir own;
    QVERIFY(own.isValid());
    const QString file = own.filePath("historique.sqlite");
    historyOfTen(file);
    const QByteArray before = readBytes(file);
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QFile::setPermissions(own.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        history::Store store;
        const history::Opened opened = store.open(file);
        const FileResult failed =
            opened.result.ok() ? store.add(runsOf(u"Perdu"_qs, 5)).result : opened.result;
        QVERIFY2(!failed.ok() && seen(failed.message).contains(u"historique.sqlite") &&
                     failed.message.startsWith(u"Impossible"),
                 qPrintable(failed.message));
    }
    QCOMPARE(readBytes(file), before);
    QFile::setPermissions(own.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    history::Store store;
    QVERIFY(store.open(file).result.ok());
    QCOMPARE(store.runsOf(u"Gardé"_qs).runs.size(), size_t(10));
    QVERIFY(store.runsOf(u"Perdu"_qs).runs.empty());
}

// A history read-only for a while (the file, or SQLite's files beside it left
// read-only by a copy that could not write) works again once writable, in the
// same run of the program.
void TestFaultsPosix::historyWritableAgain() {
    if (geteuid() == 0)
        return checkAsNobody("historyWritableAgain");
    QTemporaryDir own;
    QVERIFY(own.isValid());
    const QString file = own.filePath("historique.sqlite");
    historyOfTen(file);
    const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    history::Store store;
    const history::Opened opened = store.open(file);
    const FileResult failed =
        opened.result.ok() ? store.add(runsOf(u"Perdu"_qs, 5)).result : opened.result;
    QVERIFY2(!failed.ok() && seen(failed.message).contains(u"lecture seule"),
             qPrintable(failed.message));
    for (const char* extra : {"-wal", "-shm"}) // left behind read-only
        if (QFile::exists(file + extra))
            QFile::setPermissions(file + extra, QFileDevice::ReadOwner);
    QFile::setPermissions(file, writable);
    const history::Added again = store.add(runsOf(u"Repris"_qs, 5));
    QVERIFY2(again.result.ok(), qPrintable(again.result.message));
    QCOMPARE(again.added, 5);
    history::Store later; // and the next start opens it
    QVERIFY2(later.open(file).result.ok(), "");
    QCOMPARE(later.runsOf(u"Repris"_qs).runs.size(), size_t(5));
    QCOMPARE(later.runsOf(u"Gardé"_qs).runs.size(), size_t(10));
}

namespace {

// Detailed performances of one horse: `count` past races, each with a long name.
QByteArray performances(const QString& horse, int count) {
    QJsonArray races;
    for (int i = 0; i < count; ++i)
        races.append(QJsonObject{
            {u"date"_qs,
             QDateTime(QDate(2026, 11, 1).addDays(-i), QTime(14, 0), Qt::UTC).toMSecsSinceEpoch()},
            {u"hippodrome"_qs, u"VINCENNES"_qs},
            {u"nomPrix"_qs, QString(200, u'x')},
            {u"discipline"_qs, u"ATTELE"_qs},
            {u"distance"_qs, 2700},
            {u"participants"_qs,
             QJsonArray{QJsonObject{{u"nomCheval"_qs, horse},
                                    {u"itsHim"_qs, true},
                                    {u"reductionKilometrique"_qs, 7400 + i % 100}}}}});
    return QJsonDocument(QJsonObject{{u"participants"_qs,
                                      QJsonArray{QJsonObject{{u"nomCheval"_qs, horse},
                                                             {u"coursesCourues"_qs, races}}}}})
        .toJson();
}

} // namespace

void TestFaultsPosix::importOnAFullDisk() {
    // An import is one transaction: on a full disk nothing of it is kept, and
    // nothing kept before is lost.
    QTemporaryDir own;
    AppState state(own.filePath(u"o.ini"_qs), RaceDay{{}, own.filePath(u"coursedujour.csv"_qs)});
    ScriptedDialogs dialogs;
    QVERIFY(
        state.openHistory(own.filePath(u"historique.sqlite"_qs), QDateTime(), dialogs).isEmpty());
    for (const auto& [name, horse, count] :
         {std::tuple{"kept.json", "GARDÉ", 10}, {"lost.json", "PERDU", 2000}}) {
        QFile f(own.filePath(QString::fromUtf8(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(performances(QString::fromUtf8(horse), count));
    }
    const ImportPlace place{own.filePath(u"courses"_qs), QDate(2026, 12, 8)};
    QCOMPARE(importFiles({own.filePath(u"kept.json"_qs)}, state, place, dialogs).pastRuns, 10);
    ImportSummary lost;
    {
        const FullDisk full(own.filePath(u"historique.sqlite"_qs), 64 * 1024);
        lost = importFiles({own.filePath(u"lost.json"_qs)}, state, place, dialogs);
        QVERIFY(full.stoppedPartWay());
    }
    QCOMPARE(lost.pastRuns, 0);
    seen(lost.text());
    QVERIFY2(lost.reasons.size() == 1 &&
                 lost.reasons[0].startsWith(u"aucune course passée gardée : Impossible"_qs),
             qPrintable(lost.text()));
    QVERIFY(state.history().runsOf(u"PERDU"_qs).runs.empty());
    QCOMPARE(state.history().runsOf(u"GARDÉ"_qs).runs.size(), size_t(10));
    // Imported again once there is room: all of it.
    QCOMPARE(importFiles({own.filePath(u"lost.json"_qs)}, state, place, dialogs).pastRuns, 2000);
}

QTEST_GUILESS_MAIN(TestFaultsPosix)
#include "tst_faults_posix.moc"
