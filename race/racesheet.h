#pragma once
// The day's race sheet: the race (a name, a date, its distance) and its runners,
// ranked by their estimated time, fastest first.

#include "runner.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

struct RaceSheet {
    QString name;
    QDate date;
    std::vector<Runner> runners; // in the order they were added

    bool operator==(const RaceSheet&) const = default;

    // The race's distance: the day's distance of its first runner.
    QString distance() const;
    // Whether a runner computed for `dayDistance` belongs to this race.
    bool fits(const QString& dayDistance) const;
    // The last runner added under `name`, if any.
    std::optional<size_t> lastOf(const QString& name) const;
};

// A runner as the sheet ranks it.
struct RankedRunner {
    size_t index;      // in RaceSheet::runners
    int rank;          // 1 for the fastest; equal estimates share a rank
    double gapSeconds; // behind the fastest
    double gapLengths; // the same in lengths, at the runner's lengths per second
};

// Fastest first; runners with equal estimates in the order they were added.
std::vector<RankedRunner> ranked(const RaceSheet& sheet);
