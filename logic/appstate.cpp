#include "appstate.h"

#include "comparable.h"
#include "correctionsettings.h"
#include "places.h"
#include "runhistory.h"
#include "scalesettings.h"

#include <QDateTime>
#include <QSettings>

namespace {

const QString AlsoListKey = u"course/ajouter-aussi-a-la-liste"_qs;

bool readAlsoList(const QString& path) {
    return QSettings(path, QSettings::IniFormat).value(AlsoListKey, true).toBool();
}

} // namespace

AppState::AppState(QString settingsPath, RaceDay day)
    : settingsPath_(std::move(settingsPath)), scale_(scale::readScale(settingsPath_)),
      corrections_(calc::readCorrections(settingsPath_)), alsoList_(readAlsoList(settingsPath_)),
      day_(std::move(day)) {}

void AppState::sheetEdited() {
    // A sheet its file does not hold has nothing the history may take as said.
    if (day_.written()) {
        if (const QString why = recordReferences(history_, day_.sheet); !why.isEmpty())
            emit historyFailed(why);
        feedFromHistory();
    }
    emit changed();
}

void AppState::feedFromHistory() {
    // The runners' references as their runs now choose them; the file follows.
    if (dialogs_ && feedSheet(day_.sheet, history_, {scale_, corrections_}))
        (void)saveRaceDay(day_, *dialogs_);
}

void AppState::runnerCorrected(const Runner& before, const Runner& after) {
    if (!day_.written())
        return; // the history keeps the run until the correction is written
    if (const QString why = forgetCorrected(history_, before, after, day_.sheet); !why.isEmpty())
        emit historyFailed(why);
}

QString AppState::openHistory(const QString& path, const QDateTime& now, Dialogs& dialogs) {
    dialogs_ = &dialogs;
    const history::Opened opened = history_.open(path, now.toString(u"yyyy-MM-dd-HHmm"_qs));
    if (!opened.result.ok())
        return opened.result.message +
               u"\nLes courses des chevaux ne seront pas gardées cette fois."_qs;
    if (!opened.setAside.isEmpty())
        return u"Le fichier %1 n'était pas lisible comme historique des chevaux : "
               "il est gardé sous le nom %2, et un nouvel historique commence."_qs.arg(
                   places::shown(path), places::shown(opened.setAside));
    if (!day_.written())
        return QString();
    const QString why = recordReferences(history_, day_.sheet);
    feedFromHistory();
    return why;
}

void AppState::setScale(const scale::Scale& chosen) {
    if (chosen == scale_)
        return;
    scale_ = chosen;
    emit changed();
}

void AppState::setCorrections(const calc::CorrectionTable& chosen) {
    if (chosen == corrections_)
        return;
    corrections_ = chosen;
    emit changed();
}

QString AppState::setAlsoList(bool on) {
    alsoList_ = on;
    QSettings ini(settingsPath_, QSettings::IniFormat);
    ini.setValue(AlsoListKey, on);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return u"Ce choix n'a pas pu être enregistré dans %1 : le fichier ne "
               "peut pas être écrit."_qs.arg(settingsPath_);
    return QString();
}
