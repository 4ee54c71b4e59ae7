#pragma once
// The worked example's inputs as a runner: 2100 m in 2'38"50 under 57 kg, for a
// 2400 m race under 58 kg (181,80 s by hand), on good going.

#include "runner.h"

inline Runner workedExample(const QString& name) {
    Runner r;
    r.name = name;
    r.going = QStringLiteral("bon");
    r.race.referenceDistance = QStringLiteral("2100");
    r.race.referenceWeight = QStringLiteral("57");
    r.race.minutes = QStringLiteral("2");
    r.race.seconds = QStringLiteral("38");
    r.race.hundredths = QStringLiteral("50");
    r.race.margin = QStringLiteral("0,0");
    r.race.dayDistance = QStringLiteral("2400");
    r.race.dayWeight = QStringLiteral("58");
    return r;
}
