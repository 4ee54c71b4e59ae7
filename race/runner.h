#pragma once
// One runner of the day's race: the horse, the inputs its results came from, as
// the main window held them, and the results.

#include "calculation.h"
#include "corrections.h"

#include <QDate>
#include <QString>

inline constexpr int MaxRecul = 1000;

// The scale runners were computed with before a scale could be chosen, named as
// the calculation names it.
inline const QString OriginalScale = scale::summary(scale::Scale(), {});
using scale::OriginalLengthsPerSecond;

struct Runner {
    QString number; // the saddle-cloth number, if typed
    QString name;
    QString going;            // of the reference race
    QDate referenceDate = {}; // when it was run; invalid: unknown
    // The races as typed, with the time each result came from ("Chrono + Longueur"
    // or "Chrono"; a runner without a reduction counts it "Chrono").
    calc::RaceTexts race;
    // The results as shown, and the estimate as a number.
    QString estimate;
    double estimateHundredths = 0;
    QString reduction;
    // The reduction before any rounding (seconds per km; 0 when none): its tenth
    // and hundredth in the sheet are rounded once, from it.
    double reductionSeconds = 0;
    // The scale the estimate was computed with, and the lengths per second its
    // gap to the leader is counted in.
    QString scale = OriginalScale;
    double lengthsPerSecond = OriginalLengthsPerSecond;
    // The reference race's conditions (none or unknown: not typed; a discipline
    // not typed is the day's race's) and, at the trot, today's shoeing.
    std::optional<scale::Discipline> referenceDiscipline = {};
    calc::Start referenceStart = calc::Start::Unknown;
    calc::Shoeing referenceShoeing = calc::Shoeing::Unknown;
    calc::Shoeing dayShoeing = calc::Shoeing::Unknown;
    // Metres behind the start, at the trot (0: none), in the reference race and
    // today; a recul is a whole number of metres, up to MaxRecul.
    int referenceRecul = 0, dayRecul = 0;
    // The reduction corrected for the conditions (seconds per km; 0 when none)
    // and the corrections applied ("autostart +1,0 · D4 −2,0").
    double correctedReduction = 0;
    QString corrections = {};
    // From the horses' history: which run or runs served ("30/11/2026 Vincennes",
    // "aucune course comparable"; empty when not looked up), how many comparable
    // runs there are, and the run the punter picked on the horse's card (0: none;
    // KeptAsTyped: the reference corrected on the sheet, which the history's
    // choice never replaces).
    QString served = {};
    int comparable = 0;
    qint64 picked = 0;
    static constexpr qint64 KeptAsTyped = -1;
    // The musique as a file gave it or the history makes it ("1a 3a (25) Da"),
    // and what the punter is warned of ("disqualifié 2 fois sur ses 4 dernières
    // courses · déferré des 4 pour la première fois").
    QString musique = {}, alerts = {};
    // The market's odds for 1 € simple gagnant, as a participants file gives
    // them: the morning's reference and the latest (or final) one; none: not known.
    std::optional<double> oddsReference = {}, oddsDirect = {};
    // Who trains it, and who drives or rides it today.
    QString trainer = {}, rider = {};
    calc::Blinkers blinkers = calc::Blinkers::Unknown; // today's
    // Once the race is run, its finishing place as the history has it ("1",
    // "disqualifié"); not kept in the sheet's file, read again from the history.
    QString finish = {};

    bool operator==(const Runner&) const = default;
    // The odds a bet gets: the latest, else the morning's.
    std::optional<double> odds() const { return oddsDirect ? oddsDirect : oddsReference; }
    // The distance it runs today: the race's and its recul.
    double dayRun() const;
    // Its reference's discipline as the sheet names it; empty when not typed.
    QString referenceDisciplineName() const;
};

// A recul typed ("25", empty for none) in whole metres; none when it is not a
// whole number of metres from 0 to MaxRecul.
std::optional<int> reculOfText(const QString& text);

// The runner of an estimate, with the reduction when one was computed from the
// same inputs (none: its cell stays empty, its time counted "Chrono").
Runner runnerOf(const QString& name, const QString& going, const calc::Estimate& estimate,
                const calc::Result* reduction);
