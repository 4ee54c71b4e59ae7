#pragma once
// Where the command line's texts go: the terminal or console the program was
// started from. On Windows the program is a windowed one, which has no console
// of its own: it writes to its parent's. One implementation per platform,
// chosen when the project is configured.

#include <QString>

namespace console {

enum class Stream { Out, Err };

// Writes `text` (lines ended by \n). POSIX: in the locale's encoding, wherever it
// goes. Windows: UTF-8 to a pipe or file, the console's own characters (and CR LF)
// to a console.
void write(Stream stream, const QString& text);

} // namespace console
