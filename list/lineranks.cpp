#include "lineranks.h"

#include "cp1252.h"
#include "linekeys.h"
#include "sortkey.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

namespace lineranks {

namespace {

// Ranks from sorted entries: each entry's line gets the count of differences met
// so far, so equal lines share a rank.
template <typename Entry, typename LineOf, typename Differ>
std::vector<quint32> ranksOfSorted(const std::vector<Entry>& sorted, LineOf lineOf, Differ differ) {
    std::vector<quint32> rank(sorted.size());
    quint32 r = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0 && differ(sorted[i - 1], sorted[i]))
            ++r;
        rank[lineOf(sorted[i])] = r;
    }
    return rank;
}

} // namespace

// The place of each line in the sorted order, equal lines sharing a rank: with
// the platform's sort keys...
std::vector<quint32> ranks(const std::vector<LineSpan>& lines) {
    std::vector<QByteArray> keys;
    keys.reserve(lines.size());
    QString text;
    for (const LineSpan& s : lines) {
        text.clear();
        cp1252::decodeInto(s.view(), text);
        keys.push_back(sortkey::of(text));
    }
    std::vector<quint32> byKey(lines.size());
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(),
              [&](quint32 a, quint32 b) { return sortkey::compare(keys[a], keys[b]) < 0; });
    return ranksOfSorted(
        byKey, [](quint32 line) { return line; },
        [&](quint32 a, quint32 b) { return sortkey::compare(keys[a], keys[b]) != 0; });
}

// ...or with the fast keys, which order lines the same way: the letters of every
// line as one string of bytes, the accents compared only between lines of the
// same letters.
std::optional<std::vector<quint32>> fastRanks(const std::vector<LineSpan>& lines) {
    std::string primary;
    std::vector<size_t> start(lines.size() + 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        start[i] = primary.size();
        if (!linekeys::appendPrimary(lines[i].view(), primary))
            return std::nullopt;
    }
    start[lines.size()] = primary.size();

    // The first sixteen letters as two numbers, which settle most comparisons
    // without reaching into the key string.
    struct Entry {
        quint64 head[2];
        quint32 line;
    };
    std::vector<Entry> byKey(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Entry& e = byKey[i];
        e.line = static_cast<quint32>(i);
        for (size_t k = 0; k < 16; ++k) {
            const size_t at = start[i] + k;
            e.head[k / 8] = (e.head[k / 8] << 8) |
                            (at < start[i + 1] ? static_cast<unsigned char>(primary[at]) : 0u);
        }
    }
    const auto compare = [&](const Entry& a, const Entry& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0] ? -1 : 1;
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1] ? -1 : 1;
        const std::string_view ka(primary.data() + start[a.line],
                                  start[a.line + 1] - start[a.line]);
        const std::string_view kb(primary.data() + start[b.line],
                                  start[b.line + 1] - start[b.line]);
        if (const int c = ka.compare(kb))
            return c;
        return linekeys::compareSecondary(lines[a.line].view(), lines[b.line].view());
    };
    std::sort(byKey.begin(), byKey.end(),
              [&](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    return ranksOfSorted(
        byKey, [](const Entry& e) { return e.line; },
        [&](const Entry& a, const Entry& b) { return compare(a, b) != 0; });
}

} // namespace lineranks
