#include "qtdialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A long summary (a year of files, a line a day) would outgrow the screen: its
// first lines, the whole behind the details button.
void setText(QMessageBox& box, const QString& text) {
    constexpr qsizetype Shown = 12;
    const QStringList lines = text.split(u'\n');
    if (lines.size() <= Shown + 4) {
        box.setText(text);
        return;
    }
    box.setText(lines.first(Shown).join(u'\n') +
                u"\n… et %1 lignes de plus, dans les détails."_qs.arg(lines.size() - Shown));
    box.setDetailedText(text);
}

} // namespace

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Icon icon,
                                   Buttons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    setText(box, text);
    box.setIcon(icon == Icon::Critical      ? QMessageBox::Critical
                : icon == Icon::Information ? QMessageBox::Information
                : icon == Icon::Question    ? QMessageBox::Question
                                            : QMessageBox::NoIcon);
    if (buttons == Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(u"Annuler"_qs);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<QString> QtDialogs::prompt(const QString& text, const QString& title,
                                         const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(u"prompt"_qs);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(u"OK"_qs);
    dialog.setCancelButtonText(u"Annuler"_qs);
    dialog.setWindowModality(Qt::ApplicationModal);
    // A text offered is selected: typing replaces it, Enter keeps it.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* line = dialog.findChild<QLineEdit*>())
            line->selectAll();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

int QtDialogs::question(const QString& text, const QString& title, const QStringList& buttons,
                        int defaultButton, int escapeButton) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    setText(box, text);
    box.setIcon(QMessageBox::Question);
    QList<QPushButton*> pushButtons;
    for (const QString& caption : buttons)
        pushButtons << box.addButton(caption, QMessageBox::ActionRole);
    box.setDefaultButton(pushButtons.value(defaultButton));
    box.setEscapeButton(pushButtons.value(escapeButton));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    const auto pressed = pushButtons.indexOf(box.clickedButton());
    return pressed >= 0 ? static_cast<int>(pressed) : escapeButton;
}

namespace {

// Shows only the items holding the filter's text; the first shown is chosen.
void filterItems(QListWidget* list, const QString& filter) {
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        item->setHidden(!item->text().contains(filter.trimmed(), Qt::CaseInsensitive));
        if (!first && !item->isHidden())
            first = item;
    }
    if (!list->currentItem() || list->currentItem()->isHidden())
        list->setCurrentItem(first);
}

// The filter passes the arrows and page keys to the list, so that the choice is
// made without leaving it.
class FilterBox : public QLineEdit {
  public:
    FilterBox(QListWidget* list, QWidget* parent) : QLineEdit(parent), list_(list) {}

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        const int k = e->key();
        if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp || k == Qt::Key_PageDown)
            QCoreApplication::sendEvent(list_, e);
        else
            QLineEdit::keyPressEvent(e);
    }

  private:
    QListWidget* list_;
};

} // namespace

std::optional<QString> QtDialogs::choose(const QString& text, const QString& title,
                                         const QStringList& items, const QString& initial) {
    // A list of a dozen lines and a filter: a programme of 60 races fits a
    // small screen.
    QDialog dialog(parent_);
    dialog.setObjectName(u"choice"_qs);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(text, &dialog);
    label->setWordWrap(true);
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(u"Choix"_qs);
    list->addItems(items);
    list->setMaximumHeight(list->sizeHintForRow(0) * 12 + 2 * list->frameWidth());
    auto* filter = new FilterBox(list, &dialog);
    filter->setAccessibleName(u"Filtre"_qs);
    filter->setPlaceholderText(u"filtrer : une partie de la ligne (R1C3, un nom, une date…)"_qs);
    label->setBuddy(filter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Annuler"_qs);
    layout->addWidget(label);
    layout->addWidget(filter);
    layout->addWidget(list);
    layout->addWidget(buttons);
    QObject::connect(filter, &QLineEdit::textChanged, list,
                     [list](const QString& t) { filterItems(list, t); });
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto offered = list->findItems(initial, Qt::MatchStartsWith);
    list->setCurrentItem(offered.isEmpty() ? list->item(0) : offered.front());
    filter->setFocus();
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem() ||
        list->currentItem()->isHidden())
        return std::nullopt;
    return list->currentItem()->text();
}

QString chosenCsvPath(QWidget* over, const QString& title, const QString& fileName) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(over, title, QDir(documents).filePath(fileName),
                                        u"Fichiers CSV (*.csv)"_qs);
}
