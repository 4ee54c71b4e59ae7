// orvanto.com, what a command prompt runs when "orvanto" is typed: the same
// command line as Orvanto.exe, built as a console program, so that the prompt
// waits for it, shows what it writes before coming back and gets its exit code.
// It holds no window: without an option, or with files to open, it starts
// Orvanto.exe beside it with the same arguments and returns.

#include "commandline.h"
#include "console.h"

#include <string>
#include <windows.h>

namespace {

// The arguments as typed, after the program's own name (quoted or not).
const wchar_t* argumentsOf(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        return *line ? line + 1 : line;
    }
    while (*line && *line != L' ' && *line != L'\t')
        ++line;
    return line;
}

int startWindows() {
    wchar_t self[32768];
    const DWORD n = GetModuleFileNameW(nullptr, self, sizeof self / sizeof *self);
    std::wstring program(self, n);
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"Orvanto.exe";
    std::wstring line = L"\"" + program + L"\"" + argumentsOf(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (n == 0 || !CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &started)) {
        console::write(console::Stream::Err,
                       u"orvanto : Orvanto.exe, le programme à fenêtres, n'a pas pu être lancé "
                       "(erreur %1).\n"_qs.arg(GetLastError()));
        return 1;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = runCommandLine(argc, argv))
        return *status;
    return startWindows();
}
