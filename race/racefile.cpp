#include "racefile.h"
#include "racefileheaders.h"

#include "cells.h"
#include "corrections.h"
#include "csv.h"
#include "racetable.h"

#include <cmath>
#include <iterator>
#include <utility>

namespace racefile {

namespace {

// Where the columns added to the format start.
const qsizetype ScaleColumn = headerWithoutScale().size();
const qsizetype NumberColumn = headerWithoutRace().size();
const qsizetype StartColumn = headerWithoutTrot().size();
const qsizetype GoingColumn = headerWithoutGoing().size();
const qsizetype MusiqueColumn = headerWithoutMusique().size();
const qsizetype ExactReductionColumn = headerWithoutExactReduction().size();

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QStringList cellsOf(const RaceSheet& sheet, const Runner& r) {
    return {sheet.name, sheet.date.toString(DateFormat), r.name, r.going, r.race.referenceDistance,
            r.race.referenceWeight, r.race.minutes, r.race.seconds, r.race.hundredths,
            r.race.margin, r.race.dayDistance, r.race.dayWeight, r.estimate,
            // Every digit, so that the number reads back exactly.
            QString::number(r.estimateHundredths, 'g', 17),
            racetable::timeSource(r.race.estimateWithLengths), r.reduction,
            racetable::timeSource(r.race.reductionWithLengths), r.scale,
            QString::number(r.lengthsPerSecond, 'g', 17), r.number, sheet.hippodrome,
            sheet.discipline, sheet.start, r.race.discipline, r.race.start, r.race.shoeing,
            r.race.recul, r.dayShoeing, r.dayRecul,
            r.correctedReduction > 0 ? QString::number(r.correctedReduction, 'g', 17) : QString(),
            r.correctedReduction > 0 ? calc::punterHundredths(r.correctedReduction) : QString(),
            r.corrections, sheet.going, r.race.date, r.race.hippodrome, sheet.rule,
            QString::number(sheet.bandPercent), QString::number(sheet.months), r.served,
            QString::number(r.comparable), r.picked ? QString::number(r.picked) : QString(),
            r.musique, r.alerts,
            r.reductionSeconds > 0 ? QString::number(r.reductionSeconds, 'g', 17) : QString()};
}

// A race without runners yet keeps its fields in a row of its own, without a
// horse; the distance goes where a runner's day distance goes.
QStringList raceOnly(const RaceSheet& sheet) {
    QStringList cells(header().size());
    cells[0] = sheet.name;
    cells[1] = sheet.date.toString(DateFormat);
    cells[10] = sheet.distance;
    cells[NumberColumn + 1] = sheet.hippodrome;
    cells[NumberColumn + 2] = sheet.discipline;
    cells[StartColumn] = sheet.start;
    cells[GoingColumn] = sheet.going;
    cells[GoingColumn + 3] = sheet.rule;
    cells[GoingColumn + 4] = QString::number(sheet.bandPercent);
    cells[GoingColumn + 5] = QString::number(sheet.months);
    return cells;
}

// A result's number: finite, and above `low` (or at it when `orAt`).
std::optional<double> number(const QString& text, double low, bool orAt = true) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || (!orAt && value == low))
        return std::nullopt;
    return value;
}

