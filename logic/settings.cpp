#include "settings.h"

#include "correctionsettings.h"
#include "scalesettings.h"

#include <QSettings>

namespace {

const QString AlsoListKey = u"course/ajouter-aussi-a-la-liste"_qs;

} // namespace

Settings::Settings(QString path)
    : path_(std::move(path)), scale_(scale::readScale(path_)),
      corrections_(calc::readCorrections(path_)),
      alsoList_(QSettings(path_, QSettings::IniFormat).value(AlsoListKey, true).toBool()) {}

QString Settings::setScale(const scale::Scale& chosen) {
    const QString why = scale::writeScale(chosen, path_);
    if (chosen != scale_) {
        scale_ = chosen;
        emit changed(Key::Scale);
    }
    return why;
}

QString Settings::setCorrections(const calc::CorrectionTable& chosen) {
    if (const QString why = calc::writeCorrections(chosen, path_); !why.isEmpty())
        return why;
    if (chosen != corrections_) {
        corrections_ = chosen;
        emit changed(Key::Corrections);
    }
    return {};
}

QString Settings::setAlsoList(bool on) {
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(AlsoListKey, on);
    ini.sync();
    if (on != alsoList_) {
        alsoList_ = on;
        emit changed(Key::AlsoList);
    }
    if (ini.status() != QSettings::NoError)
        return u"Ce choix n'a pas pu être enregistré dans %1 : le fichier ne peut pas être "
               "écrit."_qs.arg(path_);
    return {};
}
