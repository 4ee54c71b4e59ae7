#include "fchronologic.h"

#include "module1.h"
#include "numbers.h"

#include <cmath>

namespace {

const QString Chrono = QStringLiteral("chrono");
const QString ChronoL = QStringLiteral("chronoL");

// Results from this many seconds on would need more digits than single precision
// holds (and an exponent to show them); they are refused as a time error.
constexpr float LargestResultSeconds = 1e7f;

bool isPositiveNumber(const QString& text) {
    const auto value = numbers::textToNumber(text);
    return value && *value > 0;
}

// An empty box of the reference time counts as 0 where the time is read early.
QString zeroIfEmpty(const QString& text) {
    return text.isEmpty() ? QStringLiteral("0") : text;
}

void showError(Dialogs& dialogs, const QString& text, const QString& title) {
    dialogs.message(text, title, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void distanceError(Dialogs& d) {
    showError(d, QStringLiteral("veuillez rentrer une distance"), QStringLiteral("Erreur"));
}
void timeError(Dialogs& d) {
    showError(d, QStringLiteral("Erreur dans vos valeur de temps"), QStringLiteral("erreur"));
}
void weightError(Dialogs& d) {
    showError(d, QStringLiteral("Erreur dans vos valeur de poids"), QStringLiteral("erreur"));
}

} // namespace

const std::array<FchronoFields::TextField, 13> FchronoFields::textFields = {{
    {"Tdistance", &FchronoFields::Tdistance},
    {"Tpoids", &FchronoFields::Tpoids},
    {"Tminute", &FchronoFields::Tminute},
    {"Tseconde", &FchronoFields::Tseconde},
    {"tcentieme", &FchronoFields::tcentieme},
    {"Tdistance2", &FchronoFields::Tdistance2},
    {"tpoids2", &FchronoFields::tpoids2},
    {"TNbrLongueur", &FchronoFields::TNbrLongueur},
    {"TminuteL", &FchronoFields::TminuteL},
    {"TsecondeL", &FchronoFields::TsecondeL},
    {"TcentiemeL", &FchronoFields::TcentiemeL},
    {"LresultDistance", &FchronoFields::LresultDistance},
    {"Lreduction", &FchronoFields::Lreduction},
}};

ReductionInputs ReductionInputs::of(const FchronoFields& f) {
    ReductionInputs inputs{f.Tdistance, f.Tpoids, f.Tminute, f.Tseconde,   f.tcentieme,
                           {},          {},       {},        f.Opt_chronok};
    // The time with lengths counts only for a reduction taken from it: leaving the
    // margin box rewrites it, which must not make a plain-time reduction stale.
    if (!f.Opt_chronok) {
        inputs.TminuteL = f.TminuteL;
        inputs.TsecondeL = f.TsecondeL;
        inputs.TcentiemeL = f.TcentiemeL;
    }
    return inputs;
}

EstimateInputs EstimateInputs::of(const FchronoFields& f) {
    EstimateInputs inputs;
    inputs.Tdistance = f.Tdistance;
    inputs.Tpoids = f.Tpoids;
    inputs.Tminute = f.Tminute;
    inputs.Tseconde = f.Tseconde;
    inputs.tcentieme = f.tcentieme;
    inputs.Tdistance2 = f.Tdistance2;
    inputs.tpoids2 = f.tpoids2;
    inputs.Opt_chronocj = f.Opt_chronocj;
    inputs.scale = f.scale;
    if (!f.Opt_chronocj) {
        inputs.TNbrLongueur = f.TNbrLongueur;
        inputs.TminuteL = f.TminuteL;
        inputs.TsecondeL = f.TsecondeL;
        inputs.TcentiemeL = f.TcentiemeL;
    }
    return inputs;
}

QString* FchronoFields::text(QStringView controlName) {
    for (const auto& field : textFields)
        if (controlName == QLatin1String(field.name))
            return &(this->*field.member);
    return nullptr;
}

void FchronoLogic::Form_Load() {
    fields.TminuteL = QString();
    fields.TsecondeL = QString();
    fields.TcentiemeL = QStringLiteral(" ");
}

void FchronoLogic::SetScale(const scale::Scale& chosen) {
    fields.scale = chosen;
    TNbrLongueur_LostFocus();
    if (!EstimateMatchesInputs()) {
        fields.LresultDistance.clear();
        Estimate.reset();
    }
    if (!ReductionMatchesInputs()) {
        fields.Lreduction.clear();
        ReductionInputsShown.reset(); // nothing shown: inputs matching again add nothing
    }
}

QString FchronoLogic::ScaleLine() const {
    return scale::describe(fields.scale, Facts());
}

scale::RaceFacts FchronoLogic::Facts() const {
    const auto& f = fields;
    const auto positive = [](const QString& text) -> std::optional<double> {
        const auto value = numbers::textToNumber(text);
        return value && *value > 0 ? value : std::nullopt;
    };
    scale::RaceFacts facts{positive(f.Tdistance), std::nullopt, positive(f.Tdistance2)};
    const auto minutes = numbers::textToNumber(zeroIfEmpty(f.Tminute));
    const auto seconds = numbers::textToNumber(zeroIfEmpty(f.Tseconde));
    const auto hundredths = numbers::textToNumber(zeroIfEmpty(f.tcentieme));
    if (minutes && seconds && hundredths)
        facts.referenceSeconds = *minutes * 60 + *seconds + *hundredths / 100;
    return facts;
}

void FchronoLogic::ResetCalcState() {
    DecimalDigits = 0;
    WeightTime = 0;
    WeightHundredths = 0;
}

void FchronoLogic::FillEmptyFields() {
    auto& f = fields;
    if (f.tpoids2.isEmpty()) {
        f.tpoids2 = f.Tpoids;
        DayWeightCopied = f.Tpoids;
    }
    for (QString* time : {&f.Tminute, &f.Tseconde, &f.tcentieme})
        if (time->isEmpty())
            *time = QStringLiteral("0");
}

std::optional<float> FchronoLogic::WeightDifference() {
    auto& f = fields;
    f.Tpoids.replace(u'.', u',');
    const auto reference = numbers::textToNumber(f.Tpoids);
    const auto today = numbers::textToNumber(f.tpoids2);
    if ((!f.Tpoids.isEmpty() && !reference) || (!f.tpoids2.isEmpty() && !today))
        return std::nullopt;
    // No weight given, or a reference weight that rounds to 0 kg: no adjustment.
    if (!reference || !today || std::nearbyint(*reference) == 0)
        return 0.0f;
    const auto difference = static_cast<float>(std::fabs(*reference - *today));
    if (!std::isfinite(difference))
        return std::nullopt;
    return difference;
}

float FchronoLogic::WeightTimeToHundredths(float seconds) const {
    const float whole = std::floor(seconds);
    // The fraction is cut, not rounded, to hundredths: 0,6666667 s gives 66.
    const int hundredths = numbers::hundredthsOfText(numbers::singleToText(seconds));
    const auto total = Module1::TimeToHundredths(QStringLiteral("00"), 0, whole, hundredths);
    return static_cast<float>(*total);
}

std::optional<float> FchronoLogic::referenceTime(const QString& source) const {
    const auto& f = fields;
    const bool withLengths = source == ChronoL;
    const auto minutes = numbers::textToNumber(withLengths ? f.TminuteL : f.Tminute);
    const auto seconds = numbers::textToNumber(withLengths ? f.TsecondeL : f.Tseconde);
    const auto hundredths = numbers::textToNumber(withLengths ? f.TcentiemeL : f.tcentieme);
    if (!minutes || !seconds || !hundredths)
        return std::nullopt;
    const auto time = static_cast<float>(*minutes * 60 + *seconds + *hundredths / 100);
    if (!std::isfinite(time) || time <= 0)
        return std::nullopt;
    return time;
}

// Minutes, two-digit seconds and the first two decimals of the rounded seconds.
std::optional<QString> FchronoLogic::resultText(double seconds) {
    auto value = static_cast<float>(seconds);
    if (!std::isfinite(value) || value < 0 || value >= LargestResultSeconds)
        return std::nullopt;
    value = static_cast<float>(numbers::roundHalfEven(value, 2));
    DecimalDigits = static_cast<qint16>(numbers::hundredthsOfText(numbers::singleToText(value)));
    const float minutes = std::floor(value) / 60.0f;
    return Module1::MinutesToText(minutes) + u':' + numbers::twoDigits(DecimalDigits);
}

QString FchronoLogic::Btcalcul_Click(Dialogs& dialogs) {
    // The time with lengths always follows the reference time shown.
    TNbrLongueur_LostFocus();
    // A slip of the keyboard (21001200 m, 5,75 kg) is questioned before it is used.
    if (const auto unusual = UnusualInput()) {
        const QStringList answers{QStringLiteral("Oui"), QStringLiteral("Non")};
        if (dialogs.question(unusual->question, ApplicationTitle, answers, 1, 1) != 0)
            return unusual->control;
    }
    switch (Calculate()) {
    case CalcError::None:
        break;
    case CalcError::Distance:
        distanceError(dialogs);
        break;
    case CalcError::Weight:
        weightError(dialogs);
        break;
    case CalcError::Time:
        timeError(dialogs);
        break;
    }
    return QString();
}

std::optional<FchronoLogic::Unusual> FchronoLogic::UnusualInput() const {
    const auto& f = fields;
    const QString distance = QStringLiteral(
        "%1 (%2 m) est inhabituelle : les courses vont de 800 à 8000 m. Calculer quand même ?");
    const QString weight = QStringLiteral(
        "%1 (%2 kg) est inhabituel : les poids vont de 40 à 80 kg. Calculer quand même ?");
    struct Check {
        const char* control;
        const QString& text;
        double low, high;
        const QString& question;
        const char* what;
    };
    // In tab order: one question at most, about the first.
    const Check checks[] = {
        {"Tdistance", f.Tdistance, 800, 8000, distance, "La distance de la course de référence"},
        {"Tpoids", f.Tpoids, 40, 80, weight, "Le poids de la course de référence"},
        {"Tdistance2", f.Tdistance2, 800, 8000, distance, "La distance de la course du jour"},
        {"tpoids2", f.tpoids2, 40, 80, weight, "Le poids de la course du jour"},
    };
    for (const Check& c : checks) {
        // An empty box, or a text that is not a number, is the calculation's to report.
        const auto value = numbers::textToNumber(c.text);
        if (value && !(*value >= c.low && *value <= c.high))
            return Unusual{QLatin1String(c.control),
                           c.question.arg(QString::fromUtf8(c.what), c.text)};
    }
    return std::nullopt;
}

CalcError FchronoLogic::Calculate() {
    ResetCalcState();
    FillEmptyFields();
    const auto distance = ReferenceDistance();
    if (!distance)
        return CalcError::Distance;
    DayRaceTimeSource = fields.Opt_chronocj ? Chrono : ChronoL;
    ReductionTimeSource = fields.Opt_chronok ? Chrono : ChronoL;
    if (const CalcError error = ComputeWeightHundredths(); error != CalcError::None)
        return error;
    if (const CalcError error = WriteEstimate(*distance); error != CalcError::None)
        return error;
    return WriteReduction(*distance) ? CalcError::None : CalcError::Time;
}

std::optional<double> FchronoLogic::ReferenceDistance() const {
    const auto distance = numbers::textToNumber(fields.Tdistance);
    if (!distance || *distance <= 0 ||
        (!fields.Tdistance2.isEmpty() && !isPositiveNumber(fields.Tdistance2)))
        return std::nullopt;
    return distance;
}

CalcError FchronoLogic::ComputeWeightHundredths() {
    const auto difference = WeightDifference();
    if (!difference)
        return CalcError::Weight;
    WeightTime = *difference;
    if (WeightTime == 0)
        return CalcError::None;
    const auto kilogramsPerSecond = scale::kilogramsPerSecond(fields.scale, Facts());
    // In trotting weight does not count; without a day's race there is no estimate
    // to correct.
    if (!kilogramsPerSecond &&
        (fields.scale.weight == scale::WeightRule::None || fields.Tdistance2.isEmpty())) {
        WeightTime = 0;
        return CalcError::None;
    }
    if (!kilogramsPerSecond)
        return CalcError::Time; // the race's speed needs the reference time
    // The kilograms one second is worth: 1.5 on the original scale.
    WeightTime = static_cast<float>(WeightTime / *kilogramsPerSecond);
    WeightHundredths = WeightTimeToHundredths(WeightTime);
    return std::isfinite(WeightHundredths) ? CalcError::None : CalcError::Weight;
}

CalcError FchronoLogic::WriteEstimate(double distance) {
    auto& f = fields;
    const auto dayTime = referenceTime(DayRaceTimeSource);
    if (!dayTime)
        return CalcError::Time;
    Estimate.reset();
    if (f.Tdistance2.isEmpty()) {
        // No day's race: an earlier estimate would no longer match the fields, and
        // correcting it again would add the weight twice.
        f.LresultDistance.clear();
        return CalcError::None;
    }
    const auto lengthsPerSecond = scale::lengthsPerSecond(f.scale, Facts());
    if (!lengthsPerSecond)
        return CalcError::Time; // the race's speed needs the reference time
    const double dayDistance = *numbers::textToNumber(f.Tdistance2);
    const auto estimate = resultText(dayDistance * *dayTime / distance);
    if (!estimate)
        return CalcError::Time;
    f.LresultDistance = *estimate;
    const CalcError error = CorrectEstimateForWeight();
    if (error != CalcError::None) {
        f.LresultDistance.clear(); // no estimate rather than a wrong one
        return error;
    }
    const QStringList parts = f.LresultDistance.split(u':');
    Estimate = EstimateShown{
        *Module1::TimeToHundredths(QStringLiteral("00"), parts[0], parts[1], parts[2]),
        EstimateInputs::of(f), scale::summary(f.scale, Facts()), *lengthsPerSecond};
    return CalcError::None;
}

CalcError FchronoLogic::CorrectEstimateForWeight() {
    auto& f = fields;
    const QStringList parts = f.LresultDistance.split(u':');
    const double rt =
        *Module1::TimeToHundredths(QStringLiteral("00"), parts[0], parts[1], parts[2]);
    // An adjustment as large as the estimate comes from a weight typed wrong (580 kg).
    if (rt <= WeightHundredths)
        return WeightHundredths > 0 ? CalcError::Weight : CalcError::None;
    const auto reference = numbers::textToNumber(f.Tpoids);
    const auto today = numbers::textToNumber(f.tpoids2);
    const bool lighterToday = reference && today && *reference > *today;
    const double corrected = lighterToday ? rt - WeightHundredths : rt + WeightHundredths;
    // The MM:SS:CC form has no hours: an hour or more would show as a wrong time.
    if (corrected >= 360000)
        return CalcError::Time;
    f.LresultDistance = Module1::HundredthsToText(corrected);
    return CalcError::None;
}

bool FchronoLogic::WriteReduction(double distance) {
    const auto reductionTime = referenceTime(ReductionTimeSource);
    if (!reductionTime)
        return false;
    DecimalDigits = 0;
    const auto reduction = resultText(static_cast<double>(*reductionTime) * 1000 / distance);
    if (!reduction)
        return false;
    fields.Lreduction = *reduction;
    ReductionInputsShown = ReductionInputs::of(fields);
    return true;
}

void FchronoLogic::TNbrLongueur_LostFocus() {
    auto& f = fields;
    f.TNbrLongueur.replace(u'.', u',');
    const QString& margin = f.TNbrLongueur;
    if (margin.isEmpty() || margin == u"0" || margin == u"0,0") {
        f.TminuteL = f.Tminute;
        f.TsecondeL = f.Tseconde;
        f.TcentiemeL = f.tcentieme;
        return;
    }
    // Without a usable margin and reference time there is no time with lengths;
    // empty boxes keep "Le Chrono + Longueur" from being chosen.
    f.TminuteL.clear();
    f.TsecondeL.clear();
    f.TcentiemeL.clear();

    const auto lengths = numbers::textToNumber(margin);
    if (!lengths)
        return;
    const auto lengthsPerSecond = scale::lengthsPerSecond(f.scale, Facts());
    if (!lengthsPerSecond)
        return; // the race's speed needs the reference distance and time
    const auto lostSeconds = static_cast<float>(*lengths / *lengthsPerSecond);
    if (!std::isfinite(lostSeconds))
        return;
    if (f.Tminute.isEmpty() && f.Tseconde.isEmpty() && f.tcentieme.isEmpty())
        return;
    const auto lost = Module1::TimeToHundredths(0, 0, lostSeconds, 0);
    const auto reference = Module1::TimeToHundredths(
        0, zeroIfEmpty(f.Tminute), zeroIfEmpty(f.Tseconde), zeroIfEmpty(f.tcentieme));
    if (!reference)
        return;
    const double total = *lost + *reference;
    if (!std::isfinite(total) || total < 0)
        return;
    const QStringList parts = Module1::HundredthsToText(total).split(u':');
    f.TminuteL = parts[0];
    f.TsecondeL = parts[1];
    f.TcentiemeL = parts[2];
}

void FchronoLogic::ReferenceTime_LostFocus() {
    TNbrLongueur_LostFocus();
}

void FchronoLogic::Tpoids_LostFocus() {
    auto& f = fields;
    f.Tpoids.replace(u'.', u',');
    // A day's weight the user typed stays; one the program copied follows.
    if (f.tpoids2.isEmpty() || f.tpoids2 == DayWeightCopied) {
        f.tpoids2 = f.Tpoids;
        DayWeightCopied = f.Tpoids;
    }
}

void FchronoLogic::tpoids2_LostFocus() {
    fields.tpoids2.replace(u'.', u',');
}

bool FchronoLogic::refuseLengthsOption(Dialogs& dialogs) const {
    const auto& f = fields;
    if (!f.TminuteL.isEmpty() && !f.TsecondeL.isEmpty() && !f.TcentiemeL.isEmpty())
        return false;
    dialogs.message(QStringLiteral("vous devez avoir rentré une longeur pour effectuer ce calcul"),
                    ApplicationTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok);
    return true;
}

bool FchronoLogic::Opt_ChronokL_Click(Dialogs& dialogs) {
    fields.Opt_chronok = refuseLengthsOption(dialogs);
    return !fields.Opt_chronok;
}

bool FchronoLogic::Opt_ChronocjL_Click(Dialogs& dialogs) {
    fields.Opt_chronocj = refuseLengthsOption(dialogs);
    return !fields.Opt_chronocj;
}
