// The room for files: where each file lives, a file's content and stamp, and the
// lock that keeps two copies of the program from rewriting a file at once.
#include "places.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFiles : public QObject {
    Q_OBJECT

  private slots:
    void filesBesideTheList();
    void content();
    void stamps();
    void lock();
};

void TestFiles::filesBesideTheList() {
    QTemporaryDir dir;
    places::setListFilePath(dir.filePath(u"lstchrono.txt"_qs));
    QCOMPARE(places::sheetFilePath(), dir.filePath(u"coursedujour.csv"_qs));
    QCOMPARE(places::historyFilePath(), dir.filePath(u"historique.sqlite"_qs));
    QVERIFY(places::userDataFolder().endsWith(u"Orvanto"_qs));
    QVERIFY(places::shown(u"x.txt"_qs).endsWith(QDir::toNativeSeparators(u"/x.txt"_qs)));
    // A failure's words as written, accents and all.
    QVERIFY(files::failure("de lire ou d'écrire", u"x.txt"_qs, u"le disque est plein"_qs)
                .message.startsWith(u"Impossible de lire ou d'écrire le fichier "_qs));
}

void TestFiles::content() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f.csv"_qs);
    const files::Content missing = files::readWhole(path);
    QVERIFY(missing.result.ok() && !missing.exists);
    QVERIFY(files::writeWhole(path, "a;b\r\n").ok());
    const files::Content read = files::readWhole(path);
    QVERIFY(read.result.ok() && read.exists);
    QCOMPARE(read.bytes, QByteArray("a;b\r\n"));
    // A folder in the file's place: a message naming it in full, nothing written.
    QVERIFY(QDir(dir.path()).mkdir(u"d.csv"_qs));
    const files::Content folder = files::readWhole(dir.filePath(u"d.csv"_qs));
    QVERIFY(!folder.result.ok() && folder.result.message.contains(u"d.csv"_qs));
    const FileResult written = files::writeWhole(dir.filePath(u"d.csv"_qs), "x");
    QCOMPARE(written.state, FileResult::State::Failed);
    QVERIFY(files::makeFolderFor(dir.filePath(u"new/folder/f.csv"_qs)).ok());
    QVERIFY(QDir(dir.filePath(u"new/folder"_qs)).exists());
}

void TestFiles::stamps() {
    // What tells a file another copy changed from one it did not: any byte, its
    // size, or whether it exists at all.
    QCOMPARE(files::stampOf("abc"), files::stampOf(QByteArray("abc")));
    QVERIFY(files::stampOf("abc") != files::stampOf("abd"));
    QVERIFY(files::stampOf("abc") != files::stampOf("abc "));
    QVERIFY(files::stampOf("") != files::Stamp{});
    QCOMPARE(files::stampOf(files::Content{}), files::Stamp{});
}

void TestFiles::lock() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"coursedujour.csv"_qs);
    {
        const files::Lock first(path, 100);
        QVERIFY(first.held());
        const files::Lock second(path, 100); // another copy: waits, then gives up
        QVERIFY(!second.held());
    }
    // Released when the first goes: the next takes it, and no lock file stays.
    {
        const files::Lock again(path, 100);
        QVERIFY(again.held());
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
