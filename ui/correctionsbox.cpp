#include "correctionsbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CorrectionsBox::CorrectionsBox(const calc::CorrectionTable& current, QWidget* parent)
    : QGroupBox(u"Corrections de la réduction (s/km, course du jour)"_qs, parent),
      form_(CorrectionsForm::of(current)) {
    setObjectName(u"groupeCorrections"_qs);
    auto* grid = new QGridLayout(this);
    auto* note = new QLabel(
        u"Chaque correction vaut l'effet de la condition du jour moins celui de la course de "
        "référence ; une condition inconnue d'un côté n'en donne aucune."_qs);
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 2);
    const QStringList labels = form_.labels();
    for (int i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(labels[i] + u" :"_qs);
        auto* edit = new QLineEdit;
        edit->setObjectName(u"correction%1"_qs.arg(i));
        edit->setAccessibleName(u"Correction, %1, secondes par km"_qs.arg(labels[i]));
        edit->setMaximumWidth(60);
        edit->setAlignment(Qt::AlignRight);
        label->setBuddy(edit);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(edit, i + 1, 1);
        cells_.push_back(edit);
    }
    auto* reset = new QPushButton(u"Corrections d'&origine"_qs);
    reset->setObjectName(u"correctionsOrigine"_qs);
    reset->setAccessibleName(u"Remettre les corrections d'origine"_qs);
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
