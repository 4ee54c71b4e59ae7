#include "importer.h"

#include "importsheet.h"
#include "racefinder.h"

#include "cells.h"
#include "places.h"
#include "wholefile.h"

#include <QFileInfo>
#include <QRegularExpression>

using imports::Entrant;
using imports::FileRead;
using imports::Race;

namespace {

// Each runner's result once the race is run, as a run of its horse.
std::vector<history::Run> resultsOf(const FileRead& f, const Race& race) {
    const auto starters = std::count_if(f.entrants.begin(), f.entrants.end(),
                                        [](const Entrant& e) { return !e.scratched; });
    std::vector<history::Run> out;
    for (const Entrant& e : f.entrants) {
        if (!e.status)
            continue;
        history::Run r{.horse = e.name,
                       .date = race.date,
                       .hippodrome = race.hippodrome,
                       .race = race.name,
                       .discipline = race.discipline,
                       .distance = race.distance,
                       .recul = reculOf(e, race),
                       .start = race.start,
                       .shoeing = e.shoeing,
                       .time = e.time,
                       .reduction = e.reduction,
                       .place = e.place,
                       .status = *e.status,
                       .weight = e.weight,
                       .rider = e.rider,
                       .runners = starters,
                       .source = history::Source::Import,
                       .meeting = race.meeting,
                       .raceNumber = race.number,
                       .number = e.number,
                       .oddsReference = e.oddsReference,
                       .oddsDirect = e.oddsDirect,
                       .trainer = e.trainer,
                       .blinkers = e.blinkers};
        if (r.place == 1 && !r.time)
            r.time = race.winnerTime; // the winner's time is its own
        r.note = QStringList{e.shoeingNote, e.incident}.join(u' ').trimmed();
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

namespace {

// The race of `races` whose code (R1C3) is `code`; none, said, otherwise.
std::optional<Race> coded(const std::vector<Race>& races, const QString& code, ImportSummary& out) {
    for (const Race& r : races)
        if (r.code().compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return r;
    out.reasons << u"aucune course %1 dans le programme"_qs.arg(code.trimmed());
    return std::nullopt;
}

// The punter's choice among `candidates`; `several`: the files fit each of
// them (said, with the way to name one on the command line).
std::optional<Race> askAmong(const std::vector<Race>& candidates, bool several, Dialogs& dialogs,
                             ImportSummary& out) {
    QStringList lines;
    for (const Race& r : candidates)
        lines << u"%1  %2 (%3 m, %4)"_qs.arg(r.code(), r.name)
                     .arg(r.distance)
                     .arg(history::disciplineName(r.discipline));
    const QString question =
        several ? u"Les partants importés conviennent à %1 courses du programme. Laquelle "
                  "mettre sur la feuille ?"_qs.arg(candidates.size())
                : u"Le programme compte %1 courses. Quelle course mettre sur la feuille "
                  "(R1C3) ?"_qs.arg(candidates.size());
    const auto answer = dialogs.choose(question, u"Importer"_qs, lines, candidates.front().code());
    if (answer && !answer->trimmed().isEmpty()) // the line chosen, or the code typed
        return coded(candidates, answer->trimmed().section(u' ', 0, 0), out);
    out.reasons << (several ? u"partants non placés : ils conviennent à plusieurs courses du "
                              "programme (%1) ; choisissez-en une, --numero %2 en ligne de "
                              "commande"_qs.arg(lines.join(u", "_qs), candidates.front().code())
                            : u"partants non placés : aucune course du programme choisie"_qs);
    return std::nullopt;
}

// The programme's race the import is for: named on the command line, said by a
// participants file (its casaques, its name, its runners), the only one, or
// chosen by the punter.
std::optional<Race> chooseRace(const std::vector<Race>& races, const std::vector<FileRead>& reads,
                               const QString& named, bool sheet, Dialogs& dialogs,
                               ImportSummary& out) {
    if (races.empty())
        return std::nullopt;
    if (!named.isEmpty())
        return coded(races, named, out);
    if (!sheet) { // the race the files name, or none: nothing asked
        for (const FileRead& f : reads)
            if (f.kind == imports::Kind::Participants && f.failure.isEmpty())
                if (const auto found = racesOfFile(races, f); found.size() == 1)
                    return found.front();
        return std::nullopt;
    }
    for (const FileRead& f : reads)
        if (f.kind == imports::Kind::Participants && f.failure.isEmpty())
            if (const auto found = racesOfFile(races, f); !found.empty())
                return found.size() == 1 ? found.front() : askAmong(found, true, dialogs, out);
    if (races.size() == 1)
        return races.front();
    return askAmong(races, false, dialogs, out);
}

// The past runs into the history, in one transaction.
void storeRuns(const std::vector<history::Run>& runs, history::Store& store, ImportSummary& out) {
    if (runs.empty())
        return;
    if (!store.isOpen()) {
        out.reasons << u"courses passées non gardées : l'historique n'est pas ouvert"_qs;
        return;
    }
    const history::Added added = store.add(runs);
    if (!added.result.ok()) {
        out.reasons << u"aucune course passée gardée : "_qs + added.result.message;
        return;
    }
    out.pastRuns = added.added + added.known;
    out.known = added.known;
}
} // namespace

QString ImportSummary::text(bool runnersIfNone) const {
    QString t =
        (runners > 0 || runnersIfNone ? cells::counted(runners, "partant", "partants") + u", "_qs
                                      : QString()) +
        cells::counted(pastRuns, "course passée", "courses passées") +
        u" (%1)"_qs.arg(cells::counted(known, "déjà connue", "déjà connues")) + u", "_qs +
        cells::counted(refused, "refusée", "refusées");
    for (const QString& why : reasons)
        t += u"\n"_qs + why;
    return t;
}

namespace {

// Each file's refusals told, and the programmes' races.
std::vector<Race> racesRead(const std::vector<FileRead>& reads, ImportSummary& out) {
    std::vector<Race> races;
    for (const FileRead& f : reads) {
        if (!f.failure.isEmpty()) {
            out.reasons << u"%1 : %2"_qs.arg(f.file, f.failure);
            continue;
        }
        ++out.filesRead;
        out.refused += static_cast<int>(f.refused.size());
        for (const imports::Refusal& r : f.refused)
            out.reasons << r.text();
        races.insert(races.end(), f.races.begin(), f.races.end());
    }
    return races;
}

// What the files bring: past runs (results of a race run included), and the
// runners for the sheet.
struct Brought {
    std::vector<history::Run> runs;
    std::optional<RaceSheet> sheet;
    bool whole = false; // a race card
};

// A participants file's results, and its runners when theirs is today's race.
void takeParticipants(const FileRead& f, const std::vector<Race>& races,
                      const std::optional<Race>& today, const RaceSheet& current, Brought& in,
                      ImportSummary& out) {
    const auto found = racesOfFile(races, f);
    auto race = found.size() == 1 ? std::optional<Race>(found.front()) : today;
    if (race) {
        const auto results = resultsOf(f, *race);
        in.runs.insert(in.runs.end(), results.begin(), results.end());
    } else if (std::any_of(f.entrants.begin(), f.entrants.end(),
                           [](const Entrant& e) { return e.status.has_value(); })) {
        QStringList codes;
        for (const Race& r : found)
            codes << r.code();
        out.reasons << (found.empty() ? u"%1 : résultats non gardés, la course n'est pas connue "
                                        "(importez aussi le programme de la réunion)"_qs.arg(f.file)
                                      : u"%1 : résultats non gardés, ses partants conviennent à "
                                        "plusieurs courses (%2) ; importez-le avec le programme "
                                        "et --numero"_qs.arg(f.file, codes.join(u", "_qs)));
    }
    // With a programme, only the chosen race's runners go onto the sheet.
    if (races.empty() || (race && today && race->code() == today->code()))
        std::tie(in.sheet, in.whole) = std::pair{importedSheet(race, f.entrants, current), false};
}

} // namespace

ImportSummary importRead(std::vector<FileRead> reads, AppState& state, const ImportPlace& where,
                         Dialogs& dialogs) {
    ImportSummary out;
    const std::vector<Race> races = racesRead(reads, out);
    const auto today = chooseRace(races, reads, where.race, where.sheet, dialogs, out);
    Brought in;
    for (FileRead& f : reads) {
        if (!f.failure.isEmpty())
            continue;
        std::move(f.runs.begin(), f.runs.end(), std::back_inserter(in.runs));
        if (f.card)
            std::tie(in.sheet, in.whole) = std::pair{f.card, true};
        if (f.kind == imports::Kind::Participants)
            takeParticipants(f, races, today, state.raceDay().sheet, in, out);
    }
    storeRuns(in.runs, state.history(), out);
    if (in.sheet && where.sheet && placeOnSheet(*in.sheet, in.whole, state, where, dialogs, out))
        state.sheetEdited();
    return out;
}

imports::FileRead readPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (const qint64 size = QFileInfo(path).size(); size > imports::MaxFileBytes)
        return imports::tooLarge(name, size); // never read into memory
    const files::Content content = files::readWhole(path);
    if (content.result.ok() && content.exists)
        return imports::readFile(name, content.bytes);
    FileRead failed;
    failed.file = name;
    failed.failure = content.exists ? content.result.message : u"fichier introuvable"_qs;
    return failed;
}

ImportSummary importFiles(const QStringList& paths, AppState& state, const ImportPlace& where,
                          Dialogs& dialogs) {
    std::vector<FileRead> reads;
    for (const QString& path : paths)
        reads.push_back(readPath(path));
    return importRead(std::move(reads), state, where, dialogs);
}
