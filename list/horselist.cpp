#include "horselist.h"

#include "cp1252.h"
#include "linekeys.h"
#include "lineranks.h"
#include "sortkey.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

QByteArrayView HorseList::bytesAt(qsizetype i) const {
    return entries_[order_[static_cast<size_t>(i)]].view();
}

QString HorseList::at(qsizetype i) const {
    return cp1252::decode(bytesAt(i));
}

qsizetype HorseList::placeFor(const QString& line) const {
    // Sort keys here as in a load: QCollator::compare puts the empty text before a
    // text of ignorable characters, which the keys hold equal.
    const QByteArray key = sortkey::of(line);
    QString other;
    const auto place = std::upper_bound(order_.begin(), order_.end(), key,
                                        [&](const QByteArray& k, quint32 existing) {
                                            other.clear();
                                            cp1252::decodeInto(entries_[existing].view(), other);
                                            return sortkey::compare(k, sortkey::of(other)) < 0;
                                        });
    return std::distance(order_.begin(), place);
}

bool HorseList::contains(const QString& line) const {
    // Identical lines compare equal, so they sit just before the place a new copy
    // would take: a search, not a walk through the whole list.
    const QByteArray bytes = cp1252::encode(line);
    const QByteArray key = sortkey::of(line);
    QString other;
    for (qsizetype i = placeFor(line) - 1; i >= 0; --i) {
        if (bytesAt(i) == bytes)
            return true;
        other.clear();
        cp1252::decodeInto(bytesAt(i), other);
        if (sortkey::compare(key, sortkey::of(other)) != 0)
            return false;
    }
    return false;
}

void HorseList::insert(qsizetype place, const QString& line) {
    storage_.push_back(cp1252::encode(line));
    const QByteArray& bytes = storage_.back();
    entries_.push_back({bytes.constData(), static_cast<qint32>(bytes.size()), true, -1});
    lineBytes_ += bytes.size();
    ++unsavedCount_;
    firstUnsaved_ = std::min(firstUnsaved_, entries_.size() - 1);
    order_.insert(order_.begin() + place, static_cast<quint32>(entries_.size() - 1));
}

void HorseList::addFileContent(QByteArray content, qint64 fileOffset) {
    storage_.push_back(std::move(content));
    // The lines already listed, then the new ones in file order.
    std::vector<quint32> all(order_);
    const size_t first = entries_.size();
    appendLines(storage_.back(), all);
    if (unsavedCount_ == 0)
        firstUnsaved_ = entries_.size(); // what the file holds is saved
    if (fileOffset >= 0)
        for (size_t i = first; i < entries_.size(); ++i)
            entries_[i].offset = fileOffset + (entries_[i].data - storage_.back().constData());

    // Lists grow by loading and saving again, so most lines are repeats: one sort
    // key per distinct line, a rank per key, then a stable counting sort by rank.
    // The lines already listed come first, so among equal lines earlier arrivals
    // stay ahead.
    std::vector<Span> distinct;
    const std::vector<quint32> lineId = distinctLines(all, distinct);
    std::optional<std::vector<quint32>> fast;
    if (linekeys::available())
        fast = lineranks::fastRanks(distinct);
    const std::vector<quint32> rank = fast ? std::move(*fast) : lineranks::ranks(distinct);
    orderByRank(all, lineId, rank);
}

// Splits the bytes into lines (a line ends at CR LF, CR or LF) and appends each
// line's place in entries_ to `all`.
void HorseList::appendLines(const QByteArray& bytes, std::vector<quint32>& all) {
    all.reserve(all.size() + static_cast<size_t>(bytes.size() / 48) + 16); // lines run ~65 bytes
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end) {
        // The next line feed, then a carriage return before it, if any.
        const char* eol =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!eol)
            eol = end;
        if (const void* cr = std::memchr(p, '\r', static_cast<size_t>(eol - p)))
            eol = static_cast<const char*>(cr);
        if (eol > p) { // an empty line ends a saved block: no entry
            entries_.push_back({p, static_cast<qint32>(eol - p), false, -1});
            lineBytes_ += eol - p;
            all.push_back(static_cast<quint32>(entries_.size() - 1));
        }
        if (eol < end && *eol == '\r' && eol + 1 < end && eol[1] == '\n')
            ++eol;
        p = eol + 1;
    }
}

