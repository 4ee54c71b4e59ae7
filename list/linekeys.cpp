#include "linekeys.h"

#include "collation.h"
#include "cp1252.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cstring>
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <vector>

namespace linekeys {

namespace {

struct Tables {
    // Per byte: its collation elements, as primary and secondary ranks (0: none).
    // The primary ranks also stand flat, at most four per byte, for speed.
    std::array<std::vector<unsigned char>, 256> primary;
    std::array<std::vector<unsigned char>, 256> secondary;
    std::array<std::array<unsigned char, 4>, 256> primaryFlat{};
    std::array<unsigned char, 256> primaryCount{};
    std::array<bool, 256> inContraction{};
    bool ok = false;

    Tables() {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* collator = ucol_open("fr_FR", &status);
        if (U_FAILURE(status))
            return;
        const Elements elements = readElements(collator, status);
        markContractions(collator, status);
        ucol_close(collator);
        ok = U_SUCCESS(status) && fillRanks(elements) && agreesWithQCollator();
    }

    // Per byte: its collation elements as (primary, secondary) weights.
    using Elements = std::array<std::vector<std::pair<int, int>>, 256>;

    static Elements readElements(const UCollator* collator, UErrorCode& status) {
        Elements elements;
        for (int b = 0; b < 256 && U_SUCCESS(status); ++b) {
            const QString ch = cp1252::decode(QByteArrayView(reinterpret_cast<const char*>(&b), 1));
            const UChar c = ch[0].unicode();
            UCollationElements* it = ucol_openElements(collator, &c, 1, &status);
            for (int32_t ce;
                 U_SUCCESS(status) && (ce = ucol_next(it, &status)) != UCOL_NULLORDER;) {
                if ((ce & 0xC0) == 0xC0) // a continuation: a weight too long for this scheme
                    status = U_UNSUPPORTED_ERROR;
                elements[static_cast<size_t>(b)].emplace_back(ucol_primaryOrder(ce),
                                                              ucol_secondaryOrder(ce));
            }
            ucol_closeElements(it);
        }
        return elements;
    }

    // Ranks keep the weights' order in one byte each; 0 stands for no weight.
    // False when the weights do not fit this scheme.
    bool fillRanks(const Elements& elements) {
        std::vector<int> primaries, secondaries;
        for (const auto& byteElements : elements)
            for (const auto& [p, s] : byteElements) {
                primaries.push_back(p);
                secondaries.push_back(s);
            }
        const auto ranks = [](std::vector<int>& weights) {
            std::sort(weights.begin(), weights.end());
            weights.erase(std::unique(weights.begin(), weights.end()), weights.end());
            weights.erase(std::remove(weights.begin(), weights.end(), 0), weights.end());
            return weights.size() < 256;
        };
        if (!ranks(primaries) || !ranks(secondaries))
            return false;
        const auto rankOf = [](const std::vector<int>& weights, int w) {
            return static_cast<unsigned char>(std::lower_bound(weights.begin(), weights.end(), w) -
                                              weights.begin() + 1);
        };
        for (size_t b = 0; b < 256; ++b) {
            for (const auto& [p, s] : elements[b]) {
                if (p != 0)
                    primary[b].push_back(rankOf(primaries, p));
                if (s != 0)
                    secondary[b].push_back(rankOf(secondaries, s));
            }
            if (primary[b].size() > 4)
                return false;
            primaryCount[b] = static_cast<unsigned char>(primary[b].size());
            std::copy(primary[b].begin(), primary[b].end(), primaryFlat[b].begin());
        }
        return true;
    }

    // Every character after the first of a contraction (and a prefix rule's own
    // character) gets its weight from its neighbours: lines holding one take
    // QCollator's keys. In Windows-1252 that is the middle dot of "l·".
    void markContractions(const UCollator* collator, UErrorCode& status) {
        USet* set = uset_openEmpty();
        ucol_getContractionsAndExpansions(collator, set, nullptr, true, &status);
        const QString all = cp1252::decode(allBytes());
        for (int32_t i = 0; U_SUCCESS(status) && i < uset_getItemCount(set); ++i) {
            UChar32 first, last;
            UChar text[64];
            UErrorCode itemStatus = U_ZERO_ERROR;
            const int32_t length = uset_getItem(set, i, &first, &last, text, 64, &itemStatus);
            if (U_FAILURE(itemStatus)) {
                status = itemStatus;
                break;
            }
            // Only a contraction made of characters a line can hold can form in one.
            bool storable = length > 1;
            for (int32_t k = 0; k < length; ++k)
                storable = storable && all.contains(QChar(text[k]));
            for (int32_t k = 1; storable && k < length; ++k)
                inContraction[static_cast<size_t>(all.indexOf(QChar(text[k])))] = true;
        }
        uset_close(set);
    }

