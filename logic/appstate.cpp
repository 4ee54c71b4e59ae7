#include "appstate.h"

#include "scalesettings.h"

AppState::AppState(QString settingsPath, RaceDay day)
    : settingsPath_(std::move(settingsPath)), scale_(scale::readScale(settingsPath_)),
      day_(std::move(day)) {}

void AppState::setScale(const scale::Scale& chosen) {
    if (chosen == scale_)
        return;
    scale_ = chosen;
    emit changed();
}
