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

struct Bilan {
    FileResult result;
    std::vector<scorecard::Race> races; // as measured, in the order run
    scorecard::Figures figures;
};

Bilan bilanOf(history::Store& store, const Rules& rules, const BilanFilter& filter);

// The figures as a table, a line each ("mesure;valeur;courses;remarque"), with
// "insuffisant (moins de 50 courses)" beside a figure resting on fewer.
QByteArray bilanCsv(const scorecard::Figures& figures);
