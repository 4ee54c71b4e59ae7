#pragma once
// The list window: the sorted horse list and the list file's four commands.

#include "horselistmodel.h"
#include "qtdialogs.h"

#include <QWidget>

class QAction;
class QListView;
class QPushButton;

class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    void addLine(const QString& line);
    HorseListModel& model() { return model_; }

    void bt_chargeliste_Click();
    // Whether the save succeeded.
    bool btsave_Click();
    void Bt_videliste_Click();
    void Bt_videListefichier_Click();

    // The list box's context menu and shortcuts.
    void copyEntries();
    void exportCsv();
    void removeEntry();

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
    // Shows the failure's message, if any.
    bool succeeded(const ListFileResult& result);

    HorseListModel model_;
    QtDialogs dialogs_{this};
    QListView* LstCheval_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* export_ = nullptr;
    QAction* remove_ = nullptr;
};
