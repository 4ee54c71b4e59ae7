#include "appwindows.h"

#include "coursedujour.h"
#include "form1.h"
#include "form2.h"

#include <QPointer>

namespace {

// Each window deletes itself when closed; the next use creates it anew, with no
// owner: closing the main window leaves it open.
QPointer<Form1> form1;
QPointer<Form2> form2;
QPointer<CourseDuJour> courseDuJour;

template <typename Window> Window* toFront(Window* window) {
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

Form1* showForm1(bool show) {
    if (!form1)
        form1 = new Form1();
    return show ? toFront(form1.data()) : form1.data();
}

Form2* showForm2(AppState& state) {
    if (!form2)
        form2 = new Form2(state);
    return toFront(form2.data());
}

CourseDuJour* showCourseDuJour(AppState& state) {
    if (!courseDuJour)
        courseDuJour = new CourseDuJour(state);
    courseDuJour->refresh();
    return toFront(courseDuJour.data());
}
