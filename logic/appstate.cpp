#include "appstate.h"

#include "correctionsettings.h"
#include "scalesettings.h"

#include <QSettings>

namespace {

const QString AlsoListKey = QStringLiteral("course/ajouter-aussi-a-la-liste");

bool readAlsoList(const QString& path) {
    return QSettings(path, QSettings::IniFormat).value(AlsoListKey, true).toBool();
}

} // namespace

AppState::AppState(QString settingsPath, RaceDay day)
    : settingsPath_(std::move(settingsPath)), scale_(scale::readScale(settingsPath_)),
      corrections_(calc::readCorrections(settingsPath_)), alsoList_(readAlsoList(settingsPath_)),
      day_(std::move(day)) {}

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
        return QStringLiteral("Ce choix n'a pas pu être enregistré dans %1 : le fichier ne "
                              "peut pas être écrit.")
            .arg(settingsPath_);
    return QString();
}
