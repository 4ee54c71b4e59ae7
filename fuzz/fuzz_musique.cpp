// The musique on arbitrary text: never crashes; a musique read is written again
// in its plainest form and read back as the same results; one that is not read
// says why, and is shown as it is.

#include "fuzzcheck.h"
#include "musique.h"

#include <cstdint>

namespace {

QString written(const std::vector<musique::Result>& results) {
    QString out;
    int year = 0;
    for (const musique::Result& r : results) {
        if (r.year != year)
            out += u"(%1)"_qs.arg(r.year);
        year = r.year;
        switch (r.outcome) {
        case musique::Outcome::Placed:
            out += QString::number(r.place);
            break;
        case musique::Outcome::Unplaced:
            out += u'0';
            break;
        case musique::Outcome::Disqualified:
            out += u'D';
            break;
        case musique::Outcome::Stopped:
            out += u'A';
            break;
        case musique::Outcome::Fallen:
            out += u'T';
            break;
        case musique::Outcome::Demoted:
            out += u"Ret"_qs;
            break;
        }
        out += r.discipline;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const musique::Read read = musique::read(text);
    if (!read.refused.isEmpty()) {
        FUZZ_CHECK(read.results.empty());
        FUZZ_CHECK(musique::explained(text).startsWith(text));
        return 0;
    }
    for (const musique::Result& r : read.results)
        FUZZ_CHECK(u"amphsc"_qs.contains(r.discipline) &&
                   (r.outcome != musique::Outcome::Placed || (r.place >= 1 && r.place <= 9)));
    const musique::Read again = musique::read(written(read.results));
    FUZZ_CHECK(again.refused.isEmpty() && again.results == read.results);
    FUZZ_CHECK(musique::decoded(read.results).isEmpty() == read.results.empty());
    (void)musique::warnings(read.results, u"trot attelé"_qs, true);
    return 0;
}
