// What the horse list knows of its file: the blocks it loaded or saved, where
// each line stands in it, and how a load, a save or a rewritten line change that.
#include "horselist.h"

#include "cp1252.h"

#include <QHash>
#include <algorithm>

qsizetype HorseList::knownSize() const {
    qsizetype size = 0;
    for (const KnownBlock& b : *known_)
        size += b.size;
    return size;
}

void HorseList::loadFile(QByteArray content) {
    bool stillKnown = known_.has_value();
    qsizetype at = 0;
    for (size_t i = 0; stillKnown && i < known_->size(); ++i) {
        const KnownBlock& b = (*known_)[i];
        stillKnown = at + b.size <= content.size() &&
                     qHash(QByteArrayView(content).sliced(at, b.size)) == b.hash;
        at += b.size;
    }
    // What is known must end with a line: the rest then starts a line of its own.
    stillKnown = stillKnown && (at == 0 || content[at - 1] == '\n' || content[at - 1] == '\r');
    if (!stillKnown) {
        dropSaved();
        known_ = std::vector<KnownBlock>{};
        at = 0;
    }
    const QByteArrayView gained = QByteArrayView(content).sliced(at);
    if (!gained.isEmpty())
        known_->push_back({gained.size(), qHash(gained)});
    addFileContent(at == 0 ? std::move(content) : gained.toByteArray(), at);
}

void HorseList::fileAppended(QByteArrayView block, qsizetype sizeBefore) {
    if (!known_ || sizeBefore != knownSize()) {
        known_.reset(); // someone else wrote too: load anew next time
        for (Entry& e : entries_)
            e.offset = -1;
        return;
    }
    known_->push_back({block.size(), qHash(block)});
    // The block holds the unsaved lines in display order, each ended by CR LF.
    qint64 at = sizeBefore;
    for (quint32 i : unsavedInOrder()) {
        entries_[i].offset = at;
        at += entries_[i].size + 2;
    }
}

qint64 HorseList::fileOffsetAt(qsizetype i) const {
    return known_ ? entries_[order_[static_cast<size_t>(i)]].offset : -1;
}

bool HorseList::knowsExactly(QByteArrayView content) const {
    if (!known_)
        return false;
    qsizetype at = 0;
    for (const KnownBlock& b : *known_) {
        if (at + b.size > content.size() || qHash(content.sliced(at, b.size)) != b.hash)
            return false;
        at += b.size;
    }
    return at == content.size();
}

qsizetype HorseList::lineRewritten(qsizetype i, const std::optional<QString>& line,
                                   QByteArrayView content, qint64 at, qint64 delta) {
    const auto place = order_.begin() + i;
    const quint32 id = *place;
    lineBytes_ -= entries_[id].size;
    order_.erase(place);
    for (Entry& e : entries_)
        if (e.offset > at)
            e.offset += delta;
    known_ = std::vector<KnownBlock>{{content.size(), qHash(content)}};
    if (!line) {
        entries_[id].offset = -1;
        return -1;
    }
    // The corrected line, in its new place among equal lines' arrivals.
    storage_.push_back(cp1252::encode(*line));
    entries_[id].data = storage_.back().constData();
    entries_[id].size = static_cast<qint32>(storage_.back().size());
    lineBytes_ += entries_[id].size;
    const qsizetype newPlace = placeFor(*line);
    order_.insert(order_.begin() + newPlace, id);
    return newPlace;
}

// Takes out the entries that came from the file (or were saved to it).
void HorseList::dropSaved() {
    const auto saved = [this](quint32 i) { return !entries_[i].unsaved; };
    for (quint32 i : order_)
        if (saved(i))
            lineBytes_ -= entries_[i].size;
    order_.erase(std::remove_if(order_.begin(), order_.end(), saved), order_.end());
}
