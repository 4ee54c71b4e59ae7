#pragma once
// The musique: a horse's last results as the papers print them, newest first.
// Each result is one character (1–9 the place, 0 unplaced, D disqualified,
// A stopped, T fallen) or "Ret" (demoted), then the discipline's letter (a
// attelé, m monté, p plat, h haies, s steeple, c cross); "(25)" says the
// results after it are of 2025. "1a 3a (25) Da 5m", spaces or none.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace musique {

enum class Outcome { Placed, Unplaced, Disqualified, Stopped, Fallen, Demoted };

struct Result {
    Outcome outcome = Outcome::Placed;
    int place = 0;    // 1–9 when placed
    QChar discipline; // a, m, p, h, s, c
    int year = 0;     // from the last year marker before it; 0: none
    bool operator==(const Result&) const = default;
};

struct Read {
    std::vector<Result> results; // newest first
    QString refused;             // why it cannot be read; empty when it can
};
Read read(QStringView text);

// "3e attelé, 1er attelé, disqualifié attelé, en 2025 : 5e monté"
QString decoded(const std::vector<Result>& results);
// The decoded musique, or the text as it is with the reason it cannot be read.
QString explained(const QString& text);

// The musique letter of a discipline as the sheet and the history name it
// ("trot attelé" a, "trot monté" m, "plat" p, "haies" or "obstacle" h,
// "steeple-chase" s, "cross" c); none for another text.
QChar letterOf(const QString& discipline);

// What a punter should be warned of, from the musique and today's race:
// disqualified at least twice in the last four runs, a change of discipline
// (the last run's and today's), déferré des 4 for the first time.
QStringList warnings(const std::vector<Result>& results, const QString& todayDiscipline,
                     bool firstBarefoot);

} // namespace musique
