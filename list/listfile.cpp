#include "listfile.h"

#include "cp1252.h"
#include "horselist.h"
#include "syserror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <optional>

namespace {

using syserror::Fault;

// The message names the file's full path: it may live in a folder the user
// does not know of.
ListFileResult failure(const char* action, const QString& path, const QString& reason) {
    return ListFileResult::failure(
        QStringLiteral("Impossible %1 le fichier %2 : %3.")
            .arg(QLatin1String(action),
                 QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason));
}

ListFileResult failure(const char* action, const QString& path, Fault fault) {
    return failure(action, path, syserror::reason(fault));
}

// Writes every byte, then flushes; why the first failure happened, or nothing.
std::optional<QString> writeAll(QFileDevice& file, QByteArrayView bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        syserror::clear();
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            return syserror::lastReason(Fault::Io);
        written += n;
    }
    syserror::clear();
    if (!file.flush())
        return syserror::lastReason(Fault::Io);
    return std::nullopt;
}

// Writes the file aside and puts it in place, so a failure leaves the old file whole.
ListFileResult replaceFile(const QString& path, QByteArrayView bytes, const char* action) {
    if (QFileInfo(path).isDir())
        return failure(action, path, Fault::IsFolder);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    syserror::clear();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
    // Unbuffered and flushed before the commit: a buffered write's error would be
    // lost there, and the old file replaced by a short one.
    if (const auto error = writeAll(file, bytes)) {
        file.cancelWriting();
        return failure(action, path, *error);
    }
    syserror::clear();
    if (!file.commit())
        return failure(action, path, syserror::lastReason(Fault::Io));
    return ListFileResult::success();
}

QString& chosenPath() {
    static QString path;
    return path;
}

} // namespace

QString listFilePath() {
    if (chosenPath().isEmpty())
        return QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("lstchrono.txt"));
    return chosenPath();
}

void setListFilePath(const QString& path) {
    chosenPath() = path;
}

QString installedMark() {
    return QStringLiteral("installe.txt");
}

QString chooseListFolder(const QString& programFolder, const QString& dataFolder) {
    if (QFileInfo::exists(QDir(programFolder).filePath(installedMark())))
        return dataFolder;
    // Tried for real: permissions, read-only media and the superuser all play a part.
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("orvanto-XXXXXX.tmp")));
    return probe.open() ? programFolder : dataFolder;
}

QString userDataFolder() {
#ifdef Q_OS_WIN
    const QString base = qEnvironmentVariable("APPDATA"); // the roaming folder
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    return QDir(base).filePath(QStringLiteral("Orvanto"));
}

void chooseListFile() {
    const QString folder =
        chooseListFolder(QCoreApplication::applicationDirPath(), userDataFolder());
    setListFilePath(QDir(folder).filePath(QStringLiteral("lstchrono.txt")));
}

ListFileResult makeListFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    syserror::clear();
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder))
        return ListFileResult::success();
    return ListFileResult::failure(
        QStringLiteral("Impossible de créer le dossier %1 : %2.")
            .arg(QDir::toNativeSeparators(folder), syserror::lastReason(Fault::AccessDenied)));
}

ListFileResult loadListFile(const QString& path, HorseList& list) {
    const QFileInfo info(path);
    if (!info.exists())
        return ListFileResult::success();
    if (info.isDir())
        return failure("de lire", path, Fault::IsFolder);
    QFile file(path);
    syserror::clear();
    if (!file.open(QIODevice::ReadOnly))
        return failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
    // One read for the whole file; the list keeps these bytes.
    QByteArray content;
    try {
        content = file.readAll();
    } catch (const std::bad_alloc&) {
        return failure("de lire", path, Fault::NoMemory);
    }
    if (file.error() != QFileDevice::NoError)
        return failure("de lire", path, syserror::lastReason(Fault::Io));
    list.loadFile(std::move(content));
    return ListFileResult::success();
}

ListFileResult saveListFile(const QString& path, HorseList& list) {
    if (QFileInfo(path).isDir())
        return failure("d'enregistrer dans", path, Fault::IsFolder);
    if (list.unsavedCount() == 0)
        return ListFileResult::success(); // the file holds every entry already
    const QByteArray block = list.unsavedBlock();
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    syserror::clear();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
    const qint64 oldSize = file.size();
    if (const auto error = writeAll(file, block)) {
        // Undone: the file as it was, or no file at all when there was none.
        if (existed)
            file.resize(oldSize);
        else
            file.remove();
        file.close();
        return failure("d'enregistrer dans", path, *error);
    }
    file.close();
    list.fileAppended(block, oldSize);
    list.markSaved();
    return ListFileResult::success();
}

ListFileResult rewriteListLine(const QString& path, HorseList& list, qsizetype i,
                               const std::optional<QString>& line) {
    const qint64 at = list.fileOffsetAt(i);
    QFile file(path);
    syserror::clear();
    if (at < 0 || !file.open(QIODevice::ReadOnly)) {
        ListFileResult changed =
            at < 0 ? ListFileResult::failure(QString())
                   : failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied));
        changed.fileChanged = at < 0;
        return changed;
    }
    const QByteArray content = file.readAll();
    file.close();
    if (!list.knowsExactly(content)) {
        ListFileResult changed = ListFileResult::failure(QString());
        changed.fileChanged = true;
        return changed;
    }
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
    const ListFileResult written = replaceFile(path, rewritten, "d'enregistrer dans");
    if (written.ok)
        list.lineRewritten(i, line, rewritten, at, replacement.size() - cut);
    return written;
}

ListFileResult emptyListFile(const QString& path) {
    return replaceFile(path, QByteArrayView("\r\n", 2), "de vider");
}

ListFileResult writeWholeFile(const QString& path, QByteArrayView bytes) {
    return replaceFile(path, bytes, "d'enregistrer dans");
}
