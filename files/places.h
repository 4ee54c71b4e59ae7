#pragma once
// Where each of the program's files lives. The list file is chosen once at
// start; the race sheet (and what comes next) sits beside it; the user's settings
// live in the system's place for them.

#include <QString>

namespace places {

// The list file every command uses: lstchrono.txt beside the executable unless
// set otherwise (at start, and by tests and the benchmark).
QString listFilePath();
void setListFilePath(const QString& path);
// The day's race sheet, coursedujour.csv, beside the list file.
QString sheetFilePath();
// The races kept when a new one starts: one file each in courses/, beside the
// list file.
QString archiveFolder();
// The horses' history, historique.sqlite, beside the list file.
QString historyFilePath();
// The user's settings (the scale): Orvanto.ini in the system's place for them.
QString settingsFilePath();

// Where the list file lives, chosen once at start: the program's own folder when
// the program may create and write files there (a build tree, a copy unpacked in
// the user's folders) and is not an installed copy, otherwise the user's data
// folder.
QString chooseListFolder(const QString& programFolder, const QString& dataFolder);
// The file an installer puts beside the program (Windows) or a package in its
// share folder (../share/orvanto/): an installed copy keeps its list in the
// user's data folder even where its own folder happens to be writable.
QString installedMark();
// The user's data folder for the program: $XDG_DATA_HOME/Orvanto (by default
// ~/.local/share/Orvanto); on Windows %APPDATA%\Orvanto.
QString userDataFolder();
// Sets the list file for this run of the program, in the folder chooseListFolder
// picks (the application object must exist).
void chooseListFile();

// A path as messages show it: in full, with the system's separators, since the
// file may live in a folder the user does not know of.
QString shown(const QString& path);

} // namespace places
