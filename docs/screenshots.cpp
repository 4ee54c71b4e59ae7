// Takes the screenshots of the three windows shown in the README (and of the list
// window's context menu), from the X
// display the program runs on (make screenshots runs it under Xvfb).
// Usage: screenshots output-folder

#include "appwindows.h"
#include "fchrono.h"
#include "form1.h"
#include "form2.h"
#include "look.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// The list's context menu, opened on the second entry, with the window under it;
// the program ends once it is taken.
void shootListMenu(Form1* list, const QString& folder) {
    auto* view = list->findChild<QListView*>(QStringLiteral("LstCheval"));
    view->setCurrentIndex(view->model()->index(1, 0));
    const QPoint at = view->visualRect(view->currentIndex()).center();
    QTimer::singleShot(700, [list, folder] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QRect area =
            menu ? list->frameGeometry().united(menu->geometry()) : list->frameGeometry();
        list->screen()
            ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
            .save(folder + u"/form1-menu.png"_qs);
        if (menu)
            menu->close();
        QApplication::exit(0);
    });
    QContextMenuEvent open(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &open); // returns when the menu closes
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    look::useFrenchToolkitTexts();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    Fchrono main;
    main.move(20, 20);
    main.show();
    // The worked example of the calculation, with a margin of 3 lengths.
    const QList<std::pair<const char*, const char*>> typed{
        {"Tdistance", "2100"}, {"Tpoids", "57"},       {"Tminute", "2"},  {"Tseconde", "38"},
        {"tcentieme", "50"},   {"Tdistance2", "2400"}, {"tpoids2", "58"}, {"TNbrLongueur", "3"}};
    for (const auto& [name, text] : typed)
        main.findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(text));
    QTimer::singleShot(500, [&] {
        // Without a window manager the window is never activated and the focus does
        // not move: tell the margin box that it lost the focus, as a click would.
        QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(main.findChild<QLineEdit*>(QStringLiteral("TNbrLongueur")), &leave);
        main.findChild<QPushButton*>(QStringLiteral("Btcalcul"))->click();
    });

    Form1* list = showForm1();
    list->move(800, 20);
    for (const char* line : {"1:15:48 ---- 2100m ---- 57Kg ---- Eclair ---- terrain : bon",
                             "1:12:30 ---- 1600m ---- 56,5Kg ---- Étoile du Soir ---- terrain : "
                             "très léger",
                             "1:16:07 ---- 2700m ---- 58Kg ---- Bolide ---- terrain : lourd"})
        list->addLine(QString::fromUtf8(line));
    QWidget* memo = showForm2();
    memo->move(800, 460);

    QTimer::singleShot(1500, [&] {
        const auto shoot = [&](QWidget* w, const char* file) {
            w->screen()->grabWindow(w->winId()).save(folder + u'/' + QLatin1String(file));
        };
        shoot(&main, "fchrono.png");
        shoot(list, "form1.png");
        shoot(memo, "form2.png");
        shootListMenu(list, folder);
    });
    return app.exec();
}
