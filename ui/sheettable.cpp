#include "sheettable.h"

#include "musique.h"
#include "racetable.h"
#include "sheetdelegate.h"

#include <QHeaderView>
#include <limits>
#include <set>

namespace {

constexpr int SortKey = Qt::UserRole;         // what a column sorts by
constexpr int RunnerIndex = Qt::UserRole + 1; // the runner's place in the sheet

// Sorts by the number or text kept under SortKey, so that "10" comes after "9"
// and times sort as times.
class Cell : public QTableWidgetItem {
  public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(SortKey), b = other.data(SortKey);
        if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double)
            return a.toDouble() < b.toDouble();
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
            return a.typeId() == QMetaType::Double; // numbers before empty cells
        return QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

// A cell's number, for sorting: the French decimal comma read as a point.
QVariant numberOf(const QString& text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? QVariant(value) : QVariant(text);
}

} // namespace

SheetTable::SheetTable(QWidget* parent) : QTableWidget(0, racetable::ColumnCount, parent) {
    setObjectName(u"TabCourse"_qs);
    setAccessibleName(u"Partants, du plus rapide au plus lent"_qs);
    setHorizontalHeaderLabels(racetable::header());
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setItemDelegate(new SheetDelegate(this));
    setAlternatingRowColors(true);
    horizontalHeader()->setSectionsClickable(true);
    // Fastest first until the user sorts by another column.
    horizontalHeader()->setSortIndicator(racetable::Rank, Qt::AscendingOrder);
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
}

std::optional<RunnerField> SheetTable::fieldOf(int column) {
    switch (column) {
    case racetable::Number:
        return RunnerField::Number;
    case racetable::Name:
        return RunnerField::Name;
    case racetable::Distance:
        return RunnerField::ReferenceDistance;
    case racetable::Time:
        return RunnerField::Time;
    case racetable::Weight:
        return RunnerField::ReferenceWeight;
    case racetable::Margin:
        return RunnerField::Margin;
    case racetable::Going:
        return RunnerField::Going;
    case racetable::DayWeight:
        return RunnerField::DayWeight;
    case racetable::EstimateTime:
        return RunnerField::EstimateSource;
    case racetable::ReductionTime:
        return RunnerField::ReductionSource;
    case racetable::ReferenceDiscipline:
        return RunnerField::ReferenceDiscipline;
    case racetable::ReferenceStart:
        return RunnerField::ReferenceStart;
    case racetable::ReferenceShoeing:
        return RunnerField::ReferenceShoeing;
    case racetable::ReferenceRecul:
        return RunnerField::ReferenceRecul;
    case racetable::DayShoeing:
        return RunnerField::DayShoeing;
    case racetable::DayRecul:
        return RunnerField::DayRecul;
    case racetable::ReferenceDate:
        return RunnerField::ReferenceDate;
    case racetable::ReferenceHippodrome:
        return RunnerField::ReferenceHippodrome;
    default:
        return std::nullopt;
    }
}

size_t SheetTable::runnerAt(int row) const {
    return item(row, 0)->data(RunnerIndex).toULongLong();
}

std::vector<size_t> SheetTable::chosenRunners() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && currentRow() >= 0)
        rows.insert(currentRow());
    std::vector<size_t> out;
    for (int row : rows)
        out.push_back(runnerAt(row));
    return out;
}

std::vector<QStringList> SheetTable::rowsShown(const RaceSheet& sheet, bool chosenOnly) const {
    const std::vector<RankedRunner> ranked = ::ranked(sheet);
    std::vector<size_t> chosen = chosenOnly ? chosenRunners() : std::vector<size_t>{};
    std::vector<QStringList> out;
    for (int row = 0; row < rowCount(); ++row) {
        const size_t index = runnerAt(row);
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), index) == chosen.end())
            continue;
        for (const RankedRunner& r : ranked)
            if (r.index == index)
                out.push_back(racetable::row(sheet, r));
    }
    return out;
}

void SheetTable::show(const RaceSheet& sheet) {
    // An editor Tab opened in the next cell is opened again once the rows are
    // sorted anew: its runner may have moved.
    const bool editing = state() == QAbstractItemView::EditingState && editor_;
    if (editing)
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    const int column = currentColumn();
    // The runner of the current cell; the sheet's size (no runner) when none.
    const size_t runner = currentRow() >= 0 ? runnerAt(currentRow()) : sheet.runners.size();
    const int sortColumn = horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder order = horizontalHeader()->sortIndicatorOrder();
    setSortingEnabled(false);
    widest_.fill(0);
    const std::vector<RankedRunner> ranked = ::ranked(sheet);
    showColumnsOf(sheet);
    const bool sameRows = rowCount() == static_cast<int>(ranked.size()) && rowCount() > 0;
    setRowCount(static_cast<int>(ranked.size()));
    for (size_t i = 0; i < ranked.size(); ++i)
        fillRow(static_cast<int>(i), sheet, ranked[i]);
    fitColumns(!sameRows);
    setSortingEnabled(true);
    sortByColumn(sortColumn, order);
    for (int row = 0; row < rowCount(); ++row)
        if (runnerAt(row) == runner)
            setCurrentCell(row, std::max(column, 0), QItemSelectionModel::NoUpdate);
    if (editing && currentItem() && (currentItem()->flags() & Qt::ItemIsEditable))
        editItem(currentItem());
}

