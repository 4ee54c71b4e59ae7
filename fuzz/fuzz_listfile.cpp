// The list file loader on arbitrary bytes: never crashes, keeps the list sorted,
// and load-then-save writes back every non-empty line's bytes. The spreadsheet table of the
// list stays inside its buffer and holds one row per entry.

#include "collation.h"
#include "horselist.h"
#include "listtable.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

QList<QByteArray> linesOf(QByteArrayView bytes) {
    QList<QByteArray> lines;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype j = i;
        while (j < bytes.size() && bytes[j] != '\r' && bytes[j] != '\n')
            ++j;
        lines << bytes.sliced(i, j - i).toByteArray();
        if (j + 1 < bytes.size() && bytes[j] == '\r' && bytes[j + 1] == '\n')
            ++j;
        i = j + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    HorseList list;
    list.addFileContent(content);

    QList<QByteArray> expected = linesOf(content);
    expected.removeAll(QByteArray()); // an empty line of the file is no entry
    QByteArray block = list.fileBlock();
    if (!block.endsWith("\r\n"))
        std::abort();
    block.chop(2);
    QList<QByteArray> saved;
    for (qsizetype i = 0; i < list.count(); ++i) {
        const QByteArray line = list.bytesAt(i).toByteArray();
        saved << line;
        if (!block.startsWith(line + "\r\n"))
            std::abort();
        block.remove(0, line.size() + 2);
    }
    if (!block.isEmpty())
        std::abort();
    std::sort(expected.begin(), expected.end());
    std::sort(saved.begin(), saved.end());
    if (expected != saved)
        std::abort();

    // A quoted cell may hold line breaks only in the CSV; the clipboard's rows end
    // at the line feeds between them.
    const QByteArray table = listtable::clipboardText(list, 0, list.count());
    if (table.count('\n') != list.count() + 1 || !QString::fromUtf8(table).isValidUtf16())
        std::abort();
    if (!listtable::csv(list).startsWith("\xEF\xBB\xBF"))
        std::abort();

    const QCollator collator = listCollator();
    for (qsizetype i = 1; i < list.count(); ++i)
        if (collator.sortKey(list.at(i - 1)).compare(collator.sortKey(list.at(i))) > 0)
            std::abort();
    return 0;
}
