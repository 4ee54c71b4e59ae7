#pragma once
// The sheet table's cell editor: a list for a column of a few values, a line
// otherwise. What is typed goes to the model as text; the model hands it on.

#include <QStyledItemDelegate>

class SheetTable;

class SheetDelegate : public QStyledItemDelegate {
  public:
    explicit SheetDelegate(SheetTable* table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

  private:
    SheetTable* table_;
};
