#include "listfile.h"

#include "horselist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>

namespace {

// Why a file operation failed, in the user's words, from the system's error number.
QString reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EFBIG:
        return QStringLiteral("le fichier est trop volumineux");
    case EROFS:
        return QStringLiteral("le support est en lecture seule");
    case EISDIR:
        return QStringLiteral("c'est un dossier, pas un fichier");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier est introuvable");
    case ENOMEM:
        return QStringLiteral("la mémoire est insuffisante");
    default:
        return QStringLiteral("erreur du système (code %1)").arg(error);
    }
}

// The error number the last failed call left, or `fallback` when it left none.
int lastError(int fallback) {
    return errno ? errno : fallback;
}

// The message names the file's full path: it may live in a folder the user
// does not know of.
ListFileResult failure(const char* action, const QString& path, int error) {
    return ListFileResult::failure(
        QStringLiteral("Impossible %1 le fichier %2 : %3.")
            .arg(QLatin1String(action),
                 QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason(error)));
}

// Writes every byte, then flushes; the error number of the first failure, or 0.
int writeAll(QFileDevice& file, QByteArrayView bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            return lastError(EIO);
        written += n;
    }
    errno = 0;
    return file.flush() ? 0 : lastError(EIO);
}

// Writes the file aside and puts it in place, so a failure leaves the old file whole.
ListFileResult replaceFile(const QString& path, QByteArrayView bytes, const char* action) {
    if (QFileInfo(path).isDir())
        return failure(action, path, EISDIR);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure("d'ouvrir", path, lastError(EACCES));
    // Unbuffered and flushed before the commit: a buffered write's error would be
    // lost there, and the old file replaced by a short one.
    if (const int error = writeAll(file, bytes)) {
        file.cancelWriting();
        return failure(action, path, error);
    }
    errno = 0;
    if (!file.commit())
        return failure(action, path, lastError(EIO));
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

QString chooseListFolder(const QString& programFolder, const QString& dataFolder) {
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
    errno = 0;
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder))
        return ListFileResult::success();
    return ListFileResult::failure(
        QStringLiteral("Impossible de créer le dossier %1 : %2.")
            .arg(QDir::toNativeSeparators(folder), reason(lastError(EACCES))));
}

ListFileResult loadListFile(const QString& path, HorseList& list) {
    const QFileInfo info(path);
    if (!info.exists())
        return ListFileResult::success();
    if (info.isDir())
        return failure("de lire", path, EISDIR);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return failure("d'ouvrir", path, lastError(EACCES));
    // One read for the whole file; the list keeps these bytes.
    QByteArray content;
    try {
        content = file.readAll();
    } catch (const std::bad_alloc&) {
        return failure("de lire", path, ENOMEM);
    }
    if (file.error() != QFileDevice::NoError)
        return failure("de lire", path, lastError(EIO));
    list.addFileContent(std::move(content));
    return ListFileResult::success();
}

ListFileResult saveListFile(const QString& path, HorseList& list) {
    if (QFileInfo(path).isDir())
        return failure("d'enregistrer dans", path, EISDIR);
    if (list.unsavedCount() == 0)
        return ListFileResult::success(); // the file holds every entry already
    const QByteArray block = list.unsavedBlock();
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failure("d'ouvrir", path, lastError(EACCES));
    const qint64 oldSize = file.size();
    if (const int error = writeAll(file, block)) {
        // Undone: the file as it was, or no file at all when there was none.
        if (existed)
            file.resize(oldSize);
        else
            file.remove();
        file.close();
        return failure("d'enregistrer dans", path, error);
    }
    file.close();
    list.markSaved();
    return ListFileResult::success();
}

ListFileResult emptyListFile(const QString& path) {
    return replaceFile(path, QByteArrayView("\r\n", 2), "de vider");
}

ListFileResult writeWholeFile(const QString& path, QByteArrayView bytes) {
    return replaceFile(path, bytes, "d'enregistrer dans");
}
