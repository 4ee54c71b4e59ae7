#pragma once
// Why a file operation failed, in the user's words, read from the system right
// after the failed call. POSIX keeps the reason in errno; Windows in
// GetLastError(), which Qt's file classes leave for us there. One implementation
// per platform, chosen when the project is configured.

#include <QString>

namespace syserror {

// What a failure came to when the system said nothing of its own.
enum class Fault { AccessDenied, DiskFull, TooLarge, ReadOnly, IsFolder, NotFound, NoMemory, Io };

QString reason(Fault fault);
// Forgets any earlier failure: call it just before the operation to explain.
void clear();
// The reason the system gives for the last failure, or `fallback`'s.
QString lastReason(Fault fallback);
// The reason for the system's failure code `systemCode` (errno, or Windows' own
// code), as a library kept it; `fallback`'s for 0.
QString reasonOf(long long systemCode, Fault fallback);

} // namespace syserror
