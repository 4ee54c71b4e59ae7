#include "runner.h"

#include "numbers.h"

Runner runnerOf(const QString& name, const QString& going, const calc::Estimate& estimate,
                const calc::Result* reduction) {
    Runner r;
    r.name = name;
    r.going = going;
    r.race = estimate.race.typed;
    r.estimate = estimate.text;
    r.estimateHundredths = estimate.hundredths;
    r.scale = estimate.scale;
    r.lengthsPerSecond = estimate.lengthsPerSecond;
    // The time with lengths follows from the rest: the sheet does not keep it.
    r.race.minutesL.clear();
    r.race.secondsL.clear();
    r.race.hundredthsL.clear();
    r.race.reductionWithLengths = reduction && reduction->race.typed.reductionWithLengths;
    if (reduction) {
        r.reduction = reduction->text;
        r.reductionSeconds = reduction->exactSeconds;
    }
    return r;
}

double Runner::dayRun() const {
    return numbers::textToNumber(race.dayDistance).value_or(0) + dayRecul;
}

QString Runner::referenceDisciplineName() const {
    return referenceDiscipline ? scale::disciplineName(*referenceDiscipline) : QString();
}

std::optional<int> reculOfText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int metres = t.toInt(&ok);
    return ok && metres >= 0 && metres <= MaxRecul ? std::optional<int>(metres) : std::nullopt;
}
