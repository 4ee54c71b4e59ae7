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
        return QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("lstchrono.txt"));
    return chosenPath();
}

void setListFilePath(const QString& path) {
    chosenPath() = path;
}

QString sheetFilePath() {
    return QFileInfo(listFilePath()).dir().filePath(QStringLiteral("coursedujour.csv"));
}

QString archiveFolder() {
    return QFileInfo(listFilePath()).dir().filePath(QStringLiteral("courses"));
}

QString historyFilePath() {
    return QFileInfo(listFilePath()).dir().filePath(QStringLiteral("historique.sqlite"));
}

QString settingsFilePath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvanto"),
                     QStringLiteral("Orvanto"))
        .fileName();
}

QString installedMark() {
    return QStringLiteral("installe.txt");
}

QString chooseListFolder(const QString& programFolder, const QString& dataFolder) {
    if (QFileInfo::exists(QDir(programFolder).filePath(installedMark())))
        return dataFolder;
    // Tried for real: permissions, read-only media and the superuser all play a part.
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("orvanto-XXXXXX.tmp")));
    return probe.open() ? programFolder : dataFolder;
}

QString userDataFolder() {
    return QDir(userDataBase()).filePath(QStringLiteral("Orvanto"));
}

void chooseListFile() {
    const QString folder =
        chooseListFolder(QCoreApplication::applicationDirPath(), userDataFolder());
    setListFilePath(QDir(folder).filePath(QStringLiteral("lstchrono.txt")));
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace places
