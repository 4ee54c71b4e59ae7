#pragma once
// The horse list: lines kept in ascending order, case-insensitive, French
// locale-aware, the same on every machine. Lines that compare equal keep the order
// in which they arrived. Lines are held as their list-file bytes (Windows-1252).

#include "lineranks.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

class HorseList {
  public:
    qsizetype count() const { return static_cast<qsizetype>(order_.size()); }
    QByteArrayView bytesAt(qsizetype i) const;
    // The bytes of every line, line ends left out.
    qsizetype lineBytes() const { return lineBytes_; }
    // Asks the processor to fetch where line i is kept: walking a million lines in
    // display order jumps around memory.
    void prefetch(qsizetype i) const;
    QString at(qsizetype i) const;

    // Where a new line goes: after every line that compares equal to it.
    qsizetype placeFor(const QString& line) const;
    // Whether the list holds a line byte for byte identical to `line`.
    bool contains(const QString& line) const;
    // Adds one line at the place placeFor gave, as not yet saved. The caller makes
    // sure the file's code page can store every character (cp1252::unencodable).
    void insert(qsizetype place, const QString& line);
    qsizetype add(const QString& line) {
        const qsizetype place = placeFor(line);
        insert(place, line);
        return place;
    }
    // Adds every line of a list file's content; a line ends at CR LF, CR or LF.
    // These lines are in the file already. Empty lines (the end of each saved
    // block) are not entries: the file keeps them, the list does not show them.
    // `fileOffset`: where the content starts in the file, when it is a part of it.
    void addFileContent(QByteArray content, qint64 fileOffset = -1);
    // "Charger la liste": the whole content of the file. Shows each of its lines
    // once however often it is loaded: when the file still begins with what this
    // list knows of it, only what it gained since (another copy of the program
    // saved) is added; otherwise the entries from the file are loaded anew.
    // Unsaved entries stay either way.
    void loadFile(QByteArray content);
    // A save appended `block` to a file that was `sizeBefore` bytes long.
    void fileAppended(QByteArrayView block, qsizetype sizeBefore);
    void clear();

    // Where entry i's line starts in the file; -1 when it is not saved, or when the
    // list no longer knows the file (another copy wrote to it).
    qint64 fileOffsetAt(qsizetype i) const;
    // Whether `content` is exactly the file as this list knows it, so that a line
    // can be changed in place.
    bool knowsExactly(QByteArrayView content) const;
    // The file is now `content`: entry i's line, which started at `at`, was
    // replaced by `line` (or taken out when none), moving the lines after it by
    // `delta` bytes. Returns the entry's new place in display order, or -1.
    qsizetype lineRewritten(qsizetype i, const std::optional<QString>& line, QByteArrayView content,
                            qint64 at, qint64 delta);

    // Lines added one at a time and not saved since: the only ones a save writes,
    // so that no horse reaches the file twice.
    qsizetype unsavedCount() const { return unsavedCount_; }
    bool isUnsaved(qsizetype i) const { return entries_[order_[static_cast<size_t>(i)]].unsaved; }
    void markSaved();
    // Takes out an entry that is not yet saved (one in the file stays: only emptying
    // the file takes it out). Whether it was taken out.
    bool removeUnsaved(qsizetype i);

    // A block as a save appends it: each line followed by CR LF, in display order,
    // then one more CR LF. Every line, or only the unsaved ones.
    QByteArray fileBlock() const { return block(false); }
    QByteArray unsavedBlock() const { return block(true); }

  private:
    using Span = lineranks::LineSpan;

    void appendLines(const QByteArray& bytes, std::vector<quint32>& all);
    std::vector<quint32> distinctLines(const std::vector<quint32>& all,
                                       std::vector<Span>& distinct) const;
    void orderByRank(const std::vector<quint32>& all, const std::vector<quint32>& lineId,
                     const std::vector<quint32>& rank);
    QByteArray block(bool onlyUnsaved) const;
    // The entries not yet saved, by place in entries_, in display order.
    std::vector<quint32> unsavedInOrder() const;
    void dropSaved();
    qsizetype knownSize() const;

    std::deque<QByteArray> storage_; // the bytes the spans point into; never moved
    // Everything the list knows of one line, kept together.
    // 24 bytes: a walk through a million lines in display order fetches them all.
    struct Entry {
        const char* data;
        qint32 size;          // a line is far shorter than 2 GB
        bool unsaved = false; // added one at a time and not saved since
        qint64 offset = -1;   // where the line is in the file, or -1
        Span span() const { return {data, size}; }
        QByteArrayView view() const { return QByteArrayView(data, size); }
    };
    std::deque<Entry> entries_;  // every line, in the order it arrived
    std::vector<quint32> order_; // display order, as places in entries_: 4 bytes to
                                 // move per line when one is inserted
    qsizetype unsavedCount_ = 0;
    size_t firstUnsaved_ = 0; // no entry before this place in entries_ is unsaved
    qsizetype lineBytes_ = 0;
    // What the list knows the file begins with: the blocks it loaded or saved,
    // each by its size and hash. None: it no longer knows (another copy wrote in
    // between), so the next load takes the file's entries anew.
    struct KnownBlock {
        qsizetype size;
        size_t hash;
    };
    std::optional<std::vector<KnownBlock>> known_ = std::vector<KnownBlock>{};
};
