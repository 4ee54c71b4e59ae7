#include "horselist.h"

#include "cp1252.h"

#include <QCollatorSortKey>
#include <QHash>
#include <algorithm>
#include <numeric>

HorseList::HorseList() : collator_(QLocale(QLocale::French, QLocale::France)) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

QByteArrayView HorseList::bytesAt(qsizetype i) const {
    return order_[static_cast<size_t>(i)].view();
}

QString HorseList::at(qsizetype i) const {
    return cp1252::decode(bytesAt(i));
}

qsizetype HorseList::placeFor(const QString& line) const {
    // Sort keys here as in a load: QCollator::compare puts the empty text before a
    // text of ignorable characters, which the keys hold equal.
    const QCollatorSortKey key = collator_.sortKey(line);
    QString other;
    const auto place = std::upper_bound(order_.begin(), order_.end(), key,
                                        [&](const QCollatorSortKey& k, const Span& existing) {
                                            other.clear();
                                            cp1252::decodeInto(existing.view(), other);
                                            return k.compare(collator_.sortKey(other)) < 0;
                                        });
    return std::distance(order_.begin(), place);
}

void HorseList::insert(qsizetype place, const QString& line) {
    storage_.push_back(cp1252::encode(line));
    const QByteArray& bytes = storage_.back();
    order_.insert(order_.begin() + place, Span{bytes.constData(), bytes.size()});
}

void HorseList::addFileContent(QByteArray content) {
    storage_.push_back(std::move(content));
    const QByteArray& bytes = storage_.back();
    std::vector<Span> all;
    all.reserve(order_.size() + static_cast<size_t>(bytes.count('\n') + bytes.count('\r')) + 1);
    all.insert(all.end(), order_.begin(), order_.end());
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* eol = p;
        while (eol < end && *eol != '\r' && *eol != '\n')
            ++eol;
        all.push_back({p, eol - p});
        if (eol < end && *eol == '\r' && eol + 1 < end && eol[1] == '\n')
            ++eol;
        p = eol + 1;
    }

    // Lists grow by loading and saving again, so most lines are repeats: one sort
    // key per distinct line, a rank per key, then a stable counting sort by rank.
    // The lines already listed come first, so among equal lines earlier arrivals
    // stay ahead.
    std::unordered_map<std::string_view, quint32> ids;
    ids.reserve(all.size() / 4 + 16);
    std::vector<quint32> lineId(all.size());
    std::vector<Span> distinct;
    for (size_t i = 0; i < all.size(); ++i) {
        const auto [it, added] =
            ids.try_emplace(std::string_view(all[i].data, static_cast<size_t>(all[i].size)),
                            static_cast<quint32>(distinct.size()));
        if (added)
            distinct.push_back(all[i]);
        lineId[i] = it->second;
    }
    ids = {};

    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    QString text;
    for (const Span& s : distinct) {
        text.clear();
        cp1252::decodeInto(s.view(), text);
        keys.push_back(collator_.sortKey(text));
    }
    std::vector<quint32> byKey(distinct.size());
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(),
              [&](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<quint32> rank(distinct.size());
    quint32 ranks = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[byKey[i - 1]].compare(keys[byKey[i]]) != 0)
            ++ranks;
        rank[byKey[i]] = ranks;
    }

    std::vector<size_t> firstOfRank(static_cast<size_t>(ranks) + 2, 0);
    for (quint32 id : lineId)
        ++firstOfRank[rank[id] + 1];
    std::partial_sum(firstOfRank.begin(), firstOfRank.end(), firstOfRank.begin());
    order_.resize(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        order_[firstOfRank[rank[lineId[i]]]++] = all[i];
}

void HorseList::clear() {
    order_.clear();
    order_.shrink_to_fit();
    storage_.clear();
}

QByteArray HorseList::fileBlock() const {
    qsizetype size = 2;
    for (const Span& s : order_)
        size += s.size + 2;
    QByteArray block;
    block.reserve(size);
    for (const Span& s : order_) {
        block.append(s.data, s.size);
        block.append("\r\n", 2);
    }
    block.append("\r\n", 2);
    return block;
}
