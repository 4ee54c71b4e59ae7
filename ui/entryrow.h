#pragma once
// The sheet's entry row: a new runner typed in one pass under the ranked ones,
// Tab from box to box in the order a punter reads a race's line, Enter puts it
// on the sheet. The boxes follow the race's discipline; a horse the history
// knows is completed from its first letters, and Tab after it goes straight to
// today's boxes.

#include "newrunner.h"

#include <QWidget>

class QComboBox;
class QCompleter;
class QLineEdit;
class QStringListModel;

class EntryRow : public QWidget {
    Q_OBJECT
  public:
    explicit EntryRow(QWidget* parent = nullptr);

    // The boxes the race's discipline uses.
    void showFor(const QString& discipline);
    // The horses the name box completes, the hippodromes its box does.
    void setHorses(const QStringList& names, const QStringList& hippodromes);
    TypedRunner typed() const;
    // The race's base: "Chrono + Longueur" (kept from one runner to the next).
    bool withLengths() const;
    // Empty again, for the next runner, the focus in its first box.
    void clearForNext();
    QLineEdit* nameBox() const { return name_; }

  signals:
    void entered();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makeBox(RunnerField field);
    QWidget* firstTodayBox() const;
    std::vector<std::pair<RunnerField, QWidget*>> boxes_;
    QLineEdit* name_ = nullptr;
    QComboBox* base_ = nullptr;
    QStringListModel* horses_ = nullptr;
    QStringListModel* hippodromes_ = nullptr;
};
