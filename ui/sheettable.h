#pragma once
// The race sheet's table: one row per runner, fastest first until the user sorts
// by another column, every input of a runner an editable cell (F2 or typing
// starts an edit, Enter commits, Escape cancels, Tab moves along the row). An
// edit is handed on as it was typed; the table shows only what the sheet holds.

#include "racesheet.h"
#include "racetable.h"
#include "sheetmodel.h"

#include <QPointer>
#include <QTableView>
#include <array>
#include <functional>
#include <optional>

class SheetTable : public QTableView {
    Q_OBJECT
  public:
    explicit SheetTable(QWidget* parent = nullptr);

    // Called, once the editor is closed, with the runner's place in the sheet,
    // the input and the text typed.
    void setOnEdit(std::function<void(size_t, RunnerField, const QString&)> onEdit);

    // Shows `sheet`; the current cell stays on the same runner and column.
    void show(const RaceSheet& sheet);
    // The runner of a row, and the rows' runners chosen (the current one when no
    // cell is selected), in the table's order.
    size_t runnerAt(int row) const;
    std::vector<size_t> chosenRunners() const;
    // The rows in the table's order, as racetable gives them, only the chosen
    // runners' when any is chosen.
    std::vector<QStringList> rowsShown(bool chosenOnly) const;

    // The table as it shows it, row by row in its order.
    int rowCount() const;
    int currentRow() const;
    int currentColumn() const;
    QString text(int row, int column) const;
    QString toolTip(int row, int column) const;
    void setCurrentCell(int row, int column);

  protected:
    // An edit ended (Enter, Escape): the rows held while the punter went along
    // a runner's cells are ranked again, the cell following its runner.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void rankAgain();
    void keepNameInSight();
    void arrangeColumns(bool trot);
    // The columns that mean something for this race.
    void showColumnsOf(const RaceSheet& sheet);
    // Columns wide enough for their texts: all measured, or only grown for the
    // texts that changed.
    void fitColumns(bool all, const std::vector<std::pair<int, QString>>& changed);
    friend class SheetDelegate;
    SheetModel* model_;
    SheetOrder* order_;
    QPointer<QWidget> editor_; // the cell editor open, if any
    bool held_ = false;        // rows kept in place while a runner is being edited
    bool showing_ = false;
    std::optional<bool> arrangedForTrot_;
};
