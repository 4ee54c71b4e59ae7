#pragma once
// The window "Course du jour": the day's race, its runners ranked by their
// estimated time, and the sheet's commands. Every change goes through the
// race-day logic, which keeps the sheet's file.

#include "appstate.h"
#include "qtdialogs.h"
#include "raceday.h"

#include <QWidget>

class QAction;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

class CourseDuJour : public QWidget {
    Q_OBJECT
  public:
    explicit CourseDuJour(AppState& state, QWidget* parent = nullptr);

    // Shows the sheet as it now stands.
    void refresh();

    void removeSelected();
    void startNewRace();
    void copyRows();
    void exportCsv();

  private:
    void addRaceBoxes(class QVBoxLayout* layout);
    void addTable(QVBoxLayout* layout);
    void addCommands(QVBoxLayout* layout);
    void fillRow(int row, const QStringList& cells, const RankedRunner& ranked);
    void showMenu(const QPoint& position);
    void raceEdited();
    // The selected runners' places in RaceSheet::runners, in display order.
    std::vector<size_t> selectedRunners() const;

    AppState& state_;
    RaceDay& day_;
    QtDialogs dialogs_{this};
    QLineEdit* name_ = nullptr;
    QDateEdit* date_ = nullptr;
    QLabel* distance_ = nullptr;
    QTableWidget* table_ = nullptr;
    QAction* remove_ = nullptr;
    QAction* newRace_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* export_ = nullptr;
};
