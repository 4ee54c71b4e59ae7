#pragma once
// The day's race sheet: the race (its name, date, hippodrome, distance and
// discipline) and its runners, ranked by their estimated time, fastest first.

#include "blend.h"
#include "chances.h"
#include "runner.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// The disciplines a race on the sheet can be run in, as the sheet names them.
inline const QString Flat = u"plat"_qs;
inline const QString Jumps = u"obstacle"_qs;
inline const QString TrotHarness = u"trot attelé"_qs;
inline const QString TrotMounted = u"trot monté"_qs;
inline bool isTrot(const QString& discipline) {
    return discipline == TrotHarness || discipline == TrotMounted;
}

struct RaceSheet {
    QString name = {};
    QDate date = {};
    QString hippodrome = {};
    // In metres, as typed: every runner is computed for it. Empty until typed or
    // taken from the first runner added.
    QString distance = {};
    QString discipline = Flat;
    QString start = {}; // at the trot: "autostart" or "volté"
    QString going = {}; // on the flat and over obstacles: a going band
    // How each runner's reference is chosen among its comparable runs in the
    // horses' history: the rule (empty: the default), the distance band (± %
    // of today's distance run) and how far back (months before the race date).
    QString rule = {};
    int bandPercent = 10, months = 12;
    std::vector<Runner> runners = {}; // in the order they were added
    // The chances' τ fitted on the punter's races, a family each (none fitted:
    // the defaults). Not kept in the file: the settings hold them.
    chances::Fits fits = {};
    // The sheet's chances combined with the market's (none before they are fitted
    // on enough races): kept in the settings as well.
    blend::Weights blend = {};

    bool operator==(const RaceSheet&) const = default;

    // Whether the race fields (not the runners) are those of `other`.
    bool sameRace(const RaceSheet& other) const;
    // The race fields of `other`, the runners kept.
    void takeRace(const RaceSheet& other);
    // The last runner added under `name`, if any.
    std::optional<size_t> lastOf(const QString& name) const;
};

// Whether the runner has an estimate to rank it by.
bool isRated(const Runner& runner);
// Why a runner has no estimate: "en attente d'une référence", "aucune course
// comparable"…
QString unratedReason(const Runner& runner);

// A runner as the sheet ranks it.
struct RankedRunner {
    size_t index;      // in RaceSheet::runners
    int rank;          // 1 for the fastest; equal estimates share a rank; 0: unrated
    double gapSeconds; // behind the fastest
    double gapLengths; // the same in lengths, at the runner's lengths per second
    // At the trot, the same in metres: at the leader's speed (its distance run
    // over its estimate), to a tenth.
    double gapMetres = 0;
    // Its chance of winning, in %, and where it comes from (the estimates, the
    // market's share, an even share).
    double chance = 0;
    chances::Chance::Source chanceSource = chances::Chance::Source::Estimate;
    // Combined with the market's once fitted, every runner having odds.
    std::optional<double> combined = {};
};

// What the chances know of a runner ranked `rank` (0: unrated): its estimate
// in seconds, if rated, and its odds.
chances::Entry chanceEntry(const Runner& runner, int rank);

// The discipline family whose τ the chances take.
chances::Family familyOf(const QString& discipline);

// Fastest first; runners with equal estimates in the order they were added. A
// runner without an estimate comes after every runner with one, unranked, and
// the gaps count from the first runner with one.
// Each with its chance (every runner's, summing to 100).
std::vector<RankedRunner> ranked(const RaceSheet& sheet);
