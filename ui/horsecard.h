#pragma once
// "Fiche du cheval" (Ctrl+H): a horse's runs from the history, newest first and
// sortable, each reduction also as it becomes under today's conditions, the
// musique of its last runs; a run added, corrected, deleted, or picked to stand
// for the horse on today's sheet. A search by name opens another horse.

#include "appstate.h"
#include "qtdialogs.h"

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

class HorseCard : public QDialog {
    Q_OBJECT
  public:
    HorseCard(AppState& state, const QString& horse, QWidget* parent = nullptr);
    void showHorse(const QString& name);
    void addRun();
    void correctRun();
    void deleteRun();
    void pickForToday();

  private:
    void addButtons(QVBoxLayout* layout);
    const history::Run* chosen() const;
    // The run typed in a form from `run`; none when cancelled.
    std::optional<history::Run> runForm(const history::Run& run, const QString& title);

    AppState& state_;
    QtDialogs dialogs_{this};
    QString horse_;
    std::vector<history::Run> runs_;
    QLineEdit* name_ = nullptr;
    QLabel* musique_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* pick_ = nullptr;
};
