#include "cp1252.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace cp1252 {

namespace {

// Built once from Qt's converter, so that per-line decoding is a table lookup.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;
    Tables() {
        QStringDecoder decoder("windows-1252");
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = static_cast<char>(b);
        const QString decoded = decoder(all);
        Q_ASSERT(decoded.size() == 256);
        for (int b = 0; b < 256; ++b) {
            toUnicode[static_cast<size_t>(b)] = decoded[b].unicode();
            fromUnicode.insert(decoded[b].unicode(), static_cast<char>(b));
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
