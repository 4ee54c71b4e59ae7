#pragma once
// The worked example's inputs as a runner: 2100 m in 2'38"50 under 57 kg, for a
// 2400 m race under 58 kg (181,80 s by hand), on good going.

#include "runner.h"

inline Runner workedExample(const QString& name) {
    Runner r;
    r.name = name;
    r.going = u"bon"_qs;
    r.race.referenceDistance = u"2100"_qs;
    r.race.referenceWeight = u"57"_qs;
    r.race.minutes = u"2"_qs;
    r.race.seconds = u"38"_qs;
    r.race.hundredths = u"50"_qs;
    r.race.margin = u"0,0"_qs;
    r.race.dayDistance = u"2400"_qs;
    r.race.dayWeight = u"58"_qs;
    return r;
}
