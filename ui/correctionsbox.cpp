#include "correctionsbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CorrectionsBox::CorrectionsBox(const calc::CorrectionTable& current, QWidget* parent)
    : QGroupBox(QStringLiteral("Corrections de la réduction (s/km, course du jour)"), parent),
      form_(CorrectionsForm::of(current)) {
    setObjectName(QStringLiteral("groupeCorrections"));
    auto* grid = new QGridLayout(this);
    auto* note = new QLabel(QStringLiteral(
        "Chaque correction vaut l'effet de la condition du jour moins celui de la course de "
        "référence ; une condition inconnue d'un côté n'en donne aucune."));
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 2);
    const QStringList labels = form_.labels();
    for (int i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(labels[i] + u" :"_qs);
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("correction%1").arg(i));
        edit->setAccessibleName(QStringLiteral("Correction, %1, secondes par km").arg(labels[i]));
        edit->setMaximumWidth(60);
        edit->setAlignment(Qt::AlignRight);
        label->setBuddy(edit);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(edit, i + 1, 1);
        cells_.push_back(edit);
    }
    auto* reset = new QPushButton(QStringLiteral("Corrections d'&origine"));
    reset->setObjectName(QStringLiteral("correctionsOrigine"));
    reset->setAccessibleName(QStringLiteral("Remettre les corrections d'origine"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] {
        form_.reset();
        push();
    });
    grid->addWidget(reset, static_cast<int>(labels.size()) + 1, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(static_cast<int>(labels.size()) + 2, 1);
    push();
}

void CorrectionsBox::pull() {
    for (size_t i = 0; i < cells_.size(); ++i)
        form_.cells[static_cast<qsizetype>(i)] = cells_[i]->text();
}

void CorrectionsBox::push() {
    for (size_t i = 0; i < cells_.size(); ++i)
        cells_[i]->setText(form_.cells[static_cast<qsizetype>(i)]);
}
