#include "scaleform.h"

#include "numbers.h"
#include "scalesettings.h"

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
    const QString what =
        f.text->trimmed().isEmpty()
            ? QStringLiteral("Il manque une valeur pour %1").arg(f.label)
            : QStringLiteral("« %1 » ne convient pas pour %2").arg(f.text->trimmed(), f.label);
    return what + QStringLiteral(" : entrez un nombre supérieur à %1 et au plus égal à %2 "
                                 "(virgule décimale, par exemple 5,5).")
                      .arg(cellText(f.low), cellText(f.high));
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
                      QStringLiteral("la taille d'une longueur (mètres)")});
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
    return QStringLiteral("longueurs_%1_%2").arg(discipline).arg(going);
}

QString ScaleForm::weightCellName(size_t row) {
    return QStringLiteral("kg_%1").arg(scale::DistanceRows[row]);
}

QString ScaleForm::lengthsCellLabel(size_t discipline, size_t going) {
    return QStringLiteral("Longueurs par seconde, %1, %2")
        .arg(scale::disciplineName(static_cast<scale::Discipline>(discipline)),
             scale::goingName(static_cast<scale::Going>(going)));
}

QString ScaleForm::weightCellLabel(size_t row) {
    return QStringLiteral("Kilos par longueur à partir de %1 m").arg(scale::DistanceRows[row]);
}

ScaleAccepted acceptScaleForm(const ScaleForm& form, const QString& iniPath, Dialogs& dialogs) {
    scale::Scale s = form.choice;
    // Every field is checked, also those of a rule not chosen: the file keeps them all.
    for (const Field& f : fieldsOf(form, s)) {
        const auto value = scale::valueWithin(*f.text, f.low, f.high);
        if (!value) {
            dialogs.message(whyRefused(f), QStringLiteral("Barème"), Dialogs::Icon::Critical,
                            Dialogs::Buttons::Ok);
            return {std::nullopt, f.name};
        }
        *f.value = *value;
    }
    if (const QString why = scale::writeScale(s, iniPath); !why.isEmpty())
        dialogs.message(why + QStringLiteral("\nIl s'applique jusqu'à la fermeture du programme."),
                        QStringLiteral("Barème"), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
    return {s, QString()};
}
