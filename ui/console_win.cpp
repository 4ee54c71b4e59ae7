#include "console.h"

#include <windows.h>

namespace console {

namespace {

// The handle to write to: the one the program was given (a pipe, a file, the
// console it was started in), else the parent's console, once attached. None
// when started from the Start menu or Explorer: the text has nowhere to go.
HANDLE handleFor(Stream stream) {
    const DWORD which = stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE h = GetStdHandle(which);
    if (h && h != INVALID_HANDLE_VALUE)
        return h;
    static const HANDLE parent = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS))
            return INVALID_HANDLE_VALUE;
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return parent;
}

} // namespace

void write(Stream stream, const QString& text) {
    const HANDLE h = handleFor(stream);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0, done = 0;
    if (GetConsoleMode(h, &mode)) {
        // A console: its own characters, whatever its code page, and its line ends.
        const QString lines = QString(text).replace(u'\n', u"\r\n"_qs);
        WriteConsoleW(h, lines.utf16(), static_cast<DWORD>(lines.size()), &done, nullptr);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    WriteFile(h, bytes.constData(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

} // namespace console
