#include "sheetdelegate.h"

#include "corrections.h"
#include "racetable.h"
#include "sheettable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

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
    editor->setAccessibleName(table_->horizontalHeaderItem(index.column())->text());
    table_->editor_ = editor;
    return editor;
}

void SheetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor))
        box->setCurrentText(index.data().toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void SheetDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                 const QModelIndex& index) const {
    const auto field = SheetTable::fieldOf(index.column());
    QString text;
    if (auto* box = qobject_cast<QComboBox*>(editor))
        text = box->currentText();
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        text = line->text();
    if (!field || text == index.data().toString() || !table_->onEdit)
        return;
    const size_t runner = table_->runnerAt(index.row());
    QTimer::singleShot(0, table_,
                       [t = table_, runner, f = *field, text] { t->onEdit(runner, f, text); });
}
