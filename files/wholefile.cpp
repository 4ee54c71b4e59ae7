#include "wholefile.h"

#include "places.h"
#include "syserror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {

using syserror::Fault;

FileResult failure(const char* action, const QString& path, const QString& reason) {
    return FileResult::failure(u"Impossible %1 le fichier %2 : %3."_qs.arg(
        QString::fromUtf8(action), places::shown(path), reason));
}

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

FileResult writeWhole(const QString& path, QByteArrayView bytes, const char* action) {
    if (QFileInfo(path).isDir())
        return failure(action, path, syserror::reason(Fault::IsFolder));
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
    return FileResult::success();
}

FileResult makeFolderFor(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    syserror::clear();
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder))
        return FileResult::success();
    return FileResult::failure(u"Impossible de créer le dossier %1 : %2."_qs.arg(
        QDir::toNativeSeparators(folder), syserror::lastReason(Fault::AccessDenied)));
}

Content readWhole(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return {failure("de lire", path, syserror::reason(Fault::IsFolder)), true, {}};
    QFile file(path);
    syserror::clear();
    if (!file.open(QIODevice::ReadOnly))
        return {failure("d'ouvrir", path, syserror::lastReason(Fault::AccessDenied)), true, {}};
    Content content{FileResult::success(), true, {}};
    try {
        content.bytes = file.readAll();
    } catch (const std::bad_alloc&) {
        return {failure("de lire", path, syserror::reason(Fault::NoMemory)), true, {}};
    }
    if (file.error() != QFileDevice::NoError)
        return {failure("de lire", path, syserror::lastReason(Fault::Io)), true, {}};
    return content;
}

Stamp stampOf(QByteArrayView bytes) {
    return {true, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

Stamp stampOf(const Content& content) {
    return content.exists ? stampOf(content.bytes) : Stamp{};
}

Lock::Lock(const QString& path, int waitMs)
    : lock_(std::make_unique<QLockFile>(path + u".verrou"_qs)) {
    lock_->setStaleLockTime(10000);
    held_ = lock_->tryLock(waitMs);
}

} // namespace files
