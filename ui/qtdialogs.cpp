#include "qtdialogs.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Icon icon,
                                   Buttons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
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
    box.setText(text);
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
