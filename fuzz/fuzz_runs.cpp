// A table of past runs on arbitrary bytes, as the card's form and the past-runs
// files give them: each row read under the header never crashes; a row read is a
// run that can be stored (a name, a distance, a time or a reduction), and what
// the program writes of it reads back as the same run.

#include "csv.h"
#include "fuzzcheck.h"
#include "runtable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const csv::ReadResult result = csv::read(bytes);
    if (!result.table || result.table->rows.empty())
        return 0;
    const std::vector<QStringList>& rows = result.table->rows;
    for (size_t i = 1; i < rows.size(); ++i) {
        const history::RunRead read = history::runOfCells(rows.front(), rows[i]);
        if (!read.run) {
            FUZZ_CHECK(!read.refused.isEmpty());
            continue;
        }
        const history::Run& r = *read.run;
        FUZZ_CHECK(!r.horse.isEmpty() && r.distance > 0 && r.recul >= 0 && (r.time || r.reduction));
        const history::RunRead again =
            history::runOfCells(history::runHeader(), history::runRow(r));
        FUZZ_CHECK(again.run.has_value());
        FUZZ_CHECK(again.run->horse == r.horse && again.run->distance == r.distance &&
                   again.run->time == r.time && again.run->reduction == r.reduction &&
                   again.run->date == r.date && again.run->place == r.place);
    }
    return 0;
}
