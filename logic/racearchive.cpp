#include "racearchive.h"

#include "places.h"
#include "racefile.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// What a file name may hold on every system: no separator, no reserved sign, no
// control character, no final dot or space.
QString fileNamePart(QString text) {
    static const QRegularExpression reserved(u"[<>:\"/\\\\|?*\\x00-\\x1f]"_qs);
    text.replace(reserved, u"-"_qs);
    text = text.simplified().left(80);
    while (text.endsWith(u'.') || text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString described(const ArchivedRace& race) {
    const QString what =
        race.name.isEmpty() ? QFileInfo(race.path).completeBaseName() : u"« %1 »"_qs.arg(race.name);
    return race.date.isValid() ? u"%1 du %2"_qs.arg(what, race.date.toString(u"dd/MM/yyyy"_qs))
                               : what;
}

} // namespace

QString archiveName(const RaceSheet& sheet) {
    const QDate date = sheet.date.isValid() ? sheet.date : QDate::currentDate();
    QString name = fileNamePart(sheet.name);
    if (name.isEmpty())
        name = fileNamePart(sheet.hippodrome);
    if (name.isEmpty())
        name = u"course"_qs;
    return u"%1 %2.csv"_qs.arg(date.toString(u"yyyy-MM-dd"_qs), name);
}

std::optional<QString> archiveRace(const RaceSheet& sheet, const QString& folder,
                                   Dialogs& dialogs) {
    const QDir dir(folder);
    const QString name = archiveName(sheet);
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(u"%1 (%2).csv"_qs.arg(name.chopped(4)).arg(n));
    FileResult result = files::makeFolderFor(path);
    if (result.ok())
        result = files::writeWhole(path, racefile::write(sheet), "de garder la course dans");
    if (!result.ok()) {
        dialogs.warn(result.message + u"\nLa course reste sur la feuille."_qs);
        return std::nullopt;
    }
    return path;
}

std::vector<ArchivedRace> archivedRaces(const QString& folder) {
    std::vector<ArchivedRace> out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({u"*.csv"_qs}, QDir::Files, QDir::Name)) {
        ArchivedRace race{dir.filePath(name), {}, {}, {}, -1};
        const files::Content content = files::readWhole(race.path);
        if (const auto sheet = racefile::read(content.bytes)) {
            race.date = sheet->date;
            race.hippodrome = sheet->hippodrome;
            race.name = sheet->name;
            race.runners = static_cast<int>(sheet->runners.size());
        }
        out.push_back(race);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ArchivedRace& a, const ArchivedRace& b) { return a.date > b.date; });
    return out;
}

bool newRace(RaceDay& day, const QString& folder, const QDate& today, Dialogs& dialogs) {
    std::optional<QString> kept;
    if (!day.sheet.runners.empty() && !(kept = archiveRace(day.sheet, folder, dialogs)))
        return false;
    // The next race of the meeting: its distance, discipline and the punter's way
    // of choosing references kept until typed otherwise.
    RaceSheet next{.date = today,
                   .distance = day.sheet.distance,
                   .discipline = day.sheet.discipline,
                   .rule = day.sheet.rule,
                   .bandPercent = day.sheet.bandPercent,
                   .months = day.sheet.months};
    std::swap(day.sheet, next);
    if (!saveRaceDay(day, dialogs)) {
        std::swap(day.sheet, next); // the race stays where the file still has it
        if (kept)
            QFile::remove(*kept); // still on the sheet: not kept twice
        return false;
    }
    day.typedGoing.clear();
    return true;
}

bool openArchived(RaceDay& day, const ArchivedRace& race, const QString& folder, Dialogs& dialogs) {
    const files::Content content = files::readWhole(race.path);
    const auto sheet = content.result.ok() ? racefile::read(content.bytes) : std::nullopt;
    if (!sheet) {
        dialogs.warn(u"La course %1 ne peut pas être lue : elle n'a pas été "
                     "ouverte."_qs.arg(places::shown(race.path)));
        return false;
    }
    std::optional<QString> kept;
    if (!day.sheet.runners.empty() && !(kept = archiveRace(day.sheet, folder, dialogs)))
        return false;
    RaceSheet previous = *sheet;
    std::swap(day.sheet, previous);
    if (!saveRaceDay(day, dialogs)) {
        std::swap(day.sheet, previous);
        if (kept)
            QFile::remove(*kept); // still on the sheet: not kept twice
        return false;
    }
    day.typedGoing.clear();
    // On the sheet now: it leaves the archive, to come back at the next new race.
    if (!QFile::remove(race.path))
        dialogs.warn(u"La course est ouverte, mais son fichier %1 n'a pas pu "
                     "être retiré des courses précédentes."_qs.arg(places::shown(race.path)));
    return true;
}

bool deleteArchived(const ArchivedRace& race, Dialogs& dialogs) {
    const QString runners =
        race.runners < 0 ? u"illisible"_qs : u"%1 partant(s)"_qs.arg(race.runners);
    if (!dialogs.askYesNo(u"Supprimer la course %1 (%2) ? Elle ne pourra plus "
                          "être rouverte."_qs.arg(described(race), runners)))
        return false;
    if (!QFile::remove(race.path)) {
        dialogs.warn(u"La course %1 n'a pas pu être supprimée (%2)."_qs.arg(
            described(race), places::shown(race.path)));
        return false;
    }
    return true;
}
