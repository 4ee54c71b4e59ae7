#include "sortkey.h"

#include <unicode/ucol.h>

namespace sortkey {

namespace {

// Set up as QCollator sets up ICU for French (France) with case ignored, so that
// these keys order lines as QCollator::compare() does.
struct Collator {
    UCollator* collator = nullptr;
    Collator() {
        UErrorCode status = U_ZERO_ERROR;
        collator = ucol_open("fr_FR", &status);
        ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_SECONDARY, &status);
        ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
        ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        Q_ASSERT(U_SUCCESS(status));
    }
    ~Collator() { ucol_close(collator); }
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;
};

} // namespace

QByteArray of(QStringView line) {
    static const Collator c;
    const auto* text = reinterpret_cast<const UChar*>(line.utf16());
    const auto length = static_cast<int32_t>(line.size());
    QByteArray key(16 + line.size() + line.size() / 4, Qt::Uninitialized);
    int32_t size = ucol_getSortKey(c.collator, text, length, reinterpret_cast<uint8_t*>(key.data()),
                                   static_cast<int32_t>(key.size()));
    if (size > key.size()) {
        key.resize(size);
        size = ucol_getSortKey(c.collator, text, length, reinterpret_cast<uint8_t*>(key.data()),
                               static_cast<int32_t>(key.size()));
    }
    key.truncate(size);
    return key;
}

} // namespace sortkey
