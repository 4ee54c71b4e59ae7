// Figures for imports: a year of the service's files, generated (300 meetings of
// 8 races of 14 runners, each runner with its 5 past runs; 8,000 horses, each
// running every three weeks), a folder per day named as saved. Imported as one
// folder (its longest pause between two progress steps: how long the window
// would not answer), then a second time (nothing added); then, for comparison,
// meeting by meeting as files, into a history of its own. Time and peak memory
// against their aims, in the same run. Run a Release build: make bench.

#include "bilan.h"
#include "folderimport.h"
#include "peakmemory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Meetings = 300, Races = 8, Runners = 14, PastRuns = 5, Horses = 8000;
const QDate FirstDay(2026, 1, 1);

qint64 msOf(const QDate& day) {
    return QDateTime(day, QTime(14, 0), Qt::UTC).toMSecsSinceEpoch();
}

QString horseName(int horse) {
    return u"CHEVAL %1"_qs.arg(horse);
}

// The horse's j-th run of its career, every three weeks before the year's end.
QJsonObject pastRun(int horse, int j) {
    const QDate day = FirstDay.addDays(-200 + j * 21 + horse % 21);
    const QJsonObject itself{{u"nomCheval"_qs, horseName(horse)},
                             {u"itsHim"_qs, true},
                             {u"place"_qs, QJsonObject{{u"place"_qs, 1 + (horse + j) % 12},
                                                       {u"statusArrivee"_qs, u"PLACE"_qs}}},
                             {u"reductionKilometrique"_qs, 7200 + (horse * 7 + j) % 500},
                             {u"distanceParcourue"_qs, 2700 + 25 * (j % 2)},
                             {u"nomJockey"_qs, u"DRIVER %1"_qs.arg(horse % 300)}};
    QJsonArray participants;
    for (int k = 0; k < 5; ++k)
        participants.append(QJsonObject{{u"nomCheval"_qs, horseName((horse + k + 1) % Horses)},
                                        {u"place"_qs, QJsonObject{{u"place"_qs, k + 1}}}});
    participants.append(itself);
    return {{u"date"_qs, msOf(day)},
            {u"timezoneOffset"_qs, 3600000},
            {u"hippodrome"_qs, u"VINCENNES"_qs},
            {u"nomPrix"_qs, u"PRIX %1"_qs.arg(j)},
            {u"discipline"_qs, u"ATTELE"_qs},
            {u"distance"_qs, 2700},
            {u"nbParticipants"_qs, 14},
            {u"tempsDuPremier"_qs, 19500 + j % 300},
            {u"participants"_qs, participants}};
}

void write(const QString& path, const QJsonObject& o) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(QJsonDocument(o).toJson()) < 0)
        std::exit(1);
}

// One meeting's files: its programme, and each race's participants and
// performances.
QStringList writeMeeting(const QDir& dir, int m) {
    const QDate day = FirstDay.addDays(m % 365);
    QJsonArray races;
    dir.mkpath(u"%1"_qs.arg(m));
    const QDir in(dir.filePath(u"%1"_qs.arg(m)));
    QStringList files{in.filePath(u"programme_%1.json"_qs.arg(day.toString(u"ddMMyyyy"_qs)))};
    for (int c = 1; c <= Races; ++c) {
        races.append(QJsonObject{{u"numOrdre"_qs, c},
                                 {u"libelle"_qs, u"PRIX %1-%2"_qs.arg(m).arg(c)},
                                 {u"discipline"_qs, u"ATTELE"_qs},
                                 {u"distance"_qs, 2700}});
        QJsonArray entrants, performances;
        for (int k = 0; k < Runners; ++k) {
            const int horse = (m * Races * Runners + c * Runners + k) % Horses;
            // Run, with its final odds: the bilan measures the sheet on it.
            entrants.append(QJsonObject{
                {u"numPmu"_qs, k + 1},
                {u"nom"_qs, horseName(horse)},
                {u"musique"_qs, u"1a3aDa(25)5m"_qs},
                {u"handicapDistance"_qs, 2700 + 25 * (k % 3 == 0)},
                {u"ordreArrivee"_qs, 1 + (k * 5 + m) % Runners},
                {u"reductionKilometrique"_qs, 72000 + 100 * ((k * 5 + m) % Runners)},
                {u"dernierRapportDirect"_qs, QJsonObject{{u"rapport"_qs, 2.0 + k * 1.5}}}});
            const int career = FirstDay.daysTo(day) / 21 + 9; // runs before today
            QJsonArray runs;
            for (int j = career - PastRuns; j < career; ++j)
                runs.append(pastRun(horse, j));
            performances.append(QJsonObject{{u"numPmu"_qs, k + 1},
                                            {u"nomCheval"_qs, horseName(horse)},
                                            {u"coursesCourues"_qs, runs}});
        }
        files << in.filePath(u"participants_R1_C%1.json"_qs.arg(c))
              << in.filePath(u"performances_R1_C%1.json"_qs.arg(c));
        write(files[files.size() - 2], {{u"participants"_qs, entrants}});
        write(files.last(), {{u"participants"_qs, performances}});
    }
    write(files.first(),
          {{u"programme"_qs,
            QJsonObject{{u"reunions"_qs,
                         QJsonArray{QJsonObject{
                             {u"dateReunion"_qs, msOf(day)},
                             {u"timezoneOffset"_qs, 3600000},
                             {u"hippodrome"_qs, QJsonObject{{u"libelleCourt"_qs, u"VINCENNES"_qs}}},
                             {u"courses"_qs, races}}}}}}});
    return files;
}

