#include "arrival.h"

#include "calculation.h"
#include "cells.h"
#include "corrections.h"
#include "module1.h"
#include "numbers.h"
#include "racetable.h"
#include "sheetedit.h"

#include <QRegularExpression>
#include <cmath>
#include <map>

namespace {

const std::pair<const char*, double> MarginWords[] = {
    {"nez", 0.05},      {"courte tete", 0.08},  {"crt. tete", 0.08},
    {"cte tete", 0.08}, {"tete", 0.1},          {"courte encolure", 0.15},
    {"crt. enc", 0.15}, {"cte encolure", 0.15}, {"encolure", 0.25},
    {"enc", 0.25}};

// "1 1/2", "3/4", "2", "1,5".
std::optional<double> figures(const QString& text) {
    static const QRegularExpression form(u"^(?:(\\d+) )?(?:(\\d+)/(\\d+))$"_qs);
    if (const auto m = form.match(text); m.hasMatch()) {
        const double whole = m.captured(1).isEmpty() ? 0 : m.captured(1).toDouble();
        const double below = m.captured(3).toDouble();
        return below > 0 ? std::optional<double>(whole + m.captured(2).toDouble() / below)
                         : std::nullopt;
    }
    const auto value = numbers::textToNumber(text);
    return value && std::isfinite(*value) && *value >= 0 && *value <= 100 ? value : std::nullopt;
}

} // namespace

std::optional<double> marginLengths(const QString& text) {
    QString t = cells::folded(text);
    t.remove(QRegularExpression(u"\\s*(l|longueurs?)$"_qs));
    for (const auto& [word, lengths] : MarginWords)
        if (t == QLatin1String(word))
            return lengths;
    return figures(t);
}

std::optional<Place> placeOf(const QString& text) {
    const QString t = cells::folded(text);
    using history::Status;
    if (t == u"d" || t == u"disq" || t == u"disqualifie")
        return Place{Status::Disqualified, 0};
    if (t == u"a" || t == u"arrete")
        return Place{Status::Stopped, 0};
    if (t == u"t" || t == u"tombe")
        return Place{Status::Fallen, 0};
    if (t == u"0" || t == u"np" || t == u"non place" || t.isEmpty())
        return Place{Status::Unplaced, 0};
    bool ok = false;
    const int place = t.toInt(&ok);
    return ok && place > 0 && place < 100 ? std::optional<Place>(Place{Status::Placed, place})
                                          : std::nullopt;
}

namespace {

// The runner's time at `lengths` behind the winner, in hundredths.
std::optional<qint64> timeBehind(const TimeTexts& winner, double lengths, int distance,
                                 const scale::Scale& scale) {
    calc::RaceTexts t;
    t.referenceDistance = QString::number(distance);
    t.minutes = winner.minutes;
    t.seconds = winner.seconds;
    t.hundredths = winner.hundredths;
    t.margin = numbers::doubleToText(lengths);
    const auto parts = calc::timeWithLengths(calc::Race::of(t, scale));
    if (!parts)
        return std::nullopt;
    // The hundredths may carry a fraction of a hundredth (lengths that are not a
    // whole number of hundredths): rounded.
    const auto m = numbers::textToNumber((*parts)[0]), s = numbers::textToNumber((*parts)[1]),
               c = numbers::textToNumber((*parts)[2]);
    if (!m || !s || !c)
        return std::nullopt;
    return std::llround(*m * 6000 + *s * 100 + *c);
}

// The lengths behind the winner of each placed runner, in the order of places,
// as long as the margins follow one another; why a margin cannot be read.
QString lengthsBehind(const std::map<int, size_t>& placed, const std::vector<ArrivalEntry>& entries,
                      const RaceSheet& sheet, std::map<size_t, double>& behind) {
    double total = 0;
    int expected = 1;
    for (const auto& [place, index] : placed) {
        if (place != expected)
            break; // a place missing: the margins after it say nothing of the winner
        ++expected;
        if (place > 1) {
            const QString& typed = entries[index].margin;
            const auto gap = marginLengths(typed);
            if (!gap && !typed.trimmed().isEmpty())
                return u"« %1 » : l'écart « %2 » ne se lit pas (en longueurs : 2, "
                       "1,5, 1 1/2, ou nez, tête, encolure…)."_qs.arg(sheet.runners[index].name,
                                                                      typed);
            if (!gap)
                break;
            total += *gap;
        }
        behind[index] = total;
    }
    return QString();
}

// The runner's run in today's race, its result apart.
history::Run todayRun(const RaceSheet& sheet, const Runner& r, int distance) {
    history::Run run;
    run.horse = r.name;
    run.date = sheet.date;
    run.hippodrome = sheet.hippodrome;
    run.race = sheet.name;
    run.discipline = history::disciplineOf(sheet.discipline);
    run.distance = distance;
    run.recul = r.dayRecul;
    run.start = calc::startOf(sheet.start).value_or(calc::Start::Unknown);
    run.shoeing = r.dayShoeing;
    run.going = sheet.going;
    run.weight = numbers::textToNumber(r.race.dayWeight);
    run.runners = static_cast<qint64>(sheet.runners.size());
    run.source = history::Source::Arrival;
    run.number = r.number.toInt(); // 0 when not typed
    std::tie(run.oddsReference, run.oddsDirect) = std::tie(r.oddsReference, r.oddsDirect);
    std::tie(run.trainer, run.rider) = std::tie(r.trainer, r.rider);
    run.blinkers = r.blinkers;
    return run;
}

} // namespace

