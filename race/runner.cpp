#include "runner.h"

#include "numbers.h"

Runner runnerOf(const QString& name, const QString& going, const calc::Estimate& estimate,
                const calc::Result* reduction) {
    Runner r{QString(),           name,           going,
             estimate.race.typed, estimate.text,  estimate.hundredths,
             QString(),           estimate.scale, estimate.lengthsPerSecond};
    // The time with lengths follows from the rest: the sheet does not keep it.
    r.race.minutesL.clear();
    r.race.secondsL.clear();
    r.race.hundredthsL.clear();
    r.race.reductionWithLengths = reduction && reduction->race.typed.reductionWithLengths;
    if (reduction)
        r.reduction = reduction->text;
    return r;
}

double Runner::dayRun() const {
    return numbers::textToNumber(race.dayDistance).value_or(0) +
           numbers::textToNumber(dayRecul).value_or(0);
}
