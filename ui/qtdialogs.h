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

// "Exporter…": a CSV file's path chosen over `over`, offered as `fileName` in
// the user's documents; empty when the user gave up.
QString chosenCsvPath(QWidget* over, const QString& title, const QString& fileName);
