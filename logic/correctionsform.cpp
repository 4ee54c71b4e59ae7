#include "correctionsform.h"

#include "correctionsettings.h"
#include "numbers.h"

namespace {

QString text(double value) {
    return numbers::doubleToText(value);
}

} // namespace

QStringList CorrectionsForm::labels() const {
    QStringList out;
    for (const calc::CorrectionField& f : calc::correctionFields())
        out << QString::fromUtf8(f.label);
    for (int g = 0; g < scale::GoingCount; ++g)
        out << u"Terrain "_qs + scale::goingName(static_cast<scale::Going>(g));
    return out;
}

CorrectionsForm CorrectionsForm::of(const calc::CorrectionTable& table) {
    CorrectionsForm form;
    for (const calc::CorrectionField& f : calc::correctionFields())
        form.cells << text(table.*f.member);
    for (double going : table.going)
        form.cells << text(going);
    return form;
}

CorrectionsForm::Read CorrectionsForm::read(Dialogs& dialogs) const {
    calc::CorrectionTable table;
    const auto& fields = calc::correctionFields();
    for (int i = 0; i < cells.size(); ++i) {
        const auto value = scale::valueWithin(cells[i], calc::MinCorrection, calc::MaxCorrection);
        if (!value) {
            dialogs.warn(u"Correction « %1 » : « %2 » n'est pas un nombre de "
                         "secondes par km entre -10 et 10."_qs.arg(labels()[i], cells[i]));
            return {std::nullopt, i};
        }
        if (static_cast<size_t>(i) < fields.size())
            table.*fields[static_cast<size_t>(i)].member = *value;
        else
            table.going[static_cast<size_t>(i) - fields.size()] = *value;
    }
    return {table, -1};
}
