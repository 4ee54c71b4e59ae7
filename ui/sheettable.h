#pragma once
// The race sheet's table: one row per runner, fastest first until the user sorts
// by another column, every input of a runner an editable cell (F2 or typing
// starts an edit, Enter commits, Escape cancels, Tab moves along the row). An
// edit is handed on as it was typed; the table shows only what the sheet holds.

#include "racesheet.h"
#include "racetable.h"
#include "sheetedit.h"

#include <QPointer>
#include <QTableWidget>
#include <array>
#include <functional>
#include <optional>

class SheetTable : public QTableWidget {
    Q_OBJECT
  public:
    explicit SheetTable(QWidget* parent = nullptr);

    // Called, once the editor is closed, with the runner's place in the sheet,
    // the input and the text typed.
    std::function<void(size_t runner, RunnerField field, const QString& text)> onEdit;

    // Shows `sheet`; the current cell stays on the same runner and column.
    void show(const RaceSheet& sheet);
    // The runner of a row, and the rows' runners chosen (the current one when no
    // cell is selected), in the table's order.
    size_t runnerAt(int row) const;
    std::vector<size_t> chosenRunners() const;
    // The rows in the table's order, as racetable gives them, only the chosen
    // runners' when any is chosen.
    std::vector<QStringList> rowsShown(const RaceSheet& sheet, bool chosenOnly) const;

    static std::optional<RunnerField> fieldOf(int column);

  private:
    void fillRow(int row, const RaceSheet& sheet, const RankedRunner& ranked);
    // The columns that mean something for this race.
    void showColumnsOf(const RaceSheet& sheet);
    // Columns wide enough for their texts: all measured, or only grown.
    void fitColumns(bool all);
    friend class SheetDelegate;
    QPointer<QWidget> editor_; // the cell editor open, if any
    // The widest text that changed in each column at the last showing.
    std::array<int, racetable::ColumnCount> widest_{};
};
