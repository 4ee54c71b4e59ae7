#pragma once
// The horse list as a model for a list view.

#include "horselist.h"
#include "listfile.h"

#include <QAbstractListModel>

class HorseListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // Whether an entry is not yet in the file (the view shows it in italics).
    static constexpr int UnsavedRole = Qt::UserRole;

    const HorseList& list() const { return list_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void add(const QString& line);
    FileResult load(const QString& path);
    FileResult save(const QString& path) { return saveListFile(path, list_); }
    void clear();
    bool removeUnsaved(int row);
    // A saved entry changed to `line`, or taken out when none, in the file too.
    FileResult rewrite(const QString& path, int row, const std::optional<QString>& line);

  private:
    HorseList list_;
};
