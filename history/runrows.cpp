#include "runrows.h"

namespace history::rows {

const char* const Columns = "date, hippodrome, race, discipline, distance, recul, start, "
                            "shoeing, going, time, reduction, place, status, lengths, weight, "
                            "rider, allocation, runners, source, note";

namespace {

using Step = sqlite::Statement::Step;

const QString DateFormat = u"yyyy-MM-dd"_qs;
constexpr int ColumnCount = 20;

// What tells two runs without a date apart: their figures.
QString undatedKey(const Run& r) {
    if (r.date.isValid())
        return QString();
    const auto number = [](std::optional<qint64> v) { return v ? QString::number(*v) : QString(); };
    return number(r.time) + u'/' + number(r.reduction);
}

// Binds the run's columns from `at`, in the order of `Columns`.
void bindRun(sqlite::Statement& s, int at, const Run& r) {
    s.bind(at, r.date.isValid() ? r.date.toString(DateFormat) : QString())
        .bind(at + 1, r.hippodrome)
        .bind(at + 2, r.race)
        .bind(at + 3, r.discipline)
        .bind(at + 4, qint64(r.distance))
        .bind(at + 5, qint64(r.recul))
        .bind(at + 6, r.start)
        .bind(at + 7, r.shoeing)
        .bind(at + 8, r.going)
        .bind(at + 9, r.time)
        .bind(at + 10, r.reduction)
        .bind(at + 11, qint64(r.place))
        .bind(at + 12, statusName(r.status))
        .bind(at + 13, r.lengths)
        .bind(at + 14, r.weight)
        .bind(at + 15, r.rider)
        .bind(at + 16, r.allocation)
        .bind(at + 17, r.runners)
        .bind(at + 18, sourceName(r.source))
        .bind(at + 19, r.note);
}

} // namespace

// A run read from `at`, in the order of `Columns`.
Run runAt(const sqlite::Statement& s, int at) {
    Run r;
    r.date = QDate::fromString(s.text(at), DateFormat);
    r.hippodrome = s.text(at + 1);
    r.race = s.text(at + 2);
    r.discipline = s.text(at + 3);
    r.distance = static_cast<int>(s.integer(at + 4));
    r.recul = static_cast<int>(s.integer(at + 5));
    r.start = s.text(at + 6);
    r.shoeing = s.text(at + 7);
    r.going = s.text(at + 8);
    r.time = s.optionalInteger(at + 9);
    r.reduction = s.optionalInteger(at + 10);
    r.place = static_cast<int>(s.integer(at + 11));
    r.status = statusOf(s.text(at + 12)).value_or(Status::Placed);
    r.lengths = s.optionalReal(at + 13);
    r.weight = s.optionalReal(at + 14);
    r.rider = s.text(at + 15);
    r.allocation = s.optionalInteger(at + 16);
    r.runners = s.optionalInteger(at + 17);
    r.source = sourceOf(s.text(at + 18)).value_or(Source::Typed);
    r.note = s.text(at + 19);
    return r;
}

// The horse's id, the horse stored when new; none on a failure.
std::optional<qint64> horseId(sqlite::Database& db, const QString& name) {
    sqlite::Statement insert(db, "INSERT OR IGNORE INTO horse (key, name) VALUES (?1, ?2)");
    if (insert.bind(1, horseKey(name)).bind(2, name.simplified()).step() != Step::Done)
        return std::nullopt;
    sqlite::Statement select(db, "SELECT id FROM horse WHERE key = ?1");
    if (select.bind(1, horseKey(name)).step() != Step::Row)
        return std::nullopt;
    return select.integer(0);
}

Same sameRun(sqlite::Database& db, qint64 horse, const Run& r) {
    sqlite::Statement s(db, "SELECT id, source FROM run WHERE horse = ?1 AND date = ?2 AND "
                            "hippodrome_key = ?3 AND distance = ?4 AND undated = ?5");
    s.bind(1, horse)
        .bind(2, r.date.isValid() ? r.date.toString(DateFormat) : QString())
        .bind(3, horseKey(r.hippodrome))
        .bind(4, qint64(r.distance))
        .bind(5, undatedKey(r));
    if (s.step() != Step::Row)
        return {};
    return {s.integer(0), sourceOf(s.text(1)) == Source::Typed};
}

// The stored run `id` made `r`, every column.
bool replace(sqlite::Database& db, qint64 id, qint64 horse, const Run& r) {
    const QByteArray sql = QByteArray("UPDATE run SET (") + Columns +
                           ", horse, hippodrome_key, undated) = (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
                           "?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, "
                           "?23) WHERE id = ?24";
    sqlite::Statement s(db, sql.constData());
    bindRun(s, 1, r);
    s.bind(21, horse).bind(22, horseKey(r.hippodrome)).bind(23, undatedKey(r));
    return s.bind(24, id).step() == Step::Done;
}

// What a stored run lacks, taken from the same run come again.
bool complete(sqlite::Database& db, qint64 id, const Run& r) {
    sqlite::Statement s(
        db, "UPDATE run SET race = iif(race = '', ?3, race), "
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
    const QByteArray sql = QByteArray("INSERT INTO run (") + Columns +
                           ", horse, hippodrome_key, undated) VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
                           "?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, "
                           "?21, ?22, ?23)";
    sqlite::Statement s(db, sql.constData());
    bindRun(s, 1, r);
    s.bind(ColumnCount + 1, horse).bind(ColumnCount + 2, horseKey(r.hippodrome));
    return s.bind(ColumnCount + 3, undatedKey(r)).step() == Step::Done;
}

} // namespace history::rows
