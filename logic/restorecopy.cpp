#include "restorecopy.h"

#include "cells.h"
#include "places.h"

#include <QFileInfo>

using history::copies::Copy;

namespace {

// "09/12/2026 à 10:30  (17,2 Mo)", "… avant le passage à la version 2"
QString lineOf(const Copy& c) {
    QString line = u"%1  (%2 Mo)"_qs.arg(history::copies::shownDate(c),
                                         cells::fixed(QFileInfo(c.path).size() / 1048576.0, 1));
    if (c.beforeMigration)
        line += u" avant un changement de version"_qs;
    return line;
}

} // namespace

QString restoreCopy(AppState& state, Dialogs& dialogs, const QDateTime& now) {
    const QString path = state.history().path();
    const std::vector<Copy> copies = history::copies::list(path);
    if (path.isEmpty() || copies.empty())
        return u"Aucune copie de l'historique dans %1."_qs.arg(places::shown(
            history::copies::folderOf(path.isEmpty() ? places::historyFilePath() : path)));
    QStringList lines;
    for (const Copy& c : copies)
        lines << lineOf(c);
    const auto chosen = dialogs.choose(
        u"Quelle copie remettre à la place de l'historique ? L'historique actuel sera gardé "
        "à côté, sous un autre nom."_qs,
        u"Restaurer une copie"_qs, lines, lines.front());
    const auto at = chosen ? lines.indexOf(*chosen) : -1;
    if (at < 0)
        return QString();
    const history::Opened done = state.history().restore(copies[size_t(at)], now);
    if (!done.result.ok())
        return done.result.message + u"\nL'historique reste tel qu'il était."_qs;
    state.feedFromHistory();
    return u"La copie du %1 est maintenant l'historique. L'historique d'avant est gardé sous "
           "le nom %2."_qs.arg(history::copies::shownDate(copies[size_t(at)]),
                               places::shown(done.setAside));
}
