#pragma once
// The scale chosen by the user, kept between runs in an INI file of their own.

#include "scale.h"

#include <QString>

namespace scale {

// The scale in the file; the original one when the file is missing, cannot be
// read, or holds a value no scale can have.
Scale readScale(const QString& iniPath);
// An empty text when the scale was written, otherwise why it was not (in French).
QString writeScale(const Scale& s, const QString& iniPath);

} // namespace scale
