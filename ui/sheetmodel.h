#pragma once
// The race sheet as a table model: one row per runner in the order they were
// added (a view sorts them), one column per racetable column. It shows what the
// sheet holds and hands an edit on as it was typed: the sheet decides, once the
// editor is closed, so that a question it asks cannot close the editor twice.

#include "racesheet.h"
#include "racetable.h"
#include "runnerfields.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <functional>
#include <optional>
#include <vector>

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // What a column sorts by: a number, or the text itself.
    static constexpr int SortRole = Qt::UserRole;
    // The runner's place in the sheet.
    static constexpr int RunnerRole = Qt::UserRole + 1;

    explicit SheetModel(QObject* parent = nullptr);

    // Called, once the editor is closed, with the runner's place in the sheet,
    // the input and the text typed.
    std::function<void(size_t runner, RunnerField field, const QString& text)> onEdit;

    // Shows `sheet`; gives the texts that changed, by column (all of them when
    // the runners are not the same ones).
    std::vector<std::pair<int, QString>> show(const RaceSheet& sheet);
    const RaceSheet& sheet() const { return sheet_; }
    // The row of the ranked runner of `index`, as copies and exports write it.
    QStringList rowOf(size_t runner) const;

    static std::optional<RunnerField> fieldOf(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    QVariant sortKey(size_t runner, int column) const;
    RaceSheet sheet_;
    std::vector<RankedRunner> ranks_; // by runner
    std::vector<QStringList> cells_;  // by runner, as the window shows them
};

// Sorts a sheet's rows by what each column sorts by: "10" after "9", times as
// times, numbers before empty cells, runners without an estimate last by rank.
class SheetOrder : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
