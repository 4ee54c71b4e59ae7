#pragma once
// "Courses précédentes…": the races kept, latest first (date, hippodrome, race,
// runners; a click on a title sorts), one opened again on the sheet or deleted.

#include "appstate.h"
#include "qtdialogs.h"
#include "racearchive.h"

#include <QDialog>
#include <vector>

class QPushButton;
class QTableWidget;

class Courses : public QDialog {
    Q_OBJECT
  public:
    // The races of `folder`, by default the archive beside the list file.
    explicit Courses(AppState& state, QWidget* parent = nullptr, const QString& folder = {});

    void openChosen();
    void deleteChosen();

  private:
    void fill();
    // The race of the current row, if any.
    const ArchivedRace* chosen() const;

    AppState& state_;
    QString folder_;
    QtDialogs dialogs_{this};
    std::vector<ArchivedRace> races_;
    QTableWidget* table_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* delete_ = nullptr;
};