    static QByteArray allBytes() {
        QByteArray bytes(256, '\0');
        for (int b = 0; b < 256; ++b)
            bytes[b] = static_cast<char>(b);
        return bytes;
    }

    // The keys must order lines as QCollator does; a different ICU could differ.
    bool agreesWithQCollator() const {
        const QCollator collator = listCollator();
        // Hex escapes end where the next literal starts: "\xc0" "b" is two bytes.
        // clang-format off
        QList<QByteArray> lines{"", "\x03", " ", "-", ":", "0", "1:15:48", "1:2", "10",
                                "a", "A", "ab", "\xe0", "\xc0" "b", "\xe6", "ae", "af",
                                "\x9c" "uf", "oe", "\xdf", "ss", "st", "\xbd", "1/2",
                                "e", "\xe9", "\xe8", "\xea", "\xe9t\xe9", "ete", "etf", "z",
                                "\xff", "\x80", "\xa0", "\xad" "a"};
        // clang-format on
        for (int b = 32; b < 256; ++b)
            lines << QByteArray(1, static_cast<char>(b)) + "b";
        // Sorted by QCollator, each line must come after (or equal to) the one before.
        std::vector<std::pair<QCollatorSortKey, QByteArray>> sorted;
        for (const QByteArray& line : lines)
            sorted.emplace_back(collator.sortKey(cp1252::decode(line)), line);
        std::sort(sorted.begin(), sorted.end(),
                  [](const auto& x, const auto& y) { return x.first.compare(y.first) < 0; });
        for (size_t i = 1; i < sorted.size(); ++i) {
            const int expected = sign(sorted[i - 1].first.compare(sorted[i].first));
            if (sign(compare(sorted[i - 1].second, sorted[i].second)) != expected)
                return false;
        }
        return true;
    }

    static int sign(int v) { return (v > 0) - (v < 0); }

    int compare(QByteArrayView a, QByteArrayView b) const {
        std::string ka, kb;
        appendPrimaryTo(a, ka);
        appendPrimaryTo(b, kb);
        if (const int c = ka.compare(kb))
            return c;
        return compareSecondaryOf(a, b);
    }

    bool appendPrimaryTo(QByteArrayView line, std::string& out) const {
        const size_t at = out.size();
        out.resize(at + 4 * static_cast<size_t>(line.size()));
        char* dst = out.data() + at;
        bool handled = true;
        for (char c : line) {
            const auto b = static_cast<unsigned char>(c);
            handled &= !inContraction[b];
            std::memcpy(dst, primaryFlat[b].data(), 4);
            dst += primaryCount[b];
        }
        out.resize(static_cast<size_t>(dst - out.data()));
        return handled;
    }

    int compareSecondaryOf(QByteArrayView a, QByteArrayView b) const {
        // Walk both lines' secondary weights side by side.
        qsizetype i = 0, j = 0;
        size_t ei = 0, ej = 0;
        const auto next = [this](QByteArrayView line, qsizetype& pos, size_t& element) -> int {
            while (pos < line.size()) {
                const auto& weights = secondary[static_cast<unsigned char>(line[pos])];
                if (element < weights.size())
                    return weights[element++];
                ++pos;
                element = 0;
            }
            return 0; // end of the line: before any weight
        };
        for (;;) {
            const int x = next(a, i, ei), y = next(b, j, ej);
            if (x != y)
                return x - y;
            if (x == 0)
                return 0;
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

bool available() {
    return tables().ok;
}

bool appendPrimary(QByteArrayView line, std::string& out) {
    return tables().appendPrimaryTo(line, out);
}

int compareSecondary(QByteArrayView a, QByteArrayView b) {
    return tables().compareSecondaryOf(a, b);
}

} // namespace linekeys
