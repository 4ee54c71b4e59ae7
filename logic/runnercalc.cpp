#include "runnercalc.h"

#include "fchronologic.h"
#include "module1.h"
#include "numbers.h"

#include <cmath>

namespace {

// The main window's boxes holding a runner's inputs, over these distances run.
FchronoLogic logicOf(const Runner& r, const QString& referenceRun, const QString& dayRun,
                     const scale::Scale& scale) {
    FchronoLogic logic;
    auto& f = logic.fields;
    f.Tdistance = referenceRun;
    f.Tpoids = r.race.referenceWeight;
    f.Tminute = r.race.minutes;
    f.Tseconde = r.race.seconds;
    f.tcentieme = r.race.hundredths;
    f.TNbrLongueur = r.race.margin;
    f.Tdistance2 = dayRun;
    f.tpoids2 = r.race.dayWeight;
    f.Opt_chronok = !r.race.reductionWithLengths;
    f.Opt_chronocj = !r.race.estimateWithLengths;
    f.scale = scale;
    logic.TNbrLongueur_LostFocus(); // the time with lengths, as leaving the margin's box
    return logic;
}

// Metres of recul as typed; none when the text is not a number of metres.
std::optional<double> reculOf(const QString& text) {
    if (text.trimmed().isEmpty())
        return 0.0;
    const auto metres = numbers::textToNumber(text);
    if (!metres || *metres < 0 || *metres > 1000)
        return std::nullopt;
    return *metres;
}

// The distance run as the box shows it: the distance as typed without recul (so
// that every figure stays the main window's), their sum otherwise.
QString runText(const QString& distance, double recul) {
    const auto metres = numbers::textToNumber(distance);
    if (recul == 0 || !metres)
        return distance;
    return numbers::doubleToText(*metres + recul);
}

// The runner of the calculation, with what the calculation does not know of it.
Runner keptInputs(Runner out, const Runner& in, const RaceSheet& race) {
    out.number = in.number;
    out.race.referenceDistance = in.race.referenceDistance;
    out.race.dayDistance = race.distance;
    for (auto field :
         {&calc::RaceTexts::discipline, &calc::RaceTexts::start, &calc::RaceTexts::shoeing,
          &calc::RaceTexts::recul, &calc::RaceTexts::date, &calc::RaceTexts::hippodrome})
        out.race.*field = in.race.*field;
    out.dayShoeing = in.dayShoeing;
    out.dayRecul = in.dayRecul;
    out.picked = in.picked;
    out.served = in.served;
    out.comparable = in.comparable;
    out.musique = in.musique;
    out.alerts = in.alerts;
    return out;
}

// The estimate with the corrections added before its one rounding; without any,
// the main window's own. None when the corrected time cannot be shown.
std::optional<calc::Estimate> correctedEstimate(const FchronoLogic& logic, double perKm) {
    if (perKm == 0)
        return logic.Estimate;
    calc::Race race = logic.race();
    race.correctionPerKm = perKm;
    const calc::Calculation c = calc::calculate(race);
    if (c.error != CalcError::None || !c.estimate)
        return std::nullopt;
    return c.estimate;
}

} // namespace

bool awaitsReference(const Runner& r) {
    return r.race.referenceDistance.trimmed().isEmpty() && r.race.minutes.trimmed().isEmpty() &&
           r.race.seconds.trimmed().isEmpty() && r.race.hundredths.trimmed().isEmpty();
}

calc::Conditions referenceConditions(const Runner& r, const RaceSheet& race) {
    calc::Conditions c;
    c.discipline =
        calc::disciplineOf(r.race.discipline.isEmpty() ? race.discipline : r.race.discipline);
    c.start = calc::startOf(r.race.start).value_or(calc::Start::Unknown);
    c.shoeing = calc::shoeingOf(r.race.shoeing).value_or(calc::Shoeing::Unknown);
    c.recul = reculOf(r.race.recul).value_or(0);
    c.going = calc::goingOf(r.going);
    return c;
}

calc::Conditions todayConditions(const Runner& r, const RaceSheet& race) {
    calc::Conditions c;
    c.discipline = calc::disciplineOf(race.discipline);
    c.start = calc::startOf(race.start).value_or(calc::Start::Unknown);
    c.shoeing = calc::shoeingOf(r.dayShoeing).value_or(calc::Shoeing::Unknown);
    c.recul = reculOf(r.dayRecul).value_or(0);
    c.going = calc::goingOf(race.going);
    return c;
}

