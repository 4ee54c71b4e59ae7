#include "cp1252.h"

#include <QHash>
#include <array>

namespace cp1252 {

namespace {

// 0x80-0x9F, the only bytes where Windows-1252 is not Latin-1. The five bytes the
// code page leaves undefined stand for the control characters of the same number,
// as ICU's converter maps them, so that every byte reads back as it was.
constexpr std::array<char16_t, 32> high{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Built once, so that per-line decoding is a table lookup.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;
    Tables() {
        for (int b = 0; b < 256; ++b) {
            const char16_t c = (b >= 0x80 && b < 0xA0) ? high[static_cast<size_t>(b - 0x80)]
                                                       : static_cast<char16_t>(b);
            toUnicode[static_cast<size_t>(b)] = c;
            fromUnicode.insert(c, static_cast<char>(b));
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

void decodeInto(QByteArrayView bytes, QString& out) {
    const auto& table = tables().toUnicode;
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t* dst = reinterpret_cast<char16_t*>(out.data()) + start;
    for (char c : bytes)
        *dst++ = table[static_cast<unsigned char>(c)];
}

QString decode(QByteArrayView bytes) {
    QString out;
    decodeInto(bytes, out);
    return out;
}

QStringList unencodable(QStringView text) {
    QStringList bad;
    const auto& map = tables().fromUnicode;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the 16-bit range is a surrogate pair: keep both halves.
        const qsizetype n = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView ch = text.mid(i, n);
        if ((n == 2 || !map.contains(c.unicode())) && !bad.contains(ch))
            bad << ch.toString();
        i += n - 1;
    }
    return bad;
}

QByteArray encode(QStringView text) {
    const auto& map = tables().fromUnicode;
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out += map.value(c.unicode(), '\x1a');
    return out;
}

} // namespace cp1252
