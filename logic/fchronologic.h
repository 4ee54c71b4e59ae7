#pragma once
// The main window's logic: the texts of its controls, its window-level variables
// and its handlers. The window copies its controls into `fields`, runs a handler
// and copies the fields back.

#include "calculation.h"
#include "corrections.h"
#include "dialogs.h"
#include "scale.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>

// Texts of the main window's controls, by control name.
struct FchronoFields {
    QString Tdistance = u"1200"_qs;
    QString Tpoids;
    QString Tminute, Tseconde, tcentieme;
    QString Tdistance2;
    QString tpoids2;
    QString TNbrLongueur = u"0.0"_qs;
    QString TminuteL, TsecondeL, TcentiemeL;
    bool Opt_chronok = true;  // otherwise Opt_ChronokL: reduction from the time with lengths
    bool Opt_chronocj = true; // otherwise Opt_ChronocjL: estimate from the time with lengths
    QString LresultDistance;  // estimated time for the day's race
    QString Lreduction;       // kilometric reduction
    // The scale in force, chosen in the "Barème…" dialog and shown on one line.
    scale::Scale scale;
    // The corrections the race sheet applies (not this window): the line says when
    // they are not the original ones.
    calc::CorrectionTable corrections;

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

using calc::CalcError;

class FchronoLogic {
  public:
    FchronoFields fields;

    // Window-level variables, kept between runs of the calculation.
    qint16 DecimalDigits = 0;
    float WeightTime = 0;
    float WeightHundredths = 0;
    QString DayRaceTimeSource;
    QString ReductionTimeSource;
    // The reduction Lreduction shows, and the race it came from; none before.
    std::optional<calc::Result> Reduction;
    // The estimate LresultDistance shows; none when it shows none.
    std::optional<calc::Estimate> Estimate;
    // The text the last copy from Tpoids put into tpoids2: while tpoids2 still holds
    // it, the user has not typed a day's weight of their own.
    std::optional<QString> DayWeightCopied;

    // The race as the boxes hold it now, read once.
    calc::Race race() const;
    // Whether Lreduction shows a reduction of the inputs as they stand now.
    bool ReductionMatchesInputs() const {
        return Reduction && calc::sameForReduction(Reduction->race, race());
    }
    // Whether LresultDistance shows an estimate of the inputs as they stand now.
    bool EstimateMatchesInputs() const {
        return Estimate && calc::sameForEstimate(Estimate->race, race());
    }

    // A result shown that no longer matches the boxes: the window greys it and says
    // so, until the next calculation.
    bool EstimateIsStale() const {
        return !fields.LresultDistance.isEmpty() && !EstimateMatchesInputs();
    }
    bool ReductionIsStale() const {
        return !fields.Lreduction.isEmpty() && !ReductionMatchesInputs();
    }
    static inline const QString StaleText =
        u"Ne correspond plus aux valeurs saisies : relancez le calcul."_qs;

    void Form_Load();
    // "Nouveau cheval", and after a runner was put on the day's sheet: the boxes of
    // that horse emptied for the next one (the margin back to its first text, both
    // time sources back to "Le Chrono"); the day's distance and the scale stay.
    void NewHorse();
    // A scale chosen in the dialog: the time with lengths follows it, and a result
    // computed with the former scale is taken off rather than shown under the new one.
    void SetScale(const scale::Scale& chosen);
    // The line showing the scale in force, with the figures it takes from the races.
    QString ScaleLine() const;
    // Returns the control to put the focus in when the user chose to correct an
    // input; empty otherwise. The error it reported, if any, stays in LastError.
    QString Btcalcul_Click(Dialogs& dialogs);
    CalcError LastError = CalcError::None;
    void TNbrLongueur_LostFocus();
    // Leaving a box of the reference time: the time with lengths follows it.
    void ReferenceTime_LostFocus();
    void Tpoids_LostFocus();
    void tpoids2_LostFocus();
    // Both return whether the "+ Longueur" option stays selected.
    bool Opt_ChronokL_Click(Dialogs& dialogs);
    bool Opt_ChronocjL_Click(Dialogs& dialogs);

    // The calculation: empty boxes filled, then the race calculated and its results
    // shown.
    CalcError Calculate();
    // The first box in tab order holding an unusual distance or weight, if any,
    // with the question to ask about it; only among the boxes named in `only`
    // when it names any.
    struct Unusual {
        QString control;
        QString question;
    };
    std::optional<Unusual> UnusualInput(const QStringList& only = {}) const;
    // The message of a calculation that stopped, as the main window shows it.
    static void ReportError(CalcError error, Dialogs& dialogs);
    void FillEmptyFields();
    // The weight difference, after the reference weight's decimal point became a
    // comma; empty when a weight that is given cannot be read.
    std::optional<float> WeightDifference();

  private:
    bool refuseLengthsOption(Dialogs& dialogs) const;
    void show(const calc::Calculation& c);
};
