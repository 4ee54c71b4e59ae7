#include "qtdialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Icon icon,
                                   Buttons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(icon == Icon::Critical      ? QMessageBox::Critical
                : icon == Icon::Information ? QMessageBox::Information
                                            : QMessageBox::NoIcon);
    if (buttons == Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

QString QtDialogs::prompt(const QString& text, const QString& title) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("prompt"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    dialog.setWindowModality(Qt::ApplicationModal);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
