#pragma once
// The "Barème…" dialog's decisions: its fields as the user types them, the
// tables put back to their published values, and what OK does.

#include "dialogs.h"
#include "scale.h"
#include "settings.h"

#include <QString>
#include <array>
#include <optional>

struct ScaleForm {
    // The rules, the discipline and the going chosen; the values of the tables are
    // read from the typed fields below on OK.
    scale::Scale choice;
    // Lengths per second by discipline then going, and kilograms per length by
    // row of distances, as typed (decimal comma).
    std::array<std::array<QString, scale::GoingCount>, scale::DisciplineCount> lengthsCells;
    QString metresPerLength;
    std::array<QString, scale::DistanceRows.size()> weightCells;

    static ScaleForm of(const scale::Scale& s);
    void resetLengthsTable();
    void resetWeightTable();
    void resetMetresPerLength();

    // Control names of the typed fields, used by the window for its boxes.
    static QString lengthsCellName(size_t discipline, size_t going);
    static QString weightCellName(size_t row);
    static inline const QString MetresPerLengthName = u"metresParLongueur"_qs;
    // What a typed field is, for the user ("Longueurs par seconde, plat, bon souple").
    static QString lengthsCellLabel(size_t discipline, size_t going);
    static QString weightCellLabel(size_t row);
};

// OK pressed: the scale chosen, written to the user's settings; or, when a typed
// value is not one a scale may hold, a message and the field to correct.
struct [[nodiscard]] ScaleAccepted {
    std::optional<scale::Scale> scale; // none: the dialog stays open
    QString correct;                   // the field to put the focus in
};
[[nodiscard]] ScaleAccepted acceptScaleForm(const ScaleForm& form, Settings& settings,
                                            Dialogs& dialogs);
