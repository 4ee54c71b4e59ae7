#pragma once
// The sheet file's cells of a kind, each a writer and a reader: texts as they
// are, conditions by their names, reculs in whole metres, numbers to every digit.
// The columns' table (racecolumns.cpp) names one pair per column.

#include "corrections.h"
#include "racesheet.h"
#include "racetable.h"

#include <QString>
#include <cmath>
#include <optional>

namespace racefile::cell {

// Every digit, so that the number reads back exactly.
inline QString exact(double value) {
    return QString::number(value, 'g', 17);
}

// A result's number: finite, and above `low` (or at it when `orAt`).
inline std::optional<double> number(const QString& text, double low, bool orAt = true) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || (!orAt && value == low))
        return std::nullopt;
    return value;
}

inline std::optional<int> boundedInt(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

// "Chrono" or "Chrono + Longueur"; an empty cell (a spreadsheet's row) is "Chrono".
inline std::optional<bool> timeSourceOf(const QString& text) {
    if (text.isEmpty() || text == racetable::timeSource(false))
        return false;
    if (text == racetable::timeSource(true))
        return true;
    return std::nullopt;
}

// Text fields written and read as they are: the runner's, its typed race's, the race's.
template <QString Runner::*F> QString runnerText(const RaceSheet&, const Runner* r) {
    return r ? r->*F : QString();
}
template <QString Runner::*F> bool toRunner(const QString& c, RaceSheet&, Runner& r) {
    r.*F = c;
    return true;
}
template <QString calc::RaceTexts::*F> QString typedText(const RaceSheet&, const Runner* r) {
    return r ? r->race.*F : QString();
}
template <QString calc::RaceTexts::*F> bool toTyped(const QString& c, RaceSheet&, Runner& r) {
    r.race.*F = c;
    return true;
}
template <QString RaceSheet::*F> QString raceText(const RaceSheet& s, const Runner*) {
    return s.*F;
}
template <QString RaceSheet::*F> bool toRace(const QString& c, RaceSheet& s, Runner&) {
    s.*F = c;
    return true;
}

// A condition, written by its name and read among its names (empty: unknown).
template <calc::Shoeing Runner::*F> QString shoeingText(const RaceSheet&, const Runner* r) {
    return r ? calc::shoeingName(r->*F) : QString();
}
template <calc::Shoeing Runner::*F> bool toShoeing(const QString& c, RaceSheet&, Runner& r) {
    const auto shoeing = calc::shoeingOf(c);
    r.*F = shoeing.value_or(calc::Shoeing::Unknown);
    return shoeing.has_value();
}
inline QString startText(const RaceSheet&, const Runner* r) {
    return r ? calc::startName(r->referenceStart) : QString();
}
inline bool toStart(const QString& c, RaceSheet&, Runner& r) {
    const auto start = calc::startOf(c);
    r.referenceStart = start.value_or(calc::Start::Unknown);
    return start.has_value();
}
inline QString disciplineText(const RaceSheet&, const Runner* r) {
    return r ? r->referenceDisciplineName() : QString();
}
inline bool toDiscipline(const QString& c, RaceSheet&, Runner& r) {
    r.referenceDiscipline = calc::disciplineOf(c);
    return r.referenceDiscipline || c.trimmed().isEmpty();
}

// A recul in whole metres; empty for none.
template <int Runner::*F> QString reculText(const RaceSheet&, const Runner* r) {
    return r && r->*F ? QString::number(r->*F) : QString();
}
template <int Runner::*F> bool toRecul(const QString& c, RaceSheet&, Runner& r) {
    const auto metres = reculOfText(c);
    r.*F = metres.value_or(0);
    return metres.has_value();
}

} // namespace racefile::cell
