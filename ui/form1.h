#pragma once
// The list window: the sorted horse list and the list file's four commands,
// bound to the list window's logic.

#include "form1logic.h"
#include "qtdialogs.h"

#include <QWidget>

class QAction;
class QListView;
class QPushButton;

class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    void addLine(const QString& line) { logic_.AddLine(line); }
    HorseListModel& model() { return logic_.model(); }
    Form1Logic& logic() { return logic_; }

    void bt_chargeliste_Click() { logic_.bt_chargeliste_Click(); }

    // The list box's context menu and shortcuts.
    void copyEntries();
    void exportCsv();
    void removeEntry() { logic_.RemoveEntry(selectedRow()); }
    void correctEntry() {
        if (const auto renamed = logic_.CorrectEntry(selectedRow()))
            emit horseRenamed(renamed->from, renamed->to);
    }

  signals:
    // A horse's name corrected in the list: the race sheet offers the same.
    void horseRenamed(const QString& from, const QString& to);
    // The card of the chosen line's horse was asked for.
    void horseCardRequested(const QString& horse);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Buttons {
        QPushButton *charge, *save, *vide, *videFichier;
    };
    void setUpWindow();
    void addLabels();
    QListView* addList();
    Buttons addButtons();
    void connectHandlers(const Buttons& buttons);
    void addListActions();
    void updateListActions();
    void showListMenu(const QPoint& position);
    int selectedRow() const;

    QtDialogs dialogs_{this};
    Form1Logic logic_{dialogs_};
    QListView* LstCheval_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* export_ = nullptr;
    QAction* remove_ = nullptr;
    QAction* correct_ = nullptr;
    QAction* card_ = nullptr;
};
