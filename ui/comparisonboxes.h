#pragma once
// The race sheet's boxes for the horses' history: how each runner's reference
// is chosen among its comparable runs (the rule), and what is comparable (the
// distance band, the months before the race).

#include "racesheet.h"

#include <QWidget>

class QComboBox;
class QSpinBox;

class ComparisonBoxes : public QWidget {
    Q_OBJECT
  public:
    explicit ComparisonBoxes(QWidget* parent);
    void show(const RaceSheet& sheet);
    // The boxes' values into the race's fields.
    void applyTo(RaceSheet& race) const;

  signals:
    void edited();

  private:
    QComboBox* rule_ = nullptr;
    QSpinBox* band_ = nullptr;
    QSpinBox* months_ = nullptr;
};
