#pragma once
// The main window's logic: the texts of its controls, its window-level variables
// and its handlers. The window copies its controls into `fields`, runs a handler
// and copies the fields back.

#include "dialogs.h"
#include "scale.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// Texts of the main window's controls, by control name.
struct FchronoFields {
    QString Tdistance = QStringLiteral("1200");
    QString Tpoids;
    QString Tminute, Tseconde, tcentieme;
    QString Tdistance2;
    QString tpoids2;
    QString TNbrLongueur = QStringLiteral("0.0");
    QString TminuteL, TsecondeL, TcentiemeL;
    bool Opt_chronok = true;  // otherwise Opt_ChronokL: reduction from the time with lengths
    bool Opt_chronocj = true; // otherwise Opt_ChronocjL: estimate from the time with lengths
    QString LresultDistance;  // estimated time for the day's race
    QString Lreduction;       // kilometric reduction
    // The scale in force, chosen in the "Barème…" dialog and shown on one line.
    scale::Scale scale;

    bool operator==(const FchronoFields&) const = default;

    // Every text above with its control name, so that windows and tests can reach
    // a field by the name of its control.
    struct TextField {
        const char* name;
        QString FchronoFields::*member;
    };
    static const std::array<TextField, 13> textFields;
    QString* text(QStringView controlName);
};

// The inputs a kilometric reduction comes from (the time with lengths only when
// the reduction is taken from it).
struct ReductionInputs {
    QString Tdistance, Tpoids, Tminute, Tseconde, tcentieme, TminuteL, TsecondeL, TcentiemeL;
    bool Opt_chronok = true;

    static ReductionInputs of(const FchronoFields& f);
    bool operator==(const ReductionInputs&) const = default;
};

// The inputs an estimate for the day's race comes from (the margin and the time
// with lengths only when the estimate is taken from it).
struct EstimateInputs {
    QString Tdistance, Tpoids, Tminute, Tseconde, tcentieme, Tdistance2, tpoids2;
    QString TNbrLongueur, TminuteL, TsecondeL, TcentiemeL;
    bool Opt_chronocj = true;
    scale::Scale scale;

    static EstimateInputs of(const FchronoFields& f);
    bool operator==(const EstimateInputs&) const = default;
};

// The estimate LresultDistance shows, as a number, and what it came from.
struct EstimateShown {
    double hundredths = 0;
    EstimateInputs inputs;
    // The scale it was computed with, as one line, and its lengths per second.
    QString scale;
    double lengthsPerSecond = 0;
};

// Why a calculation stopped.
enum class CalcError { None, Distance, Weight, Time };

class FchronoLogic {
  public:
    FchronoFields fields;

    // Window-level variables, kept between runs of the calculation.
    qint16 DecimalDigits = 0;
    float WeightTime = 0;
    float WeightHundredths = 0;
    QString DayRaceTimeSource;
    QString ReductionTimeSource;
    // The inputs as they stood when Lreduction was last written; none before.
    std::optional<ReductionInputs> ReductionInputsShown;
    // The estimate LresultDistance shows; none when it shows none.
    std::optional<EstimateShown> Estimate;
    // The text the last copy from Tpoids put into tpoids2: while tpoids2 still holds
    // it, the user has not typed a day's weight of their own.
    std::optional<QString> DayWeightCopied;

    // Whether Lreduction shows a reduction of the inputs as they stand now.
    bool ReductionMatchesInputs() const {
        return ReductionInputsShown && *ReductionInputsShown == ReductionInputs::of(fields);
    }
    // Whether LresultDistance shows an estimate of the inputs as they stand now.
    bool EstimateMatchesInputs() const {
        return Estimate && Estimate->inputs == EstimateInputs::of(fields);
    }

    void Form_Load();
    // A scale chosen in the dialog: the time with lengths follows it, and a result
    // computed with the former scale is taken off rather than shown under the new one.
    void SetScale(const scale::Scale& chosen);
    // The line showing the scale in force, with the figures it takes from the races.
    QString ScaleLine() const;
    // The races as the scale needs them: distances above zero, the plain time.
    scale::RaceFacts Facts() const;
    // Returns the control to put the focus in when the user chose to correct an
    // input; empty otherwise.
    QString Btcalcul_Click(Dialogs& dialogs);
    void TNbrLongueur_LostFocus();
    // Leaving a box of the reference time: the time with lengths follows it.
    void ReferenceTime_LostFocus();
    void Tpoids_LostFocus();
    void tpoids2_LostFocus();
    // Both return whether the "+ Longueur" option stays selected.
    bool Opt_ChronokL_Click(Dialogs& dialogs);
    bool Opt_ChronocjL_Click(Dialogs& dialogs);

    // The calculation, step by step.
    CalcError Calculate();
    // The first box in tab order holding an unusual distance or weight, if any,
    // with the question to ask about it.
    struct Unusual {
        QString control;
        QString question;
    };
    std::optional<Unusual> UnusualInput() const;
    void ResetCalcState();
    void FillEmptyFields();
    // Empty when a distance cannot be read or is not above zero.
    std::optional<double> ReferenceDistance() const;
    // A weight error when a weight cannot be read or the adjustment cannot be held;
    // a time error when the scale needs the reference time and it is missing.
    CalcError ComputeWeightHundredths();
    // A time error when a time cannot be read or a result cannot be shown; a weight
    // error when the weight adjustment is not smaller than the estimate.
    CalcError WriteEstimate(double distance);
    CalcError CorrectEstimateForWeight();
    // False when the time cannot be read or the result cannot be shown.
    bool WriteReduction(double distance);
    // Empty when a weight that is given cannot be read as a number.
    std::optional<float> WeightDifference();
    float WeightTimeToHundredths(float seconds) const;

  private:
    bool refuseLengthsOption(Dialogs& dialogs) const;
    std::optional<float> referenceTime(const QString& source) const;
    std::optional<QString> resultText(double seconds);
};
