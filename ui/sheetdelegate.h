#pragma once
// The sheet table's cell editor: a list for a column of a few values, a line
// otherwise. It hands a typed text on rather than writing it into the table:
// the sheet decides, after the editor is closed, so that a question it asks
// cannot close it twice.

#include <QStyledItemDelegate>

class SheetTable;

class SheetDelegate : public QStyledItemDelegate {
  public:
    explicit SheetDelegate(SheetTable* table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    SheetTable* table_;
};
