#include "syserror.h"

#include <cerrno>
#include <optional>
#include <windows.h>

namespace syserror {

namespace {

std::optional<Fault> faultOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Fault::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Fault::DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return Fault::TooLarge;
    case ERROR_WRITE_PROTECT:
        return Fault::ReadOnly;
    case ERROR_DIRECTORY:
        return Fault::IsFolder;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return Fault::NotFound;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return Fault::NoMemory;
    default:
        return std::nullopt;
    }
}

} // namespace

void clear() {
    SetLastError(ERROR_SUCCESS);
    errno = 0;
}

QString lastReason(Fault fallback) {
    const DWORD error = GetLastError();
    if (error == ERROR_SUCCESS)
        return errno == ENOSPC ? reason(Fault::DiskFull) : reason(fallback);
    return reasonOf(error, fallback);
}

QString reasonOf(long long systemCode, Fault fallback) {
    if (systemCode == 0)
        return reason(fallback);
    if (const auto fault = faultOf(static_cast<DWORD>(systemCode)))
        return reason(*fault);
    return u"erreur du système (code %1)"_qs.arg(systemCode);
}

} // namespace syserror
