#include "bilan.h"

#include "cells.h"
#include "csv.h"

#include <algorithm>
#include <map>
#include <thread>

namespace {

using RunsByHorse = std::map<QString, std::vector<history::Run>>;

// The race's sheet as it stood that morning: its runners, their final odds, fed
// from the runs before the race.
RaceSheet sheetOf(const history::races::Race& race, const RunsByHorse& runs, const Rules& rules) {
    RaceSheet sheet{.name = race.name,
                    .date = race.date,
                    .hippodrome = race.hippodrome,
                    .distance = QString::number(race.distance),
                    .discipline = history::sheetDiscipline(race.discipline)};
    if (sheet.discipline.isEmpty())
        sheet.discipline = Flat;
    for (const history::races::Starter& s : race.starters) {
        Runner r;
        r.number = s.number ? QString::number(s.number) : QString();
        r.name = s.horse;
        std::tie(r.oddsReference, r.oddsDirect) = std::tie(s.oddsReference, s.oddsDirect);
        r.blinkers = s.blinkers;
        const auto its = runs.find(history::horseKey(s.horse));
        sheet.runners.push_back(its == runs.end()
                                    ? std::move(r)
                                    : feedRunner(r, its->second, sheet, rules, Counted::NoMore));
    }
    return sheet;
}

MeasuredRace measured(const RaceSheet& sheet, const history::races::Race& race) {
    MeasuredRace out{race.date, sheet.discipline, {}, {}, {}};
    std::vector<int> ranks(sheet.runners.size(), 0);
    for (const RankedRunner& r : ranked(sheet))
        ranks[r.index] = r.rank;
    for (size_t i = 0; i < sheet.runners.size(); ++i) {
        const Runner& x = sheet.runners[i];
        out.entries.push_back(
            {ranks[i] > 0 ? std::optional(x.estimateHundredths / 100) : std::nullopt, x.odds()});
        out.ranks.push_back(ranks[i]);
        out.places.push_back(race.starters[i].place);
    }
    return out;
}

// Each race's sheet made and ranked, the races shared out among the cores
// (each sheet stands alone: nothing is written).
std::vector<MeasuredRace> measuredAll(const std::vector<history::races::Race>& races,
                                      const RunsByHorse& runs, const Rules& rules) {
    std::vector<MeasuredRace> out(races.size());
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const auto work = [&](size_t first) {
        for (size_t i = first; i < races.size(); i += workers)
            out[i] = measured(sheetOf(races[i], runs, rules), races[i]);
    };
    std::vector<std::thread> helpers;
    for (size_t w = 1; w < workers; ++w)
        helpers.emplace_back(work, w);
    work(0);
    for (std::thread& t : helpers)
        t.join();
    return out;
}

} // namespace

Bilan bilanOf(history::Store& store, const Rules& rules, const QDate& from, const QDate& to) {
    Bilan out;
    const history::RaceList list = store.races(from, to);
    if (out.result = list.result; !out.result.ok())
        return out;
    // Every run read once: a year's races feed from memory.
    const history::Runs all = store.allRuns();
    if (out.result = all.result; !out.result.ok())
        return out;
    RunsByHorse runs;
    for (const history::Run& r : all.runs)
        runs[history::horseKey(r.horse)].push_back(r);
    out.races = measuredAll(list.races, runs, rules);
    return out;
}

std::vector<scorecard::Race> cardsOf(const Bilan& bilan, const BilanFilter& filter,
                                     const chances::Fits& fits) {
    std::vector<scorecard::Race> out;
    for (const MeasuredRace& race : bilan.races) {
        if (race.date < filter.from || race.date > filter.to ||
            (!filter.discipline.isEmpty() && race.discipline != filter.discipline))
            continue;
        const auto shares =
            chances::of(race.entries, chances::tauOf(fits, familyOf(race.discipline)));
        scorecard::Race card;
        for (size_t i = 0; i < race.entries.size(); ++i)
            card.push_back(
                {shares[i].percent, race.ranks[i], race.entries[i].odds, race.places[i]});
        out.push_back(std::move(card));
    }
    return out;
}

scorecard::Figures figuresOf(const Bilan& bilan, const BilanFilter& filter,
                             const chances::Fits& fits) {
    return scorecard::measure(cardsOf(bilan, filter, fits));
}

chances::Fits fitsOf(const Bilan& bilan) {
    std::array<std::vector<chances::Race>, 3> byFamily;
    for (const MeasuredRace& race : bilan.races) {
        chances::Race fit;
        fit.winner = -1;
        for (size_t i = 0; i < race.entries.size(); ++i)
            if (race.entries[i].seconds) {
                if (race.places[i] == 1)
                    fit.winner = int(fit.seconds.size());
                fit.seconds.push_back(*race.entries[i].seconds);
            }
        if (fit.winner >= 0 && fit.seconds.size() >= 4)
            byFamily[size_t(familyOf(race.discipline))].push_back(std::move(fit));
    }
    chances::Fits out = {};
    for (size_t f = 0; f < out.size(); ++f)
        if (!byFamily[f].empty())
            out[f] = chances::fit(byFamily[f]);
    return out;
}

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

} // namespace

std::vector<QStringList> bilanRows(const scorecard::Figures& f) {
    std::vector<QStringList> rows{{u"mesure"_qs, u"valeur"_qs, u"courses"_qs, u"remarque"_qs}};
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
    for (const scorecard::Bin& b : f.bins) {
        const QString what =
            u"chances de %1 à %2 % : annoncé %3, gagné (%)"_qs.arg(b.from).arg(b.to).arg(
                b.runners ? cells::fixed(b.announced, 1) : u"—"_qs);
        rows.push_back(line(
            what, b.runners ? cells::fixed(100.0 * b.wins / b.runners, 1) : QString(), f.races));
    }
    bets(rows, u"le premier de la feuille"_qs, f.first);
    bets(rows, u"chaque valeur d'au moins 1,10"_qs, f.value);
    return rows;
}

QByteArray bilanCsv(const scorecard::Figures& f) {
    return csv::write(bilanRows(f), csv::Output);
}
