// The CSV reader on arbitrary bytes: never crashes; a refusal names a line and a
// cell inside the text; what it reads, written back with the separator it found,
// reads again to the same rows.

#include "csv.h"
#include "fuzzcheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const csv::ReadResult result = csv::read(bytes);
    if (!result.table) {
        FUZZ_CHECK(result.refusal.line >= 1 &&
                   result.refusal.line <= bytes.count('\n') + bytes.count('\r') + 1);
        FUZZ_CHECK(result.refusal.column >= 1 && !result.refusal.reason.isEmpty());
        return 0;
    }
    const csv::Table& table = *result.table;
    FUZZ_CHECK(table.rows.size() == table.lines.size());
    const csv::Format format{table.separator, true, u"\r\n"};
    const csv::ReadResult again = csv::read(csv::write(table.rows, format), table.separator);
    FUZZ_CHECK(again.table && again.table->utf8 && again.table->rows == table.rows);
    return 0;
}
