#include "settings.h"

#include "correctionsettings.h"
#include "scalesettings.h"

#include <QSettings>
#include <cmath>

namespace {

const QString AlsoListKey = u"course/ajouter-aussi-a-la-liste"_qs;
const QString FittedKey = u"chances/ajuste-le"_qs;
const char* const Families[] = {"trot", "plat", "obstacle"};

QString tauKey(size_t family) {
    return u"chances/%1-tau"_qs.arg(QLatin1String(Families[family]));
}
QString racesKey(size_t family) {
    return u"chances/%1-courses"_qs.arg(QLatin1String(Families[family]));
}

// The combination's weights the file holds; none unless all three read.
blend::Weights readBlend(const QString& path) {
    const QSettings ini(path, QSettings::IniFormat);
    bool a = false, b = false, n = false;
    const blend::Weights w{ini.value(u"chances/melange-alpha"_qs).toString().toDouble(&a),
                           ini.value(u"chances/melange-beta"_qs).toString().toDouble(&b),
                           ini.value(u"chances/melange-courses"_qs).toString().toInt(&n)};
    const bool sane = std::isfinite(w.alpha) && std::isfinite(w.beta) && w.races > 0;
    return a && b && n && sane ? w : blend::Weights{};
}

// A fit the file holds; none for a family whose τ or count is not one.
chances::Fits readFits(const QString& path) {
    const QSettings ini(path, QSettings::IniFormat);
    chances::Fits out = {};
    for (size_t f = 0; f < out.size(); ++f) {
        bool tauRead = false, racesRead = false;
        const double tau = ini.value(tauKey(f)).toString().toDouble(&tauRead);
        const int races = ini.value(racesKey(f)).toString().toInt(&racesRead);
        if (tauRead && racesRead && tau >= 0.05 && tau <= 50 && races > 0)
            out[f] = {tau, races};
    }
    return out;
}

} // namespace

Settings::Settings(QString path)
    : path_(std::move(path)), scale_(scale::readScale(path_)),
      corrections_(calc::readCorrections(path_)),
      alsoList_(QSettings(path_, QSettings::IniFormat).value(AlsoListKey, true).toBool()),
      fits_(readFits(path_)), blend_(readBlend(path_)),
      fitted_(QDate::fromString(QSettings(path_, QSettings::IniFormat).value(FittedKey).toString(),
                                Qt::ISODate)) {}

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

QString Settings::setFits(const chances::Fits& fits, const blend::Weights& blend,
                          const QDate& day) {
    QSettings ini(path_, QSettings::IniFormat);
    for (size_t f = 0; f < fits.size(); ++f) {
        ini.setValue(tauKey(f), QString::number(fits[f].tau, 'f', 4));
        ini.setValue(racesKey(f), fits[f].races);
    }
    ini.setValue(u"chances/melange-alpha"_qs, QString::number(blend.alpha, 'f', 4));
    ini.setValue(u"chances/melange-beta"_qs, QString::number(blend.beta, 'f', 4));
    ini.setValue(u"chances/melange-courses"_qs, blend.races);
    ini.setValue(FittedKey, day.toString(Qt::ISODate));
    ini.sync();
    fitted_ = day;
    if (fits != fits_ || blend != blend_) {
        fits_ = fits;
        blend_ = blend;
        emit changed(Key::Chances);
    }
    if (ini.status() != QSettings::NoError)
        return u"Les τ ajustés n'ont pas pu être enregistrés dans %1 : le fichier ne peut pas "
               "être écrit."_qs.arg(path_);
    return {};
}
