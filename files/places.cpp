#include "places.h"

#include "datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace places {

namespace {

QString& chosenPath() {
    static QString path;
    return path;
}

} // namespace

QString listFilePath() {
    if (chosenPath().isEmpty())
        return QDir(QCoreApplication::applicationDirPath()).filePath(u"lstchrono.txt"_qs);
    return chosenPath();
}

void setListFilePath(const QString& path) {
    chosenPath() = path;
}

QString sheetFilePath() {
    return QFileInfo(listFilePath()).dir().filePath(u"coursedujour.csv"_qs);
}

QString archiveFolder() {
    return QFileInfo(listFilePath()).dir().filePath(u"courses"_qs);
}

QString historyFilePath() {
    return QFileInfo(listFilePath()).dir().filePath(u"historique.sqlite"_qs);
}

QString settingsFilePath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Orvanto"_qs, u"Orvanto"_qs)
        .fileName();
}

QString installedMark() {
    return u"installe.txt"_qs;
}

QString chooseListFolder(const QString& programFolder, const QString& dataFolder) {
    // Marked installed, beside it (Windows) or in its share folder (a package's
    // /usr/bin/orvanto, which the superuser could write in).
    const QDir program(programFolder);
    if (QFileInfo::exists(program.filePath(installedMark())) ||
        QFileInfo::exists(program.filePath(u"../share/orvanto/"_qs + installedMark())))
        return dataFolder;
    // Tried for real: permissions, read-only media and the superuser all play a part.
    QTemporaryFile probe(QDir(programFolder).filePath(u"orvanto-XXXXXX.tmp"_qs));
    return probe.open() ? programFolder : dataFolder;
}

QString userDataFolder() {
    return QDir(userDataBase()).filePath(u"Orvanto"_qs);
}

void chooseListFile() {
    const QString folder =
        chooseListFolder(QCoreApplication::applicationDirPath(), userDataFolder());
    setListFilePath(QDir(folder).filePath(u"lstchrono.txt"_qs));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace places
