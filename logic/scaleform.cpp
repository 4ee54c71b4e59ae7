#include "scaleform.h"

#include "numbers.h"

#include <vector>

namespace {

QString cellText(double value) {
    return numbers::doubleToText(value);
}

struct Field {
    const QString* text;
    double* value;
    double low, high;
    QString name, label;
};

QString whyRefused(const Field& f) {
    const QString what = f.text->trimmed().isEmpty()
                             ? u"Il manque une valeur pour %1"_qs.arg(f.label)
                             : u"« %1 » ne convient pas pour %2"_qs.arg(f.text->trimmed(), f.label);
    return what + u" : entrez un nombre supérieur à %1 et au plus égal à %2 "
                  "(virgule décimale, par exemple 5,5)."_qs.arg(cellText(f.low), cellText(f.high));
}

// Every typed field of the form with where its value goes, in the dialog's order.
std::vector<Field> fieldsOf(const ScaleForm& form, scale::Scale& s) {
    std::vector<Field> fields;
    for (size_t d = 0; d < scale::DisciplineCount; ++d)
        for (size_t g = 0; g < scale::GoingCount; ++g)
            fields.push_back({&form.lengthsCells[d][g], &s.lengthsTable[d][g], 0,
                              scale::MaxLengthsPerSecond, ScaleForm::lengthsCellName(d, g),
                              ScaleForm::lengthsCellLabel(d, g)});
    fields.push_back({&form.metresPerLength, &s.metresPerLength, scale::MinMetresPerLength,
                      scale::MaxMetresPerLength, ScaleForm::MetresPerLengthName,
                      u"la taille d'une longueur (mètres)"_qs});
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
        fields.push_back({&form.weightCells[row], &s.weightTable[row], 0,
                          scale::MaxKilogramsPerLength, ScaleForm::weightCellName(row),
                          ScaleForm::weightCellLabel(row)});
    return fields;
}

} // namespace

ScaleForm ScaleForm::of(const scale::Scale& s) {
    ScaleForm form;
    form.choice = s;
    for (size_t d = 0; d < scale::DisciplineCount; ++d)
        for (size_t g = 0; g < scale::GoingCount; ++g)
            form.lengthsCells[d][g] = cellText(s.lengthsTable[d][g]);
    form.metresPerLength = cellText(s.metresPerLength);
    for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
        form.weightCells[row] = cellText(s.weightTable[row]);
    return form;
}

void ScaleForm::resetLengthsTable() {
    lengthsCells = of(scale::Scale()).lengthsCells;
}

void ScaleForm::resetWeightTable() {
    weightCells = of(scale::Scale()).weightCells;
}

void ScaleForm::resetMetresPerLength() {
    metresPerLength = cellText(scale::DefaultMetresPerLength);
}

QString ScaleForm::lengthsCellName(size_t discipline, size_t going) {
    return u"longueurs_%1_%2"_qs.arg(discipline).arg(going);
}

QString ScaleForm::weightCellName(size_t row) {
    return u"kg_%1"_qs.arg(scale::DistanceRows[row]);
}

QString ScaleForm::lengthsCellLabel(size_t discipline, size_t going) {
    return u"Longueurs par seconde, %1, %2"_qs.arg(
        scale::disciplineName(static_cast<scale::Discipline>(discipline)),
        scale::goingName(static_cast<scale::Going>(going)));
}

QString ScaleForm::weightCellLabel(size_t row) {
    return u"Kilos par longueur à partir de %1 m"_qs.arg(scale::DistanceRows[row]);
}

ScaleAccepted acceptScaleForm(const ScaleForm& form, Settings& settings, Dialogs& dialogs) {
    scale::Scale s = form.choice;
    // Every field is checked, also those of a rule not chosen: the file keeps them all.
    for (const Field& f : fieldsOf(form, s)) {
        const auto value = scale::valueWithin(*f.text, f.low, f.high);
        if (!value) {
            dialogs.message(whyRefused(f), u"Barème"_qs, Dialogs::Icon::Critical,
                            Dialogs::Buttons::Ok);
            return {std::nullopt, f.name};
        }
        *f.value = *value;
    }
    if (const QString why = settings.setScale(s); !why.isEmpty())
        dialogs.message(why + u"\nIl s'applique jusqu'à la fermeture du programme."_qs,
                        u"Barème"_qs, Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
    return {s, QString()};
}
