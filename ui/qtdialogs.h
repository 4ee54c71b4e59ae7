#pragma once
// The handlers' dialogs as real, modal Qt message boxes and text prompts.

#include "dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    std::optional<QString> prompt(const QString& text, const QString& title,
                                  const QString& initial) override;
    int question(const QString& text, const QString& title, const QStringList& buttons,
                 int defaultButton, int escapeButton) override;
    std::optional<QString> choose(const QString& text, const QString& title,
                                  const QStringList& items, const QString& initial) override;

  private:
    QWidget* parent_;
};
