#pragma once
// The list file, lstchrono.txt: Windows-1252 text, one list line per text line,
// each save appending one block. After a failure neither the list nor the file has
// changed.

#include <QByteArrayView>
#include <QString>
#include <optional>

class HorseList;

// What a list-file command came to: success, or a French message for the user.
struct [[nodiscard]] ListFileResult {
    bool ok = true;
    QString message;          // why it failed; empty on success
    bool fileChanged = false; // it failed because the file is no longer as loaded

    static ListFileResult success() { return {}; }
    static ListFileResult failure(QString message) { return {false, std::move(message), false}; }
};

// The list file every command uses: lstchrono.txt beside the executable unless
// set otherwise (at start, and by tests and the benchmark).
QString listFilePath();
void setListFilePath(const QString& path);

// Where the list file lives, chosen once at start: the program's own folder when
// the program may create and write files there (a build tree, a copy unpacked in
// the user's folders) and is not an installed copy, otherwise the user's data
// folder.
QString chooseListFolder(const QString& programFolder, const QString& dataFolder);
// The file an installer puts beside the program: an installed copy keeps its list
// in the user's data folder even where its own folder happens to be writable.
QString installedMark();
// The user's data folder for the program: $XDG_DATA_HOME/Orvanto (by default
// ~/.local/share/Orvanto); on Windows %APPDATA%\Orvanto.
QString userDataFolder();
// Sets the list file for this run of the program, in the folder chooseListFolder
// picks (the application object must exist).
void chooseListFile();
// Makes the list file's folder when it is missing (the data folder on first use).
ListFileResult makeListFolder(const QString& path);

// Adds the file's lines to the list; nothing when the file does not exist.
ListFileResult loadListFile(const QString& path, HorseList& list);
// Appends the entries not yet saved as one block, creating the file when it does
// not exist, and marks them saved; with none, leaves the file untouched.
ListFileResult saveListFile(const QString& path, HorseList& list);
// Changes entry i's line in the file to `line`, or takes it out when none: every
// other byte of the file stays as it is, the new file is written aside and put in
// place only when whole. Refused, with fileChanged set, when the file is not
// exactly as the list last loaded or saved it.
ListFileResult rewriteListLine(const QString& path, HorseList& list, qsizetype i,
                               const std::optional<QString>& line);
// Leaves the file holding one empty line (CR LF).
ListFileResult emptyListFile(const QString& path);

// Writes `bytes` as the whole of the file at `path`, put in place only once whole
// (an export: the list file is never touched by it).
ListFileResult writeWholeFile(const QString& path, QByteArrayView bytes);
