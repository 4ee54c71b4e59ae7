#include "racedayfile.h"

#include "places.h"
#include "racefile.h"
#include "racetable.h"
#include "sheetmerge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Where a file is moved aside: its name with why and when.
QString asideName(const QString& path, const char* why, const QDateTime& now) {
    const QFileInfo info(path);
    return info.dir().filePath(u"%1-%2-%3.csv"_qs.arg(info.completeBaseName(), QLatin1String(why),
                                                      now.toString(u"yyyyMMdd-HHmmss"_qs)));
}

void unreadableSetAside(const QString& path, const QString& why, Dialogs& dialogs,
                        const QDateTime& now) {
    const QString aside = asideName(path, "illisible", now);
    const QString shownPath = places::shown(path), shownAside = QDir::toNativeSeparators(aside);
    if (QFile::rename(path, aside))
        dialogs.inform(u"Le fichier de la course du jour %1 ne peut pas être lu "
                       "(%3). Il a été renommé %2 et la course du jour commence "
                       "vide."_qs.arg(shownPath, shownAside, why));
    else
        dialogs.warn(
            u"Le fichier de la course du jour %1 ne peut pas être lu, "
            "ni renommé %2. La course du jour commence vide ; "
            "déplacez ce fichier avant d'y ajouter un cheval."_qs.arg(shownPath, shownAside));
}

QString described(const Runner& r) {
    return u"chrono estimé %1, course de référence %2 m en %3:%4:%5"_qs.arg(
        r.estimate, r.race.referenceDistance, r.race.minutes, r.race.seconds, r.race.hundredths);
}

// The same horse changed here and in another copy: which row stays. Both unless
// the user says otherwise: nothing is lost by a key pressed too fast.
void settle(RaceSheet& sheet, const sheetmerge::Conflict& c, Dialogs& dialogs) {
    const Runner& ours = sheet.runners[c.ours];
    const QString text = u"« %1 » a été modifié dans cette copie d'Orvanto et dans une autre.\n"
                         "Ici : %2\nDans l'autre copie : %3\nGarder quelle ligne ?"_qs.arg(
                             ours.name, described(ours), described(c.theirs));
    const QStringList buttons{u"Celle d'ici"_qs, u"Celle de l'autre"_qs, u"Les deux"_qs};
    switch (dialogs.question(text, ApplicationTitle, buttons, 2, 2)) {
    case 0:
        break;
    case 1:
        sheet.runners[c.ours] = c.theirs;
        break;
    default:
        sheet.runners.push_back(c.theirs);
    }
}

// Another copy saved another race: the user keeps one, the other is kept aside.
void chooseRace(RaceDay& day, const RaceSheet& theirs, Dialogs& dialogs, const QDateTime& now) {
    const QString aside = asideName(day.path, "autre-copie", now);
    const QString text =
        u"Une autre copie d'Orvanto a enregistré dans %1 une autre course (%2 m, "
        "%3 partants) que celle-ci (%4 m, %5 partants). Laquelle garder ? "
        "L'autre sera enregistrée dans %6."_qs.arg(places::shown(day.path), theirs.distance)
            .arg(theirs.runners.size())
            .arg(day.sheet.distance)
            .arg(day.sheet.runners.size())
            .arg(QDir::toNativeSeparators(aside));
    const QStringList buttons{u"Celle d'ici"_qs, u"Celle de l'autre"_qs};
    const bool keepTheirs = dialogs.question(text, ApplicationTitle, buttons, 0, 0) == 1;
    const RaceSheet& left = keepTheirs ? day.sheet : theirs;
    const FileResult kept = files::writeWhole(aside, racefile::write(left));
    if (!kept.ok()) {
        dialogs.warn(kept.message + u" La course d'ici est gardée."_qs);
        return;
    }
    if (keepTheirs)
        day.sheet = theirs;
}

// What another copy wrote since this one last read or wrote the file, taken in.
void takeInOther(RaceDay& day, const QByteArray& bytes, Dialogs& dialogs) {
    const QDateTime now = QDateTime::currentDateTime();
    const auto theirs = racefile::read(bytes);
    if (!theirs) {
        const QString aside = asideName(day.path, "illisible", now);
        if (files::writeWhole(aside, bytes).ok())
            dialogs.inform(
                u"Le fichier de la course du jour %1 a été modifié "
                "ailleurs et ne peut pas être lu : son contenu est "
                "gardé dans %2."_qs.arg(places::shown(day.path), QDir::toNativeSeparators(aside)));
        return;
    }
    const sheetmerge::Merged merged = sheetmerge::merge(day.base, day.sheet, *theirs);
    if (merged.otherRace)
        return chooseRace(day, *theirs, dialogs, now);
    day.sheet = merged.sheet;
    for (const sheetmerge::Conflict& c : merged.conflicts)
        settle(day.sheet, c, dialogs);
}

} // namespace

RaceDay loadRaceDay(const QString& path, Dialogs& dialogs, const QDateTime& now) {
    RaceDay day{RaceSheet{.date = now.date()}, path, {}, {}};
    // Read under the lock too: on Windows a file being read cannot be replaced, so
    // another copy's rewrite would fail at that moment.
    files::Content content;
    {
        const files::Lock lock(path);
        content = files::readWhole(path);
    }
    if (!content.exists)
        return day;
    QString why = content.result.message;
    if (const auto read =
            content.result.ok() ? racefile::read(content.bytes, &why) : std::nullopt) {
        day.sheet = std::move(*read);
        day.base = day.sheet;
        day.stamp = files::stampOf(content);
        if (!day.sheet.date.isValid())
            day.sheet.date = now.date();
        return day;
    }
    unreadableSetAside(path, why, dialogs, now);
    return day;
}

QString copyAside(const QString& path, const char* why, const QDateTime& now) {
    const QString aside = asideName(path, why, now);
    return QFile::copy(path, aside) ? aside : QString();
}

bool saveRaceDay(RaceDay& day, Dialogs& dialogs) {
    FileResult result = files::makeFolderFor(day.path);
    const files::Lock lock(day.path);
    if (result.ok() && !lock.held())
        result =
            FileResult::failure(u"Le fichier %1 est occupé par une autre copie d'Orvanto."_qs.arg(
                places::shown(day.path)));
    files::Content now;
    if (result.ok())
        result = (now = files::readWhole(day.path)).result;
    if (result.ok() && now.exists && files::stampOf(now) != day.stamp)
        takeInOther(day, now.bytes, dialogs);
    const QByteArray bytes = racefile::write(day.sheet);
    if (result.ok())
        result = files::writeWhole(day.path, bytes);
    if (!result.ok()) {
        dialogs.warn(result.message + u" La course du jour reste affichée ; "
                                      "le fichier garde son contenu d'avant."_qs);
        day.writeFailed = true;
        return false;
    }
    day.writeFailed = false;
    day.base = day.sheet;
    day.stamp = files::stampOf(bytes);
    return true;
}

void writeExport(const QString& path, const QByteArray& bytes, const QString& done,
                 Dialogs& dialogs) {
    const FileResult result = files::writeWhole(path, bytes);
    dialogs.message(
        result.ok() ? done.arg(QDir::toNativeSeparators(path)) : result.message, ApplicationTitle,
        result.ok() ? Dialogs::Icon::Information : Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void exportRaceDay(const RaceDay& day, const QString& path, Dialogs& dialogs) {
    writeExport(path, racetable::csv(racetable::rows(day.sheet)),
                u"Course du jour exportée dans %1"_qs, dialogs);
}
