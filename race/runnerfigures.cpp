#include "runnerfigures.h"

#include "numbers.h"
#include "unusual.h"

#include <map>

namespace runnerfigures {

namespace {

using calc::CalcError;

Outcome refused(Field field, const QString& reason, CalcError error = CalcError::None) {
    return Outcome{std::nullopt, Refusal{field, reason, error}, {}};
}

// The distance run as the calculation reads it: the distance as typed without
// recul (so that every figure stays the main window's), their sum otherwise.
QString runText(const QString& distance, double recul) {
    const auto metres = numbers::textToNumber(distance);
    if (recul == 0 || !metres)
        return distance;
    return numbers::doubleToText(*metres + recul);
}

// The runner's race as the main window would hold it once its margin box was
// left: the time with lengths derived, a decimal point in the margin a comma.
calc::Race typedRace(const Runner& r, const QString& referenceRun, const QString& dayRun,
                     const scale::Scale& scale) {
    calc::RaceTexts t = r.race;
    t.referenceDistance = referenceRun;
    t.dayDistance = dayRun;
    t.margin.replace(u'.', u',');
    return calc::Race::typedIn(std::move(t), scale);
}

// The calculation fills what is left empty: the day's weight from the
// reference's, an empty time box as 0.
calc::RaceTexts filled(calc::RaceTexts t) {
    if (t.dayWeight.isEmpty())
        t.dayWeight = t.referenceWeight;
    for (QString* time : {&t.minutes, &t.seconds, &t.hundredths})
        if (time->isEmpty())
            *time = u"0"_qs;
    return t;
}

Field fieldOf(calc::Input input) {
    static const std::map<calc::Input, Field> fields{
        {calc::Input::ReferenceDistance, Field::ReferenceDistance},
        {calc::Input::ReferenceWeight, Field::ReferenceWeight},
        {calc::Input::Minutes, Field::Time},
        {calc::Input::Seconds, Field::Time},
        {calc::Input::Hundredths, Field::Time},
        {calc::Input::Reduction, Field::Reduction},
        {calc::Input::DayDistance, Field::DayDistance},
        {calc::Input::DayWeight, Field::DayWeight}};
    return fields.at(input);
}

// The field a stopped calculation is about.
Field fieldOf(CalcError error) {
    return error == CalcError::Distance ? Field::ReferenceDistance
           : error == CalcError::Weight ? Field::ReferenceWeight
                                        : Field::Time;
}

// The corrections as the sheet shows them, with the shoeing supposed.
QString correctionsText(const Runner& r, const RaceSheet& race, const calc::Corrections& c) {
    const bool supposed = isTrot(race.discipline) && r.referenceShoeing == calc::Shoeing::Unknown &&
                          r.dayShoeing != calc::Shoeing::Unknown &&
                          r.dayShoeing != calc::Shoeing::Shod;
    return supposed ? c.text() + u" (ferrure réf. inconnue, supposée ferrée)"_qs : c.text();
}

// The runner of a calculation, with what the calculation does not know of it.
Runner computedRunner(const Runner& in, const RaceSheet& race, const calc::Estimate& estimate,
                      const calc::Result& reduction, const calc::Corrections& corrections) {
    Runner out = runnerOf(in.name, in.going, estimate, &reduction);
    out.number = in.number;
    out.race.referenceDistance = in.race.referenceDistance;
    out.race.dayDistance = race.distance;
    out.race.hippodrome = in.race.hippodrome;
    out.referenceDiscipline = in.referenceDiscipline;
    out.referenceStart = in.referenceStart;
    out.referenceShoeing = in.referenceShoeing;
    out.referenceRecul = in.referenceRecul;
    out.referenceDate = in.referenceDate;
    out.dayShoeing = in.dayShoeing;
    out.dayRecul = in.dayRecul;
    out.picked = in.picked;
    out.served = in.served;
    out.comparable = in.comparable;
    out.musique = in.musique;
    out.alerts = in.alerts;
    std::tie(out.oddsReference, out.oddsDirect) = std::tie(in.oddsReference, in.oddsDirect);
    std::tie(out.trainer, out.rider) = std::tie(in.trainer, in.rider);
    out.blinkers = in.blinkers;
    out.corrections = correctionsText(in, race, corrections);
    out.correctedReduction = reduction.exactSeconds + corrections.total;
    return out;
}

double metresOf(const QString& text) {
    return numbers::textToNumber(text).value_or(0);
}

// The conditions of the runner's reference race, and of its run today in `race`,
// the reculs read once by the caller.
calc::Conditions referenceConditions(const Runner& r, const RaceSheet& race, double recul) {
    calc::Conditions c;
    c.discipline =
        r.referenceDiscipline ? r.referenceDiscipline : calc::disciplineOf(race.discipline);
    c.start = r.referenceStart;
    c.shoeing = r.referenceShoeing;
    // At the trot, a reference's shoeing nobody gave counts ferré, most horses'
    // (said beside the corrections), so that today's déferrage counts.
    if (isTrot(race.discipline) && c.shoeing == calc::Shoeing::Unknown)
        c.shoeing = calc::Shoeing::Shod;
    c.recul = recul;
    c.going = calc::goingOf(r.going);
    return c;
}

calc::Conditions todayConditions(const Runner& r, const RaceSheet& race, double recul) {
    calc::Conditions c;
    c.discipline = calc::disciplineOf(race.discipline);
    c.start = calc::startOf(race.start).value_or(calc::Start::Unknown);
    c.shoeing = r.dayShoeing;
    c.recul = recul;
    c.going = calc::goingOf(race.going);
    return c;
}

// A runner's distances run, as the calculation reads them, and its reculs.
struct Runs {
    QString reference, today;
    double referenceRecul, todayRecul;
};

// The calculation of a race whose empty boxes were filled, then the corrections
// from the reference's conditions to today's, added before the estimate's one
// rounding.
Outcome computed(const Runner& runner, const RaceSheet& race, const Rules& rules,
                 const calc::Race& typed, const Runs& runs) {
    const calc::Calculation c = calc::calculate(typed);
    if (c.error != CalcError::None)
        return refused(fieldOf(c.error), calc::errorText(c.error), c.error);
    if (!c.estimate || !c.reduction)
        return refused(Field::DayDistance, calc::errorText(CalcError::Distance),
                       CalcError::Distance);
    const calc::Corrections corrections =
        calc::corrections(rules.corrections, referenceConditions(runner, race, runs.referenceRecul),
                          todayConditions(runner, race, runs.todayRecul), metresOf(runs.reference),
                          metresOf(runs.today));
    if (!corrections.refused.isEmpty())
        return refused(Field::Conditions, u"« %1 » : %2"_qs.arg(runner.name, corrections.refused));
    calc::Estimate estimate = *c.estimate;
    if (corrections.total != 0) {
        calc::Race corrected = c.race;
        corrected.correctionPerKm = corrections.total;
        const calc::Calculation again = calc::calculate(corrected);
        if (again.error != CalcError::None || !again.estimate)
            return refused(Field::Time, calc::errorText(CalcError::Time), CalcError::Time);
        estimate = *again.estimate;
    }
    return Outcome{
        computedRunner(runner, race, estimate, *c.reduction, corrections), std::nullopt, {}};
}

} // namespace

scale::Scale sheetScale(const scale::Scale& chosen, const QString& discipline) {
    scale::Scale s = chosen;
    const auto d = calc::disciplineOf(discipline);
    if (!d || !scale::isTrot(*d))
        return s;
    s.discipline = *d; // no weight
    // The table's trot figure, the going aside: it matters little at the trot.
    s.lengths = scale::LengthsRule::DisciplineGoing;
    s.going = scale::Going::GoodOrFaster;
    return s;
}

bool awaitsReference(const Runner& r) {
    return r.race.referenceDistance.trimmed().isEmpty() && r.race.minutes.trimmed().isEmpty() &&
           r.race.seconds.trimmed().isEmpty() && r.race.hundredths.trimmed().isEmpty();
}

Outcome compute(const Runner& runner, const RaceSheet& race, const Rules& rules) {
    const auto valid = [](int metres) { return metres >= 0 && metres <= MaxRecul; };
    if (!valid(runner.referenceRecul) || !valid(runner.dayRecul))
        return refused(valid(runner.referenceRecul) ? Field::DayRecul : Field::ReferenceRecul,
                       u"Le recul de « %1 » doit être un nombre de mètres, de 0 à "
                       "1000."_qs.arg(runner.name));
    // A runner imported without a reference race waits for one, as it is, until
    // the history or the punter gives it one: never refused, never dropped.
    if (awaitsReference(runner)) {
        Outcome waiting{runner, std::nullopt, {}};
        waiting.runner->race.dayDistance = race.distance;
        return waiting;
    }
    const QString referenceRun = runText(runner.race.referenceDistance, runner.referenceRecul);
    const QString dayRun = runText(race.distance, runner.dayRecul);
    const scale::Scale scale = sheetScale(rules.scale, race.discipline);
    const calc::Race typed = typedRace(runner, referenceRun, dayRun, scale);
    const calc::RaceTexts& t = typed.typed;
    if ((t.reductionWithLengths || t.estimateWithLengths) && t.minutesL.isEmpty())
        return refused(Field::Margin, u"vous devez avoir rentré une longeur pour effectuer ce "
                                      "calcul"_qs);
    std::vector<Finding> findings;
    const bool trot = isTrot(race.discipline);
    for (const calc::Unusual& u : calc::unusualInputs(typed, rules.corrections, trot))
        findings.push_back({fieldOf(u.input), u.question});
    Outcome out =
        computed(runner, race, rules, calc::Race::of(filled(t), scale),
                 {referenceRun, dayRun, double(runner.referenceRecul), double(runner.dayRecul)});
    out.findings = std::move(findings);
    return out;
}

} // namespace runnerfigures
