#pragma once
// The list file, lstchrono.txt: Windows-1252 text, one list line per text line,
// each save appending one block. After a failure neither the list nor the file has
// changed.

#include <QString>

class HorseList;

// What a list-file command came to: success, or a French message for the user.
struct ListFileResult {
    bool ok = true;
    QString message; // why it failed; empty on success

    static ListFileResult success() { return {}; }
    static ListFileResult failure(QString message) { return {false, std::move(message)}; }
};

// The list file every command uses: lstchrono.txt beside the executable unless
// set otherwise (tests and the benchmark point it at a folder of their own).
QString listFilePath();
void setListFilePath(const QString& path);

// Adds the file's lines to the list; nothing when the file does not exist.
ListFileResult loadListFile(const QString& path, HorseList& list);
// Appends the entries not yet saved as one block, creating the file when it does
// not exist, and marks them saved; with none, leaves the file untouched.
ListFileResult saveListFile(const QString& path, HorseList& list);
// Leaves the file holding one empty line (CR LF).
ListFileResult emptyListFile(const QString& path);
