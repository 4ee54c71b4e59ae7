#pragma once
// The corrections' section of the "Barème…" dialog: a cell per figure of the
// table, read back and checked when the dialog is accepted.

#include "corrections.h"
#include "dialogs.h"

#include <QString>
#include <QStringList>
#include <optional>

struct CorrectionsForm {
    // One per figure: correctionFields() in order, then the three goings.
    QStringList cells;
    QStringList labels() const;

    static CorrectionsForm of(const calc::CorrectionTable& table);
    void reset() { *this = of({}); }

    // The table the cells hold; none, with the cell to correct and the reason told,
    // when one is not a number of seconds within the bounds.
    struct Read {
        std::optional<calc::CorrectionTable> table;
        int badCell = -1;
    };
    Read read(Dialogs& dialogs) const;
};
