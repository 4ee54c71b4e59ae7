// The bilan's figures as the lines of a table, for the window and the CSV.
#include "bilan.h"

#include "cells.h"
#include "csv.h"

namespace {

// A figure resting on nothing is none: empty, never 0.
QStringList line(const QString& what, const QString& value, int n) {
    return {what, n > 0 ? value : QString(), QString::number(n),
            n < scorecard::Enough ? u"insuffisant (moins de 50 courses)"_qs : QString()};
}

void bets(std::vector<QStringList>& rows, const QString& name, const scorecard::Bet& b) {
    rows.push_back(line(u"retour de 1 € : "_qs + name, cells::fixed(b.returnRate(), 2), b.bets));
    rows.push_back(
        line(u"plus longue série perdante : "_qs + name, QString::number(b.longestLosing), b.bets));
}

void binRows(std::vector<QStringList>& rows, const scorecard::Figures& f, const QString& prefix) {
    for (const scorecard::Bin& b : f.bins) {
        const QString what =
            u"%1 de %2 à %3 % : annoncé %4, gagné (%)"_qs.arg(prefix).arg(b.from).arg(b.to).arg(
                b.runners ? cells::fixed(b.announced, 1) : u"—"_qs);
        rows.push_back(line(
            what, b.runners ? cells::fixed(100.0 * b.wins / b.runners, 1) : QString(), f.races));
    }
}

void sheetRows(std::vector<QStringList>& rows, const scorecard::Figures& f) {
    rows.push_back(line(u"courses"_qs, QString::number(f.races), f.races));
    rows.back()[1] = QString::number(f.races); // a count, 0 included
    rows.push_back(
        line(u"premier de la feuille gagnant (%)"_qs, cells::fixed(f.firstWon, 1), f.races));
    rows.push_back(
        line(u"premier de la feuille dans les 3 (%)"_qs, cells::fixed(f.firstPlaced, 1), f.races));
    rows.push_back(line(u"rang moyen du gagnant"_qs, cells::fixed(f.winnerRank, 2), f.races));
    rows.push_back(line(u"log-loss des chances"_qs, cells::fixed(f.logLoss, 3), f.races));
    rows.push_back(
        line(u"log-loss de la cote"_qs, cells::fixed(f.marketLogLoss, 3), f.marketRaces));
    rows.push_back(line(u"Brier des chances"_qs, cells::fixed(f.brier, 3), f.races));
    rows.push_back(line(u"Brier de la cote"_qs, cells::fixed(f.marketBrier, 3), f.marketRaces));
    binRows(rows, f, u"chances"_qs);
    bets(rows, u"le premier de la feuille"_qs, f.first);
    bets(rows, u"chaque valeur d'au moins 1,10"_qs, f.value);
}

// The combined chance measured the same way, on the races where every runner
// had its odds; before it is fitted, a line that says why it is not there.
void combinedRows(std::vector<QStringList>& rows, const std::optional<scorecard::Figures>& c) {
    if (!c) {
        rows.push_back({u"chance combinée"_qs, QString(), QString(),
                        u"pas encore ajustée (il faut 200 courses avec toutes les cotes)"_qs});
        return;
    }
    rows.push_back(line(u"courses avec toutes les cotes"_qs, QString::number(c->races), c->races));
    rows.push_back(
        line(u"log-loss de la chance combinée"_qs, cells::fixed(c->logLoss, 3), c->races));
    rows.push_back(line(u"Brier de la chance combinée"_qs, cells::fixed(c->brier, 3), c->races));
    binRows(rows, *c, u"chances combinées"_qs);
    bets(rows, u"chaque valeur combinée d'au moins 1,10"_qs, c->value);
}

} // namespace

std::vector<QStringList> bilanRows(const Measures& m) {
    std::vector<QStringList> rows{{u"mesure"_qs, u"valeur"_qs, u"courses"_qs, u"remarque"_qs}};
    sheetRows(rows, m.sheet);
    combinedRows(rows, m.combined);
    return rows;
}

QByteArray bilanCsv(const Measures& m) {
    return csv::write(bilanRows(m), csv::Output);
}
