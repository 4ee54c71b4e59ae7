// Figures for the race sheet: one cell edited in a 20-runner sheet (recomputed,
// ranked again, written, shown), and "Courses précédentes…" opened on 1,000 kept
// races, what --course does with a 20-runner sheet, its chances, and τ fitted
// over a year of races. Each against its aim, in
// the same run. Run a Release build: make bench.

#include "appstate.h"
#include "chances.h"
#include "coursedujour.h"
#include "courses.h"
#include "places.h"
#include "racefile.h"
#include "racetable.h"
#include "sheetedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers nothing: no question comes from the values the benchmark types.
class Silent : public Dialogs {
  public:
    Answer message(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override {
        return QString();
    }
    int question(const QString&, const QString&, const QStringList&, int d, int) override {
        return d;
    }
};

Runner runner(int i) {
    Runner r;
    r.name = u"Cheval %1"_qs.arg(i);
    r.going = u"bon"_qs;
    r.race.referenceDistance = QString::number(1800 + 20 * i);
    r.race.referenceWeight = u"57"_qs;
    r.race.minutes = u"2"_qs;
    r.race.seconds = QString::number(10 + i);
    r.race.hundredths = u"50"_qs;
    r.race.margin = QString::number(i % 4);
    r.race.dayWeight = u"58"_qs;
    Silent silent;
    return *rerun(r, RaceSheet{.distance = u"2400"_qs}, {}, {}, silent);
}

RaceSheet sheetOf(int runners, const QString& name, const QDate& date) {
    RaceSheet sheet{
        .name = name, .date = date, .hippodrome = u"Longchamp"_qs, .distance = u"2400"_qs};
    for (int i = 0; i < runners; ++i)
        sheet.runners.push_back(runner(i));
    return sheet;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

const char* verdict(double value, double aim) {
    return value < aim ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    places::setListFilePath(folder.filePath(u"lstchrono.txt"_qs));
    Silent silent;

    // One edit: a runner's time typed anew, alternately two values, 50 times.
    AppState state(folder.filePath(u"Orvanto.ini"_qs),
                   RaceDay{sheetOf(20, u"Prix"_qs, QDate(2026, 12, 8)), places::sheetFilePath()});
    std::vector<double> logic, table, painted;
    const QString times[] = {u"2'20\"00"_qs, u"2'30\"00"_qs};
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        editRunner(state.raceDay(), 7, RunnerField::Time, times[i % 2], {}, silent);
        (void)ranked(state.raceDay().sheet);
        logic.push_back(ms(t));
    }
    CourseDuJour sheetWindow(state);
    sheetWindow.show();
    QApplication::processEvents();
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        sheetWindow.editCell(7, RunnerField::Time, times[i % 2]);
        table.push_back(ms(t));
        QApplication::processEvents(); // painted
        painted.push_back(ms(t));
    }
    // What --course does with the file: read, every runner computed again, the
    // table as CSV.
    std::vector<double> course;
    const QByteArray file = racefile::write(state.raceDay().sheet);
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        RaceSheet read = *racefile::read(file);
        for (Runner& r : read.runners)
            r = *rerun(r, read, {}, {}, silent);
        (void)racetable::csvOutput(racetable::rows(read));
        course.push_back(ms(t));
    }
    std::printf("One cell edited in a 20-runner sheet (median of 50; aim under 5 ms):\n");
    std::printf("  recomputed, ranked, written to its file      %7.2f ms  %s\n", median(logic),
                verdict(median(logic), 5));
    std::printf("  the same, and the window's table filled again %7.2f ms  %s\n", median(table),
                verdict(median(table), 5));
    std::printf("  the same, and the window painted (offscreen)  %7.2f ms\n", median(painted));
    std::printf("--course on the same sheet, in the program (read, computed, CSV) %7.2f ms\n",
                median(course));

    // Chances for the 20-runner sheet with odds (ranked, logit, market shares).
    RaceSheet withOdds = state.raceDay().sheet;
    for (size_t i = 0; i < withOdds.runners.size(); ++i)
        withOdds.runners[i].oddsDirect = 2.0 + double(i);
    std::vector<double> chanceMs;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        (void)racetable::rows(withOdds);
        chanceMs.push_back(ms(t));
    }
    std::printf("chances, odds and value of a 20-runner sheet, its table (median of 50) %7.2f ms  "
                "%s (aim under 20 ms)\n",
                median(chanceMs), verdict(median(chanceMs), 20));
    // τ fitted over 2,400 races of 14 runners, as a year of the punter's would be.
    std::vector<chances::Race> year;
    for (int r = 0; r < 2400; ++r) {
        chances::Race race;
        for (int k = 0; k < 14; ++k)
            race.seconds.push_back(150 + (r * 7 + k * 13) % 80 / 10.0);
        race.winner = r % 5;
        year.push_back(std::move(race));
    }
    QElapsedTimer fitted;
    fitted.start();
    const chances::Fit fit = chances::fit(year);
    std::printf("tau fitted over %d races of 14 runners (%.2f s)            %7.2f ms  %s (aim "
                "under 1000 ms)\n",
                fit.races, fit.tau, ms(fitted), verdict(ms(fitted), 1000));

    // 1,000 kept races of 12 runners each.
    const QString archive = folder.filePath(u"courses"_qs);
    QDir().mkpath(archive);
    for (int i = 0; i < 1000; ++i) {
        const RaceSheet race = sheetOf(12, u"Prix n° %1"_qs.arg(i), QDate(2020, 1, 1).addDays(i));
        QFile f(QDir(archive).filePath(u"%1.csv"_qs.arg(i)));
        if (!f.open(QIODevice::WriteOnly) || f.write(racefile::write(race)) < 0)
            return 1;
    }
    std::vector<double> opened;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        Courses dialog(state, nullptr, archive);
        dialog.show();
        QApplication::processEvents(); // painted
        opened.push_back(ms(t));
    }
    std::printf("\n\"Courses précédentes…\" opened on 1,000 races of 12 runners, read and shown\n"
                "(median of 5; aim under 200 ms): %.1f ms  %s\n",
                median(opened), verdict(median(opened), 200));
    return 0;
}
