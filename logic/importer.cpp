#include "importer.h"

#include "cells.h"
#include "places.h"
#include "racearchive.h"
#include "runnercalc.h"
#include "wholefile.h"

#include <QFileInfo>
#include <QRegularExpression>

using imports::Entrant;
using imports::FileRead;
using imports::Race;

namespace {

QString plural(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? many : one));
}

int reculOf(const Entrant& e, const Race& race) {
    return e.distanceRun && *e.distanceRun > race.distance ? *e.distanceRun - race.distance : 0;
}

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
                       .source = history::Source::Import};
        if (r.place == 1 && !r.time)
            r.time = race.winnerTime; // the winner's time is its own
        r.note = QStringList{e.shoeingNote, e.incident}.join(u' ').trimmed();
        out.push_back(std::move(r));
    }
    return out;
}

// Today's race on a sheet of its own, with the file's runners.
RaceSheet sheetOf(const std::optional<Race>& race, const std::vector<Entrant>& entrants) {
    RaceSheet s;
    if (race) {
        s = RaceSheet{.name = race->name,
                      .date = race->date,
                      .hippodrome = race->hippodrome,
                      .distance = QString::number(race->distance),
                      .discipline = history::sheetDiscipline(race->discipline),
                      .start = race->start};
    }
    for (const Entrant& e : entrants) {
        if (e.scratched)
            continue;
        Runner r;
        r.number = QString::number(e.number);
        r.name = e.name;
        r.race.dayDistance = s.distance;
        r.race.dayWeight = e.weight ? cells::upTo(*e.weight, 1) : QString();
        r.dayShoeing = isTrot(s.discipline) ? e.shoeing : QString();
        const int recul = race ? reculOf(e, *race) : 0;
        r.dayRecul = recul > 0 ? QString::number(recul) : QString();
        r.musique = e.musique;
        s.runners.push_back(std::move(r));
    }
    return s;
}

bool sameHorse(const Runner& a, const Runner& b) {
    return (!a.number.isEmpty() && a.number == b.number) ||
           history::horseKey(a.name) == history::horseKey(b.name);
}

// Whether the imported race is the sheet's: the same day, hippodrome and name
// (or distance, when a name is missing); a file without its race, when it
// shares a horse with the sheet.
bool sameRace(const RaceSheet& sheet, const RaceSheet& in) {
    if (!in.date.isValid())
        return std::any_of(in.runners.begin(), in.runners.end(),
                           [&](const Runner& r) { return sheet.lastOf(r.name).has_value(); });
    const bool named = !sheet.name.isEmpty() && !in.name.isEmpty();
    return sheet.date == in.date &&
           cells::folded(sheet.hippodrome) == cells::folded(in.hippodrome) &&
           (named ? cells::folded(sheet.name) == cells::folded(in.name)
                  : sheet.distance == in.distance);
}

// The imported runners into the sheet's race: a horse already there takes
// today's conditions from the file, its reference race kept.
void merge(RaceSheet& sheet, const RaceSheet& in, bool whole) {
    if (sheet.runners.empty() && in.date.isValid()) {
        const RaceSheet kept = sheet;
        sheet.takeRace(in);
        std::tie(sheet.rule, sheet.bandPercent, sheet.months) =
            std::tie(kept.rule, kept.bandPercent, kept.months);
    }
    for (const Runner& r : in.runners) {
        const auto at = std::find_if(sheet.runners.begin(), sheet.runners.end(),
                                     [&](const Runner& s) { return sameHorse(s, r); });
        if (at == sheet.runners.end() || whole) {
            // A race card's runner is the punter's whole row, reference included.
            at == sheet.runners.end() ? sheet.runners.push_back(r) : void(*at = r);
            continue;
        }
        at->number = r.number;
        for (auto [to, from] : {std::pair{&at->dayShoeing, &r.dayShoeing},
                                {&at->dayRecul, &r.dayRecul},
                                {&at->race.dayWeight, &r.race.dayWeight},
                                {&at->musique, &r.musique}})
            if (!from->isEmpty() || to == &at->dayRecul)
                *to = *from;
    }
}

} // namespace

