#pragma once
// The memo aid: how many lengths each short margin is worth, and a shoeing note.

#include <QList>
#include <QWidget>

class AppState;
class QPlainTextEdit;

class Form2 : public QWidget {
    Q_OBJECT
  public:
    explicit Form2(AppState& state, QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void addScaleCommand(const QList<QPlainTextEdit*>& texts);

    AppState& state_;
};
