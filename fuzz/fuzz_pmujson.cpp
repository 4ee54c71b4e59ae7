// The import reader on arbitrary bytes as JSON: never crashes, and every record
// it keeps is whole (a race with a known discipline and a distance, a runner
// with a number and a name, a past run with a date, a distance and values in
// their units' ranges); every refusal says where and why.

#include "fuzzcheck.h"
#include "imported.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const imports::FileRead f = imports::readFile(u"f.json"_qs, bytes);
    if (!f.failure.isEmpty()) {
        FUZZ_CHECK(f.races.empty() && f.entrants.empty() && f.runs.empty() && !f.card);
        return 0;
    }
    for (const imports::Refusal& r : f.refused)
        FUZZ_CHECK(r.file == u"f.json"_qs && !r.record.isEmpty() && !r.reason.isEmpty());
    for (const imports::Race& r : f.races)
        FUZZ_CHECK(r.distance > 0 && r.discipline != history::Discipline::Unknown &&
                   r.date.isValid() && (!r.winnerTime || *r.winnerTime > 0));
    for (const imports::Entrant& e : f.entrants) {
        FUZZ_CHECK(e.number >= 1 && e.number <= 99 && !e.name.isEmpty());
        FUZZ_CHECK(!e.weight || (*e.weight > 0 && *e.weight <= 200));
        FUZZ_CHECK((!e.time || *e.time > 0) && (!e.reduction || *e.reduction > 0));
        // A horse that did not finish has no time.
        FUZZ_CHECK(!e.status || *e.status == history::Status::Placed ||
                   *e.status == history::Status::Unplaced || (!e.time && !e.reduction));
    }
    for (const history::Run& r : f.runs) {
        FUZZ_CHECK(!r.horse.isEmpty() && r.date.isValid() && r.distance > 0 && r.recul >= 0);
        FUZZ_CHECK(!r.reduction || (*r.reduction > 0 && *r.reduction <= 60000));
        FUZZ_CHECK(!r.time || *r.time > 0);
        FUZZ_CHECK(r.place == 0 || r.status == history::Status::Placed);
    }
    return 0;
}
