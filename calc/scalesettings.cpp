#include "scalesettings.h"

#include "numbers.h"

#include <QFileInfo>
#include <QSettings>
#include <cmath>

namespace scale {

namespace {

// Names in the file, in the order of the enumerations.
const char* const LengthsRules[] = {"origine", "terrain", "vitesse"};
const char* const WeightRules[] = {"origine", "distance", "aucun"};
const char* const Disciplines[] = {"plat", "obstacle", "sable", "trot-attele", "trot-monte"};
const char* const Goings[] = {"bon", "bon-souple", "souple"};

// The position of a name in `names`; `fallback` when the key is absent.
template <size_t N>
std::optional<int> choice(const QSettings& ini, const char* key, const char* const (&names)[N],
                          int fallback) {
    if (!ini.contains(QLatin1String(key)))
        return fallback;
    const QString value = ini.value(QLatin1String(key)).toString();
    for (size_t i = 0; i < N; ++i)
        if (value == QLatin1String(names[i]))
            return static_cast<int>(i);
    return std::nullopt;
}

// A number of the file into `value` (kept when the key is absent); false when it
// is not a number within (low, high].
bool number(const QSettings& ini, const QString& key, double low, double high, double& value) {
    if (!ini.contains(key))
        return true;
    const auto read = valueWithin(ini.value(key).toString(), low, high);
    if (!read)
        return false;
    value = *read;
    return true;
}

QString lengthsKey(size_t discipline, size_t going) {
    return u"longueurs-par-seconde/%1-%2"_qs.arg(QLatin1String(Disciplines[discipline]),
                                                 QLatin1String(Goings[going]));
}

QString weightKey(size_t row) {
    return u"kg-par-longueur/%1"_qs.arg(DistanceRows[row]);
}

bool readTables(const QSettings& ini, Scale& s) {
    for (size_t d = 0; d < DisciplineCount; ++d)
        for (size_t g = 0; g < GoingCount; ++g)
            if (!number(ini, lengthsKey(d, g), 0, MaxLengthsPerSecond, s.lengthsTable[d][g]))
                return false;
    for (size_t row = 0; row < DistanceRows.size(); ++row)
        if (!number(ini, weightKey(row), 0, MaxKilogramsPerLength, s.weightTable[row]))
            return false;
    return number(ini, u"bareme/metres-par-longueur"_qs, MinMetresPerLength, MaxMetresPerLength,
                  s.metresPerLength);
}

std::optional<Scale> readChoices(const QSettings& ini) {
    const auto lengths = choice(ini, "bareme/longueurs", LengthsRules, 0);
    const auto weight = choice(ini, "bareme/poids", WeightRules, 0);
    const auto discipline = choice(ini, "bareme/discipline", Disciplines, 0);
    const auto going = choice(ini, "bareme/terrain", Goings, 0);
    if (!lengths || !weight || !discipline || !going)
        return std::nullopt;
    Scale s;
    s.lengths = static_cast<LengthsRule>(*lengths);
    s.weight = static_cast<WeightRule>(*weight);
    s.discipline = static_cast<Discipline>(*discipline);
    s.going = static_cast<Going>(*going);
    return s;
}

// A decimal point, which an INI file keeps unquoted.
QString text(double value) {
    return numbers::doubleToText(value).replace(u',', u'.');
}

} // namespace

Scale readScale(const QString& iniPath) {
    if (!QFileInfo(iniPath).isFile())
        return Scale();
    QSettings ini(iniPath, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return Scale();
    auto s = readChoices(ini);
    if (!s || !readTables(ini, *s))
        return Scale();
    return *s;
}

QString writeScale(const Scale& s, const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.remove(u"bareme"_qs); // the user's other settings stay
    ini.setValue(u"bareme/longueurs"_qs,
                 QLatin1String(LengthsRules[static_cast<size_t>(s.lengths)]));
    ini.setValue(u"bareme/discipline"_qs,
                 QLatin1String(Disciplines[static_cast<size_t>(s.discipline)]));
    ini.setValue(u"bareme/terrain"_qs, QLatin1String(Goings[static_cast<size_t>(s.going)]));
    ini.setValue(u"bareme/metres-par-longueur"_qs, text(s.metresPerLength));
    ini.setValue(u"bareme/poids"_qs, QLatin1String(WeightRules[static_cast<size_t>(s.weight)]));
    for (size_t d = 0; d < DisciplineCount; ++d)
        for (size_t g = 0; g < GoingCount; ++g)
            ini.setValue(lengthsKey(d, g), text(s.lengthsTable[d][g]));
    for (size_t row = 0; row < DistanceRows.size(); ++row)
        ini.setValue(weightKey(row), text(s.weightTable[row]));
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return u"Le barème n'a pas pu être enregistré dans %1 : le fichier ne "
               "peut pas être écrit."_qs.arg(iniPath);
    return QString();
}

} // namespace scale