// For each of `all`, the number of its text among the distinct texts, which are
// appended to `distinct` in order of first appearance.
std::vector<quint32> HorseList::distinctLines(const std::vector<quint32>& all,
                                              std::vector<Span>& distinct) const {
    std::vector<quint32> lineId(all.size());
    // Open addressing over a power-of-two table of (hash, distinct id + 1).
    size_t capacity = 16;
    while (capacity < all.size() * 2)
        capacity *= 2;
    std::vector<std::pair<quint32, quint32>> table(capacity);
    for (size_t i = 0; i < all.size(); ++i) {
        const QByteArrayView line = entries_[all[i]].view();
        const auto hash = static_cast<quint32>(qHash(line));
        size_t at = hash & (capacity - 1);
        while (table[at].second != 0 &&
               (table[at].first != hash || distinct[table[at].second - 1].view() != line))
            at = (at + 1) & (capacity - 1);
        if (table[at].second == 0) {
            distinct.push_back(entries_[all[i]].span());
            table[at] = {hash, static_cast<quint32>(distinct.size())};
        }
        lineId[i] = table[at].second - 1;
    }
    return lineId;
}

// The display order: `all` sorted by the rank of each line's text, stably.
void HorseList::orderByRank(const std::vector<quint32>& all, const std::vector<quint32>& lineId,
                            const std::vector<quint32>& rank) {
    const quint32 rankCount = rank.empty() ? 0 : *std::max_element(rank.begin(), rank.end()) + 1;
    std::vector<size_t> firstOfRank(static_cast<size_t>(rankCount) + 1, 0);
    for (quint32 id : lineId)
        ++firstOfRank[rank[id] + 1];
    std::partial_sum(firstOfRank.begin(), firstOfRank.end(), firstOfRank.begin());
    order_.resize(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        order_[firstOfRank[rank[lineId[i]]]++] = all[i];
}

void HorseList::clear() {
    known_ = std::vector<KnownBlock>{};
    order_.clear();
    order_.shrink_to_fit();
    entries_.clear();
    lineBytes_ = 0;
    storage_.clear();
    unsavedCount_ = 0;
    firstUnsaved_ = 0;
}

void HorseList::prefetch(qsizetype i) const {
    if (i < count())
        __builtin_prefetch(&entries_[order_[static_cast<size_t>(i)]]);
}

void HorseList::markSaved() {
    for (size_t i = firstUnsaved_; i < entries_.size(); ++i)
        entries_[i].unsaved = false;
    unsavedCount_ = 0;
    firstUnsaved_ = entries_.size();
}

bool HorseList::removeUnsaved(qsizetype i) {
    if (i < 0 || i >= count() || !isUnsaved(i))
        return false;
    const auto at = order_.begin() + i;
    entries_[*at].unsaved = false; // its bytes stay in storage_ until the list is cleared
    lineBytes_ -= entries_[*at].size;
    if (--unsavedCount_ == 0)
        firstUnsaved_ = entries_.size();
    order_.erase(at);
    return true;
}

std::vector<quint32> HorseList::unsavedInOrder() const {
    // The list's own order: by sort key, lines that compare equal in the order they
    // arrived (an added line goes after its equals), so by key, then by place in
    // entries_. A few keys, not a walk through a list that may hold a million.
    std::vector<std::pair<QByteArray, quint32>> found;
    for (size_t id = firstUnsaved_; id < entries_.size(); ++id)
        if (entries_[id].unsaved)
            found.emplace_back(sortkey::of(cp1252::decode(entries_[id].view())),
                               static_cast<quint32>(id));
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        const int c = sortkey::compare(a.first, b.first);
        return c < 0 || (c == 0 && a.second < b.second);
    });
    std::vector<quint32> ids;
    ids.reserve(found.size());
    for (const auto& entry : found)
        ids.push_back(entry.second);
    return ids;
}

QByteArray HorseList::block(bool onlyUnsaved) const {
    const std::vector<quint32> ids = onlyUnsaved ? unsavedInOrder() : order_;
    qsizetype size = 2;
    for (quint32 i : ids)
        size += entries_[i].size + 2;
    QByteArray block;
    block.reserve(size);
    for (quint32 i : ids) {
        const Entry& s = entries_[i];
        block.append(s.data, s.size);
        block.append("\r\n", 2);
    }
    block.append("\r\n", 2);
    return block;
}
