#pragma once
// "Arrivée…": once the day's race is run, the punter types the winner's time and
// each runner's place and margin; each runner's run goes into its horse's history.

#include "appstate.h"
#include "qtdialogs.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QTableWidget;

class ArrivalDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ArrivalDialog(AppState& state, QWidget* parent = nullptr);
    // Records the arrival typed; the dialog stays open on a refusal.
    void record();

  private:
    void addTable(class QVBoxLayout* layout);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppState& state_;
    QtDialogs dialogs_{this};
    QLineEdit* winner_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<size_t> order_; // the runner of each row: by N°, as the papers print them
};
