#include "correctionsettings.h"

#include "numbers.h"

#include <QFileInfo>
#include <QSettings>

namespace calc {

namespace {

const char* const GoingKeys[] = {"terrain-bon", "terrain-bon-souple", "terrain-souple"};

QString key(const char* name) {
    return u"corrections/"_qs + QLatin1String(name);
}

// A figure of the file into `value` (kept when absent); false when out of bounds.
bool read(const QSettings& ini, const QString& k, double& value) {
    if (!ini.contains(k))
        return true;
    const auto v = scale::valueWithin(ini.value(k).toString(), MinCorrection, MaxCorrection);
    if (v)
        value = *v;
    return v.has_value();
}

QString text(double value) {
    return numbers::doubleToText(value).replace(u',', u'.');
}

} // namespace

const std::vector<CorrectionField>& correctionFields() {
    static const std::vector<CorrectionField> fields = {
        {"autostart", "Départ autostart", &CorrectionTable::autostart},
        {"volte", "Départ volté", &CorrectionTable::volte},
        {"ferre", "Ferré", &CorrectionTable::shod},
        {"D4", "Déferré des quatre (D4)", &CorrectionTable::d4},
        {"DA", "Déferré des antérieurs (DA)", &CorrectionTable::da},
        {"DP", "Déferré des postérieurs (DP)", &CorrectionTable::dp},
        {"attele", "Trot attelé", &CorrectionTable::harness},
        {"monte", "Trot monté", &CorrectionTable::mounted},
        {"trot-par-500m", "Trot : par 500 m de plus", &CorrectionTable::trotPer500},
        {"plat-par-500m", "Plat : par 500 m de plus", &CorrectionTable::flatPer500},
        {"obstacle-par-500m", "Obstacle : par 500 m de plus", &CorrectionTable::jumpsPer500},
    };
    return fields;
}

QString goingKey(size_t going) {
    return key(GoingKeys[going]);
}

CorrectionTable readCorrections(const QString& iniPath) {
    if (!QFileInfo(iniPath).isFile())
        return {};
    const QSettings ini(iniPath, QSettings::IniFormat);
    CorrectionTable t;
    bool ok = ini.status() == QSettings::NoError;
    for (const CorrectionField& f : correctionFields())
        ok = ok && read(ini, key(f.key), t.*f.member);
    for (size_t g = 0; g < t.going.size(); ++g)
        ok = ok && read(ini, goingKey(g), t.going[g]);
    return ok ? t : CorrectionTable{};
}

QString writeCorrections(const CorrectionTable& t, const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    for (const CorrectionField& f : correctionFields())
        ini.setValue(key(f.key), text(t.*f.member));
    for (size_t g = 0; g < t.going.size(); ++g)
        ini.setValue(goingKey(g), text(t.going[g]));
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return u"Les corrections n'ont pas pu être enregistrées dans %1 : le "
               "fichier ne peut pas être écrit."_qs.arg(iniPath);
    return QString();
}

} // namespace calc
