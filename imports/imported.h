#pragma once
// What files the punter saved hold, read from their bytes alone: today's races
// (a programme), today's runners and, once run, their results (a participants
// file), past runs (detailed performances, a CSV of past runs), or a whole race
// card in the sheet's own format. Each record either read whole or refused with
// its reason: the file, the record, the field.

#include "racesheet.h"
#include "run.h"

#include <QByteArrayView>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace imports {

// A file larger than this is refused before it is read: no punter's file comes
// near it, and reading one would take the memory the program needs.
inline constexpr qsizetype MaxFileBytes = 8 * 1024 * 1024;

struct Refusal {
    QString file, record, field, reason;
    // "partants.json, n° 4 KALINKA, handicapPoids : « -5 » ne se lit pas"
    QString text() const;
    bool operator==(const Refusal&) const = default;
};

// A race of a programme.
struct Race {
    int meeting = 0, number = 0; // R1C3
    QString name = {}, hippodrome = {};
    QDate date = {};
    history::Discipline discipline = history::Discipline::Unknown;
    calc::Start start = calc::Start::Unknown; // at the trot, when the file says
    int distance = 0;                         // metres, before any recul
    int declared = 0;                         // runners declared; 0: not said
    QString conditions = {};                  // as written
    std::optional<qint64> winnerTime = {};    // hundredths, once run
    QString code() const;                     // "R1C3"
    bool operator==(const Race&) const = default;
};

// A runner of a participants file.
struct Entrant {
    int number = 0;
    QString name, rider, musique, trainer;
    // The odds for 1 € simple gagnant: the morning's reference, the latest.
    std::optional<double> oddsReference, oddsDirect;
    std::optional<int> distanceRun; // recul included
    std::optional<double> weight;   // kg
    calc::Shoeing shoeing = calc::Shoeing::Shod;
    calc::Blinkers blinkers = calc::Blinkers::Unknown;
    QString shoeingNote;    // a protection, as written (PROTEGE_ANTERIEURS)
    bool scratched = false; // non partant
    // Once the race is run.
    std::optional<qint64> time, reduction; // hundredths; per km
    int place = 0;
    std::optional<history::Status> status; // none: not run yet
    QString incident;
    bool operator==(const Entrant&) const = default;
};

enum class Kind { Programme, Participants, Performances, RaceCard, PastRuns };
// "programme", "partants", "performances détaillées", "feuille de course",
// "courses passées"
QString kindName(Kind kind);

// The race a participants file's casaques are drawn for, from their address
// (".../casaques/05112025/R1/C1/P1.png").
struct RaceCode {
    QDate date;
    int meeting = 0, number = 0;
};

struct FileRead {
    QString file; // its name, as messages show it
    std::optional<RaceCode> casaque;
    Kind kind = Kind::Programme;
    QString failure; // the whole file refused: why; empty when read
    std::vector<Race> races;
    std::vector<Entrant> entrants;
    std::vector<history::Run> runs;
    QStringList horses; // a performances file's, as named: the race it goes with
    std::optional<RaceSheet> card;
    std::vector<Refusal> refused;
};

// The file's kind decided from its structure, then its records.
FileRead readFile(const QString& file, QByteArrayView bytes);
// A file refused for its size alone, before it is read.
FileRead tooLarge(const QString& file, qint64 size);

// The readers behind it, for JSON already parsed and CSV rows.
void readProgramme(const QJsonObject& programme, FileRead& out);
void readParticipants(const QJsonArray& participants, FileRead& out);
void readPerformances(const QJsonArray& participants, FileRead& out);

} // namespace imports