void SheetTable::showColumnsOf(const RaceSheet& sheet) {
    // At the trot: gaps in metres, the conditions; the lengths mean nothing there.
    // Elsewhere the corrections show once a runner has any.
    const bool trot = isTrot(sheet.discipline);
    // The history's columns once a runner was looked up in it, or one waits for a
    // reference: the column says why it has no estimate.
    const bool fed = std::any_of(sheet.runners.begin(), sheet.runners.end(), [](const Runner& r) {
        return !r.served.isEmpty() || !isRated(r);
    });
    const bool corrected =
        trot || std::any_of(sheet.runners.begin(), sheet.runners.end(),
                            [](const Runner& r) { return !r.corrections.isEmpty(); });
    for (int c = 0; c < racetable::FirstRaceColumn; ++c) {
        bool hidden = racetable::trotOnly(c) ? !trot : racetable::flatOnly(c) && trot;
        if (c == racetable::CorrectedReduction || c == racetable::CorrectedReductionSeconds ||
            c == racetable::Corrections)
            hidden = !corrected;
        if (c == racetable::Served || c == racetable::Comparable)
            hidden = !fed;
        if (c == racetable::Musique || c == racetable::Alerts)
            hidden = std::none_of(sheet.runners.begin(), sheet.runners.end(), [c](const Runner& r) {
                return !(c == racetable::Musique ? r.musique : r.alerts).isEmpty();
            });
        setColumnHidden(c, hidden);
    }
}

void SheetTable::fitColumns(bool all) {
    constexpr int Arrow = 14; // room for the sort arrow beside each title
    if (all) {
        resizeColumnsToContents();
        for (int c = 0; c < racetable::ColumnCount; ++c)
            setColumnWidth(c, columnWidth(c) + Arrow);
        return;
    }
    // One runner edited: a column only grows, when a text that changed needs it;
    // the others are not measured again.
    for (int c = 0; c < racetable::ColumnCount; ++c)
        if (widest_[c] + Arrow > columnWidth(c))
            setColumnWidth(c, widest_[c] + Arrow);
}

void SheetTable::fillRow(int row, const RaceSheet& sheet, const RankedRunner& ranked) {
    const Runner& runner = sheet.runners[ranked.index];
    QStringList cells = racetable::row(sheet, ranked,
                                       isTrot(sheet.discipline) ? racetable::Notation::Tenths
                                                                : racetable::Notation::Hundredths);
    // Unrated: a dash where the rank and the estimate go, and why beside it.
    const bool rated = ranked.rank > 0;
    if (!rated) {
        cells[racetable::Rank] = cells[racetable::Estimate] = u"—"_qs;
        if (cells[racetable::Served].isEmpty())
            cells[racetable::Served] = unratedReason(runner);
    }
    for (int c = 0; c < racetable::ColumnCount; ++c) {
        // The table's own items, kept from one showing to the next: fewer to make.
        QTableWidgetItem* item = this->item(row, c);
        if (!item) {
            item = new Cell;
            setItem(row, c, item);
        }
        if (item->text() != cells[c]) {
            item->setText(cells[c]);
            widest_[c] = std::max(widest_[c], fontMetrics().horizontalAdvance(cells[c]) + 8);
        }
        switch (c) {
        case racetable::Name:
        case racetable::Going:
        case racetable::Corrections:
        case racetable::ReferenceDiscipline:
        case racetable::ReferenceStart:
        case racetable::ReferenceShoeing:
        case racetable::DayShoeing:
        case racetable::EstimateTime:
        case racetable::ReductionTime:
        case racetable::Scale:
        case racetable::Alerts:
            item->setData(SortKey, cells[c]);
            break;
        case racetable::Musique:
            item->setData(SortKey, cells[c]);
            item->setToolTip(cells[c].isEmpty() ? QString() : musique::explained(cells[c]));
            break;
        case racetable::Estimate:
        case racetable::Rank:
            // The unrated sort after the rated.
            item->setData(SortKey, rated ? (c == racetable::Rank ? double(ranked.rank)
                                                                 : runner.estimateHundredths)
                                         : std::numeric_limits<double>::max());
            item->setToolTip(rated ? QString() : unratedReason(runner));
            if (c == racetable::Rank)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case racetable::Reduction:
            item->setData(SortKey, numberOf(cells[racetable::ReductionSeconds]));
            break;
        case racetable::CorrectedReduction:
            item->setData(SortKey, numberOf(cells[racetable::CorrectedReductionSeconds]));
            break;
        case racetable::Time:
            item->setData(SortKey, numberOf(cells[racetable::TimeSeconds]));
            break;
        default:
            item->setData(SortKey, numberOf(cells[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        item->setData(RunnerIndex, static_cast<qulonglong>(ranked.index));
        if (!fieldOf(c))
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
}
