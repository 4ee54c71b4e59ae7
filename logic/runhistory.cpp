#include "runhistory.h"

#include "cells.h"
#include "numbers.h"

#include <cmath>

namespace {

std::optional<double> numberOf(const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto value = numbers::textToNumber(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

} // namespace

bool typedIn(const Runner& r) {
    return r.served.isEmpty() || r.comparable == 0;
}

std::optional<history::Run> referenceRun(const Runner& r, const RaceSheet& race) {
    const auto distance = numberOf(r.race.referenceDistance);
    if (!distance || *distance < 1 || *distance > 100000)
        return std::nullopt;
    history::Run run;
    run.horse = r.name;
    run.date = r.referenceDate;
    run.hippodrome = r.race.hippodrome;
    // A reference without its own discipline is the day's race's kind, but
    // attelé or monté is the punter's to say: a trot sheet's is stored "trot".
    run.discipline = r.referenceDiscipline     ? history::disciplineOf(r.referenceDisciplineName())
                     : isTrot(race.discipline) ? history::Discipline::Trot
                                               : history::disciplineOf(race.discipline);
    run.distance = static_cast<int>(std::lround(*distance));
    run.recul = r.referenceRecul;
    run.start = r.referenceStart;
    run.shoeing = r.referenceShoeing;
    run.going = r.going;
    // The horse's own time: the winner's time typed, and its lengths behind the
    // winner at the lengths per second the runner was computed with; the lengths
    // are kept beside it for information.
    const auto lengths = numberOf(r.race.margin);
    auto own = calc::Race::of(r.race, {}).referenceHundredths;
    if (own && lengths && *lengths > 0 && r.lengthsPerSecond > 0)
        *own += *lengths / r.lengthsPerSecond * 100;
    if (own && *own > 0 && *own < 1e9) {
        run.time = std::llround(*own);
        run.reduction = std::llround(*own * 1000 / run.distanceRun());
    }
    run.weight = numberOf(r.race.referenceWeight);
    run.lengths = numberOf(r.race.margin);
    run.source = history::Source::Typed;
    return run;
}

QString recordReferences(history::Store& store, const RaceSheet& sheet) {
    if (!store.isOpen())
        return QString();
    std::vector<history::Run> runs;
    for (const Runner& r : sheet.runners)
        if (auto run = referenceRun(r, sheet); run && !r.name.trimmed().isEmpty() && typedIn(r))
            runs.push_back(std::move(*run));
    return store.add(runs).result.message;
}

QString correctRecorded(history::Store& store, const Runner& before, const Runner& after,
                        const RaceSheet& sheet) {
    const auto old = referenceRun(before, sheet);
    const auto corrected = referenceRun(after, sheet);
    if (!store.isOpen() || !old || !corrected || corrected == old)
        return QString();
    return store.correctTyped(*old, *corrected).message;
}
