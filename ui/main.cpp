#include "appstate.h"
#include "appwindows.h"
#include "commandline.h"
#include "fchrono.h"
#include "listfile.h"
#include "look.h"
#include "places.h"
#include "qtdialogs.h"
#include "sheetedit.h"

#include <QApplication>
#include <QDateTime>
#include <QScreen>
#include <QTimer>

int main(int argc, char* argv[]) {
    // Any argument is for the command line, which needs no display.
    if (const auto status = runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Orvanto"_qs);
    QApplication::setApplicationVersion(QString::fromUtf8(ORVANTO_VERSION));
    QApplication::setApplicationDisplayName(QString()); // window captions stand as given
    places::chooseListFile();
    look::useFrenchToolkitTexts();

    // The scale and the day's race sheet, shared by the windows; a damaged sheet
    // file is reported now, before the main window shows.
    QtDialogs dialogs(nullptr);
    AppState state(places::settingsFilePath(),
                   loadRaceDay(places::sheetFilePath(), dialogs, QDateTime::currentDateTime()));
    // Its results computed again from its inputs, as the rules now stand.
    (void)recomputeSheet(state.raceDay(), {state.scale(), state.corrections()}, dialogs,
                         QDateTime::currentDateTime());
    // The horses' history, beside the list; its faults told, never in the way.
    if (const QString why =
            state.openHistory(places::historyFilePath(), QDateTime::currentDateTime(), dialogs);
        !why.isEmpty())
        dialogs.warn(why);
    QObject::connect(&state, &AppState::historyFailed, &state,
                     [&dialogs](const QString& why) { dialogs.warn(why); });
    auto* main = new Fchrono(state);
    main->setAttribute(Qt::WA_DeleteOnClose);
    const QRect screen = main->screen()->availableGeometry();
    main->move(screen.center() - main->rect().center());
    main->show();
    // Files dropped on the program or opened with it: onto the sheet, once shown.
    if (const QStringList files = filesGiven(QApplication::arguments()); !files.isEmpty())
        QTimer::singleShot(0, main, [&state, files] { openFiles(state, files); });
    // The program ends when its last window closes; the others have no owner.
    return app.exec();
}
