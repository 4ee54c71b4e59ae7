// The import reader on arbitrary bytes as JSON: never crashes, and every record
// it keeps is whole (a race with a known discipline and a distance, a runner
// with a number and a name, a past run with a date, a distance and values in
// their units' ranges); every refusal says where and why.

#include "fuzzcheck.h"
#include "imported.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const imports::FileRead f = imports::readFile(QStringLiteral("f.json"), bytes);
    if (!f.failure.isEmpty()) {
        check(f.races.empty() && f.entrants.empty() && f.runs.empty() && !f.card);
        return 0;
    }
    for (const imports::Refusal& r : f.refused)
        check(r.file == QStringLiteral("f.json") && !r.record.isEmpty() && !r.reason.isEmpty());
    for (const imports::Race& r : f.races)
        check(r.distance > 0 && !r.discipline.isEmpty() && r.date.isValid() &&
              (!r.winnerTime || *r.winnerTime > 0));
    for (const imports::Entrant& e : f.entrants) {
        check(e.number >= 1 && e.number <= 99 && !e.name.isEmpty());
        check(!e.weight || (*e.weight > 0 && *e.weight <= 200));
        // A horse that did not finish has no time.
        check(!e.status || *e.status == history::Status::Placed ||
              *e.status == history::Status::Unplaced || (!e.time && !e.reduction));
    }
    for (const history::Run& r : f.runs) {
        check(!r.horse.isEmpty() && r.date.isValid() && r.distance > 0 && r.recul >= 0);
        check(!r.reduction || (*r.reduction > 0 && *r.reduction <= 60000));
        check(!r.time || *r.time > 0);
        check(r.place == 0 || r.status == history::Status::Placed);
    }
    return 0;
}
