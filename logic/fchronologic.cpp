#include "fchronologic.h"

#include "module1.h"
#include "numbers.h"
#include "unusual.h"

#include <map>

#include <cmath>

namespace {

void showError(Dialogs& dialogs, const QString& text, const QString& title) {
    dialogs.message(text, title, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void distanceError(Dialogs& d) {
    showError(d, calc::errorText(CalcError::Distance), u"Erreur"_qs);
}
void timeError(Dialogs& d) {
    showError(d, calc::errorText(CalcError::Time), u"erreur"_qs);
}
void weightError(Dialogs& d) {
    showError(d, calc::errorText(CalcError::Weight), u"erreur"_qs);
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

QString* FchronoFields::text(QStringView controlName) {
    for (const auto& field : textFields)
        if (controlName == QLatin1String(field.name))
            return &(this->*field.member);
    return nullptr;
}

void FchronoLogic::Form_Load() {
    fields.TminuteL = QString();
    fields.TsecondeL = QString();
    fields.TcentiemeL = u" "_qs;
}

void FchronoLogic::NewHorse() {
    FchronoLogic next;
    next.fields.Tdistance.clear();
    next.fields.Tdistance2 = fields.Tdistance2;
    next.fields.scale = fields.scale;
    next.Form_Load();
    *this = std::move(next);
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
        Reduction.reset(); // nothing shown: inputs matching again add nothing
    }
}

QString FchronoLogic::ScaleLine() const {
    const QString line = scale::describe(fields.scale, race().facts);
    return fields.corrections == calc::CorrectionTable{}
               ? line
               : line + u" · corrections modifiées (course du jour)"_qs;
}

calc::Race FchronoLogic::race() const {
    const FchronoFields& f = fields;
    calc::RaceTexts t;
    t.referenceDistance = f.Tdistance;
    t.referenceWeight = f.Tpoids;
    t.minutes = f.Tminute;
    t.seconds = f.Tseconde;
    t.hundredths = f.tcentieme;
    t.margin = f.TNbrLongueur;
    t.minutesL = f.TminuteL;
    t.secondsL = f.TsecondeL;
    t.hundredthsL = f.TcentiemeL;
    t.dayDistance = f.Tdistance2;
    t.dayWeight = f.tpoids2;
    t.reductionWithLengths = !f.Opt_chronok;
    t.estimateWithLengths = !f.Opt_chronocj;
    return calc::Race::of(std::move(t), f.scale);
}

void FchronoLogic::FillEmptyFields() {
    auto& f = fields;
    if (f.tpoids2.isEmpty()) {
        f.tpoids2 = f.Tpoids;
        DayWeightCopied = f.Tpoids;
    }
    for (QString* time : {&f.Tminute, &f.Tseconde, &f.tcentieme})
        if (time->isEmpty())
            *time = u"0"_qs;
}

QString FchronoLogic::Btcalcul_Click(Dialogs& dialogs) {
    // The time with lengths always follows the reference time shown.
    TNbrLongueur_LostFocus();
    // A slip of the keyboard (21001200 m, 5,75 kg) is questioned before it is used.
    if (const auto unusual = UnusualInput()) {
        if (!dialogs.askYesNo(unusual->question))
            return unusual->control;
    }
    LastError = Calculate();
    ReportError(LastError, dialogs);
    return QString();
}

void FchronoLogic::ReportError(CalcError error, Dialogs& dialogs) {
    switch (error) {
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
}

std::optional<FchronoLogic::Unusual> FchronoLogic::UnusualInput(const QStringList& only) const {
    // The box each input is typed in; an unusual reduction sends the punter back to
    // the time. It is judged by the scale's discipline: the flat unless the trot
    // is chosen.
    static const std::map<calc::Input, QString> controls{
        {calc::Input::ReferenceDistance, u"Tdistance"_qs},
        {calc::Input::ReferenceWeight, u"Tpoids"_qs},
        {calc::Input::Minutes, u"Tminute"_qs},
        {calc::Input::Seconds, u"Tseconde"_qs},
        {calc::Input::Hundredths, u"tcentieme"_qs},
        {calc::Input::Reduction, u"Tminute"_qs},
        {calc::Input::DayDistance, u"Tdistance2"_qs},
        {calc::Input::DayWeight, u"tpoids2"_qs}};
    const bool trot = scale::isTrot(fields.scale.discipline);
    // In tab order: one question at most, about the first.
    for (const calc::Unusual& u : calc::unusualInputs(race(), fields.corrections, trot)) {
        const auto control = controls.find(u.input);
        if (control != controls.end() && (only.isEmpty() || only.contains(control->second)))
            return Unusual{control->second, u.question};
    }
    return std::nullopt;
}

std::optional<float> FchronoLogic::WeightDifference() {
    fields.Tpoids.replace(u'.', u',');
    return calc::weightDifference(race());
}

CalcError FchronoLogic::Calculate() {
    FillEmptyFields();
    const calc::Calculation c = calc::calculate(race());
    show(c);
    return c.error;
}

// The calculation's results into the boxes and the window-level variables.
void FchronoLogic::show(const calc::Calculation& c) {
    DecimalDigits = c.decimalDigits;
    WeightTime = c.weightTime;
    WeightHundredths = c.weightHundredths;
    if (c.error == CalcError::Distance)
        return; // stopped before anything else was read
    fields.Tpoids = c.race.typed.referenceWeight;
    DayRaceTimeSource = c.dayRaceTimeSource;
    ReductionTimeSource = c.reductionTimeSource;
    if (c.estimateChange != calc::Change::Unchanged)
        Estimate = c.estimate;
    if (c.estimateChange == calc::Change::Cleared)
        fields.LresultDistance.clear();
    else if (c.estimate)
        fields.LresultDistance = c.estimate->text;
    if (c.reduction) {
        Reduction = c.reduction;
        fields.Lreduction = c.reduction->text;
    }
}

void FchronoLogic::TNbrLongueur_LostFocus() {
    auto& f = fields;
    f.TNbrLongueur.replace(u'.', u',');
    // Without a usable margin and reference time there is no time with lengths;
    // empty boxes keep "Le Chrono + Longueur" from being chosen.
    const auto withLengths = calc::timeWithLengths(race());
    f.TminuteL = withLengths ? (*withLengths)[0] : QString();
    f.TsecondeL = withLengths ? (*withLengths)[1] : QString();
    f.TcentiemeL = withLengths ? (*withLengths)[2] : QString();
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
    dialogs.message(u"vous devez avoir rentré une longeur pour effectuer ce calcul"_qs,
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
