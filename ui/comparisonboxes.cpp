#include "comparisonboxes.h"

#include "comparable.h"
#include "labelled.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

ComparisonBoxes::ComparisonBoxes(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    rule_ = labelled(row, u"Courses de l'historique : ch&oisir"_qs, new QComboBox(this),
                     "CregleCourse", u"Course de l'historique retenue pour chaque cheval"_qs);
    for (Choice c : {Choice::Last, Choice::BestOf3, Choice::MeanOf3})
        rule_->addItem(choiceName(c));
    band_ = labelled(row, u"dist&ance à ±"_qs, new QSpinBox(this), "SecartDistance",
                     u"Écart de distance admis, en pour cent"_qs);
    band_->setRange(1, 50);
    band_->setSuffix(u" %"_qs);
    months_ = labelled(row, u"courues dans les"_qs, new QSpinBox(this), "SmoisCourse",
                       u"Ancienneté admise, en mois avant la course"_qs);
    months_->setRange(1, 120);
    months_->setSuffix(u" derniers mois"_qs);
    row->addStretch(1);
    setToolTip(u"Chaque cheval est jugé sur ses courses comparables de "
               "l'historique : même discipline, distance proche, récentes"_qs);
    connect(rule_, &QComboBox::currentIndexChanged, this, &ComparisonBoxes::edited);
    connect(band_, &QSpinBox::editingFinished, this, &ComparisonBoxes::edited);
    connect(months_, &QSpinBox::editingFinished, this, &ComparisonBoxes::edited);
}

void ComparisonBoxes::show(const RaceSheet& sheet) {
    const QSignalBlocker b1(rule_), b2(band_), b3(months_);
    rule_->setCurrentText(choiceName(choiceOf(sheet.rule).value_or(Choice::BestOf3)));
    band_->setValue(sheet.bandPercent);
    months_->setValue(sheet.months);
}

void ComparisonBoxes::applyTo(RaceSheet& race) const {
    // The default rule is kept as no rule, so that older files and new ones agree.
    const QString rule = rule_->currentText();
    race.rule = rule == choiceName(Choice::BestOf3) ? QString() : rule;
    race.bandPercent = band_->value();
    race.months = months_->value();
}
