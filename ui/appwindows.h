#pragma once
// The list window, the memo aid and the day's race sheet exist at most once, are
// created on first use, have no owner and come to the front when shown again.

class AppState;
class CourseDuJour;
class Form1;
class Form2;
class QWidget;

#include <QString>
#include <QStringList>

// Each is given what the windows share, made once at start.
Form1* showForm1(AppState& state, bool show = true); // without `show`, only makes sure it exists
Form2* showForm2(AppState& state);
// Without `activate`, shown without taking the keyboard from the window in use
// (the main window, where the next horse is typed).
CourseDuJour* showCourseDuJour(AppState& state, bool activate = true);
// Whether `closing` may close. The last window shown closing ends the program:
// when the list then holds horses not saved (added from the main window or the
// sheet while the list stayed hidden), only once they are saved or the user
// chose to drop them, as closing the list window asks.
bool mayCloseLastWindow(const QWidget* closing);
// Files given to the program (dropped on it, opened with it): imported as
// "Importer…" does, the day's race sheet shown with its summary; a file that
// cannot be read or does not exist is named in it.
void openFiles(AppState& state, const QStringList& paths);
