#include "sheettable.h"

#include "sheetdelegate.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <set>

SheetTable::SheetTable(QWidget* parent)
    : QTableView(parent), model_(new SheetModel(this)), order_(new SheetOrder(this)) {
    setObjectName(u"TabCourse"_qs);
    setAccessibleName(u"Partants, du plus rapide au plus lent"_qs);
    order_->setSourceModel(model_);
    order_->setSortRole(SheetModel::SortRole);
    setModel(order_);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setItemDelegate(new SheetDelegate(this));
    setAlternatingRowColors(true);
    horizontalHeader()->setSectionsClickable(true);
    // Fastest first until the user sorts by another column.
    setSortingEnabled(true);
    sortByColumn(racetable::Rank, Qt::AscendingOrder);
    horizontalHeader()->setToolTip(u"Cliquer sur un titre trie le tableau"_qs);
    // The race's own fields are above the table; copies and exports carry them.
    for (int c = racetable::FirstRaceColumn; c < racetable::ColumnCount; ++c)
        setColumnHidden(c, true);
    // The musique and the alerts beside the name, where the eye reads a runner
    // first; copies and exports keep the table's own order.
    horizontalHeader()->moveSection(horizontalHeader()->visualIndex(racetable::Musique),
                                    racetable::Name + 1);
    horizontalHeader()->moveSection(horizontalHeader()->visualIndex(racetable::Alerts),
                                    racetable::Name + 2);
    // Scrolled sideways past the horse's name, the row's header shows it.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &SheetTable::keepNameInSight);
}

void SheetTable::keepNameInSight() {
    verticalHeader()->setVisible(rowCount() > 0 && columnViewportPosition(racetable::Name) < 0);
}

void SheetTable::arrangeColumns(bool trot) {
    // What a punter reads first, at the left: at the trot the conditions of
    // today's run and the corrected reduction, on the flat the weight and the
    // estimate; the history's run used after them.
    using namespace racetable;
    // The chances and the market right after the gaps.
    static const std::vector<int> trotFirst{
        Rank,      Number, Name,     Musique,  DayRecul, DayShoeing, CorrectedReduction,
        GapMetres, Chance, Combined, FairOdds, Odds,     Value,      Outsider,
        Served,    Alerts};
    static const std::vector<int> flatFirst{
        Rank,     Number,   Name, DayWeight, Estimate, GapSeconds, GapLengths, Chance,
        Combined, FairOdds, Odds, Value,     Outsider, Served,     Musique,    Alerts};
    const auto& first = trot ? trotFirst : flatFirst;
    for (size_t i = 0; i < first.size(); ++i)
        horizontalHeader()->moveSection(horizontalHeader()->visualIndex(first[i]), int(i));
}

void SheetTable::setOnEdit(std::function<void(size_t, RunnerField, const QString&)> onEdit) {
    model_->onEdit = std::move(onEdit);
}

size_t SheetTable::runnerAt(int row) const {
    return order_->index(row, 0).data(SheetModel::RunnerRole).toULongLong();
}

int SheetTable::rowCount() const {
    return order_->rowCount();
}

int SheetTable::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int SheetTable::currentColumn() const {
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

QString SheetTable::text(int row, int column) const {
    return order_->index(row, column).data().toString();
}

QString SheetTable::toolTip(int row, int column) const {
    return order_->index(row, column).data(Qt::ToolTipRole).toString();
}

void SheetTable::setCurrentCell(int row, int column) {
    setCurrentIndex(order_->index(row, column));
}

std::vector<size_t> SheetTable::chosenRunners() const {
    // The rows chosen when the framed cell is among them; else the framed cell's
    // runner alone (a selection left elsewhere is not what Suppr means).
    std::set<int> rows;
    if (selectionModel()->isSelected(currentIndex()))
        for (const QModelIndex& index : selectionModel()->selectedIndexes())
            rows.insert(index.row());
    if (rows.empty() && currentRow() >= 0)
        rows.insert(currentRow());
    std::vector<size_t> out;
    for (int row : rows)
        out.push_back(runnerAt(row));
    return out;
}

std::vector<QStringList> SheetTable::rowsShown(bool chosenOnly) const {
    const std::vector<size_t> chosen = chosenOnly ? chosenRunners() : std::vector<size_t>{};
    std::vector<QStringList> out;
    for (int row = 0; row < rowCount(); ++row) {
        const size_t runner = runnerAt(row);
        if (chosen.empty() || std::find(chosen.begin(), chosen.end(), runner) != chosen.end())
            out.push_back(model_->rowOf(runner));
    }
    return out;
}

void SheetTable::show(const RaceSheet& sheet) {
    // An editor Tab opened in the next cell is opened again once the rows are
    // sorted anew: its runner may have moved.
    const bool editing = state() == QAbstractItemView::EditingState && editor_;
    showing_ = true;
    if (editing)
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    // A runner being edited cell after cell keeps its row until the edit ends.
    held_ = held_ || editing;
    order_->setDynamicSortFilter(!held_);
    const int column = currentColumn();
    // The runner of the current cell; the sheet's size (no runner) when none.
    const size_t runner = currentRow() >= 0 ? runnerAt(currentRow()) : sheet.runners.size();
    const bool sameRows = model_->rowCount() == int(sheet.runners.size()) && rowCount() > 0;
    showColumnsOf(sheet);
    const auto changed = model_->show(sheet);
    fitColumns(!sameRows, changed);
    // The same runners keep their rows; others: the cell goes back to its runner.
    if (!sameRows && runner < sheet.runners.size())
        setCurrentIndex(order_->mapFromSource(model_->index(int(runner), std::max(column, 0))));
    if (editing && currentIndex().isValid() && (currentIndex().flags() & Qt::ItemIsEditable))
        edit(currentIndex());
    keepNameInSight();
    showing_ = false;
}

void SheetTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (!showing_ && hint != QAbstractItemDelegate::EditNextItem &&
        hint != QAbstractItemDelegate::EditPreviousItem)
        QMetaObject::invokeMethod(this, &SheetTable::rankAgain, Qt::QueuedConnection);
}

void SheetTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (held_ && !showing_ && current.row() != previous.row())
        QMetaObject::invokeMethod(this, &SheetTable::rankAgain, Qt::QueuedConnection);
}

void SheetTable::rankAgain() {
    if (!held_ || state() == QAbstractItemView::EditingState)
        return;
    held_ = false;
    const QModelIndex at = order_->mapToSource(currentIndex());
    order_->setDynamicSortFilter(true);
    order_->sort(order_->sortColumn(), order_->sortOrder());
    if (at.isValid())
        setCurrentIndex(order_->mapFromSource(at));
}

namespace {

// Whether no runner of the sheet has what `has` looks for.
template <typename Has> bool none(const RaceSheet& sheet, Has has) {
    return std::none_of(sheet.runners.begin(), sheet.runners.end(), has);
}

// Whether the window hides column `c` for this sheet.
bool hiddenColumn(int c, const RaceSheet& sheet, bool trot, bool corrected, bool fed) {
    using namespace racetable;
    // The seconds twins of the times are for spreadsheets: copies and exports.
    if (c == EstimateSeconds || c == ReductionSeconds || c == CorrectedReductionSeconds ||
        c == TimeSeconds || c == OddsReference)
        return true;
    // Weights do not count at the trot.
    if (c == Weight || c == DayWeight)
        return trot;
    if (c == CorrectedReduction || c == CorrectedReductionSeconds || c == Corrections)
        return !corrected;
    if (c == Served || c == Comparable)
        return !fed;
    if (c == Musique || c == Alerts)
        return none(sheet, [c](const Runner& r) {
            return !(c == Musique ? r.musique : r.alerts).isEmpty();
        });
    // The market's columns once a runner has odds; the morning's odds show in
    // the tool tip of the latest.
    // The combined chance once fitted on enough races, and every runner with odds.
    if (c == Combined)
        return sheet.blend.races < blend::From ||
               !none(sheet, [](const Runner& r) { return !r.odds().has_value(); });
    if (c == Odds || c == Value || c == Outsider)
        return none(sheet, [](const Runner& r) { return r.odds().has_value(); });
    if (c == Finish)
        return none(sheet, [](const Runner& r) { return !r.finish.isEmpty(); });
    if (c == Blinkers)
        return none(sheet, [](const Runner& r) { return r.blinkers != calc::Blinkers::Unknown; });
    if (c == Rider || c == Trainer)
        return none(sheet,
                    [c](const Runner& r) { return !(c == Rider ? r.rider : r.trainer).isEmpty(); });
    return trotOnly(c) ? !trot : flatOnly(c) && trot;
}

} // namespace

void SheetTable::showColumnsOf(const RaceSheet& sheet) {
    // At the trot: gaps in metres, the conditions; the lengths mean nothing there.
    // Elsewhere the corrections show once a runner has any.
    const bool trot = isTrot(sheet.discipline);
    if (arrangedForTrot_ != trot)
        arrangeColumns(trot);
    arrangedForTrot_ = trot;
    // The history's columns once a runner was looked up in it, or one waits for a
    // reference: the column says why it has no estimate.
    const bool fed = std::any_of(sheet.runners.begin(), sheet.runners.end(), [](const Runner& r) {
        return !r.served.isEmpty() || !isRated(r);
    });
    const bool corrected =
        trot || std::any_of(sheet.runners.begin(), sheet.runners.end(),
                            [](const Runner& r) { return !r.corrections.isEmpty(); });
    for (int c = 0; c < racetable::FirstRaceColumn; ++c)
        setColumnHidden(c, hiddenColumn(c, sheet, trot, corrected, fed));
}

void SheetTable::fitColumns(bool all, const std::vector<std::pair<int, QString>>& changed) {
    constexpr int Arrow = 14; // room for the sort arrow beside each title
    if (all) {
        resizeColumnsToContents();
        for (int c = 0; c < racetable::ColumnCount; ++c)
            setColumnWidth(c, columnWidth(c) + Arrow);
        return;
    }
    // One runner edited: a column only grows, when a text that changed needs it;
    // the others are not measured again.
    for (const auto& [c, text] : changed)
        if (const int wide = fontMetrics().horizontalAdvance(text) + 8 + Arrow;
            wide > columnWidth(c))
            setColumnWidth(c, wide);
}
