#include "newrunner.h"

#include "sheetedit.h"

#include <algorithm>

namespace {

using F = RunnerField;

bool weighed(F f) {
    return f == F::ReferenceWeight || f == F::DayWeight;
}

bool trotOnly(F f) {
    return f == F::ReferenceStart || f == F::ReferenceShoeing || f == F::ReferenceRecul ||
           f == F::DayShoeing || f == F::DayRecul;
}

// The runner as typed, each text read where it comes in; none, the reason told.
std::optional<Runner> read(const TypedRunner& typed, const RaceDay& day, bool withLengths,
                           Dialogs& dialogs) {
    Runner r;
    r.race.estimateWithLengths = r.race.reductionWithLengths = withLengths;
    // On the flat the reference's going is the one last typed on this sheet; at
    // the trot today's shoeing is ferré, as the programme prints most runners.
    if (isTrot(day.sheet.discipline))
        r.dayShoeing = calc::Shoeing::Shod;
    else
        r.going = day.typedGoing;
    for (const auto& [field, text] : typed) {
        if (text.trimmed().isEmpty() && field != F::Name)
            continue;
        auto next = withField(r, field, text, dialogs);
        if (!next)
            return std::nullopt;
        r = std::move(*next);
    }
    return r;
}

} // namespace

const std::vector<RunnerField>& entryFields() {
    static const std::vector<F> fields{F::Number,
                                       F::Name,
                                       F::ReferenceDistance,
                                       F::Time,
                                       F::ReferenceWeight,
                                       F::Margin,
                                       F::ReferenceDate,
                                       F::ReferenceHippodrome,
                                       F::ReferenceDiscipline,
                                       F::ReferenceStart,
                                       F::ReferenceShoeing,
                                       F::ReferenceRecul,
                                       F::DayWeight,
                                       F::DayShoeing,
                                       F::DayRecul};
    return fields;
}

bool entryShown(RunnerField field, const QString& discipline) {
    return isTrot(discipline) ? !weighed(field) : !trotOnly(field);
}

bool addTypedRunner(RaceDay& day, const TypedRunner& typed, bool withLengths, const Rules& rules,
                    Dialogs& dialogs) {
    auto runner = read(typed, day, withLengths, dialogs);
    if (!runner)
        return false;
    RaceSheet& sheet = day.sheet;
    // The slips a cell asks about, asked here too, each once.
    RaceSheet with = sheet;
    with.runners.push_back(*runner);
    const size_t at = sheet.runners.size();
    for (F f : {F::Number, F::ReferenceRecul, F::DayRecul})
        if (!fieldText(*runner, f).isEmpty() && !slipAccepted(with, at, f, *runner, dialogs))
            return false;
    // A reference typed is the punter's: the history's choice never replaces it.
    if (!runnerfigures::awaitsReference(*runner))
        runner->picked = Runner::KeptAsTyped;
    using Q = runnerfigures::Field;
    const auto computed = rerun(
        *runner, sheet, rules,
        {Q::ReferenceDistance, Q::Time, Q::Reduction, Q::ReferenceWeight, Q::DayWeight}, dialogs);
    if (!computed)
        return false;
    if (sheet.runners.empty() && !sheet.date.isValid())
        sheet.date = QDate::currentDate();
    sheet.runners.push_back(*computed);
    (void)saveRaceDay(day, dialogs); // unwritten: said, and day.written() tells
    return true;
}
