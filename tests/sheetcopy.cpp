// A copy of the program working on the day's race sheet, for the tests of two
// copies at once: reads the sheet once, as the program does at start, then adds
// runners one by one, saving after each, as "Ajouter à la course du jour" does.
// Usage: sheetcopy FILE NAME COUNT
#include "racedayfile.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QThread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    ScriptedDialogs dialogs;
    RaceDay day = loadRaceDay(args[1], dialogs, QDateTime::currentDateTime());
    for (int i = 0; i < args[3].toInt(); ++i) {
        Runner r;
        r.name = u"%1 %2"_qs.arg(args[2]).arg(i);
        r.race.dayDistance = u"2400"_qs;
        r.estimateHundredths = 18000 + i;
        day.sheet.distance = r.race.dayDistance; // as the first runner added sets it
        day.sheet.runners.push_back(r);
        if (!saveRaceDay(day, dialogs))
            return 1;
        QThread::msleep(3); // a punter types; the other copy gets its turn
    }
    // A question would mean a conflict, which two copies adding others never make.
    return dialogs.shown.isEmpty() ? 0 : 3;
}
