#pragma once
// The list file, lstchrono.txt: Windows-1252 text, one list line per text line,
// each save appending one block. Every command returns the empty text on success
// and otherwise a French message for the user; after a failure neither the list
// nor the file has changed.

#include <QString>

class HorseList;

// lstchrono.txt in the folder of the program's executable.
QString listFilePath();

// Adds the file's lines to the list; nothing when the file does not exist.
QString loadListFile(const QString& path, HorseList& list);
// Appends the list as one block; creates the file when it does not exist.
QString saveListFile(const QString& path, const HorseList& list);
// Leaves the file holding one empty line (CR LF).
QString emptyListFile(const QString& path);
