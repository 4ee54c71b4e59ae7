// Text-to-number reading on arbitrary bytes, as UTF-8 and as Windows-1252: never
// crashes, and accepts exactly the texts of the number rule, with the value an
// independent reading gives.

#include "cp1252.h"
#include "numbers.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// The rule written another way: a pattern for the form, Qt's C-locale reading for
// the value.
std::optional<double> independentReading(const QString& text) {
    static const QRegularExpression form(u"\\A[ \\t]*([+-]?)([0-9]*)([.,]?)([0-9]*)[ \\t]*\\z"_qs);
    const auto m = form.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty()))
        return std::nullopt;
    const QString plain = m.captured(1) + (m.captured(2).isEmpty() ? u"0"_qs : m.captured(2)) +
                          u'.' + (m.captured(4).isEmpty() ? u"0"_qs : m.captured(4));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value)) {
        // Qt refuses what underflows as well as what overflows; the rule reads an
        // underflow as zero.
        static const QRegularExpression zeroWhole(u"\\A[+-]?0*\\.[0-9]*\\z"_qs);
        if (zeroWhole.match(plain).hasMatch())
            return m.captured(1) == u"-" ? -0.0 : 0.0;
        return std::nullopt;
    }
    return value;
}

void check(const QString& text) {
    const auto ours = numbers::textToNumber(text);
    const auto theirs = independentReading(text);
    if (ours.has_value() != theirs.has_value())
        std::abort();
    if (ours && !(*ours == *theirs || std::fabs(*ours) < 1e-300))
        std::abort();
    const auto whole = numbers::textToWholeNumber(text);
    if (whole.has_value() != ours.has_value() || (whole && *whole != std::nearbyint(*ours)))
        std::abort();
    if (ours) {
        // Writing the value back never shows an exponent or a non-number.
        const QString shown = numbers::doubleToText(*ours);
        if (shown.contains(u'e') || shown.contains(u'n') || shown.contains(u'i'))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(QString::fromUtf8(bytes));
    check(cp1252::decode(bytes));
    return 0;
}
