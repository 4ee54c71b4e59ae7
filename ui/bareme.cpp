#include "bareme.h"

#include "chancesbox.h"
#include "chancesfit.h"

#include "correctionsbox.h"
#include "correctionsettings.h"
#include "qtdialogs.h"
#include "sheetedit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* rule(const QString& caption, const char* name, const QString& group) {
    auto* r = new QRadioButton(caption);
    r->setObjectName(QLatin1String(name));
    r->setAccessibleName(group + u" : "_qs + QString(caption).remove(u'&'));
    return r;
}

QComboBox* choices(const char* name, const QStringList& items, const QString& accessible) {
    auto* c = new QComboBox;
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    c->setAccessibleName(accessible);
    return c;
}

const QString LengthsTitle = u"Longueurs par seconde"_qs;
const QString WeightTitle = u"Poids"_qs;

} // namespace

void chooseScale(AppState& state, QWidget* over) {
    Bareme dialog(state.settings(), over);
    dialog.chances()->setRefit(
        [&state] { return refitChances(state, QDate::currentDate()).message; });
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The sheet's runners follow the rules now in force, as they would at the next start.
    QtDialogs dialogs(over);
    if (recomputeSheet(state.raceDay(), {state.scale(), state.corrections()}, dialogs,
                       QDateTime::currentDateTime()))
        state.sheetEdited();
}

Bareme::Bareme(Settings& settings, QWidget* parent, const std::optional<scale::Scale>& shown)
    : QDialog(parent), form_(ScaleForm::of(shown.value_or(settings.scale()))), settings_(settings) {
    const calc::CorrectionTable& corrections = settings.corrections();
    setObjectName(u"Bareme"_qs);
    setWindowTitle(u"Barème"_qs);
    auto* outer = new QHBoxLayout(this);
    // The corrections and the chances stand taller than the scale: room for all.
    outer->setSizeConstraint(QLayout::SetMinimumSize);
    auto* layout = new QVBoxLayout;
    outer->addLayout(layout);
    corrections_ = new CorrectionsBox(corrections, this);
    auto* right = new QVBoxLayout;
    right->addWidget(corrections_);
    chances_ = new ChancesBox(settings, this);
    right->addWidget(chances_);
    right->addStretch();
    outer->addLayout(right);
    layout->addWidget(lengthsGroup());
    layout->addWidget(weightGroup());
    auto* note = new QLabel(
        u"La réduction kilométrique tirée du chrono seul ne dépend d'aucun barème. Un chrono + "
        "longueur, un chrono estimé ou un écart calculé avec un autre barème que celui d'origine "
        "le dit : la ligne « Barème » de la fenêtre principale et la colonne « Barème » de la "
        "course du jour nomment celui qui a servi."_qs);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_qs);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Annuler"_qs);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    push();
}

QWidget* Bareme::lengthsGroup() {
    auto* group = new QGroupBox(LengthsTitle + u" (écart à l'arrivée)"_qs);
    group->setObjectName(u"groupeLongueurs"_qs);
    auto* layout = new QVBoxLayout(group);
    lengthsRules_ = {
        rule(u"&1,5 longueur par seconde (barème d'origine)"_qs, "longueursOrigine", LengthsTitle),
        rule(u"Selon la &discipline et le terrain"_qs, "longueursTerrain", LengthsTitle),
        rule(u"Selon la &vitesse de la course"_qs, "longueursVitesse", LengthsTitle)};
    layout->addWidget(lengthsRules_[0]);
    layout->addWidget(lengthsRules_[1]);
    layout->addLayout(raceKind());
    layout->addLayout(lengthsTable());
    layout->addWidget(lengthsRules_[2]);
    layout->addLayout(lengthSize());
    return group;
}

// The discipline and going of the race, which pick the table's cell.
QHBoxLayout* Bareme::raceKind() {
    QStringList disciplines, goings;
    for (int d = 0; d < scale::DisciplineCount; ++d)
        disciplines << scale::disciplineName(static_cast<scale::Discipline>(d));
    for (int g = 0; g < scale::GoingCount; ++g)
        goings << scale::goingName(static_cast<scale::Going>(g));
    discipline_ = choices("discipline", disciplines, u"Discipline de la course"_qs);
    going_ = choices("terrain", goings, u"Terrain de la course"_qs);
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    auto* disciplineLabel = new QLabel(u"Disci&pline :"_qs);
    disciplineLabel->setBuddy(discipline_);
    auto* goingLabel = new QLabel(u"&Terrain :"_qs);
    goingLabel->setBuddy(going_);
    row->addWidget(disciplineLabel);
    row->addWidget(discipline_);
    row->addWidget(goingLabel);
    row->addWidget(going_);
    row->addStretch();
    return row;
}

// The size of a length, for the race-speed rule.
QHBoxLayout* Bareme::lengthSize() {
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    metresPerLength_ = cell(ScaleForm::MetresPerLengthName, u"Taille d'une longueur, en mètres"_qs);
    auto* metresLabel = new QLabel(u"Une longueur &mesure (m) :"_qs);
    metresLabel->setBuddy(metresPerLength_);
    auto* reset =
        resetButton("retablirMetres", u"Rétablir 2,4 m"_qs,
                    u"Rétablir la longueur de 2,4 mètres"_qs, &ScaleForm::resetMetresPerLength);
    row->addWidget(metresLabel);
    row->addWidget(metresPerLength_);
    row->addWidget(reset);
    row->addStretch();
    return row;
}

