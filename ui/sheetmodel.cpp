#include "sheetmodel.h"

#include <QColor>
#include <QFont>

#include "cells.h"
#include "musique.h"

#include <QTimer>
#include <limits>

namespace {

// A cell's number, for sorting: the French decimal comma read as a point.
QVariant numberOf(const QString& text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? QVariant(value) : QVariant(text);
}

bool textColumn(int column) {
    switch (column) {
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
    case racetable::Musique:
    case racetable::Outsider:
    case racetable::Rider:
    case racetable::Trainer:
    case racetable::Blinkers:
        return true;
    default:
        return false;
    }
}

// Numbers to the right; times and texts as they read.
bool rightAligned(int column) {
    switch (column) {
    case racetable::Estimate:
    case racetable::Reduction:
    case racetable::CorrectedReduction:
    case racetable::Time:
        return false;
    default:
        return column == racetable::Rank || !textColumn(column);
    }
}

// The row as the window shows it: unrated, a dash where the rank and the
// estimate go, and why beside it.
QStringList shownRow(const RaceSheet& sheet, const RankedRunner& ranked) {
    QStringList cells = racetable::row(sheet, ranked,
                                       isTrot(sheet.discipline) ? racetable::Notation::Tenths
                                                                : racetable::Notation::Hundredths);
    if (ranked.rank <= 0) {
        cells[racetable::Rank] = cells[racetable::Estimate] = u"—"_qs;
        if (cells[racetable::Served].isEmpty())
            cells[racetable::Served] = unratedReason(sheet.runners[ranked.index]);
    }
    return cells;
}

// "↑" when the odds rose by more than 20 % since the morning, "↓" when they fell
// as much; nothing otherwise.
QString oddsMove(const Runner& r) {
    if (!r.oddsReference || !r.oddsDirect)
        return QString();
    const double ratio = *r.oddsDirect / *r.oddsReference;
    return ratio > 1.2 ? u" ↑"_qs : ratio < 1 / 1.2 ? u" ↓"_qs : QString();
}

// A chance not drawn from the estimates is shown in italics.
QVariant marketFont(const RankedRunner& r, int column) {
    if ((column != racetable::Chance && column != racetable::FairOdds) ||
        r.chanceSource == chances::Chance::Source::Estimate)
        return {};
    QFont italic;
    italic.setItalic(true);
    return italic;
}

QString marketTip(const Runner& x, const RankedRunner& r, int column) {
    using Source = chances::Chance::Source;
    if ((column == racetable::Chance || column == racetable::FairOdds) &&
        r.chanceSource != Source::Estimate)
        return r.chanceSource == Source::Market
                   ? u"Sans estimation : la part que lui donne la cote"_qs
                   : u"Sans estimation ni cote : une part égale de ce qui reste"_qs;
    if (column == racetable::Odds && x.oddsReference)
        return u"Cote de référence (le matin) : %1"_qs.arg(cells::upTo(*x.oddsReference, 2));
    if (column == racetable::Value)
        return u"Chance × cote ÷ 100 : au-dessus de 1, la cote paie plus que la chance "
               "estimée"_qs;
    if (column == racetable::Outsider)
        return u"Cote au-dessus de deux fois le nombre de partants"_qs;
    return QString();
}

} // namespace

SheetModel::SheetModel(QObject* parent) : QAbstractTableModel(parent) {}

std::optional<RunnerField> SheetModel::fieldOf(int column) {
    using namespace racetable;
    static const std::vector<std::pair<int, RunnerField>> fields = {
        {Number, RunnerField::Number},
        {Name, RunnerField::Name},
        {Distance, RunnerField::ReferenceDistance},
        {Time, RunnerField::Time},
        {Weight, RunnerField::ReferenceWeight},
        {Margin, RunnerField::Margin},
        {Going, RunnerField::Going},
        {DayWeight, RunnerField::DayWeight},
        {EstimateTime, RunnerField::EstimateSource},
        {ReductionTime, RunnerField::ReductionSource},
        {ReferenceDiscipline, RunnerField::ReferenceDiscipline},
        {ReferenceStart, RunnerField::ReferenceStart},
        {ReferenceShoeing, RunnerField::ReferenceShoeing},
        {ReferenceRecul, RunnerField::ReferenceRecul},
        {DayShoeing, RunnerField::DayShoeing},
        {DayRecul, RunnerField::DayRecul},
        {ReferenceDate, RunnerField::ReferenceDate},
        {ReferenceHippodrome, RunnerField::ReferenceHippodrome},
    };
    for (const auto& [c, field] : fields)
        if (c == column)
            return field;
    return std::nullopt;
}

