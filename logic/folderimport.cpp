#include "folderimport.h"

#include "chancesfit.h"
#include "racefinder.h"

#include "cells.h"

#include <QDirIterator>
#include <QFileInfo>

using imports::FileRead;
using imports::Kind;
using imports::Race;

namespace {

using Key = std::pair<QDate, QString>;

// The races of the programmes read, and the folder each came from.
struct Programmes {
    std::vector<Race> all;
    std::map<QString, std::vector<Race>> byFolder;
    std::map<Key, size_t> readOf;                   // a race's programme, by day and code
    std::map<QString, std::vector<size_t>> readsIn; // a folder's programmes
};

Programmes programmesOf(const std::vector<FileRead>& reads, const QStringList& folders) {
    Programmes p;
    for (size_t i = 0; i < reads.size(); ++i)
        if (reads[i].kind == Kind::Programme && reads[i].failure.isEmpty()) {
            p.readsIn[folders[i]].push_back(i);
            for (const Race& r : reads[i].races) {
                p.all.push_back(r);
                p.byFolder[folders[i]].push_back(r);
                p.readOf.emplace(Key{r.date, r.code()}, i);
            }
        }
    return p;
}

// The day and race of a participants file, its programme's races in its own
// folder first; none when nothing or several fit.
std::optional<Key> raceKey(const FileRead& f, const QString& folder, const Programmes& p) {
    const auto here = p.byFolder.find(folder);
    const auto found = racesOfFile(here != p.byFolder.end() ? here->second : p.all, f);
    if (found.size() == 1)
        return Key{found.front().date, found.front().code()};
    if (f.casaque)
        return Key{f.casaque->date, u"R%1C%2"_qs.arg(f.casaque->meeting).arg(f.casaque->number)};
    return std::nullopt;
}

// The participants group that holds at least half of a performances file's
// horses, the one holding most.
std::optional<Key> horsesKey(const FileRead& f,
                             const std::map<QString, std::vector<Key>>& runnersOf) {
    std::map<Key, int> votes;
    for (const QString& horse : f.horses)
        if (const auto it = runnersOf.find(cells::folded(horse)); it != runnersOf.end())
            for (const Key& k : it->second)
                ++votes[k];
    const auto best =
        std::max_element(votes.begin(), votes.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    if (best == votes.end() || best->second * 2 < f.horses.size())
        return std::nullopt;
    return best->first;
}

} // namespace

std::vector<RaceFiles> groupByRace(std::vector<FileRead> reads, const QStringList& folders) {
    Programmes programmes = programmesOf(reads, folders);
    std::map<Key, RaceFiles> groups;
    std::map<QString, std::vector<Key>> runnersOf; // a horse's participants groups
    std::vector<size_t> later;                     // performances, once runners are known
    const auto alone = [&](size_t i) {             // a file in a group of its own
        const QDate day = reads[i].card ? reads[i].card->date : QDate();
        groups[{day, u"~%1"_qs.arg(i)}].reads.push_back(std::move(reads[i]));
    };
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!reads[i].failure.isEmpty() || reads[i].kind == Kind::Programme)
            continue;
        if (reads[i].kind == Kind::Performances) {
            later.push_back(i);
            continue;
        }
        const auto key = reads[i].kind == Kind::Participants
                             ? raceKey(reads[i], folders[i], programmes)
                             : std::nullopt;
        if (!key) { // with its folder's programmes, for the reason it has no race
            if (reads[i].kind == Kind::Participants)
                for (const size_t p : programmes.readsIn[folders[i]])
                    groups[{QDate(), u"~%1"_qs.arg(i)}].reads.push_back(reads[p]);
            alone(i);
            continue;
        }
        for (const imports::Entrant& e : reads[i].entrants)
            runnersOf[cells::folded(e.name)].push_back(*key);
        RaceFiles& g = groups[*key];
        if (g.reads.empty())
            if (const auto p = programmes.readOf.find(*key); p != programmes.readOf.end())
                g.reads.push_back(reads[p->second]); // the programme, shared
        g.reads.push_back(std::move(reads[i]));
    }
    for (const size_t i : later) {
        if (const auto key = horsesKey(reads[i], runnersOf))
            groups[*key].reads.push_back(std::move(reads[i]));
        else
            alone(i);
    }
    std::vector<RaceFiles> out;
    for (auto& [key, g] : groups)
        out.push_back(
            {key.first, key.second.startsWith(u'~') ? QString() : key.second, std::move(g.reads)});
    return out;
}

QStringList filesUnder(const QStringList& paths) {
    QStringList out;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            out << path;
            continue;
        }
        QStringList inside;
        // In a folder, only the kinds of file saved races come in: its pictures
        // and documents are not refused one by one.
        QDirIterator it(path, {u"*.json"_qs, u"*.csv"_qs, u"*.txt"_qs},
                        QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
        while (it.hasNext())
            inside << it.next();
        inside.sort();
        out << inside;
    }
    return out;
}

