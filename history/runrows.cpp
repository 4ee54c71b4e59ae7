#include "runrows.h"
#include "runcolumns.h"

namespace history::rows {

namespace {

using Step = sqlite::Statement::Step;

const QString DateFormat = u"yyyy-MM-dd"_qs;

// What tells two runs without a date apart: their figures.
QString undatedKey(const Run& r) {
    if (r.date.isValid())
        return QString();
    const auto number = [](std::optional<qint64> v) { return v ? QString::number(*v) : QString(); };
    return number(r.time) + u'/' + number(r.reduction);
}

// The statements' placeholders below are written for the 20 columns of runColumns().
constexpr int ColumnCount = 20;

// Binds the run's columns from `at`, in the order of `Columns`.
void bindRun(sqlite::Statement& s, int at, const Run& r) {
    int i = at;
    for (const RunColumn& c : runColumns())
        c.bind(s, i++, r);
}

} // namespace

const char* columns() {
    static const QByteArray names = [] {
        QByteArray out;
        for (const RunColumn& c : runColumns())
            out += (out.isEmpty() ? "" : ", ") + QByteArray(c.sql);
        return out;
    }();
    return names.constData();
}

// A run read from `at`, in the order of `Columns`.
Run runAt(const sqlite::Statement& s, int at) {
    Run r;
    int i = at;
    for (const RunColumn& c : runColumns())
        c.fromSql(s, i++, r);
    return r;
}

// The horse's id, the horse stored when new; none on a failure.
std::optional<qint64> horseId(sqlite::Database& db, const QString& name) {
    sqlite::Statement& insert =
        db.prepared("INSERT OR IGNORE INTO horse (key, name) VALUES (?1, ?2)");
    if (insert.bind(1, horseKey(name)).bind(2, name.simplified()).step() != Step::Done)
        return std::nullopt;
    sqlite::Statement& select = db.prepared("SELECT id FROM horse WHERE key = ?1");
    if (select.bind(1, horseKey(name)).step() != Step::Row)
        return std::nullopt;
    const qint64 id = select.integer(0);
    select.reset(); // its read ended, not kept open until its next use
    return id;
}

Same sameRun(sqlite::Database& db, qint64 horse, const Run& r) {
    sqlite::Statement& s =
        db.prepared("SELECT id, source FROM run WHERE horse = ?1 AND date = ?2 AND "
                    "hippodrome_key = ?3 AND distance = ?4 AND undated = ?5");
    s.bind(1, horse)
        .bind(2, r.date.isValid() ? r.date.toString(DateFormat) : QString())
        .bind(3, horseKey(r.hippodrome))
        .bind(4, qint64(r.distance))
        .bind(5, undatedKey(r));
    if (s.step() != Step::Row)
        return {};
    const auto source = sourceOf(s.text(1));
    const Same same{s.integer(0), source == Source::Typed, source == Source::Arrival};
    s.reset(); // its read ended, not kept open until its next use
    return same;
}

// The stored run `id` made `r`, every column.
bool replace(sqlite::Database& db, qint64 id, qint64 horse, const Run& r) {
    static const QByteArray sql =
        QByteArray("UPDATE run SET (") + columns() +
        ", horse, hippodrome_key, undated) = (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
        "?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, "
        "?23) WHERE id = ?24";
    sqlite::Statement& s = db.prepared(sql.constData());
    bindRun(s, 1, r);
    s.bind(21, horse).bind(22, horseKey(r.hippodrome)).bind(23, undatedKey(r));
    return s.bind(24, id).step() == Step::Done;
}

// What a stored run lacks, taken from the same run come again.
bool complete(sqlite::Database& db, qint64 id, const Run& r) {
    sqlite::Statement& s = db.prepared(
        "UPDATE run SET race = iif(race = '', ?3, race), "
        "discipline = iif(discipline = '', ?4, discipline), recul = iif(recul = 0, ?6, "
        "recul), start = iif(start = '', ?7, start), shoeing = iif(shoeing = '', ?8, "
        "shoeing), going = iif(going = '', ?9, going), time = coalesce(time, ?10), "
        "reduction = coalesce(reduction, ?11), status = iif(place = 0 AND status = '', "
        "?13, status), place = iif(place = 0 AND status = '', ?12, place), "
        "lengths = coalesce(lengths, ?14), weight = coalesce(weight, ?15), "
        "rider = iif(rider = '', ?16, rider), allocation = coalesce(allocation, ?17), "
        "runners = coalesce(runners, ?18), note = iif(note = '', ?20, note) WHERE id = ?21");
    bindRun(s, 1, r);
    return s.bind(21, id).step() == Step::Done;
}

bool insert(sqlite::Database& db, qint64 horse, const Run& r) {
    static const QByteArray sql =
        QByteArray("INSERT INTO run (") + columns() +
        ", horse, hippodrome_key, undated) VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
        "?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, "
        "?21, ?22, ?23)";
    sqlite::Statement& s = db.prepared(sql.constData());
    bindRun(s, 1, r);
    s.bind(ColumnCount + 1, horse).bind(ColumnCount + 2, horseKey(r.hippodrome));
    return s.bind(ColumnCount + 3, undatedKey(r)).step() == Step::Done;
}

} // namespace history::rows
