#pragma once
// The chances' section of the "Barème…" dialog: each family's τ in force, fitted
// on the punter's races or the default, and a button that fits them anew.

#include "settings.h"

#include <QGroupBox>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

class ChancesBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit ChancesBox(Settings& settings, QWidget* parent = nullptr);

    // What "Ajuster sur mes courses" does (why it could not, or nothing); the
    // button is shown once it is given.
    void setRefit(std::function<QString()> refit);
    QPushButton* refitButton() const { return refit_; }

  private:
    void showFits();

    Settings& settings_;
    std::array<QLabel*, 3> lines_{};
    QLabel* blend_ = nullptr;
    QLabel* when_ = nullptr;
    QPushButton* refit_ = nullptr;
    std::function<QString()> refitting_;
};
