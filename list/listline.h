#pragma once

#include <QString>

// One line of the horse list: reduction, distance, weight, name and going, joined
// as they stand (nothing trimmed or checked).
QString listLine(const QString& reduction, const QString& distance, const QString& weight,
                 const QString& name, const QString& going);
