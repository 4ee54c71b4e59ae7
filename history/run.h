#pragma once
// One run of a horse, as the history keeps it: where and how it ran, its time or
// its reduction, how it finished, and where the run came from.

#include "corrections.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace history {

// How a run ended when not with a place.
enum class Status { Placed, Unplaced, Disqualified, Stopped, Fallen };
// Where a run came from.
enum class Source { Typed, List, Arrival, Import };
// The discipline of a run, finer than the calculation's: the musique tells
// hurdles, steeplechase and cross apart. Obstacle: one of them, unsaid; trot:
// attelé or monté, unsaid (a reference typed on a trot sheet without its own).
enum class Discipline {
    Unknown,
    TrotHarness,
    TrotMounted,
    Flat,
    Hurdles,
    Steeplechase,
    Cross,
    Jumps,
    Trot
};

struct Run {
    qint64 id = 0;   // in the database; 0 before it is stored
    QString horse;   // the name as typed
    QDate date = {}; // invalid: unknown
    QString hippodrome = {}, race = {};
    Discipline discipline = Discipline::Unknown;
    int distance = 0; // metres, the recul apart
    int recul = 0;
    calc::Start start = calc::Start::Unknown;       // at the trot
    calc::Shoeing shoeing = calc::Shoeing::Unknown; // at the trot
    QString going = {};                             // as the punter or the file wrote it
    std::optional<qint64> time = {};                // hundredths
    std::optional<qint64> reduction = {};           // hundredths per km
    int place = 0;                                  // 1…n when placed
    Status status = Status::Placed;
    std::optional<double> lengths = {}; // behind the winner
    std::optional<double> weight = {};  // kg
    QString rider = {};
    std::optional<qint64> allocation = {}; // euros
    std::optional<qint64> runners = {};
    Source source = Source::Typed;
    QString note = {};
    // A result's race as the programme numbers it (R1C3; 0: not known), and the
    // runner in it as a participants file or the sheet gives it: kept with the
    // race, not the run.
    int meeting = 0, raceNumber = 0;
    int number = 0;
    std::optional<double> oddsReference = {}, oddsDirect = {};
    QString trainer = {};
    calc::Blinkers blinkers = calc::Blinkers::Unknown;

    int distanceRun() const { return distance + recul; }
    // Whether it is a result of a race the history keeps (an arrival's or an
    // import's, with its day and its race's name).
    bool ofRace() const {
        return date.isValid() && !race.isEmpty() &&
               (source == Source::Arrival || source == Source::Import);
    }
    bool operator==(const Run&) const = default;
};

// The horse's key: case, accents and repeated spaces aside, so that
// "KING DU PLESSIS" and "King  du Plessis" are one horse.
QString horseKey(const QString& name);

// A discipline as files, spreadsheets and the sheet write it ("ATTELE",
// "TROT_MONTE", "Attelé", "haies", "STEEPLECHASE", "p", "plat sur piste en
// sable"); unknown for another text.
Discipline disciplineOf(const QString& text);
// As the history names it: "trot attelé", "trot monté", "plat", "haies",
// "steeple-chase", "cross", "obstacle", "trot"; empty when unknown.
QString disciplineName(Discipline d);
// The sheet's name of it: haies, steeple-chase and cross are "obstacle"; a trot
// of either kind is empty (the day's race's, on a trot sheet).
QString sheetDiscipline(Discipline d);
// Its letter in a musique: a attelé, m monté, p plat, h haies or obstacle, s
// steeple-chase, c cross, a for a trot of either kind (most are attelé); none
// when unknown.
QChar letterOf(Discipline d);
// Whether a run of the discipline is a trot, of either kind.
bool isTrot(Discipline d);

// Names as the card and the files write them.
QString statusName(Status s); // "", "non placé", "disqualifié", "arrêté", "tombé"
std::optional<Status> statusOf(const QString& text);
QString sourceName(Source s); // "saisie", "liste", "arrivée", "import"
std::optional<Source> sourceOf(const QString& text);

// The place as the musique writes it: "3a", "Da", "0m" (10th or worse, unplaced),
// with the discipline's letter (a attelé, m monté, p plat, h obstacle).
QString musiqueOf(const Run& run);
// The musique of a horse's runs (newest first): its last ten places, "3a 1a Da 5m".
QString musique(const std::vector<Run>& runs);

} // namespace history
