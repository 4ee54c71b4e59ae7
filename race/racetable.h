#pragma once
// The race sheet as a table: the window's columns, the clipboard's and a CSV
// export's. Times are in the punter's notation, 2'12"58, each with its seconds
// (decimal comma) in the next column, so that a spreadsheet can sort and compute
// with them and never takes them for a time of day. Every row carries the race.

#include "racesheet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace racetable {

enum Column {
    Rank,
    Number,
    Name,
    Estimate,
    EstimateSeconds,
    GapSeconds,
    GapLengths,
    GapMetres,     // at the trot, instead of lengths
    Chance,        // of winning, in %, from the estimates (or the market's share)
    Combined,      // the same combined with the market's, once fitted
    FairOdds,      // 100 ÷ chance
    Odds,          // the market's latest, else the morning's
    OddsReference, // the morning's
    Value,         // chance × odds ÷ 100
    Outsider,      // "tocard": odds above twice the runners
    Finish,        // once run: the place the history has
    Reduction,     // of the reference race
    ReductionSeconds,
    CorrectedReduction, // for today's conditions
    CorrectedReductionSeconds,
    Corrections, // "autostart +1,0 · D4 −2,0"
    Distance,    // of the reference race, as the others below
    Time,
    TimeSeconds,
    Weight,
    Margin,
    Going,
    DayWeight,
    ReferenceDiscipline,
    ReferenceStart,
    ReferenceShoeing,
    ReferenceRecul,
    DayShoeing, // today's, at the trot
    DayRecul,
    ReferenceDate, // of the reference race
    ReferenceHippodrome,
    Served,     // the runs of the history that chose the reference
    Comparable, // how many comparable runs the horse has
    Musique,
    Alerts, // what the punter is warned of
    Rider,  // the driver or jockey
    Trainer,
    Blinkers, // today's
    EstimateTime,
    ReductionTime,
    Scale, // the scale the estimate and the gap in lengths were computed with
    RaceName,
    RaceDate,
    Hippodrome,
    RaceDistance,
    Discipline,
    Start,
    DayGoing, // on the flat and over obstacles
    ColumnCount
};
// The columns of the trot only.
inline bool trotOnly(int c) {
    return c == GapMetres || (c >= ReferenceStart && c <= DayRecul) || c == Start;
}
// The columns of the flat and obstacles only.
inline bool flatOnly(int c) {
    return c == GapLengths || c == DayGoing;
}

// Reductions to the hundredth (files, copies) or, as the trot's papers give
// them, to the tenth (the window, at the trot).
enum class Notation { Hundredths, Tenths };
// The columns the window shows above the table rather than in each row.
inline constexpr Column FirstRaceColumn = RaceName;

const QStringList& header();
// One row per runner, fastest first.
std::vector<QStringList> rows(const RaceSheet& sheet, Notation notation = Notation::Hundredths);
// The row of one ranked runner.
QStringList row(const RaceSheet& sheet, const RankedRunner& ranked,
                Notation notation = Notation::Hundredths);

// "Chrono" or "Chrono + Longueur": the time a result was computed from.
QString timeSource(bool withLengths);
// The runner's reference time, 1'12"58; as typed when it cannot be read.
QString referenceTime(const Runner& runner);
// The reference race's date as the sheet shows it, 30/11/2026.
QString referenceDate(const Runner& runner);
// A result "M:SS:CC" in the punter's notation; as it is when of another form.
QString punter(const QString& time);

// For the clipboard, in UTF-8: the header, then the rows; tabs between cells,
// line feeds between rows.
QByteArray clipboardText(const std::vector<QStringList>& rows);
// For a CSV file: UTF-8 with a byte-order mark, ';' between cells, CR LF.
QByteArray csv(const std::vector<QStringList>& rows);
// For standard output: UTF-8 without a mark, ';' between cells, line feeds.
QByteArray csvOutput(const std::vector<QStringList>& rows);

} // namespace racetable
