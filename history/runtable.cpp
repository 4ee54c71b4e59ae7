#include "runtable.h"

#include "cells.h"
#include "csv.h"

namespace history {

namespace {

QString number(std::optional<qint64> value) {
    return value ? QString::number(*value) : QString();
}

QString decimal(std::optional<double> value) {
    return value ? cells::upTo(*value, 2) : QString();
}

} // namespace

const QStringList& runHeader() {
    static const QStringList h{
        u"cheval"_qs,   u"date"_qs,      u"hippodrome"_qs, u"course"_qs,   u"discipline"_qs,
        u"distance"_qs, u"recul"_qs,     u"départ"_qs,     u"ferrure"_qs,  u"terrain"_qs,
        u"chrono"_qs,   u"réduction"_qs, u"place"_qs,      u"statut"_qs,   u"écart"_qs,
        u"poids"_qs,    u"driver"_qs,    u"allocation"_qs, u"partants"_qs, u"origine"_qs,
        u"note"_qs,     u"musique"_qs};
    return h;
}

QStringList runRow(const Run& r) {
    return {r.horse,
            r.date.isValid() ? r.date.toString(Qt::ISODate) : QString(),
            r.hippodrome,
            r.race,
            r.discipline,
            QString::number(r.distance),
            r.recul ? QString::number(r.recul) : QString(),
            r.start,
            r.shoeing,
            r.going,
            r.time ? cells::punterTime(*r.time) : QString(),
            r.reduction ? cells::punterTime(*r.reduction) : QString(),
            r.place > 0 ? QString::number(r.place) : QString(),
            statusName(r.status),
            decimal(r.lengths),
            decimal(r.weight),
            r.rider,
            number(r.allocation),
            number(r.runners),
            sourceName(r.source),
            r.note,
            musiqueOf(r)};
}

QByteArray runsOutput(const std::vector<Run>& runs) {
    std::vector<QStringList> rows{runHeader()};
    for (const Run& r : runs)
        rows.push_back(runRow(r));
    return csv::write(rows, csv::Output);
}

} // namespace history