QGridLayout* Bareme::lengthsTable() {
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 20);
    for (int g = 0; g < scale::GoingCount; ++g)
        grid->addWidget(new QLabel(scale::goingName(static_cast<scale::Going>(g))), 0, g + 2);
    for (size_t d = 0; d < scale::DisciplineCount; ++d) {
        const int row = static_cast<int>(d) + 1;
        grid->addWidget(new QLabel(scale::disciplineName(static_cast<scale::Discipline>(d))), row,
                        1);
        for (size_t g = 0; g < scale::GoingCount; ++g) {
            lengthsCells_[d][g] =
                cell(ScaleForm::lengthsCellName(d, g), ScaleForm::lengthsCellLabel(d, g));
            grid->addWidget(lengthsCells_[d][g], row, static_cast<int>(g) + 2);
        }
    }
    auto* reset = resetButton("retablirLongueurs", u"&Rétablir ce tableau"_qs,
                              u"Rétablir le tableau des longueurs par seconde"_qs,
                              &ScaleForm::resetLengthsTable);
    grid->addWidget(reset, scale::DisciplineCount + 1, 2, 1, 2, Qt::AlignLeft);
    return grid;
}

QWidget* Bareme::weightGroup() {
    auto* group = new QGroupBox(WeightTitle + u" (différence avec la course de "
                                              "référence)"_qs);
    group->setObjectName(u"groupePoids"_qs);
    auto* layout = new QVBoxLayout(group);
    weightRules_ = {
        rule(u"1 &seconde par 1,5 kg (barème d'origine)"_qs, "poidsOrigine", WeightTitle),
        rule(u"Selon la dist&ance (kilos par longueur)"_qs, "poidsDistance", WeightTitle),
        rule(u"Pas de &correction de poids (trot)"_qs, "poidsAucun", WeightTitle)};
    layout->addWidget(weightRules_[0]);
    layout->addWidget(weightRules_[1]);
    layout->addLayout(weightTable());
    layout->addWidget(weightRules_[2]);
    return group;
}

QGridLayout* Bareme::weightTable() {
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 20);
    constexpr int Rows = 5; // three columns of distances, read down
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row) {
        const int r = static_cast<int>(row) % Rows, c = static_cast<int>(row) / Rows * 2 + 1;
        auto* label = new QLabel(u"%1 m"_qs.arg(scale::DistanceRows[row]));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        weightCells_[row] = cell(ScaleForm::weightCellName(row), ScaleForm::weightCellLabel(row));
        grid->addWidget(label, r, c);
        grid->addWidget(weightCells_[row], r, c + 1);
    }
    auto* reset =
        resetButton("retablirPoids", u"Rétablir ce ta&bleau"_qs,
                    u"Rétablir le tableau des kilos par longueur"_qs, &ScaleForm::resetWeightTable);
    grid->addWidget(reset, Rows, 1, 1, 3, Qt::AlignLeft);
    return grid;
}

// A button putting fields back to their published values, the rest as typed.
QPushButton* Bareme::resetButton(const char* name, const QString& caption,
                                 const QString& accessible, void (ScaleForm::*reset)()) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessible);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, reset] {
        pull();
        (form_.*reset)();
        push();
    });
    return b;
}

QLineEdit* Bareme::cell(const QString& name, const QString& label) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setAccessibleName(label);
    e->setToolTip(label);
    e->setMaximumWidth(60);
    e->setAlignment(Qt::AlignRight);
    return e;
}

void Bareme::pull() {
    for (size_t i = 0; i < 3; ++i) {
        if (lengthsRules_[i]->isChecked())
            form_.choice.lengths = static_cast<scale::LengthsRule>(i);
        if (weightRules_[i]->isChecked())
            form_.choice.weight = static_cast<scale::WeightRule>(i);
    }
    form_.choice.discipline = static_cast<scale::Discipline>(discipline_->currentIndex());
    form_.choice.going = static_cast<scale::Going>(going_->currentIndex());
    for (size_t d = 0; d < scale::DisciplineCount; ++d)
        for (size_t g = 0; g < scale::GoingCount; ++g)
            form_.lengthsCells[d][g] = lengthsCells_[d][g]->text();
    form_.metresPerLength = metresPerLength_->text();
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
        form_.weightCells[row] = weightCells_[row]->text();
}

void Bareme::push() {
    lengthsRules_[static_cast<size_t>(form_.choice.lengths)]->setChecked(true);
    weightRules_[static_cast<size_t>(form_.choice.weight)]->setChecked(true);
    discipline_->setCurrentIndex(static_cast<int>(form_.choice.discipline));
    going_->setCurrentIndex(static_cast<int>(form_.choice.going));
    for (size_t d = 0; d < scale::DisciplineCount; ++d)
        for (size_t g = 0; g < scale::GoingCount; ++g)
            lengthsCells_[d][g]->setText(form_.lengthsCells[d][g]);
    metresPerLength_->setText(form_.metresPerLength);
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
        weightCells_[row]->setText(form_.weightCells[row]);
}

void Bareme::accept() {
    pull();
    QtDialogs dialogs(this);
    corrections_->pull();
    const CorrectionsForm::Read corrections = corrections_->form().read(dialogs);
    if (!corrections.table) {
        corrections_->cell(corrections.badCell)->setFocus(Qt::OtherFocusReason);
        corrections_->cell(corrections.badCell)->selectAll();
        return;
    }

    const ScaleAccepted accepted = acceptScaleForm(form_, settings_, dialogs);
    if (!accepted.scale) {
        if (auto* box = findChild<QLineEdit*>(accepted.correct)) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
        return;
    }
    // The corrections written once the scale was: both, or the dialog stays open.
    if (const QString why = settings_.setCorrections(*corrections.table); !why.isEmpty()) {
        dialogs.warn(why);
        return;
    }
    QDialog::accept();
}
