#pragma once
// What the logic tests share: the calculation's messages, the main window's
// logic filled from "Name=text" assignments, a scale named as its settings file
// names it, and a file's bytes.

#include "addhorse.h"
#include "fchronologic.h"
#include "form1logic.h"
#include "listfile.h"
#include "numbers.h"
#include "places.h"
#include "raceday.h"
#include "racefile.h"
#include "scaleform.h"
#include "scalesettings.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

inline const QString Refused = u"<refused>"_qs;
inline const QString DistanceError = u"veuillez rentrer une distance"_qs;
inline const QString TimeError = u"Erreur dans vos valeur de temps"_qs;
inline const QString WeightError = u"Erreur dans vos valeur de poids"_qs;
// A reference time a km no flat horse runs, asked before the calculation.
inline const QString reductionAsked =
    u"Le chrono de référence fait %1 au km, ce qui est inhabituel : en plat, les "
    "réductions vont de 55 à 80 s/km. Calculer quand même ?"_qs;

// Fields after the window's load handler (or of `logic`), then "Name=text"
// assignments; the two "Le Chrono" options take "1" or "0".
// "bareme=terrain obstacle souple poids-distance": the scale's rules by the names
// its settings file uses, the others left at the original.
inline scale::Scale scaleNamed(const QString& names) {
    using namespace scale;
    Scale s;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        if (name == u"terrain")
            s.lengths = LengthsRule::DisciplineGoing;
        else if (name == u"vitesse")
            s.lengths = LengthsRule::RaceSpeed;
        else if (name == u"poids-distance")
            s.weight = WeightRule::ByDistance;
        else if (name == u"poids-aucun")
            s.weight = WeightRule::None;
        else if (name == u"obstacle")
            s.discipline = Discipline::Jumps;
        else if (name == u"souple")
            s.going = Going::SoftOrSlower;
        else if (name != u"plat" && name != u"bon")
            qFatal("unknown scale name %s", qPrintable(name));
    }
    return s;
}

inline FchronoLogic logicWith(const QStringList& assignments,
                              std::optional<FchronoLogic> from = {}) {
    FchronoLogic logic = from ? std::move(*from) : FchronoLogic();
    if (!from)
        logic.Form_Load();
    for (const QString& assignment : assignments) {
        const qsizetype eq = assignment.indexOf(u'=');
        const QString name = assignment.left(eq), value = assignment.mid(eq + 1);
        if (name == u"Opt_chronok")
            logic.fields.Opt_chronok = value == u"1";
        else if (name == u"Opt_chronocj")
            logic.fields.Opt_chronocj = value == u"1";
        else if (name == u"bareme")
            logic.fields.scale = scaleNamed(value);
        else if (QString* text = logic.fields.text(name))
            *text = value;
        else
            qFatal("unknown field %s", qPrintable(name));
    }
    return logic;
}

inline Runner named(const QString& name) {
    Runner r;
    r.name = name;
    return r;
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline const QString WarningText = u"vous allez ajouter une réduction calculé sur un chrono "
                                   "avec longueur ceci est non recommandé, voulez vous "
                                   "continuer?"_qs;
