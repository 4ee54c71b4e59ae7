#include "races.h"

namespace history::races {

namespace {

using Step = sqlite::Statement::Step;

std::optional<qint64> optionalOf(int value) {
    return value > 0 ? std::optional<qint64>(value) : std::nullopt;
}

// The race's id, made when new; what a later file adds (its numbers, its
// runners) completes it. Looked up first: most results are of races known.
std::optional<qint64> raceId(sqlite::Database& db, const Run& r) {
    sqlite::Statement& known = db.prepared(
        "SELECT id FROM race WHERE date = ?1 AND hippodrome_key = ?2 AND distance = ?3 AND "
        "name = ?4");
    known.bind(1, r.date.toString(Qt::ISODate))
        .bind(2, horseKey(r.hippodrome))
        .bind(3, qint64(r.distance))
        .bind(4, r.race);
    if (const Step step = known.step(); step != Step::Done) {
        if (step == Step::Failed)
            return std::nullopt;
        const qint64 id = known.integer(0);
        if (r.meeting > 0) { // a participants file numbers its race, once
            sqlite::Statement& more = db.prepared(
                "UPDATE race SET meeting = ?2, number = ?3, runners = coalesce(?4, runners) "
                "WHERE id = ?1 AND meeting IS NULL");
            more.bind(1, id).bind(2, optionalOf(r.meeting)).bind(3, optionalOf(r.raceNumber));
            if (more.bind(4, r.runners).step() != Step::Done)
                return std::nullopt;
        }
        return id;
    }
    sqlite::Statement& made = db.prepared(
        "INSERT INTO race (date, hippodrome, hippodrome_key, name, discipline, distance, start, "
        "runners, meeting, number) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    made.bind(1, r.date.toString(Qt::ISODate))
        .bind(2, r.hippodrome)
        .bind(3, horseKey(r.hippodrome))
        .bind(4, r.race)
        .bind(5, disciplineName(r.discipline))
        .bind(6, qint64(r.distance))
        .bind(7, calc::startName(r.start))
        .bind(8, r.runners)
        .bind(9, optionalOf(r.meeting))
        .bind(10, optionalOf(r.raceNumber));
    return made.step() == Step::Done ? std::optional(db.lastInsertId()) : std::nullopt;
}

bool starter(sqlite::Database& db, qint64 race, qint64 horse, const Run& r) {
    sqlite::Statement& s = db.prepared(
        "INSERT INTO starter (race, horse, number, odds_reference, odds_direct, trainer, rider, "
        "place, status, blinkers) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10) "
        "ON CONFLICT (race, horse) "
        "DO UPDATE SET number = coalesce(excluded.number, number), "
        "odds_reference = coalesce(excluded.odds_reference, odds_reference), "
        "odds_direct = coalesce(excluded.odds_direct, odds_direct), "
        "trainer = CASE WHEN excluded.trainer != '' THEN excluded.trainer ELSE trainer END, "
        "rider = CASE WHEN excluded.rider != '' THEN excluded.rider ELSE rider END, "
        "blinkers = CASE WHEN excluded.blinkers != '' THEN excluded.blinkers ELSE blinkers END, "
        "place = excluded.place, status = excluded.status");
    s.bind(1, race)
        .bind(2, horse)
        .bind(3, optionalOf(r.number))
        .bind(4, r.oddsReference)
        .bind(5, r.oddsDirect)
        .bind(6, r.trainer)
        .bind(7, r.rider)
        .bind(8, qint64(r.place))
        .bind(9, statusName(r.status))
        .bind(10, calc::blinkersName(r.blinkers));
    return s.step() == Step::Done;
}

} // namespace

bool read(sqlite::Database& db, const QDate& from, const QDate& to, std::vector<Race>& out) {
    sqlite::Statement s(
        db, "SELECT race.id, race.date, race.hippodrome, race.name, race.discipline, "
            "race.distance, coalesce(race.meeting, 0), coalesce(race.number, 0), horse.name, "
            "coalesce(starter.number, 0), starter.odds_reference, starter.odds_direct, "
            "starter.trainer, starter.rider, starter.place, starter.status, starter.blinkers "
            "FROM race "
            "JOIN starter ON starter.race = race.id JOIN horse ON horse.id = starter.horse "
            "WHERE race.date BETWEEN ?1 AND ?2 "
            "ORDER BY race.date, race.id, starter.number IS NULL, starter.number, horse.key");
    s.bind(1, from.toString(Qt::ISODate)).bind(2, to.toString(Qt::ISODate));
    Step step;
    while ((step = s.step()) == Step::Row) {
        if (out.empty() || out.back().id != s.integer(0))
            out.push_back({s.integer(0),
                           QDate::fromString(s.text(1), Qt::ISODate),
                           s.text(2),
                           s.text(3),
                           disciplineOf(s.text(4)),
                           int(s.integer(5)),
                           int(s.integer(6)),
                           int(s.integer(7)),
                           {}});
        out.back().starters.push_back(
            {s.text(8), int(s.integer(9)), s.optionalReal(10), s.optionalReal(11), s.text(12),
             s.text(13), calc::blinkersOf(s.text(16)).value_or(calc::Blinkers::Unknown),
             int(s.integer(14)), statusOf(s.text(15)).value_or(Status::Placed)});
    }
    return step == Step::Done;
}

bool link(sqlite::Database& db, qint64 runId, qint64 horse, const Run& run, bool known) {
    // The races kept are those of an arrival or of a participants file, which
    // say who ran (numbers, odds): a horse's past runs from its performances
    // name a race without its field, and would only slow a year's import down
    // (10,7 s instead of 6,6 s for 168,000 runs).
    (void)known;
    const bool says = run.number > 0 || run.oddsReference || run.oddsDirect ||
                      !run.trainer.isEmpty() || run.source == Source::Arrival;
    if (!run.ofRace() || !says)
        return true;
    const auto race = raceId(db, run);
    if (!race || !starter(db, *race, horse, run))
        return false;
    sqlite::Statement& s =
        db.prepared("UPDATE run SET race_id = ?1 WHERE id = ?2 AND race_id IS NOT ?1");
    s.bind(1, *race).bind(2, runId);
    return s.step() == Step::Done;
}

} // namespace history::races
