#pragma once
// The conditions of a run (discipline, start, shoeing, recul, going) and the
// corrections, in seconds per kilometre, that turn a reference race's reduction
// into one comparable with today's: each correction is the effect of today's
// condition less the effect of the reference's, from an editable table.

#include "scale.h"

#include <QString>
#include <optional>
#include <vector>

namespace calc {

enum class Start { Unknown, Autostart, Volte };
enum class Shoeing { Unknown, Shod, D4, DA, DP };
// Blinkers worn: no correction, but punters watch a first time with them.
enum class Blinkers { Unknown, Without, Classic, Australian };

// One run's conditions; an unknown one gives no correction.
struct Conditions {
    std::optional<scale::Discipline> discipline = {};
    Start start = Start::Unknown;           // at the trot
    Shoeing shoeing = Shoeing::Unknown;     // at the trot
    double recul = 0;                       // metres behind the start, at the trot
    std::optional<scale::Going> going = {}; // on the flat and over obstacles
    bool operator==(const Conditions&) const = default;
};

// Seconds per kilometre each condition is worth. The defaults follow published
// practice and the memo aid's card (the guide gives the sources).
struct CorrectionTable {
    double autostart = -1.0, volte = 0;
    double shod = 0, d4 = -2.0, da = -1.0, dp = -1.0;
    double harness = 0, mounted = 1.0;
    // Per 500 m that today's distance run exceeds the reference's, in proportion.
    double trotPer500 = 1.0, flatPer500 = 0, jumpsPer500 = 0;
    std::array<double, scale::GoingCount> going{0, 0, 0};
    // The reductions (seconds per km) a run of the discipline falls within: a
    // time outside them is asked about before it counts.
    double flatLowest = 55, flatHighest = 80, trotLowest = 65, trotHighest = 95;
    bool operator==(const CorrectionTable&) const = default;
};

// One correction applied, named as the sheet shows it: "autostart +1,0".
struct Correction {
    QString what;
    double secondsPerKm = 0;
};

struct Corrections {
    std::vector<Correction> applied; // the non-zero ones
    double total = 0;                // seconds per km
    QString refused;                 // why the reference cannot serve, if it cannot
    // "autostart +1,0 · D4 −2,0"; empty without any.
    QString text() const;
};

// The corrections from `reference` (run over `referenceRun` metres) to `today`
// (over `dayRun` metres).
Corrections corrections(const CorrectionTable& table, const Conditions& reference,
                        const Conditions& today, double referenceRun, double dayRun);

// Names as the sheet and its file write them; none for another text, the empty
// text being the unknown condition.
QString startName(Start s);     // "autostart", "volté", ""
QString shoeingName(Shoeing s); // "ferré", "D4", "DA", "DP", ""
std::optional<Start> startOf(const QString& text);
std::optional<Shoeing> shoeingOf(const QString& text);
QString blinkersName(Blinkers b); // "sans", "œillères", "œillères australiennes", ""
std::optional<Blinkers> blinkersOf(const QString& text);
// "plat", "obstacle", "plat sur piste en sable", "trot attelé", "trot monté".
std::optional<scale::Discipline> disciplineOf(const QString& text);
// The going band of a going as punters write it, case and accents aside: the
// bands' own names, "bon", "bon léger", "souple", "collant", "lourd"…; none for
// another text (an unknown going).
std::optional<scale::Going> goingOf(const QString& text);

// Seconds per km in the punter's notation: tenths rounded to the nearest
// (76,257 gives 1'16"3), or hundredths (1'16"26).
QString punterTenths(double seconds);
QString punterHundredths(double seconds);
// A correction as the sheet writes it: "+1,0", "−2,0".
QString signedSeconds(double seconds);

} // namespace calc
