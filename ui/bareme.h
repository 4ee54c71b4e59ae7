#pragma once
// The "Barème…" dialog: how lengths and a weight difference become seconds.

#include "appstate.h"
#include "scale.h"
#include "scaleform.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Bareme : public QDialog {
    Q_OBJECT
  public:
    // The dialog showing `shown` (the scale in force unless told otherwise); OK
    // puts the choice in `settings`, which writes it.
    explicit Bareme(Settings& settings, QWidget* parent = nullptr,
                    const std::optional<scale::Scale>& shown = std::nullopt);

    void accept() override;
    class ChancesBox* chances() const {
        return chances_;
    }

  private:
    QWidget* lengthsGroup();
    QWidget* weightGroup();
    QHBoxLayout* raceKind();
    QGridLayout* lengthsTable();
    QHBoxLayout* lengthSize();
    QGridLayout* weightTable();
    QLineEdit* cell(const QString& name, const QString& label);
    QPushButton* resetButton(const char* name, const QString& caption, const QString& accessible,
                             void (ScaleForm::*reset)());
    void pull();
    void push();

    ScaleForm form_;
    Settings& settings_;
    class CorrectionsBox* corrections_ = nullptr;
    class ChancesBox* chances_ = nullptr;
    std::array<QRadioButton*, 3> lengthsRules_{};
    std::array<QRadioButton*, 3> weightRules_{};
    QComboBox* discipline_ = nullptr;
    QComboBox* going_ = nullptr;
    std::array<std::array<QLineEdit*, scale::GoingCount>, scale::DisciplineCount> lengthsCells_{};
    QLineEdit* metresPerLength_ = nullptr;
    std::array<QLineEdit*, scale::DistanceRows.size()> weightCells_{};
};

// "Barème…" asked from `over`: the dialog writes the choice to the user's settings
// and gives it to the windows through `state`.
void chooseScale(AppState& state, QWidget* over);
