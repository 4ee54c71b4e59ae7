#pragma once
// The main window: binds its controls to FchronoLogic by control name.

#include "fchronologic.h"
#include "qtdialogs.h"

#include <QWidget>

class QLineEdit;
class QLabel;
class QRadioButton;
class QPushButton;

class Fchrono : public QWidget {
    Q_OBJECT
  public:
    explicit Fchrono(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void pull();
    void push();
    // Copies the controls into the logic, runs the handler, copies the result back.
    template <typename Handler> void run(Handler handler);

    FchronoLogic logic_;
    QtDialogs dialogs_{this};
    QRadioButton* Opt_chronok_;
    QRadioButton* Opt_ChronokL_;
    QRadioButton* Opt_chronocj_;
    QRadioButton* Opt_ChronocjL_;
};
