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
    const bool unsaved = list_.isUnsaved(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return list_.at(index.row());
    case Qt::ToolTipRole:
        // The whole line, which the list may cut on the right, and what the italics say.
        return unsaved ? list_.at(index.row()) +
                             u"\n(en italique : pas encore sauvegardé dans le fichier)"_qs
                       : list_.at(index.row());
    case UnsavedRole:
        return unsaved;
    default:
        return QVariant();
    }
}

void HorseListModel::add(const QString& line) {
    const qsizetype place = list_.placeFor(line);
    beginInsertRows(QModelIndex(), static_cast<int>(place), static_cast<int>(place));
    list_.insert(place, line);
    endInsertRows();
}

FileResult HorseListModel::load(const QString& path) {
    beginResetModel();
    FileResult result = loadListFile(path, list_);
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

FileResult HorseListModel::rewrite(const QString& path, int row,
                                   const std::optional<QString>& line) {
    beginResetModel();
    FileResult result = rewriteListLine(path, list_, row, line);
    endResetModel();
    return result;
}
