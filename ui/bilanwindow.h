#pragma once
// The "Bilan…" window: the sheet measured on every race of the history with its
// arrival (each sheet as it stood that morning), between two dates and in a
// discipline, as figures, calibration and return.

#include "appstate.h"
#include "bilan.h"
#include "qtdialogs.h"

#include <QDialog>

class CalibrationChart;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;
class ReturnChart;

class BilanWindow : public QDialog {
    Q_OBJECT
  public:
    // `bilan` measured at the τ of `state`'s settings; `said` what the user must
    // know of how it was made (a fit not kept), or nothing.
    BilanWindow(AppState& state, Bilan bilan, const QString& said, QWidget* parent = nullptr);

    // The figures of the races the dates and discipline keep.
    void measure();
    void exportCsv();

  private:
    QLayout* filters();
    BilanFilter filter() const;

    AppState& state_;
    Bilan bilan_;
    QtDialogs dialogs_{this};
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QComboBox* discipline_ = nullptr;
    QTableWidget* table_ = nullptr;
    CalibrationChart* calibration_ = nullptr;
    ReturnChart* return_ = nullptr;
    Measures figures_;
};

// "Bilan…" asked from `over`: τ fitted anew on the history's races, then the
// window.
void showBilan(AppState& state, QWidget* over);
