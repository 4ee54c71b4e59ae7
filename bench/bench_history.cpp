// Figures for the horses' history: a database of 200,000 runs of 20,000 horses
// (generated) — its size on disk, the time to open it against an empty one, the
// comparable runs chosen for a 16-runner sheet, and 1,000 runs added in one
// transaction. Each against its aim, in the same run. Run a Release build: make bench.

#include "comparable.h"
#include "store.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Horses = 20000, RunsEach = 10;

history::Run runOf(int horse, int run) {
    history::Run r;
    r.horse = u"Cheval n° %1"_qs.arg(horse);
    r.date = QDate(2026, 12, 1).addDays(-run * 21 - horse % 17);
    r.hippodrome = run % 2 ? u"Vincennes"_qs : u"Enghien"_qs;
    r.race = u"Prix %1"_qs.arg(run);
    r.discipline = history::Discipline::TrotHarness;
    r.distance = 2100 + 25 * (run % 30);
    r.start = calc::Start::Volte;
    r.shoeing = calc::Shoeing::Shod;
    r.time = 15000 + (horse * 7 + run * 13) % 3000;
    r.reduction = 7200 + (horse + run) % 400;
    r.place = 1 + (horse + run) % 14;
    r.runners = 14;
    r.rider = u"Driver %1"_qs.arg(horse % 300);
    r.source = history::Source::Import;
    return r;
}

// The best of `times` runs of `work`, in milliseconds.
template <typename F> double bestMs(int times, F work) {
    double best = 1e9;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double value, const char* unit, double aim) {
    std::printf("%-58s %10.1f %-3s (aim: under %.0f) %s\n", what, value, unit, aim,
                value < aim ? "ok" : "OVER");
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString full = dir.filePath(u"historique.sqlite"_qs);
    const QString empty = dir.filePath(u"vide.sqlite"_qs);
    {
        history::Store store;
        if (!store.open(full).result.ok())
            return 1;
        QElapsedTimer fill;
        fill.start();
        for (int h = 0; h < Horses; h += 1000) {
            std::vector<history::Run> runs;
            for (int i = h; i < h + 1000; ++i)
                for (int run = 0; run < RunsEach; ++run)
                    runs.push_back(runOf(i, run));
            if (store.add(runs).added != 1000 * RunsEach)
                return 1;
        }
        std::printf("%d runs of %d horses stored in %.1f s\n", Horses * RunsEach, Horses,
                    fill.nsecsElapsed() / 1e9);
        history::Store none;
        if (!none.open(empty).result.ok())
            return 1;
    }
    std::printf("%-58s %10.1f MB\n", "size on disk", QFileInfo(full).size() / (1024.0 * 1024.0));
    const auto openMs = [](const QString& path) {
        return bestMs(5, [&](int) {
            history::Store s;
            (void)s.open(path);
        });
    };
    const double emptyMs = openMs(empty), fullMs = openMs(full);
    std::printf("%-58s %10.1f ms\n", "open an empty history", emptyMs);
    // Opening checks every page (a damaged history is never written to).
    report("open the full one (its quick check included), more than an empty one", fullMs - emptyMs,
           "ms", 250);
    {
        sqlite::Database db;
        if (!db.open(full).ok())
            return 1;
        const double checkMs = bestMs(5, [&](int) {
            sqlite::Statement check(db, "PRAGMA quick_check");
            if (check.step() != sqlite::Statement::Step::Row || check.text(0) != u"ok")
                std::exit(1);
        });
        report("PRAGMA quick_check of the full one", checkMs, "ms", 200);
        // The copy made before every import and once a day (each a minute of
        // its own, so that none replaces another).
        const double copyMs = bestMs(3, [&](int round) {
            if (!history::copies::make(db, QDateTime(QDate(2026, 12, 9), QTime(10, round))).ok())
                std::exit(1);
        });
        report("a copy of the full one (VACUUM INTO)", copyMs, "ms", 1000);
        std::printf("%-58s %10.1f MB\n", "the copy's size on disk",
                    QFileInfo(history::copies::list(full).front().path).size() / 1048576.0);
    }

    history::Store store;
    if (!store.open(full).result.ok())
        return 1;
    const double sheetMs = bestMs(5, [&](int round) {
        for (int i = 0; i < 16; ++i)
            if (store.runsOf(u"CHEVAL N° %1"_qs.arg((round * 997 + i * 1201) % Horses))
                    .runs.size() != RunsEach)
                std::exit(1);
    });
    report("the runs of a 16-runner sheet's horses read", sheetMs, "ms", 20);
    // Vincennes, 2400 m attelé volté on 08/12/2026: each runner judged on its
    // comparable runs (about half of its ten), the best of the last three.
    RaceSheet sheet{.date = QDate(2026, 12, 8),
                    .distance = u"2400"_qs,
                    .discipline = u"trot attelé"_qs,
                    .start = u"volté"_qs};
    for (int i = 0; i < 16; ++i) {
        Runner r;
        r.name = runOf(i * 1201 % Horses, 0).horse;
        r.dayShoeing = calc::Shoeing::Shod;
        sheet.runners.push_back(r);
    }
    int comparable = 0;
    const double feedMs = bestMs(5, [&](int) {
        RaceSheet fed = sheet;
        feedSheet(fed, store, {});
        comparable = 0;
        for (const Runner& r : fed.runners)
            comparable += r.comparable;
    });
    std::printf("(%d comparable runs among the 160 of the sheet's horses)\n", comparable);
    report("the comparable runs chosen for a 16-runner sheet", feedMs, "ms", 20);
    const double addMs = bestMs(3, [&](int round) {
        std::vector<history::Run> runs;
        for (int i = 0; i < 1000; ++i)
            runs.push_back(runOf(Horses + round * 1000 + i, 0));
        if (store.add(runs).added != 1000)
            std::exit(1);
    });
    report("1,000 runs added in one transaction", addMs, "ms", 1000);
    return 0;
}
