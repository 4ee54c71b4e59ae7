// The kill test's helper (scripts/kill-import.sh): writes a folder of 30
// meetings (4 races of 10 runners run, each runner with 5 past runs), and checks
// a history left by an import killed at any instant: it opens, SQLite's check
// passes, and each race's 60 runs are all there or none.
//   killcheck ecrire DOSSIER [DECALAGE]  (the days DECALAGE days later)
//   killcheck verifier HISTORIQUE [--complet]

#include "store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <set>

namespace {

constexpr int Meetings = 30, Races = 4, Runners = 10, Past = 5;
const QDate First(2025, 1, 6);

qint64 msOf(const QDate& d) {
    return QDateTime(d, QTime(13, 0), Qt::UTC).toMSecsSinceEpoch();
}
QString horse(int m, int c, int k) {
    return u"K%1-%2-%3"_qs.arg(m).arg(c).arg(k);
}
QDate pastDay(const QDate& day, int j) {
    return day.addDays(-10 * (j + 1));
}

bool write(const QString& path, const QJsonObject& o) {
    QFile f(path);
    const QByteArray bytes = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QJsonObject pastRun(const QString& name, const QDate& day) {
    return {
        {u"date"_qs, msOf(day)},
        {u"timezoneOffset"_qs, 3600000},
        {u"hippodrome"_qs, u"CAEN"_qs},
        {u"discipline"_qs, u"ATTELE"_qs},
        {u"distance"_qs, 2200},
        {u"participants"_qs, QJsonArray{QJsonObject{{u"nomCheval"_qs, name},
                                                    {u"itsHim"_qs, true},
                                                    {u"place"_qs, QJsonObject{{u"place"_qs, 4}}},
                                                    {u"reductionKilometrique"_qs, 7350}}}}};
}

bool writeMeeting(const QDir& dir, int m) {
    const QDate day = First.addDays(m);
    const QString stamp = day.toString(u"ddMMyyyy"_qs);
    QJsonArray races;
    for (int c = 1; c <= Races; ++c) {
        races.append(QJsonObject{{u"numOrdre"_qs, c},
                                 {u"libelle"_qs, u"PRIX %1"_qs.arg(c)},
                                 {u"discipline"_qs, u"ATTELE"_qs},
                                 {u"distance"_qs, 2100}});
        QJsonArray runners, performances;
        for (int k = 0; k < Runners; ++k) {
            const QString name = horse(m, c, k);
            runners.append(QJsonObject{
                {u"numPmu"_qs, k + 1},
                {u"nom"_qs, name},
                {u"handicapDistance"_qs, 2100},
                {u"ordreArrivee"_qs, k + 1},
                {u"reductionKilometrique"_qs, 7200 + 10 * k},
                {u"urlCasaque"_qs,
                 u"https://x/casaques/%1/R1/C%2/P%3.png"_qs.arg(stamp).arg(c).arg(k + 1)}});
            QJsonArray past;
            for (int j = 0; j < Past; ++j)
                past.append(pastRun(name, pastDay(day, j)));
            performances.append(QJsonObject{
                {u"numPmu"_qs, k + 1}, {u"nomCheval"_qs, name}, {u"coursesCourues"_qs, past}});
        }
        if (!write(dir.filePath(u"participants_R1_C%1.json"_qs.arg(c)),
                   {{u"participants"_qs, runners}}) ||
            !write(dir.filePath(u"performances_R1_C%1.json"_qs.arg(c)),
                   {{u"participants"_qs, performances}}))
            return false;
    }
    const QJsonObject meeting{
        {u"numOfficiel"_qs, 1},
        {u"dateReunion"_qs, msOf(day)},
        {u"timezoneOffset"_qs, 3600000},
        {u"hippodrome"_qs, QJsonObject{{u"libelleCourt"_qs, u"VINCENNES"_qs}}},
        {u"courses"_qs, races}};
    return write(dir.filePath(u"programme_%1.json"_qs.arg(stamp)),
                 {{u"programme"_qs, QJsonObject{{u"reunions"_qs, QJsonArray{meeting}}}}});
}

int writeAll(const QString& folder, int shift) {
    for (int m = shift; m < shift + Meetings; ++m) {
        const QDir dir(QDir(folder).filePath(First.addDays(m).toString(u"yyyy-MM-dd"_qs)));
        if (!QDir().mkpath(dir.path()) || !writeMeeting(dir, m))
            return 2;
    }
    return 0;
}

// Whether the file passes SQLite's check, read as it is.
bool sound(const QString& path) {
    if (!QFile::exists(path) || QFileInfo(path).size() == 0)
        return true; // killed before the history was made
    sqlite::Database db;
    if (!db.open(path).ok())
        return false;
    sqlite::Statement check(db, "PRAGMA quick_check(1)");
    return check.step() == sqlite::Statement::Step::Row && check.text(0) == u"ok";
}

int verify(const QString& path, bool complete) {
    if (!sound(path)) {
        std::printf("ÉCHEC : l'historique ne passe pas la vérification\n");
        return 1;
    }
    history::Store store;
    if (const history::Opened o = store.open(path); !o.result.ok() || !o.setAside.isEmpty()) {
        std::printf("ÉCHEC : %s\n", qPrintable(o.result.message + o.setAside));
        return 1;
    }
    int present = 0, failures = 0;
    for (int m = 0; m < Meetings; ++m)
        for (int c = 1; c <= Races; ++c) {
            int here = 0;
            for (int k = 0; k < Runners; ++k) {
                std::set<QDate> days;
                for (const history::Run& r : store.runsOf(horse(m, c, k)).runs)
                    days.insert(r.date);
                here += int(days.count(First.addDays(m)));
                for (int j = 0; j < Past; ++j)
                    here += int(days.count(pastDay(First.addDays(m), j)));
            }
            present += here;
            const int all = Runners * (1 + Past);
            if ((here != 0 && here != all) || (complete && here != all)) {
                std::printf("ÉCHEC : réunion %d course %d : %d courses sur %d\n", m, c, here, all);
                ++failures;
            }
        }
    std::printf("%d courses gardées sur %d\n", present, Meetings * Races * Runners * (1 + Past));
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == u"ecrire")
        return writeAll(args[2], args.value(3).toInt());
    if (args.size() >= 3 && args[1] == u"verifier")
        return verify(args[2], args.contains(u"--complet"_qs));
    std::fprintf(stderr, "usage : killcheck ecrire DOSSIER | verifier HISTORIQUE [--complet]\n");
    return 2;
}
