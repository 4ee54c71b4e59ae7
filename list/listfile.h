#pragma once
// The list file, lstchrono.txt: Windows-1252 text, one list line per text line,
// each save appending one block. After a failure neither the list nor the file has
// changed.

#include "wholefile.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

class HorseList;

// Adds the file's lines to the list; nothing when the file does not exist.
FileResult loadListFile(const QString& path, HorseList& list);
// Appends the entries not yet saved as one block, creating the file when it does
// not exist, and marks them saved; with none, leaves the file untouched.
FileResult saveListFile(const QString& path, HorseList& list);
// Changes entry i's line in the file to `line`, or takes it out when none: every
// other byte of the file stays as it is, the new file is written aside and put in
// place only when whole. Refused (FileChanged) when the file is not
// exactly as the list last loaded or saved it.
FileResult rewriteListLine(const QString& path, HorseList& list, qsizetype i,
                           const std::optional<QString>& line);
// Leaves the file holding one empty line (CR LF).
FileResult emptyListFile(const QString& path);
