#include "syserror.h"

#include <cerrno>
#include <optional>

namespace syserror {

namespace {

std::optional<Fault> faultOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return Fault::AccessDenied;
    case ENOSPC:
    case EDQUOT:
        return Fault::DiskFull;
    case EFBIG:
        return Fault::TooLarge;
    case EROFS:
        return Fault::ReadOnly;
    case EISDIR:
        return Fault::IsFolder;
    case ENOENT:
    case ENOTDIR:
        return Fault::NotFound;
    case ENOMEM:
        return Fault::NoMemory;
    default:
        return std::nullopt;
    }
}

} // namespace

void clear() {
    errno = 0;
}

QString lastReason(Fault fallback) {
    return reasonOf(errno, fallback);
}

QString reasonOf(long long systemCode, Fault fallback) {
    if (systemCode == 0)
        return reason(fallback);
    if (const auto fault = faultOf(static_cast<int>(systemCode)))
        return reason(*fault);
    return u"erreur du système (code %1)"_qs.arg(systemCode);
}

} // namespace syserror
