#include "appwindows.h"

#include "coursedujour.h"
#include "form1.h"
#include "form2.h"
#include "qtdialogs.h"

#include <QDateTime>
#include <QPointer>

namespace {

// Each window deletes itself when closed; the next use creates it anew.
template <typename Window> Window* single(QPointer<Window>& window, bool show) {
    if (!window)
        window = new Window(); // no owner: closing the main window leaves it open
    if (show) {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return window;
}

QPointer<Form1> form1;
QPointer<Form2> form2;
QPointer<CourseDuJour> courseDuJour;

} // namespace

Form1* showForm1(bool show) {
    return single(form1, show);
}
Form2* showForm2() {
    return single(form2, true);
}

RaceDay& raceDay() {
    static RaceDay day = [] {
        QtDialogs dialogs(nullptr);
        return loadRaceDay(RaceDay::pathBesideList(), dialogs, QDateTime::currentDateTime());
    }();
    return day;
}

CourseDuJour* showCourseDuJour() {
    if (!courseDuJour)
        courseDuJour = new CourseDuJour(raceDay());
    courseDuJour->refresh();
    courseDuJour->show();
    courseDuJour->raise();
    courseDuJour->activateWindow();
    return courseDuJour;
}
