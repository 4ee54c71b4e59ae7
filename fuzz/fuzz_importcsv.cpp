// The import reader on arbitrary bytes as CSV: a race card read is a sheet that
// the program writes and reads back the same; a past run read can be stored
// (a name, a distance, a time or a reduction, a known discipline or none).

#include "fuzzcheck.h"
#include "imported.h"
#include "racefile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const imports::FileRead f = imports::readFile(u"f.csv"_qs, bytes);
    if (!f.failure.isEmpty())
        return 0;
    if (f.card) {
        const auto again = racefile::read(racefile::write(*f.card));
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->runners.size() == f.card->runners.size() && again->name == f.card->name);
    }
    for (const history::Run& r : f.runs) {
        FUZZ_CHECK(!r.horse.isEmpty() && r.distance > 0 && r.recul >= 0 && (r.time || r.reduction));
        FUZZ_CHECK(history::disciplineOf(history::disciplineName(r.discipline)) == r.discipline);
    }
    for (const imports::Refusal& r : f.refused)
        FUZZ_CHECK(r.record.startsWith(u"ligne "_qs) && !r.reason.isEmpty());
    return 0;
}
