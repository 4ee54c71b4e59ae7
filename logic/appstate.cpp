#include "appstate.h"

#include "comparable.h"
#include "finishes.h"
#include "places.h"
#include "runhistory.h"

#include <QDateTime>

AppState::AppState(QString settingsPath, RaceDay day)
    : settings_(std::move(settingsPath)), day_(std::move(day)) {
    connect(&settings_, &Settings::changed, this, &AppState::changed);
}

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
    if (!dialogs_)
        return;
    const bool fed = feedSheet(day_.sheet, history_, {scale(), corrections()});
    // A place read from the history changes nothing the file keeps.
    fillFinishes(day_.sheet, history_);
    if (fed)
        (void)saveRaceDay(day_, *dialogs_);
}

void AppState::runnerCorrected(const Runner& before, const Runner& after) {
    if (!day_.written())
        return; // the history keeps the run until the correction is written
    if (const QString why = correctRecorded(history_, before, after, day_.sheet); !why.isEmpty())
        emit historyFailed(why);
}

QString AppState::dailyCopy(const QDateTime& now) {
    if (!now.isValid())
        return QString();
    const auto made = history::copies::list(history_.path());
    if (std::any_of(made.begin(), made.end(),
                    [&](const history::copies::Copy& c) { return c.made.date() == now.date(); }))
        return QString();
    const FileResult copied = history_.keepCopy(now);
    return copied.ok() ? QString()
                       : copied.message + u"\nL'historique n'a pas de copie du jour."_qs;
}

QString AppState::openHistory(const QString& path, const QDateTime& now, Dialogs& dialogs) {
    dialogs_ = &dialogs;
    const history::Opened opened = history_.open(path, now);
    if (!opened.result.ok())
        return opened.result.message +
               u"\nLes courses des chevaux ne seront pas gardées cette fois."_qs;
    if (opened.restored)
        return u"Le fichier %1 n'était pas lisible comme historique des chevaux : il est "
               "gardé sous le nom %2, et la copie du %3 (%4) a été remise à sa place. Les "
               "courses gardées depuis cette copie sont à importer ou saisir de nouveau."_qs.arg(
                   places::shown(path), places::shown(opened.setAside),
                   history::copies::shownDate(*opened.restored),
                   places::shown(opened.restored->path));
    if (!opened.setAside.isEmpty())
        return u"Le fichier %1 n'était pas lisible comme historique des chevaux : "
               "il est gardé sous le nom %2, et un nouvel historique commence."_qs.arg(
                   places::shown(path), places::shown(opened.setAside));
    if (const QString why = dailyCopy(now); !why.isEmpty())
        return why;
    if (!day_.written())
        return QString();
    const QString why = recordReferences(history_, day_.sheet);
    feedFromHistory();
    return why;
}
