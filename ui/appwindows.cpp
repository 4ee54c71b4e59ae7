#include "appwindows.h"
#include "horsecard.h"

#include "coursedujour.h"
#include "form1.h"
#include "form2.h"

#include "appstate.h"
#include "qtdialogs.h"
#include "sheetedit.h"

#include <QApplication>
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

Form1* showForm1(AppState& state, bool show) {
    if (!form1) {
        form1 = new Form1();
        QObject::connect(form1, &Form1::horseRenamed, form1,
                         [w = form1.data(), &state](const QString& from, const QString& to) {
                             QtDialogs dialogs(w);
                             if (offerRenameOnSheet(state.raceDay(), from, to, dialogs))
                                 state.sheetEdited();
                         });
        QObject::connect(form1, &Form1::horseCardRequested, form1,
                         [w = form1.data(), &state](const QString& horse) {
                             HorseCard card(state, horse, w);
                             card.exec();
                         });
    }
    return show ? toFront(form1.data()) : form1.data();
}

Form2* showForm2(AppState& state) {
    if (!form2)
        form2 = new Form2(state);
    return toFront(form2.data());
}

CourseDuJour* showCourseDuJour(AppState& state, bool activate) {
    if (!courseDuJour) {
        courseDuJour = new CourseDuJour(state);
        QObject::connect(courseDuJour, &CourseDuJour::horseRenamed, courseDuJour,
                         [&state](const QString& from, const QString& to) {
                             showForm1(state, false)->logic().OfferRename(from, to);
                         });
    }
    courseDuJour->refresh();
    if (activate)
        return toFront(courseDuJour.data());
    courseDuJour->setAttribute(Qt::WA_ShowWithoutActivating, true);
    courseDuJour->show();
    courseDuJour->setAttribute(Qt::WA_ShowWithoutActivating, false);
    return courseDuJour;
}

void openFiles(AppState& state, const QStringList& paths) {
    if (!paths.isEmpty())
        showCourseDuJour(state)->importPaths(paths);
}

bool mayCloseLastWindow(const QWidget* closing) {
    if (!form1 || form1 == closing)
        return true; // the list window asks for itself
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != closing && w->isVisible() &&
            (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return true; // the program goes on
    return form1->logic().QueryClose();
}
