#include "comparable.h"

#include "module1.h"
#include "musique.h"
#include "numbers.h"
#include "racetable.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<const char*, 3> ChoiceNames{"la dernière", "la meilleure des 3 dernières",
                                                 "la moyenne des 3 dernières"};

int family(const QString& discipline) {
    return isTrot(discipline) ? 0 : discipline == Jumps ? 1 : discipline == Flat ? 2 : -1;
}
int family(history::Discipline d) {
    return history::isTrot(d) ? 0 : family(history::sheetDiscipline(d));
}

double dayRun(const Runner& r, const RaceSheet& race) {
    return numbers::textToNumber(race.distance).value_or(0) + r.dayRecul;
}

// The run's time in hundredths: its own, or its reduction over its distance run.
std::optional<qint64> timeOf(const history::Run& run) {
    if (run.time)
        return run.time;
    if (run.reduction)
        return std::llround(double(*run.reduction) * run.distanceRun() / 1000);
    return std::nullopt;
}

QString servedText(const history::Run& run) {
    return run.date.toString(u"dd/MM/yyyy"_qs) +
           (run.hippodrome.isEmpty() ? QString() : u' ' + run.hippodrome);
}

// Each comparable run (newest first) computed as the runner's reference race.
struct Candidate {
    history::Run run;
    Runner computed;
};
std::vector<Candidate> candidates(const Runner& r, const std::vector<history::Run>& runs,
                                  const RaceSheet& race, const Rules& rules, size_t enough) {
    std::vector<Candidate> out;
    for (const history::Run& run : runs) {
        if (out.size() >= enough)
            break;
        if (!isComparable(run, r, race))
            continue;
        RecordingDialogs quiet; // a run that cannot be computed is left out
        if (auto computed = rerun(withReference(r, run), race, rules, {}, quiet))
            out.push_back({run, std::move(*computed)});
    }
    return out;
}

// The mean of the candidates' estimates and corrected reductions, on the newest.
Runner meanOf(const std::vector<Candidate>& chosen) {
    Runner out = chosen.front().computed;
    double estimate = 0, corrected = 0;
    QStringList served;
    for (const Candidate& c : chosen) {
        estimate += c.computed.estimateHundredths;
        corrected += c.computed.correctedReduction;
        served << servedText(c.run);
    }
    const auto n = static_cast<double>(chosen.size());
    out.estimateHundredths = std::round(estimate / n);
    out.estimate = Module1::HundredthsToText(out.estimateHundredths);
    out.correctedReduction = corrected / n;
    out.served = u"moyenne de %1 : %2"_qs.arg(chosen.size()).arg(served.join(u", "));
    return out;
}

} // namespace

QString choiceName(Choice c) {
    return QString::fromUtf8(ChoiceNames[static_cast<size_t>(c)]);
}

std::optional<Choice> choiceOf(const QString& text) {
    if (text.trimmed().isEmpty())
        return Choice::BestOf3;
    for (size_t i = 0; i < ChoiceNames.size(); ++i)
        if (text.trimmed() == QString::fromUtf8(ChoiceNames[i]))
            return static_cast<Choice>(i);
    return std::nullopt;
}

bool isComparable(const history::Run& run, const Runner& r, const RaceSheet& race) {
    const int f = family(race.discipline);
    if (f < 0 || family(run.discipline) != f || !timeOf(run) || !run.date.isValid())
        return false;
    const QDate day = race.date.isValid() ? race.date : QDate::currentDate();
    if (run.date >= day || run.date < day.addMonths(-race.months))
        return false;
    const double today = dayRun(r, race);
    return today > 0 && std::fabs(run.distanceRun() - today) <= today * race.bandPercent / 100.0;
}

Runner withReference(const Runner& r, const history::Run& run) {
    Runner out = r;
    calc::RaceTexts& t = out.race;
    t.referenceDistance = QString::number(run.distance);
    out.referenceRecul = run.recul;
    const qint64 time = timeOf(run).value_or(0);
    t.minutes = QString::number(time / 6000);
    t.seconds = numbers::twoDigits(static_cast<int>(time / 100 % 60));
    t.hundredths = numbers::twoDigits(static_cast<int>(time % 100));
    // The run's time is the horse's own: its lengths behind the winner are shown
    // for information, never added again.
    t.margin = run.lengths ? numbers::doubleToText(*run.lengths) : u"0"_qs;
    t.estimateWithLengths = t.reductionWithLengths = false;
    t.referenceWeight = run.weight ? numbers::doubleToText(*run.weight) : QString();
    out.referenceDiscipline = calc::disciplineOf(history::sheetDiscipline(run.discipline));
    out.referenceStart = run.start;
    out.referenceShoeing = run.shoeing;
    out.referenceDate = run.date;
    t.hippodrome = run.hippodrome;
    out.going = run.going;
    return out;
}

