#include "listfile.h"

#include "cp1252.h"
#include "horselist.h"
#include "syserror.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

using syserror::Fault;

FileResult failure(const char* action, const QString& path, Fault fault) {
    return files::failure(action, path, syserror::reason(fault));
}

} // namespace

FileResult loadListFile(const QString& path, HorseList& list) {
    files::Content content = files::readWhole(path);
    if (content.result.ok() && content.exists)
        list.loadFile(std::move(content.bytes)); // one read for the whole file; the list keeps it
    return content.result;
}

FileResult saveListFile(const QString& path, HorseList& list) {
    if (QFileInfo(path).isDir())
        return failure("d'enregistrer dans", path, Fault::IsFolder);
    if (list.unsavedCount() == 0)
        return FileResult::success(); // the file holds every entry already
    const QByteArray block = list.unsavedBlock();
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    syserror::clear();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return files::failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
    const qint64 oldSize = file.size();
    if (const auto error = files::writeAll(file, block)) {
        // Undone: the file as it was, or no file at all when there was none.
        if (existed)
            file.resize(oldSize);
        else
            file.remove();
        file.close();
        return files::failure("d'enregistrer dans", path, *error);
    }
    file.close();
    list.fileAppended(block, oldSize);
    list.markSaved();
    return FileResult::success();
}

FileResult rewriteListLine(const QString& path, HorseList& list, qsizetype i,
                           const std::optional<QString>& line) {
    const qint64 at = list.fileOffsetAt(i);
    QFile file(path);
    syserror::clear();
    if (at < 0)
        return FileResult::changed();
    if (!file.open(QIODevice::ReadOnly))
        return files::failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
    const QByteArray content = file.readAll();
    file.close();
    if (!list.knowsExactly(content))
        return FileResult::changed();
    // The line, and its line end when it is taken out.
    const qsizetype length = list.bytesAt(i).size();
    qsizetype cut = length;
    if (!line) {
        if (at + cut < content.size() && content[at + cut] == '\r')
            ++cut;
        if (at + cut < content.size() && content[at + cut] == '\n')
            ++cut;
    }
    const QByteArray replacement = line ? cp1252::encode(*line) : QByteArray();
    QByteArray rewritten = content;
    rewritten.replace(at, cut, replacement);
    const FileResult written = files::writeWhole(path, rewritten);
    if (written.ok())
        list.lineRewritten(i, line, rewritten, at, replacement.size() - cut);
    return written;
}

FileResult emptyListFile(const QString& path) {
    return files::writeWhole(path, QByteArrayView("\r\n", 2), "de vider");
}