void report(const char* what, double value, const char* unit, double aim) {
    std::printf("%-58s %10.1f %-3s (aim: under %.0f) %s\n", what, value, unit, aim,
                value < aim ? "ok" : "OVER");
}

// Every meeting imported as files; the seconds it took, and the runs stored and
// known.
double importAll(const std::vector<QStringList>& meetings, AppState& state, const QString& folder,
                 int& stored, int& known) {
    RecordingDialogs quiet;
    QElapsedTimer t;
    t.start();
    stored = known = 0;
    for (const QStringList& files : meetings) {
        const ImportSummary s = importFiles(files, state, {folder, FirstDay}, quiet);
        if (s.filesRead != files.size())
            std::exit(2);
        stored += s.pastRuns;
        known += s.known;
    }
    return t.nsecsElapsed() / 1e9;
}

// The longest time between two steps: the window would not answer longer.
struct Pauses : ImportProgress {
    QElapsedTimer since;
    qint64 longest = 0;
    bool step(int, int) override {
        if (since.isValid())
            longest = std::max(longest, since.nsecsElapsed());
        since.restart();
        return true;
    }
};

// The folder imported at once; the seconds it took, its longest pause, the runs.
double importFolderOnce(const QString& files, AppState& state, const QString& folder,
                        qint64& longestPause, int& stored, int& known) {
    RecordingDialogs quiet;
    Pauses pauses;
    QElapsedTimer t;
    t.start();
    const FolderSummary s = importFolder({files}, state, {folder, FirstDay}, quiet, &pauses);
    const double seconds = t.nsecsElapsed() / 1e9;
    if (!s.unread.isEmpty() || s.stopped)
        std::exit(2);
    stored = known = 0;
    for (const auto& [day, summary] : s.days)
        stored += summary.summary.pastRuns, known += summary.summary.known;
    longestPause = pauses.longest;
    return seconds;
}

std::unique_ptr<AppState> stateIn(const QTemporaryDir& dir, const QString& name) {
    auto state = std::make_unique<AppState>(dir.filePath(name + u".ini"_qs),
                                            RaceDay{{}, dir.filePath(name + u".csv"_qs)});
    static RecordingDialogs quiet; // outlives the state
    if (!state->openHistory(dir.filePath(name + u".sqlite"_qs), QDateTime(), quiet).isEmpty())
        std::exit(1);
    return state;
}

} // namespace

int main() {
    QTemporaryDir dir;
    QDir files(dir.filePath(u"fichiers"_qs));
    files.mkpath(u"."_qs);
    std::vector<QStringList> meetings;
    for (int m = 0; m < Meetings; ++m)
        meetings.push_back(writeMeeting(files, m));
    std::printf("%d files of %d meetings written (%d races, %d past runs listed)\n",
                Meetings * (1 + 2 * Races), Meetings, Meetings * Races,
                Meetings * Races * Runners * PastRuns);
    int stored = 0, known = 0;
    qint64 pause = 0;
    {
        const auto held = stateIn(dir, u"dossier"_qs);
        AppState& state = *held;
        const double first = importFolderOnce(files.path(), state, dir.filePath(u"courses"_qs),
                                              pause, stored, known);
        std::printf("the year as one folder: %d past runs read, %d of them already known (the "
                    "same runs listed again in later races)\n",
                    stored, known);
        report("a year of files imported, as one folder", first, "s", 8);
        report("peak memory", peakmemory::kilobytes() / 1024.0, "MB", 200);
        report("longest pause between two steps of the progress bar", pause / 1e6, "ms", 200);
        const double second = importFolderOnce(files.path(), state, dir.filePath(u"courses"_qs),
                                               pause, stored, known);
        std::printf("the folder again: %d past runs read, %d already known\n", stored, known);
        report("the same year imported again (nothing added)", second, "s", 8);
        if (stored != known)
            return 3;
    }
    {
        // The bilan over the year: every race run, its sheet as it stood that
        // morning (its runners fed from their runs before it), measured.
        const auto measured = stateIn(dir, u"dossier"_qs);
        QElapsedTimer t;
        t.start();
        const Bilan bilan = bilanOf(measured->history(), {});
        const scorecard::Figures figures = figuresOf(bilan, {}, {}).sheet;
        std::printf("the bilan: %d races measured, the sheet's first won %.1f %%\n", figures.races,
                    figures.firstWon);
        report("the bilan over the year", t.nsecsElapsed() / 1e9, "s", 3);
        t.restart();
        const InForce fitted = fittedOn(bilan);
        std::printf("tau fitted at the trot on %d races: %.2f s; the market combined on %d: "
                    "alpha %.2f, beta %.2f\n",
                    fitted.fits[0].races, fitted.fits[0].tau, fitted.blend.races,
                    fitted.blend.alpha, fitted.blend.beta);
        report("tau and the combination fitted over the bilan's races", t.nsecsElapsed() / 1e6,
               "ms", 1000);
    }
    const auto held = stateIn(dir, u"fichiers"_qs);
    AppState& state = *held;
    const double files1 = importAll(meetings, state, dir.filePath(u"courses"_qs), stored, known);
    report("for comparison: meeting by meeting, as files", files1, "s", 8);
    return 0;
}
