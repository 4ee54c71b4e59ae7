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

// A horse left without runs is no longer one (its last run deleted, or a name
// corrected on a run).
FileResult dropHorsesWithoutRuns(sqlite::Database& db) {
    return db.exec("DELETE FROM horse WHERE id NOT IN (SELECT horse FROM run)");
}

} // namespace

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
    // The blinkers the horse wore, from its line in the run's race when known.
    const QByteArray sql = QByteArray("SELECT run.id, horse.name, coalesce((SELECT s.blinkers "
                                      "FROM starter s WHERE s.race = run.race_id AND s.horse = "
                                      "run.horse), ''), ") +
                           rows::columns() + " FROM run JOIN horse ON horse.id = run.horse " +
                           where + "ORDER BY run.date = '', run.date DESC, run.id DESC";
    sqlite::Statement s(db_, sql.constData());
    s.bind(1, key);
    Runs out;
    Step step;
    while ((step = s.step()) == Step::Row) {
        Run r = rows::runAt(s, 3);
        r.id = s.integer(0);
        r.horse = s.text(1);
        r.blinkers = calc::blinkersOf(s.text(2)).value_or(calc::Blinkers::Unknown);
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
