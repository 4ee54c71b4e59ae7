#pragma once
// "Bilan": the sheet measured on the punter's own races. Every race of the
// history with its arrival, its sheet recomputed as it would have stood that
// morning (only the runs dated before it, today's rule, corrections and scale),
// its chances set against the result and the final odds.

#include "comparable.h"
#include "scorecard.h"
#include "store.h"

struct BilanFilter {
    QDate from = QDate(1900, 1, 1), to = QDate(9999, 12, 31);
    QString discipline = {}; // as the sheet names it; empty: every one
};

// A race run, as its sheet stood that morning: each runner (in the sheet's
// order) with its estimate and final odds, its rank and where it finished.
struct MeasuredRace {
    QDate date;
    QString discipline;
    std::vector<chances::Entry> entries;
    std::vector<int> ranks;  // 0: no estimate
    std::vector<int> places; // 1 for the winner; 0: not placed
};

struct Bilan {
    FileResult result;
    std::vector<MeasuredRace> races; // in the order run
};

// The races of the history run from `from` to `to`, each as its sheet stood.
Bilan bilanOf(history::Store& store, const Rules& rules, const QDate& from = QDate(1900, 1, 1),
              const QDate& to = QDate(9999, 12, 31));

// The chances in force: τ a family, and the combination with the market.
struct InForce {
    chances::Fits fits;
    blend::Weights blend;
};

// The races `filter` keeps, with their chances in force (or combined with the
// market's, of the races where every runner has its odds).
std::vector<scorecard::Race> cardsOf(const Bilan& bilan, const BilanFilter& filter,
                                     const InForce& inForce, bool combined);

// The sheet's figures, and the same of the combined chance once fitted.
struct Measures {
    scorecard::Figures sheet;
    std::optional<scorecard::Figures> combined;
};
Measures figuresOf(const Bilan& bilan, const BilanFilter& filter, const InForce& inForce);

// τ fitted a family on the races with at least 4 runners with an estimate and
// the winner among them; then the combination with the market on the races
// counted where every runner has its odds, from 200 of them (before: its n).
InForce fittedOn(const Bilan& bilan);

// The figures as a table, a line each ("mesure;valeur;courses;remarque"), with
// "insuffisant (moins de 50 courses)" beside a figure resting on fewer.
std::vector<QStringList> bilanRows(const Measures& measures);
QByteArray bilanCsv(const Measures& measures);
