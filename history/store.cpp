#include "store.h"

#include "races.h"
#include "runrows.h"
#include "syserror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace history {

namespace {

using Step = sqlite::Statement::Step;

// Why a run cannot be stored; empty when it can.
QString refusalOf(const Run& r) {
    if (horseKey(r.horse).isEmpty())
        return u"une course sans nom de cheval"_qs;
    if (r.distance <= 0 || r.recul < 0)
        return u"la course de « %1 » n'a pas de distance"_qs.arg(r.horse);
    return QString();
}

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

// A horse left without runs is no longer one (its last run deleted, or a name
// corrected on a run).
FileResult dropHorsesWithoutRuns(sqlite::Database& db) {
    return db.exec("DELETE FROM horse WHERE id NOT IN (SELECT horse FROM run)");
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

Added Store::add(const std::vector<Run>& runs) {
    Added out;
    if (out.result = writable(); !out.result.ok())
        return out;
    for (const Run& r : runs)
        if (const QString why = refusalOf(r); !why.isEmpty())
            return {files::failure("d'enregistrer dans", db_.path(), why), 0, 0};
    sqlite::Transaction t(db_);
    if (out.result = t.begun(); !out.result.ok())
        return out;
    for (const Run& r : runs) {
        const auto horse = rows::horseId(db_, r.horse);
        if (!horse)
            return {db_.failure("d'enregistrer dans"), 0, 0};
        const rows::Same same = rows::sameRun(db_, *horse, r);
        // What the punter typed again replaces what they typed before, an arrival
        // typed again the same arrival; never what an import recorded.
        const bool retyped = (same.typed && r.source == Source::Typed) ||
                             (same.arrival && r.source == Source::Arrival);
        const bool done = !same.id  ? rows::insert(db_, *horse, r)
                          : retyped ? rows::replace(db_, same.id, *horse, r)
                                    : rows::complete(db_, same.id, r);
        if (!done ||
            !races::link(db_, same.id ? same.id : db_.lastInsertId(), *horse, r, same.id != 0))
            return {db_.failure("d'enregistrer dans"), 0, 0};
        ++(same.id ? out.known : out.added);
    }
    out.result = t.commit();
    if (!out.result.ok())
        out.added = out.known = 0;
    return out;
}

RaceList Store::races(const QDate& from, const QDate& to) {
    RaceList out;
    if (!races::read(db_, from, to, out.races))
        return {db_.failure("de lire"), {}};
    return out;
}

Runs Store::runsOf(const QString& horse) {
    return runsWhere("WHERE horse.key = ?1 ", horseKey(horse));
}

Runs Store::allRuns() {
    return runsWhere("WHERE ?1 = ?1 ", QString());
}

Runs Store::runsWhere(const char* where, const QString& key) {
    const QByteArray sql = QByteArray("SELECT run.id, horse.name, ") + rows::columns() +
                           " FROM run JOIN horse ON horse.id = run.horse " + where +
                           "ORDER BY run.date = '', run.date DESC, run.id DESC";
    sqlite::Statement s(db_, sql.constData());
    s.bind(1, key);
    Runs out;
    Step step;
    while ((step = s.step()) == Step::Row) {
        Run r = rows::runAt(s, 2);
        r.id = s.integer(0);
        r.horse = s.text(1);
        out.runs.push_back(std::move(r));
    }
    if (step == Step::Failed)
        return {db_.failure("de lire"), {}};
    return out;
}

FileResult Store::update(const Run& run) {
    if (FileResult w = writable(); !w.ok())
        return w;
    if (const QString why = refusalOf(run); !why.isEmpty())
        return files::failure("d'enregistrer dans", db_.path(), why);
    sqlite::Transaction t(db_);
    if (!t.begun().ok())
        return t.begun();
    const auto horse = rows::horseId(db_, run.horse);
    if (!horse)
        return db_.failure("d'enregistrer dans");
    if (const rows::Same same = rows::sameRun(db_, *horse, run); same.id && same.id != run.id)
        return files::failure("d'enregistrer dans", db_.path(),
                              u"« %1 » a déjà cette course"_qs.arg(run.horse));
    if (!rows::replace(db_, run.id, *horse, run))
        return db_.failure("d'enregistrer dans");
    if (FileResult r = dropHorsesWithoutRuns(db_); !r.ok())
        return r;
    return t.commit();
}

FileResult Store::correctTyped(const Run& before, Run after) {
    if (FileResult w = writable(); !w.ok())
        return w;
    const auto horse = nameOf(before.horse) ? rows::horseId(db_, before.horse) : std::nullopt;
    if (!horse)
        return FileResult::success();
    const rows::Same same = rows::sameRun(db_, *horse, before);
    if (!same.id || !same.typed)
        return FileResult::success();
    after.id = same.id;
    const auto known = nameOf(after.horse) ? rows::horseId(db_, after.horse) : std::nullopt;
    if (const rows::Same other = known ? rows::sameRun(db_, *known, after) : rows::Same{};
        other.id && other.id != same.id) {
        // Already known: one run, completed, rather than two.
        if (const FileResult added = add({after}).result; !added.ok())
            return added;
        return remove(same.id);
    }
    return update(after);
}

FileResult Store::remove(qint64 id) {
    if (FileResult w = writable(); !w.ok())
        return w;
    sqlite::Transaction t(db_);
    if (!t.begun().ok())
        return t.begun();
    sqlite::Statement s(db_, "DELETE FROM run WHERE id = ?1");
    if (s.bind(1, id).step() != Step::Done)
        return db_.failure("d'enregistrer dans");
    if (FileResult r = dropHorsesWithoutRuns(db_); !r.ok())
        return r;
    return t.commit();
}

Horses Store::namesOf(sqlite::Statement& s) {
    Horses out;
    Step step;
    while ((step = s.step()) == Step::Row)
        out.names << s.text(0);
    if (step == Step::Failed)
        return {db_.failure("de lire"), {}};
    return out;
}

Horses Store::horses(const QString& part) {
    sqlite::Statement s(db_, "SELECT name FROM horse WHERE instr(key, ?1) > 0 ORDER BY key");
    s.bind(1, horseKey(part));
    return namesOf(s);
}

Horses Store::hippodromes() {
    sqlite::Statement s(db_, "SELECT min(hippodrome) FROM run WHERE hippodrome_key <> '' "
                             "GROUP BY hippodrome_key ORDER BY hippodrome_key");
    return namesOf(s);
}

std::optional<QString> Store::nameOf(const QString& horse) {
    sqlite::Statement s(db_, "SELECT name FROM horse WHERE key = ?1");
    if (s.bind(1, horseKey(horse)).step() != Step::Row)
        return std::nullopt;
    return s.text(0);
}

} // namespace history
