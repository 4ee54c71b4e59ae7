#pragma once
// The list window, the memo aid and the day's race sheet exist at most once, are
// created on first use, have no owner and come to the front when shown again.

class CourseDuJour;
class Form1;
class Form2;
class QWidget;
struct RaceDay;

Form1* showForm1(bool show = true); // without `show`, only makes sure it exists
Form2* showForm2();
CourseDuJour* showCourseDuJour();

// "Barème…" asked from `over`: the main window applies the choice; without it,
// the choice is only kept for the next start.
void chooseScale(QWidget* over);

// The day's race sheet, read from its file on first use (at start).
RaceDay& raceDay();
