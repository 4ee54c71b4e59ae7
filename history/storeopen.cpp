// Opening the history: a damaged or foreign file set aside and the newest
// sound copy put back, an older structure copied before it changes, a
// copy chosen put in place, and a history read-only for a while reopened.

#include "store.h"

#include "syserror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace history {

namespace {

using Step = sqlite::Statement::Step;

// Renames the file (and SQLite's files beside it) out of the way, as
// "historique-<why>-2026-12-08-1030.sqlite".
QString setAside(const QString& path, const QString& stamp, const char* why = "illisible") {
    const QFileInfo info(path);
    const QString aside = info.dir().filePath(u"%1-%2-%3.%4"_qs.arg(
        info.completeBaseName(), QString::fromUtf8(why), stamp, info.suffix()));
    if (!QFile::rename(path, aside))
        return QString();
    for (const char* extra : {"-wal", "-shm"})
        QFile::rename(path + QLatin1String(extra), aside + QLatin1String(extra));
    return aside;
}

// Whether SQLite's quick check finds every page of the file sound: a history
// damaged inside, whose first page still reads, is never written to.
bool sound(sqlite::Database& db) {
    sqlite::Statement check(db, "PRAGMA quick_check(1)");
    return check.step() == Step::Row && check.text(0) == u"ok";
}

} // namespace

Opened Store::open(const QString& path, const QDateTime& now) {
    if (FileResult made = files::makeFolderFor(path); !made.ok())
        return {made, {}, {}};
    Opened out{db_.open(path), {}, {}};
    if (!out.result.ok())
        return out;
    Kind kind = kindOf(db_);
    if (kind == Kind::Ours && !sound(db_))
        kind = Kind::Foreign; // damaged: set aside as an unreadable file is
    if (kind == Kind::Later) {
        db_.close();
        return {
            files::failure("d'ouvrir", path, u"il vient d'une version plus récente d'Orvanto"_qs),
            {},
            {}};
    }
    if (kind == Kind::Foreign) {
        if (out = setAsideAndRestore(path, now); !out.result.ok())
            return out;
    } else if (kind == Kind::Ours && schemaVersionOf(db_) < SchemaVersion) {
        out.result = copies::make(db_, now, SchemaVersion); // no way back without it
    }
    // WAL lets a copy read while another writes; the setting stays with the file.
    if (out.result.ok())
        out.result = db_.exec("PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON");
    if (out.result.ok())
        out.result = migrate(db_);
    if (!out.result.ok())
        db_.close();
    return out;
}

Opened Store::setAsideAndRestore(const QString& path, const QDateTime& now) {
    db_.close();
    Opened out{FileResult::success(), setAside(path, now.toString(u"yyyy-MM-dd-HHmm"_qs)), {}};
    if (out.setAside.isEmpty())
        return {files::failure("de mettre de côté", path,
                               u"il n'est pas un historique d'Orvanto et ne "
                               "peut pas être renommé"_qs),
                {},
                {}};
    for (const copies::Copy& c : copies::list(path))
        if (copies::sound(c)) {
            if (out.result = copies::putBack(c, path); out.result.ok())
                out.restored = c;
            break;
        }
    if (out.result.ok())
        out.result = db_.open(path);
    return out;
}

Opened Store::restore(const copies::Copy& copy, const QDateTime& now) {
    const QString path = db_.path();
    if (!copies::sound(copy))
        return {files::failure("de remettre", copy.path,
                               u"la copie n'est pas un historique lisible"_qs),
                {},
                {}};
    db_.close();
    Opened out{
        FileResult::success(), setAside(path, now.toString(u"yyyy-MM-dd-HHmm"_qs), "remplace"), {}};
    if (out.setAside.isEmpty() && QFileInfo::exists(path))
        out.result = files::failure("de mettre de côté", path, u"il ne peut pas être renommé"_qs);
    if (out.result.ok())
        out.result = copies::putBack(copy, path);
    if (out.result.ok())
        out.restored = copy;
    else if (!out.setAside.isEmpty()) // the history as it was, back in its place
        for (const QString& extra : {u""_qs, u"-wal"_qs, u"-shm"_qs})
            QFile::rename(out.setAside + extra, path + extra);
    const Opened reopened = open(path, now); // the copy, or the history as it was
    if (!reopened.result.ok())
        out.result = reopened.result;
    return out;
}

FileResult Store::writable() {
    if (db_.isOpen() && !db_.readOnly())
        return FileResult::success();
    const QString path = db_.path();
    if (path.isEmpty())
        return files::failure("d'enregistrer dans", path, u"l'historique n'est pas ouvert"_qs);
    if (FileResult opened = db_.open(path); !opened.ok())
        return opened;
    const Kind kind = kindOf(db_);
    FileResult out = kind == Kind::Ours || kind == Kind::Empty
                         ? db_.exec("PRAGMA journal_mode = WAL; PRAGMA foreign_keys = ON")
                         : files::failure("d'enregistrer dans", path,
                                          u"il n'est plus un historique d'Orvanto"_qs);
    if (out.ok())
        out = migrate(db_);
    if (out.ok() && db_.readOnly())
        out =
            files::failure("d'enregistrer dans", path, syserror::reason(syserror::Fault::ReadOnly));
    return out;
}

} // namespace history