namespace {

// The races of `where.today` whose runners the files bring: one goes onto the
// sheet, several none.
std::vector<size_t> todays(const std::vector<RaceFiles>& groups, const QDate& today) {
    std::vector<size_t> out;
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].day == today &&
            std::any_of(groups[i].reads.begin(), groups[i].reads.end(),
                        [](const FileRead& f) { return f.kind == Kind::Participants || f.card; }))
            out.push_back(i);
    return out;
}

void addTo(ImportSummary& day, const ImportSummary& race) {
    day.filesRead += race.filesRead;
    day.runners += race.runners;
    day.pastRuns += race.pastRuns;
    day.known += race.known;
    day.refused += race.refused;
    day.reasons << race.reasons;
}

// Each file read, its folder beside it; false when stopped.
bool readAll(const QStringList& files, std::vector<FileRead>& reads, QStringList& folders,
             FolderSummary& out, ImportProgress* progress) {
    for (const QString& path : files) {
        if (progress && !progress->step(int(reads.size()), 2 * int(files.size())))
            return false;
        FileRead f = readPath(path);
        if (!f.failure.isEmpty())
            out.unread << u"%1 : %2"_qs.arg(f.file, f.failure);
        reads.push_back(std::move(f));
        folders << QFileInfo(path).absolutePath();
    }
    return true;
}

} // namespace

QString FolderSummary::text() const {
    QString t = cells::counted(files, "fichier", "fichiers") + u", "_qs +
                cells::counted(racesDone, "course importée", "courses importées");
    for (const auto& [day, d] : days)
        t += u"\n%1 (%2) : %3"_qs.arg(
            day.isValid() ? day.toString(u"dd/MM/yyyy"_qs) : u"sans date"_qs,
            day.isValid() ? cells::counted(d.races, "course", "courses")
                          : cells::counted(d.races, "fichier", "fichiers"),
            d.summary.text(false).replace(u'\n', u"\n   "_qs));
    for (const QString& why : unread)
        t += u"\n"_qs + why;
    if (stopped)
        t += u"\nImport arrêté : %1 courses importées sur %2 ; celles-ci sont gardées "
             "entières, les autres ne le sont pas du tout."_qs.arg(racesDone)
                 .arg(races);
    return t;
}

FolderSummary importFolder(const QStringList& paths, AppState& state, const ImportPlace& where,
                           Dialogs& dialogs, ImportProgress* progress) {
    FolderSummary out;
    const QStringList files = filesUnder(paths);
    out.files = int(files.size());
    std::vector<FileRead> reads;
    QStringList folders;
    if (out.stopped = !readAll(files, reads, folders, out, progress); out.stopped)
        return out;
    std::vector<RaceFiles> groups = groupByRace(std::move(reads), folders);
    out.races = int(groups.size());
    const std::vector<size_t> today = todays(groups, where.today);
    for (size_t i = 0; i < groups.size(); ++i) {
        const int done = out.files + int(i) * out.files / std::max<int>(1, out.races);
        if (progress && !progress->step(done, 2 * out.files)) {
            out.stopped = true;
            break;
        }
        ImportPlace place = where;
        place.sheet = where.sheet && today.size() == 1 && today.front() == i;
        ImportSummary s = importRead(std::move(groups[i].reads), state, place, dialogs);
        if (today.size() > 1 && groups[i].day == where.today && i == today.front())
            s.reasons << u"partants non placés : les fichiers comptent %1 courses du jour ; "
                         "importez ceux de la course voulue"_qs.arg(today.size());
        FolderSummary::Day& day = out.days[groups[i].day];
        ++day.races;
        addTo(day.summary, s);
        ++out.racesDone;
    }
    if (progress && !out.stopped)
        progress->step(2 * out.files, 2 * out.files);
    return out;
}

PathsImported importPaths(const QStringList& paths, AppState& state, const ImportPlace& where,
                          Dialogs& dialogs, ImportProgress* progress) {
    QString copy;
    if (state.history().isOpen())
        if (const FileResult kept = state.history().keepCopy(QDateTime::currentDateTime());
            !kept.ok())
            copy = u"\nAucune copie de l'historique avant cet import : "_qs + kept.message;
    PathsImported out;
    int added = 0; // runs new to the history
    if (std::none_of(paths.begin(), paths.end(),
                     [](const QString& p) { return QFileInfo(p).isDir(); })) {
        const ImportSummary s = importFiles(paths, state, where, dialogs);
        out = {s.text() + copy, s.filesRead > 0};
        added = s.pastRuns - s.known;
    } else {
        const FolderSummary s = importFolder(paths, state, where, dialogs, progress);
        out = {s.text() + copy, s.files > s.unread.size()};
        for (const auto& [day, d] : s.days)
            added += d.summary.pastRuns - d.summary.known;
    }
    // Results new to the history: the chances' τ fitted on them too.
    if (added > 0 && state.history().isOpen())
        if (const Refitted r = refitChances(state, where.today); !r.message.isEmpty())
            out.text += u'\n' + r.message;
    return out;
}
