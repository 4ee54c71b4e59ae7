#include "appwindows.h"

#include "bareme.h"
#include "coursedujour.h"
#include "fchrono.h"
#include "form1.h"
#include "form2.h"
#include "places.h"
#include "qtdialogs.h"
#include "scalesettings.h"

#include <QApplication>
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

void chooseScale(QWidget* over) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<Fchrono*>(w)) {
            main->chooseScale(over);
            return;
        }
    const QString path = scaleSettingsPath();
    Bareme dialog(scale::readScale(path), path, over);
    dialog.exec();
}

RaceDay& raceDay() {
    static RaceDay day = [] {
        QtDialogs dialogs(nullptr);
        return loadRaceDay(places::sheetFilePath(), dialogs, QDateTime::currentDateTime());
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
