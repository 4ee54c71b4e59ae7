#include "sheetdelegate.h"

#include "corrections.h"
#include "racetable.h"
#include "sheettable.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The choices of a column whose cell takes one of a few values; none for a
// column typed freely.
QStringList choicesOf(int column) {
    using namespace calc;
    switch (column) {
    case racetable::EstimateTime:
    case racetable::ReductionTime:
        return {racetable::timeSource(false), racetable::timeSource(true)};
    case racetable::ReferenceDiscipline:
        return {QString(), Flat, Jumps, TrotHarness, TrotMounted};
    case racetable::ReferenceStart:
        return {QString(), startName(Start::Autostart), startName(Start::Volte)};
    case racetable::ReferenceShoeing:
    case racetable::DayShoeing:
        return {QString(), shoeingName(Shoeing::Shod), shoeingName(Shoeing::D4),
                shoeingName(Shoeing::DA), shoeingName(Shoeing::DP)};
    default:
        return {};
    }
}

} // namespace

SheetDelegate::SheetDelegate(SheetTable* table) : QStyledItemDelegate(table), table_(table) {}

QWidget* SheetDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* editor = nullptr;
    if (const QStringList choices = choicesOf(index.column()); !choices.isEmpty()) {
        auto* box = new QComboBox(parent);
        box->addItems(choices);
        editor = box;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    editor->setAccessibleName(
        table_->model()->headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString());
    table_->editor_ = editor;
    return editor;
}

void SheetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor))
        box->setCurrentText(index.data().toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}