namespace {

// The programme's race the import is for: named on the command line, in a
// participants file's name (R1C3), the only one, or chosen by the punter.
std::optional<Race> chooseRace(const std::vector<Race>& races, const std::vector<FileRead>& reads,
                               const QString& named, Dialogs& dialogs, ImportSummary& out) {
    const auto coded = [&](const QString& code) -> std::optional<Race> {
        for (const Race& r : races)
            if (r.code().compare(code.trimmed(), Qt::CaseInsensitive) == 0)
                return r;
        out.reasons << QStringLiteral("aucune course %1 dans le programme").arg(code.trimmed());
        return std::nullopt;
    };
    if (races.empty())
        return std::nullopt;
    if (!named.isEmpty())
        return coded(named);
    for (const FileRead& f : reads)
        if (f.kind == imports::Kind::Participants)
            if (auto r = raceOfName(races, f.file))
                return r;
    if (races.size() == 1)
        return races.front();
    QStringList lines;
    for (const Race& r : races)
        lines << QStringLiteral("%1  %2 (%3 m, %4)")
                     .arg(r.code(), r.name)
                     .arg(r.distance)
                     .arg(r.discipline);
    const auto answer = dialogs.prompt(
        QStringLiteral(
            "Le programme compte %1 courses :\n%2\n\nQuelle course mettre sur la feuille "
            "(R1C3) ?")
            .arg(races.size())
            .arg(lines.join(u'\n')),
        QStringLiteral("Importer"), races.front().code());
    if (!answer) {
        out.reasons << u"partants non placés : aucune course du programme choisie"_qs;
        return std::nullopt;
    }
    return coded(*answer);
}

QString raceTitle(const RaceSheet& s) {
    return QStringLiteral("%1, %2, %3")
        .arg(s.name.isEmpty() ? u"sans nom"_qs : s.name, s.hippodrome,
             s.date.toString(u"dd/MM/yyyy"_qs));
}

// The imported race onto the sheet; whether it went there.
bool placeOnSheet(const RaceSheet& in, bool whole, AppState& state, const ImportPlace& where,
                  Dialogs& dialogs, ImportSummary& out) {
    RaceDay& day = state.raceDay();
    const RaceSheet before = day.sheet;
    if (day.sheet.runners.empty() || sameRace(day.sheet, in)) {
        merge(day.sheet, in, whole);
    } else {
        const int answer = dialogs.question(
            QStringLiteral("La course importée (%1) n'est pas celle de la feuille (%2).\n\n"
                           "Commencer une nouvelle course avec les partants importés ? Celle de "
                           "la feuille sera gardée dans les courses précédentes.")
                .arg(raceTitle(in), raceTitle(day.sheet)),
            QStringLiteral("Importer"), {u"Nouvelle course"_qs, u"Annuler"_qs}, 0, 1);
        if (answer != 0 || !archiveRace(day.sheet, where.archiveFolder, dialogs)) {
            out.reasons << u"partants non placés sur la feuille : import annulé"_qs;
            return false;
        }
        day.sheet = RaceSheet{
            .rule = before.rule, .bandPercent = before.bandPercent, .months = before.months};
        merge(day.sheet, in, whole);
    }
    // Each runner computed for the race (a race card's results are the sheet's
    // to compute); one that cannot be stays as it came, to correct on the sheet.
    for (Runner& r : day.sheet.runners) {
        RecordingDialogs quiet;
        if (auto again = rerun(r, day.sheet, {state.scale(), state.corrections()}, {}, quiet))
            r = std::move(*again);
    }
    if (!saveRaceDay(day, dialogs)) {
        day.sheet = before;
        out.reasons << u"partants non placés : la feuille n'a pas pu être enregistrée"_qs;
        return false;
    }
    out.runners = static_cast<int>(in.runners.size());
    return true;
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

std::optional<Race> raceOfName(const std::vector<Race>& races, const QString& file) {
    static const QRegularExpression code(QStringLiteral("R(\\d{1,2})C(\\d{1,2})(?!\\d)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = code.match(QFileInfo(file).fileName());
    for (const Race& r : races)
        if (m.hasMatch() ? r.meeting == m.captured(1).toInt() && r.number == m.captured(2).toInt()
                         : races.size() == 1)
            return r;
    return std::nullopt;
}

QString ImportSummary::text() const {
    QString t = plural(runners, "partant", "partants") + u", "_qs +
                plural(pastRuns, "course passée", "courses passées") +
                QStringLiteral(" (%1)").arg(plural(known, "déjà connue", "déjà connues")) +
                u", "_qs + plural(refused, "refusée", "refusées");
    for (const QString& why : reasons)
        t += u"\n"_qs + why;
    return t;
}

ImportSummary importRead(std::vector<FileRead> reads, AppState& state, const ImportPlace& where,
                         Dialogs& dialogs) {
    ImportSummary out;
    std::vector<Race> races;
    for (const FileRead& f : reads) {
        if (!f.failure.isEmpty()) {
            out.reasons << QStringLiteral("%1 : %2").arg(f.file, f.failure);
            continue;
        }
        ++out.filesRead;
        out.refused += static_cast<int>(f.refused.size());
        for (const imports::Refusal& r : f.refused)
            out.reasons << r.text();
        races.insert(races.end(), f.races.begin(), f.races.end());
    }
    const auto today = chooseRace(races, reads, where.race, dialogs, out);
    std::vector<history::Run> runs;
    std::optional<RaceSheet> incoming;
    bool whole = false;
    for (FileRead& f : reads) {
        if (!f.failure.isEmpty())
            continue;
        std::move(f.runs.begin(), f.runs.end(), std::back_inserter(runs));
        if (f.card)
            std::tie(incoming, whole) = std::pair{f.card, true};
        if (f.kind != imports::Kind::Participants)
            continue;
        auto race = raceOfName(races, f.file);
        if (!race && today)
            race = today;
        if (race) {
            const auto results = resultsOf(f, *race);
            runs.insert(runs.end(), results.begin(), results.end());
        } else if (std::any_of(f.entrants.begin(), f.entrants.end(),
                               [](const Entrant& e) { return e.status.has_value(); })) {
            out.reasons << QStringLiteral("%1 : résultats non gardés, la course n'est pas connue "
                                          "(importez aussi le programme de la réunion)")
                               .arg(f.file);
        }
        // With a programme, only the chosen race's runners go onto the sheet.
        if (races.empty() || (race && today && race->code() == today->code()))
            std::tie(incoming, whole) = std::pair{sheetOf(race, f.entrants), false};
    }
    storeRuns(runs, state.history(), out);
    if (incoming && placeOnSheet(*incoming, whole, state, where, dialogs, out))
        state.sheetEdited();
    return out;
}

ImportSummary importFiles(const QStringList& paths, AppState& state, const ImportPlace& where,
                          Dialogs& dialogs) {
    std::vector<FileRead> reads;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (const qint64 size = QFileInfo(path).size(); size > imports::MaxFileBytes) {
            reads.push_back(imports::tooLarge(name, size)); // never read into memory
            continue;
        }
        const files::Content content = files::readWhole(path);
        if (!content.result.ok() || !content.exists) {
            FileRead failed;
            failed.file = name;
            failed.failure = content.exists ? content.result.message : u"fichier introuvable"_qs;
            reads.push_back(std::move(failed));
            continue;
        }
        reads.push_back(imports::readFile(name, content.bytes));
    }
    return importRead(std::move(reads), state, where, dialogs);
}
