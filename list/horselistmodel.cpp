#include "horselistmodel.h"

#include <limits>

int HorseListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    // A view counts rows in an int; beyond that the list keeps its lines unseen.
    return static_cast<int>(std::min<qsizetype>(list_.count(), std::numeric_limits<int>::max()));
}

QVariant HorseListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.count())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return list_.at(index.row());
    return QVariant();
}

void HorseListModel::add(const QString& line) {
    const qsizetype place = list_.placeFor(line);
    beginInsertRows(QModelIndex(), static_cast<int>(place), static_cast<int>(place));
    list_.insert(place, line);
    endInsertRows();
}

ListFileResult HorseListModel::load(const QString& path) {
    beginResetModel();
    ListFileResult result = loadListFile(path, list_);
    endResetModel();
    return result;
}

void HorseListModel::clear() {
    beginResetModel();
    list_.clear();
    endResetModel();
}

bool HorseListModel::removeUnsaved(int row) {
    if (row < 0 || row >= list_.count() || !list_.isUnsaved(row))
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    list_.removeUnsaved(row);
    endRemoveRows();
    return true;
}