void takeRaceConditions(Runner& r, const RaceSheet& race) {
    r.race.discipline = race.discipline;
    r.race.start = race.start;
    if (isTrot(race.discipline)) {
        r.race.shoeing = r.dayShoeing = calc::shoeingName(calc::Shoeing::Shod);
        r.race.recul.clear();
        r.dayRecul.clear();
    }
}

void followRace(Runner& r, const RaceSheet& before, const RaceSheet& after) {
    if (r.race.discipline.isEmpty() || r.race.discipline == before.discipline)
        r.race.discipline = after.discipline;
    if (r.race.start == before.start)
        r.race.start = after.start;
    if (isTrot(after.discipline)) {
        const QString shod = calc::shoeingName(calc::Shoeing::Shod);
        for (QString* shoeing : {&r.race.shoeing, &r.dayShoeing})
            if (shoeing->isEmpty())
                *shoeing = shod;
    }
}

std::optional<Runner> rerun(const Runner& runner, const RaceSheet& race, const Rules& rules,
                            const QStringList& question, Dialogs& dialogs) {
    const auto referenceRecul = reculOf(runner.race.recul), dayRecul = reculOf(runner.dayRecul);
    if (!referenceRecul || !dayRecul) {
        dialogs.warn(QStringLiteral("Le recul de « %1 » doit être un nombre de mètres, de 0 à "
                                    "1000.")
                         .arg(runner.name));
        return std::nullopt;
    }
    // A runner imported without a reference race waits for one, as it is, until
    // the history or the punter gives it one: never refused, never dropped.
    if (awaitsReference(runner)) {
        Runner out = runner;
        out.race.dayDistance = race.distance;
        return out;
    }
    const QString referenceRun = runText(runner.race.referenceDistance, *referenceRecul);
    const QString dayRun = runText(race.distance, *dayRecul);
    scale::Scale scale = rules.scale;
    if (const auto d = calc::disciplineOf(race.discipline); d && scale::isTrot(*d))
        scale.discipline = *d; // the trot's lengths per second, and no weight
    FchronoLogic logic = logicOf(runner, referenceRun, dayRun, scale);
    const auto& f = logic.fields;
    if ((!f.Opt_chronok || !f.Opt_chronocj) && f.TminuteL.isEmpty()) {
        dialogs.message(QStringLiteral("vous devez avoir rentré une longeur pour effectuer ce "
                                       "calcul"),
                        ApplicationTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok);
        return std::nullopt;
    }
    if (!question.isEmpty())
        if (const auto unusual = logic.UnusualInput(question))
            if (!dialogs.askYesNo(unusual->question))
                return std::nullopt;
    if (const CalcError error = logic.Calculate(); error != CalcError::None) {
        FchronoLogic::ReportError(error, dialogs);
        return std::nullopt;
    }
    if (!logic.Estimate) {
        FchronoLogic::ReportError(CalcError::Distance, dialogs);
        return std::nullopt;
    }
    const auto run = [](const QString& text) { return numbers::textToNumber(text).value_or(0); };
    const calc::Corrections corrections =
        calc::corrections(rules.corrections, referenceConditions(runner, race),
                          todayConditions(runner, race), run(referenceRun), run(dayRun));
    if (!corrections.refused.isEmpty()) {
        dialogs.warn(QStringLiteral("« %1 » : %2").arg(runner.name, corrections.refused));
        return std::nullopt;
    }
    const auto estimate = correctedEstimate(logic, corrections.total);
    if (!estimate) {
        FchronoLogic::ReportError(CalcError::Time, dialogs);
        return std::nullopt;
    }
    const bool withReduction = logic.ReductionMatchesInputs();
    Runner out = keptInputs(
        runnerOf(runner.name, runner.going, *estimate, withReduction ? &*logic.Reduction : nullptr),
        runner, race);
    out.corrections = corrections.text();
    out.correctedReduction =
        withReduction ? logic.Reduction->hundredths / 100 + corrections.total : 0;
    return out;
}
