#pragma once
// The corrections' section of the "Barème…" dialog: seconds per km for each
// condition of a run, applied on the day's race sheet, and a reset button.

#include "correctionsform.h"

#include <QGroupBox>
#include <vector>

class QLineEdit;

class CorrectionsBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit CorrectionsBox(const calc::CorrectionTable& current, QWidget* parent = nullptr);

    CorrectionsForm& form() { return form_; }
    // The cells into the form, and back.
    void pull();
    void push();
    QLineEdit* cell(int index) const { return cells_[static_cast<size_t>(index)]; }

  private:
    CorrectionsForm form_;
    std::vector<QLineEdit*> cells_;
};