std::optional<int> boundedInt(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> timeSourceOf(const QString& text) {
    if (text == racetable::timeSource(false))
        return false;
    if (text == racetable::timeSource(true))
        return true;
    return std::nullopt;
}

// The trot's conditions of a row; false when one is not a known value.
bool readConditions(const QStringList& c, Runner& r) {
    const qsizetype at = StartColumn + 1;
    r.race.discipline = c[at];
    r.race.start = c[at + 1];
    r.race.shoeing = c[at + 2];
    r.race.recul = c[at + 3];
    r.dayShoeing = c[at + 4];
    r.dayRecul = c[at + 5];
    r.corrections = c[at + 8];
    r.correctedReduction = number(c[at + 6], 0, false).value_or(0);
    return (r.race.discipline.isEmpty() || calc::disciplineOf(r.race.discipline)) &&
           calc::startOf(r.race.start) && calc::shoeingOf(r.race.shoeing) &&
           calc::shoeingOf(r.dayShoeing);
}

std::optional<Runner> runnerOf(const QStringList& c) {
    // The cells in the order cellsOf() writes them.
    Runner r;
    QString* const texts[] = {&r.name,
                              &r.going,
                              &r.race.referenceDistance,
                              &r.race.referenceWeight,
                              &r.race.minutes,
                              &r.race.seconds,
                              &r.race.hundredths,
                              &r.race.margin,
                              &r.race.dayDistance,
                              &r.race.dayWeight,
                              &r.estimate};
    for (size_t i = 0; i < std::size(texts); ++i)
        *texts[i] = c[static_cast<qsizetype>(i) + 2];
    const auto estimateTime = timeSourceOf(c[14]);
    const auto reductionTime = timeSourceOf(c[16]);
    if (!estimateTime || !reductionTime || r.name.isEmpty())
        return std::nullopt;
    r.race.estimateWithLengths = *estimateTime;
    r.reduction = c[15];
    r.race.reductionWithLengths = *reductionTime;
    // The results are the sheet's to compute again: one left empty or wrong (a row
    // typed in a spreadsheet) leaves the runner to compute, with no estimate.
    r.estimateHundredths = number(c[13], 0).value_or(0);
    if (!number(c[13], 0))
        r.estimate.clear();
    if (c.size() > ScaleColumn) {
        r.scale = c[ScaleColumn].isEmpty() ? OriginalScale : c[ScaleColumn];
        r.lengthsPerSecond =
            number(c[ScaleColumn + 1], 0, false).value_or(OriginalLengthsPerSecond);
    }
    if (c.size() > NumberColumn)
        r.number = c[NumberColumn];
    if (c.size() > StartColumn && !readConditions(c, r))
        return std::nullopt;
    if (c.size() > GoingColumn) {
        // A date typed in a spreadsheet, 30/11/2026, is read as well.
        const auto date = cells::dateOf(c[GoingColumn + 1]);
        if (!c[GoingColumn + 1].trimmed().isEmpty() && !date)
            return std::nullopt;
        r.race.date = date ? date->toString(DateFormat) : QString();
        r.race.hippodrome = c[GoingColumn + 2];
        r.served = c[GoingColumn + 6];
        r.comparable = c[GoingColumn + 7].toInt();
        r.picked = c[GoingColumn + 8].toLongLong();
    }
    if (c.size() > MusiqueColumn) {
        r.musique = c[MusiqueColumn];
        r.alerts = c[MusiqueColumn + 1];
    }
    if (c.size() > ExactReductionColumn)
        r.reductionSeconds = number(c[ExactReductionColumn], 0, false).value_or(0);
    return r;
}

// The race's fields of a row into `sheet`; false when the row names another race
// than the rows before it (one race per file).
bool readRace(const QStringList& c, bool first, RaceSheet& sheet) {
    RaceSheet race;
    race.name = c[0];
    race.date = cells::dateOf(c[1]).value_or(QDate());
    race.distance = c[10];
    if (c.size() > NumberColumn) {
        race.hippodrome = c[NumberColumn + 1];
        race.discipline = c[NumberColumn + 2];
    }
    if (c.size() > StartColumn)
        race.start = c[StartColumn];
    if (c.size() > GoingColumn) {
        race.going = c[GoingColumn];
        race.rule = c[GoingColumn + 3];
        // A band or a span typed wrong in a spreadsheet: the defaults.
        race.bandPercent = boundedInt(c[GoingColumn + 4], 1, 50).value_or(10);
        race.months = boundedInt(c[GoingColumn + 5], 1, 120).value_or(12);
    }
    const bool known =
        race.discipline == Flat || race.discipline == Jumps || isTrot(race.discipline);
    const bool going = race.going.isEmpty() || calc::goingOf(race.going);
    if (!race.date.isValid() || !known || !calc::startOf(race.start) || !going ||
        (!first && !race.sameRace(sheet)))
        return false;
    sheet.takeRace(race);
    return true;
}

bool isRaceOnly(const QStringList& c, const RaceSheet& sheet) {
    return c.size() == header().size() && c == raceOnly(sheet);
}

} // namespace

QByteArray write(const RaceSheet& sheet) {
    std::vector<QStringList> rows{header()};
    for (const Runner& r : sheet.runners)
        rows.push_back(cellsOf(sheet, r));
    if (sheet.runners.empty() && !sheet.sameRace(RaceSheet{.date = sheet.date}))
        rows.push_back(raceOnly(sheet));
    return csv::write(rows, csv::File);
}

namespace {

std::optional<RaceSheet> readSheet(QByteArrayView bytes, bool card) {
    // A file cut short does not end with a line end: it is not read.
    if (!card && !bytes.endsWith('\n'))
        return std::nullopt;
    const csv::ReadResult all = csv::read(bytes, u';');
    if (!all.table || (!card && !all.table->utf8))
        return std::nullopt;
    const std::vector<QStringList>& rows = all.table->rows;
    if (rows.empty() || !isKnownHeader(rows.front()))
        return std::nullopt;
    const qsizetype columns = rows.front().size();
    RaceSheet sheet;
    for (size_t i = 1; i < rows.size(); ++i) {
        const QStringList& c = rows[i];
        if (c.size() != columns || !readRace(c, i == 1, sheet))
            return std::nullopt;
        if (rows.size() == 2 && isRaceOnly(c, sheet))
            break;
        const auto runner = runnerOf(c);
        if (!runner)
            return std::nullopt;
        sheet.runners.push_back(*runner);
    }
    return sheet;
}

} // namespace

std::optional<RaceSheet> read(QByteArrayView bytes) {
    return readSheet(bytes, false);
}

std::optional<RaceSheet> readCard(QByteArrayView bytes) {
    return readSheet(bytes, true);
}

} // namespace racefile