std::vector<std::pair<int, QString>> SheetModel::show(const RaceSheet& sheet) {
    const size_t n = sheet.runners.size();
    std::vector<RankedRunner> ranks(n, RankedRunner{0, 0, 0, 0});
    for (const RankedRunner& r : ranked(sheet))
        ranks[r.index] = r;
    std::vector<QStringList> cells(n);
    for (size_t i = 0; i < n; ++i)
        cells[i] = shownRow(sheet, ranks[i]);
    // The same runners: only their texts change, and a view keeps its rows (and
    // the current cell on its runner) as it sorts them again.
    const bool same = n == sheet_.runners.size() && n > 0;
    std::vector<std::pair<int, QString>> changed;
    for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < racetable::ColumnCount; ++c)
            if (!same || cells_[i][c] != cells[i][c])
                changed.emplace_back(c, cells[i][c]);
    if (!same)
        beginResetModel();
    sheet_ = sheet;
    ranks_ = std::move(ranks);
    cells_ = std::move(cells);
    if (!same)
        endResetModel();
    else if (!changed.empty())
        emit dataChanged(index(0, 0), index(int(n) - 1, racetable::ColumnCount - 1));
    return changed;
}

QStringList SheetModel::rowOf(size_t runner) const {
    return racetable::row(sheet_, ranks_[runner]);
}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(cells_.size());
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : racetable::ColumnCount;
}

QVariant SheetModel::sortKey(size_t runner, int column) const {
    const QStringList& cells = cells_[runner];
    const bool rated = ranks_[runner].rank > 0;
    switch (column) {
    case racetable::Rank:
    case racetable::Estimate:
        // The unrated sort after the rated.
        if (!rated)
            return std::numeric_limits<double>::max();
        return column == racetable::Rank ? double(ranks_[runner].rank)
                                         : sheet_.runners[runner].estimateHundredths;
    case racetable::Reduction:
        return numberOf(cells[racetable::ReductionSeconds]);
    case racetable::CorrectedReduction:
        return numberOf(cells[racetable::CorrectedReductionSeconds]);
    case racetable::Time:
        return numberOf(cells[racetable::TimeSeconds]);
    default:
        return textColumn(column) ? QVariant(cells[column]) : numberOf(cells[column]);
    }
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= cells_.size())
        return {};
    const size_t runner = size_t(index.row());
    const int column = index.column();
    const QString& text = cells_[runner][column];
    switch (role) {
    case Qt::DisplayRole:
        return column == racetable::Odds ? text + oddsMove(sheet_.runners[runner]) : text;
    case Qt::EditRole:
        return text;
    case Qt::FontRole:
        return marketFont(ranks_[runner], column);
    case Qt::BackgroundRole:
        // Value from 1,10: the odds pay 10 % more than the chance is worth.
        if (column == racetable::Value && numberOf(text).toDouble() >= 1.10)
            return QColor(0xd4, 0xef, 0xd0);
        return {};
    case Qt::ToolTipRole:
        if (const QString tip = marketTip(sheet_.runners[runner], ranks_[runner], column);
            !tip.isEmpty())
            return tip;
        if (column == racetable::Musique && !text.isEmpty())
            return musique::explained(text);
        if ((column == racetable::Rank || column == racetable::Estimate) &&
            ranks_[runner].rank <= 0)
            return unratedReason(sheet_.runners[runner]);
        return {};
    case Qt::TextAlignmentRole:
        return rightAligned(column) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    case SortRole:
        return sortKey(runner, column);
    case RunnerRole:
        return qulonglong(runner);
    default:
        return {};
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < racetable::ColumnCount)
        return racetable::header()[section];
    // The horse's name at the left of its row, where it stays while the table
    // scrolls sideways.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && section >= 0 &&
        size_t(section) < sheet_.runners.size()) {
        const Runner& r = sheet_.runners[size_t(section)];
        return (r.number.isEmpty() ? QString() : r.number + u' ') + r.name;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return fieldOf(index.column()) ? base | Qt::ItemIsEditable : base;
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const auto field = fieldOf(index.column());
    const QString text = value.toString();
    if (role != Qt::EditRole || !field || !index.isValid() || !onEdit ||
        text == data(index, Qt::EditRole).toString())
        return false;
    // Handed on once the editor is closed; the sheet shown again says what held.
    QTimer::singleShot(0, this, [this, runner = size_t(index.row()), f = *field, text] {
        if (onEdit)
            onEdit(runner, f, text);
    });
    return true;
}

bool SheetOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(SheetModel::SortRole), b = right.data(SheetModel::SortRole);
    const bool an = a.typeId() == QMetaType::Double, bn = b.typeId() == QMetaType::Double;
    if (an && bn)
        return a.toDouble() < b.toDouble();
    if (an || bn)
        return an; // numbers before empty cells
    return QString::localeAwareCompare(left.data().toString(), right.data().toString()) < 0;
}
