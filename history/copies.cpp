#include "copies.h"

#include "store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace history::copies {

namespace {

constexpr int DaysKept = 7, WeeksKept = 4, TodayKept = 5;
const QString Stamp = u"yyyy-MM-dd-HHmm"_qs;

// "historique-2026-12-09-1030.sqlite", "…-avant-version-2.sqlite"
QString nameOf(const QString& historyPath, const QDateTime& made, int nextVersion) {
    const QFileInfo info(historyPath);
    QString name = info.completeBaseName() + u'-' + made.toString(Stamp);
    if (nextVersion > 0)
        name += u"-avant-version-%1"_qs.arg(nextVersion);
    return name + u'.' + info.suffix();
}

// The copies no longer kept, removed; what could not be is left for next time.
void rotate(const QString& historyPath, const QDateTime& now) {
    for (const Copy& c : toDrop(list(historyPath), now))
        QFile::remove(c.path);
}

} // namespace

QString folderOf(const QString& historyPath) {
    return QFileInfo(historyPath).dir().filePath(u"sauvegardes"_qs);
}

std::vector<Copy> list(const QString& historyPath) {
    const QFileInfo info(historyPath);
    const QRegularExpression pattern(
        u"^%1-(\\d{4}-\\d\\d-\\d\\d-\\d{4})(-avant-version-\\d+)?\\.%2$"_qs.arg(
            QRegularExpression::escape(info.completeBaseName()),
            QRegularExpression::escape(info.suffix())));
    std::vector<Copy> out;
    const QDir folder(folderOf(historyPath));
    for (const QString& name : folder.entryList(QDir::Files)) {
        const auto m = pattern.match(name);
        const QDateTime made = QDateTime::fromString(m.captured(1), Stamp);
        if (m.hasMatch() && made.isValid())
            out.push_back({folder.filePath(name), made, m.hasCaptured(2)});
    }
    std::sort(out.begin(), out.end(), [](const Copy& a, const Copy& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return out;
}

std::vector<Copy> toDrop(const std::vector<Copy>& copies, const QDateTime& now) {
    std::vector<Copy> out;
    std::map<qint64, int> kept; // by day (0…6) or week (-1…-4): copies kept
    for (const Copy& c : copies) {
        if (c.beforeMigration)
            continue;
        const qint64 age = std::max<qint64>(0, c.made.date().daysTo(now.date()));
        const qint64 slot = age < DaysKept ? age : -1 - (age - DaysKept) / 7;
        const int room = age == 0 ? TodayKept : 1;
        if (slot < -WeeksKept || kept[slot]++ >= room)
            out.push_back(c);
    }
    return out;
}

FileResult make(sqlite::Database& db, const QDateTime& now, int nextVersion) {
    const QString path = QDir(folderOf(db.path())).filePath(nameOf(db.path(), now, nextVersion));
    if (FileResult made = files::makeFolderFor(path); !made.ok())
        return made;
    // Written under another name, put in place once whole: a copy cut short is
    // never taken for a sound one.
    const QString part = path + u".partiel"_qs;
    QFile::remove(part);
    sqlite::Statement vacuum(db, "VACUUM INTO ?");
    if (!vacuum.ok() || vacuum.bind(1, part).step() != sqlite::Statement::Step::Done) {
        QFile::remove(part);
        return db.failure("de copier");
    }
    QFile::remove(path); // a copy of the same minute: this one is newer
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        return files::failure("d'enregistrer", path, u"la copie n'a pas pu être renommée"_qs);
    }
    rotate(db.path(), now);
    return FileResult::success();
}

bool sound(const Copy& copy) {
    sqlite::Database db;
    if (!QFileInfo::exists(copy.path) || !db.open(copy.path, 0).ok() || kindOf(db) != Kind::Ours)
        return false;
    sqlite::Statement check(db, "PRAGMA quick_check(1)");
    return check.step() == sqlite::Statement::Step::Row && check.text(0) == u"ok";
}

FileResult putBack(const Copy& copy, const QString& historyPath) {
    const QString part = historyPath + u".restauration"_qs;
    QFile::remove(part);
    if (!QFile::copy(copy.path, part) || !QFile::rename(part, historyPath)) {
        QFile::remove(part);
        return files::failure("de remettre en place", historyPath,
                              u"la copie %1 n'a pas pu y être recopiée"_qs.arg(copy.path));
    }
    QFile::setPermissions(historyPath, QFile::permissions(historyPath) | QFileDevice::WriteOwner);
    return FileResult::success();
}

QString shownDate(const Copy& copy) {
    return copy.made.toString(u"dd/MM/yyyy 'à' HH:mm"_qs);
}

} // namespace history::copies
