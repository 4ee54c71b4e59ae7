#pragma once
// The corrections table chosen by the user, kept in the same INI file as the
// scale, in a section of its own.

#include "corrections.h"

#include <QString>
#include <vector>

namespace calc {

// Bounds of a correction, in seconds per km: above the low one, at most the high.
inline constexpr double MinCorrection = -10, MaxCorrection = 10;

// The table in the file; the defaults when the file is missing, cannot be read,
// or holds a value out of bounds.
CorrectionTable readCorrections(const QString& iniPath);
// An empty text when the table was written, otherwise why it was not (in French).
QString writeCorrections(const CorrectionTable& table, const QString& iniPath);

// Each figure of the table with the key the file keeps it under and its name in
// the dialog, in the dialog's order.
struct CorrectionField {
    const char* key;
    const char* label;
    double CorrectionTable::*member;
};
const std::vector<CorrectionField>& correctionFields();
// The going's three figures, apart: they are an array.
QString goingKey(size_t going);

} // namespace calc
