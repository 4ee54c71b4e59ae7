#include "appwindows.h"
#include "commandline.h"
#include "fchrono.h"
#include "listfile.h"
#include "look.h"
#include "places.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    // Any argument is for the command line, which needs no display.
    if (const auto status = runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanto"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTO_VERSION));
    QApplication::setApplicationDisplayName(QString()); // window captions stand as given
    places::chooseListFile();
    look::useFrenchToolkitTexts();

    auto* main = new Fchrono();
    main->setAttribute(Qt::WA_DeleteOnClose);
    const QRect screen = main->screen()->availableGeometry();
    main->move(screen.center() - main->rect().center());
    main->show();
    raceDay(); // the day's race sheet, read now so that a damaged file is reported at once
    // The program ends when its last window closes; the others have no owner.
    return app.exec();
}
