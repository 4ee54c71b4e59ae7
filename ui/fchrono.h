#pragma once
// The main window: each field of FchronoLogic bound to its control once, by pointer.

#include "appstate.h"
#include "fchronologic.h"
#include "qtdialogs.h"

#include <QWidget>
#include <array>
#include <vector>

class QLineEdit;
class QLabel;
class QRadioButton;
class QPushButton;

class Fchrono : public QWidget {
    Q_OBJECT
  public:
    explicit Fchrono(AppState& state, QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A field and the control showing it: a text box or a label.
    struct Binding {
        QString FchronoFields::*field;
        QLineEdit* box;
        QLabel* label;
    };
    struct FocusHandler {
        QLineEdit* box;
        void (FchronoLogic::*handler)();
    };
    struct Commands {
        QPushButton *Btcalcul, *Bt_Ajoute, *Command1, *Bt_AjouteCourse, *Bt_Bareme;
    };

    void setUpWindow();
    void addBoxes();
    Commands addCommands();
    void addOptions();
    void addResults();
    QWidget* setKeyboardCycle();
    void connectHandlers(const Commands& commands);
    void bind(const char* name, QLineEdit* box, QLabel* label);
    QLineEdit* boxOf(QString FchronoFields::*field) const;
    void checkBindings() const;

    void pull();
    void push();
    // Copies the controls into the logic, runs the handler, copies the result back.
    template <typename Handler> void run(Handler handler);
    void addHorse();
    void calculate();
    void addRunner();
    void startNewHorse();
    void addWindowMenu();
    // The scale's line and the results' stale marks follow the boxes as typed.
    void followInputs();
    void markStale(QLabel* label, bool stale, const QString& description);
    // Another window chose a scale: the results follow it.
    void followScale();

    AppState& state_;
    FchronoLogic logic_;
    QtDialogs dialogs_{this};
    std::vector<Binding> bindings_;
    std::array<FocusHandler, 6> focusHandlers_{};
    QRadioButton* Opt_chronok_ = nullptr;
    QRadioButton* Opt_ChronokL_ = nullptr;
    QRadioButton* Opt_chronocj_ = nullptr;
    QRadioButton* Opt_ChronocjL_ = nullptr;
    QLabel* LBareme_ = nullptr;
    QLabel* LresultDistance_ = nullptr;
    QLabel* Lreduction_ = nullptr;
};
