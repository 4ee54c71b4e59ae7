#pragma once

#include <QString>

// One line of the horse list: reduction, distance, weight, name and going, joined
// as they stand (nothing trimmed or checked).
QString listLine(const QString& reduction, const QString& distance, const QString& weight,
                 const QString& name, const QString& going);

// Why the list file could not keep `line` as it stands (a line break, or
// characters Windows-1252 cannot store), in the user's words; empty when it can.
// An add and a correction go through this same check.
QString whyUnstorable(const QString& line);