Runner feedRunner(const Runner& r, const std::vector<history::Run>& runs, const RaceSheet& race,
                  const Rules& rules, Counted counted) {
    // Only the newest three can be chosen by rule; the count and a run picked
    // on the card need them all.
    const bool fewer = counted == Counted::NoMore && !r.picked;
    const std::vector<Candidate> all = candidates(r, runs, race, rules, fewer ? 3 : runs.size());
    Runner out = r;
    out.comparable = static_cast<int>(all.size());
    if (r.picked == Runner::KeptAsTyped)
        return out;
    for (const Candidate& c : all)
        if (r.picked && c.run.id == r.picked) {
            out = c.computed;
            out.served = servedText(c.run) + u" (choisie)"_qs;
            out.comparable = static_cast<int>(all.size());
            return out;
        }
    if (all.empty()) {
        out.served = u"aucune course comparable"_qs;
        return out;
    }
    const Choice choice = choiceOf(race.rule).value_or(Choice::BestOf3);
    const size_t n = choice == Choice::Last ? 1 : std::min<size_t>(3, all.size());
    const std::vector<Candidate> last(all.begin(), all.begin() + static_cast<long>(n));
    if (choice == Choice::MeanOf3) {
        out = meanOf(last);
    } else {
        const auto best =
            std::min_element(last.begin(), last.end(), [](const auto& a, const auto& b) {
                return a.computed.estimateHundredths < b.computed.estimateHundredths;
            });
        out = best->computed;
        out.served = servedText(best->run);
    }
    out.comparable = static_cast<int>(all.size());
    out.picked = r.picked;
    return out;
}

std::optional<double> todayReduction(const history::Run& run, const Runner& runner,
                                     const RaceSheet& race, const Rules& rules) {
    if (!timeOf(run) || race.distance.trimmed().isEmpty())
        return std::nullopt;
    RecordingDialogs quiet;
    const auto computed = rerun(withReference(runner, run), race, rules, {}, quiet);
    if (!computed || computed->correctedReduction <= 0)
        return std::nullopt;
    return computed->correctedReduction;
}

namespace {

// Blinkers today, none in any run where the history knows what it wore (and
// it knows of one at least).
bool firstBlinkers(const Runner& runner, const std::vector<history::Run>& runs) {
    const auto with = [](calc::Blinkers b) {
        return b == calc::Blinkers::Classic || b == calc::Blinkers::Australian;
    };
    return with(runner.blinkers) &&
           std::any_of(
               runs.begin(), runs.end(),
               [](const history::Run& r) { return r.blinkers != calc::Blinkers::Unknown; }) &&
           std::none_of(runs.begin(), runs.end(),
                        [&](const history::Run& r) { return with(r.blinkers); });
}

} // namespace

QString alertsOf(const Runner& runner, const std::vector<history::Run>& runs,
                 const RaceSheet& race) {
    // Only runs whose shoeing is known say it is the first time.
    const auto known = [](const history::Run& r) { return r.shoeing != calc::Shoeing::Unknown; };
    const bool first =
        runner.dayShoeing == calc::Shoeing::D4 && std::any_of(runs.begin(), runs.end(), known) &&
        std::none_of(runs.begin(), runs.end(),
                     [](const history::Run& r) { return r.shoeing == calc::Shoeing::D4; });
    QStringList out =
        musique::warnings(musique::read(runner.musique).results, race.discipline, first);
    if (firstBlinkers(runner, runs))
        out << calc::blinkersName(runner.blinkers) + u" pour la première fois"_qs;
    return out.join(u" · "_qs);
}

bool feedSheet(RaceSheet& sheet, history::Store& store, const Rules& rules) {
    if (!store.isOpen())
        return false;
    bool changed = false;
    for (Runner& r : sheet.runners) {
        const history::Runs runs = store.runsOf(r.name);
        if (!runs.result.ok())
            continue;
        Runner fed = feedRunner(r, runs.runs, sheet, rules);
        if (fed.musique.isEmpty())
            fed.musique = history::musique(runs.runs);
        fed.alerts = alertsOf(fed, runs.runs, sheet);
        changed = changed || !(fed == r);
        r = std::move(fed);
    }
    return changed;
}