Arrival arrivalRuns(const RaceSheet& sheet, const QString& winnerTime,
                    const std::vector<ArrivalEntry>& entries, const scale::Scale& chosen) {
    const auto metres = numbers::textToNumber(sheet.distance);
    if (!metres || *metres < 1 || *metres > 100000 || entries.size() != sheet.runners.size())
        return {{}, u"La course du jour n'a pas de distance."_qs};
    const int distance = static_cast<int>(std::lround(*metres));
    const auto winner = splitTime(winnerTime);
    const auto winnerHundredths =
        winner ? cells::hundredthsOfTime(QStringList{winner->minutes,
                                                     winner->seconds.rightJustified(2, u'0'),
                                                     winner->hundredths.rightJustified(2, u'0')}
                                             .join(u':'))
               : std::nullopt;
    if (!winnerHundredths || *winnerHundredths <= 0)
        return {{}, u"Tapez le temps du gagnant, par exemple 3'15\"40."_qs};
    std::vector<Place> places;
    std::map<int, size_t> placed;
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto p = placeOf(entries[i].place);
        if (!p)
            return {{},
                    u"« %1 » : la place « %2 » ne se lit pas (1, 2…, D, A, T "
                    "ou 0)."_qs.arg(sheet.runners[i].name, entries[i].place)};
        if (p->place > 0 && !placed.emplace(p->place, i).second)
            return {{}, u"Deux chevaux sont à la place %1."_qs.arg(p->place)};
        places.push_back(*p);
    }
    std::map<size_t, double> behind;
    if (const QString why = lengthsBehind(placed, entries, sheet, behind); !why.isEmpty())
        return {{}, why};
    const scale::Scale scale = runnerfigures::sheetScale(chosen, sheet.discipline);
    Arrival out;
    for (size_t i = 0; i < entries.size(); ++i) {
        history::Run run = todayRun(sheet, sheet.runners[i], distance);
        run.status = places[i].status;
        run.place = places[i].place;
        if (const auto it = behind.find(i); it != behind.end()) {
            run.lengths = it->second;
            run.time = timeBehind(*winner, it->second, distance, scale);
            if (run.time)
                run.reduction = std::llround(double(*run.time) * 1000 / run.distanceRun());
        }
        out.runs.push_back(std::move(run));
    }
    return out;
}

namespace {

QString placeText(const history::Run& r) {
    if (r.status != history::Status::Placed)
        return history::statusName(r.status);
    return r.place == 1 ? u"1er"_qs : r.place > 1 ? u"%1e"_qs.arg(r.place) : u"sans place"_qs;
}

QString lengthsText(const history::Run& r) {
    return r.lengths ? numbers::doubleToText(*r.lengths) + u" L"_qs : u"aucun"_qs;
}

QString timeText(const history::Run& r) {
    return r.time ? racetable::punter(Module1::HundredthsToText(double(*r.time))) : u"aucun"_qs;
}

// What an arrival typed again changes in a horse's run: "2e (était 3e), écart
// 1,5 L (était 1 L)"; empty when nothing.
QString changesOf(const history::Run& was, const history::Run& now) {
    QStringList out;
    const auto say = [&](const QString& what, const QString& before, const QString& after) {
        if (before != after)
            out << u"%1%2 (était %3)"_qs.arg(what, after, before);
    };
    say(QString(), placeText(was), placeText(now));
    say(u"écart "_qs, lengthsText(was), lengthsText(now));
    say(u"temps "_qs, timeText(was), timeText(now));
    return out.join(u", "_qs);
}

// The arrival's run of `run`'s horse recorded before for the same race.
std::optional<history::Run> recordedBefore(history::Store& store, const history::Run& run) {
    for (const history::Run& r : store.runsOf(run.horse).runs)
        if (r.source == history::Source::Arrival && r.date == run.date &&
            history::horseKey(r.hippodrome) == history::horseKey(run.hippodrome) &&
            r.distance == run.distance)
            return r;
    return std::nullopt;
}

// What the punter is told once the arrival is stored.
QString recordedText(const history::Added& added, const QStringList& changes, int again) {
    if (again == 0)
        return u"Arrivée enregistrée dans l'historique : %1, %2."_qs.arg(
            cells::counted(added.added, "course ajoutée", "courses ajoutées"),
            cells::counted(added.known, "déjà connue", "déjà connues"));
    if (changes.isEmpty())
        return u"Cette arrivée était déjà enregistrée telle quelle : rien n'a changé."_qs;
    return u"Arrivée corrigée dans l'historique (%1) :\n%2"_qs.arg(
        cells::counted(int(changes.size()), "cheval", "chevaux"), changes.join(u'\n'));
}

} // namespace

bool recordArrival(history::Store& store, const RaceSheet& sheet, const QString& winnerTime,
                   const std::vector<ArrivalEntry>& entries, const scale::Scale& scale,
                   Dialogs& dialogs) {
    const Arrival arrival = arrivalRuns(sheet, winnerTime, entries, scale);
    if (!arrival.refused.isEmpty()) {
        dialogs.warn(arrival.refused);
        return false;
    }
    if (!store.isOpen()) {
        dialogs.warn(u"L'historique des chevaux n'a pas pu être ouvert au "
                     "démarrage : l'arrivée n'est pas enregistrée."_qs);
        return false;
    }
    // An arrival typed again replaces its runs: what changed is said.
    QStringList changes;
    int again = 0;
    for (const history::Run& run : arrival.runs)
        if (const auto was = recordedBefore(store, run)) {
            ++again;
            if (const QString changed = changesOf(*was, run); !changed.isEmpty())
                changes << u"« %1 » : %2"_qs.arg(run.horse, changed);
        }
    const history::Added added = store.add(arrival.runs);
    if (!added.result.ok()) {
        dialogs.warn(added.result.message);
        return false;
    }
    dialogs.inform(recordedText(added, changes, again));
    return true;
}
