#pragma once
// The window "Course du jour": the day's race (its own fields), its runners
// ranked by their estimated time and edited in place, and the sheet's commands.
// Every change goes through the race-day logic, which keeps the sheet's file.

#include "appstate.h"
#include "qtdialogs.h"
#include "raceday.h"
#include "sheetedit.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QVBoxLayout;
class SheetTable;

class ComparisonBoxes;
class CourseDuJour : public QWidget {
    Q_OBJECT
  public:
    explicit CourseDuJour(AppState& state, QWidget* parent = nullptr);

    // Shows the sheet as it now stands.
    void refresh();
    // The table's current cell, by row and column.
    void setCurrentCellOf(int row, int column);

    void removeSelected();
    void startNewRace();
    void showPreviousRaces();
    void importListIntoHistory();
    // "Importer…": files chosen in a file dialog, or dropped onto the window.
    void chooseImport();
    // "Importer un dossier…": a folder and those inside it, a race at a time.
    void chooseFolderImport();
    // "Restaurer une copie de l'historique…"
    void restoreHistoryCopy();
    void importPaths(const QStringList& paths);
    void enterArrival();
    void showHorseCard();
    void copyRows();
    void exportCsv();
    // A cell of the table edited (the table hands it on once its editor closed).
    void editCell(size_t runner, RunnerField field, const QString& text);
    // The runner typed in the entry row put on the sheet (and in the list when
    // the box is ticked).
    void addTyped();
    void completeEntry();

  signals:
    // A horse's name corrected on the sheet: the list offers the same.
    void horseRenamed(const QString& from, const QString& to);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void addRaceBoxes(QVBoxLayout* layout);
    void addTable(QVBoxLayout* layout);
    void addCommands(QVBoxLayout* layout);
    void showMenu(const QPoint& position);
    void raceEdited();
    Rules rules() const;

    AppState& state_;
    RaceDay& day_;
    QtDialogs dialogs_{this};
    QLineEdit* name_ = nullptr;
    QDateEdit* date_ = nullptr;
    QLineEdit* hippodrome_ = nullptr;
    QLineEdit* distance_ = nullptr;
    QComboBox* discipline_ = nullptr;
    QComboBox* start_ = nullptr;
    QComboBox* going_ = nullptr;
    ComparisonBoxes* comparison_ = nullptr;
    QCheckBox* alsoList_ = nullptr;
    SheetTable* table_ = nullptr;
    class EntryRow* entry_ = nullptr;
    std::pair<size_t, QString> completedFor_{size_t(-1), QString()};
    QAction* remove_ = nullptr;
    QAction* newRace_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* importList_ = nullptr;
    QAction* import_ = nullptr;
    QAction* importFolder_ = nullptr;
    QAction* restore_ = nullptr;
    QAction* arrival_ = nullptr;
    QAction* card_ = nullptr;
    QAction* bilan_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* export_ = nullptr;
};
