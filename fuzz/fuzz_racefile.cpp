// The race sheet's file reader on arbitrary bytes: never crashes; what it reads
// is written back and read again to the same rows; what it refuses is renamed
// aside whole, with a message, and the sheet starts empty.

#include "fuzzcheck.h"
#include "raceday.h"
#include "racefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

struct CountingDialogs : Dialogs {
    int shown = 0;
    Answer message(const QString&, const QString&, Icon, Buttons) override {
        ++shown;
        return Answer::Ok;
    }
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int question(const QString&, const QString&, const QStringList&, int, int escape) override {
        return escape;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto sheet = racefile::read(bytes);
    if (sheet) {
        const auto again = racefile::read(racefile::write(*sheet));
        FUZZ_CHECK(again && again->runners == sheet->runners);
    }

    static QTemporaryDir folder;
    const QString path = folder.filePath(u"coursedujour.csv"_qs);
    for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
        QFile::remove(folder.filePath(name));
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    CountingDialogs dialogs;
    const RaceDay day = loadRaceDay(path, dialogs, QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    if (sheet) {
        FUZZ_CHECK(dialogs.shown == 0 && day.sheet.runners == sheet->runners);
        FUZZ_CHECK(files == QStringList{u"coursedujour.csv"_qs});
    } else {
        FUZZ_CHECK(dialogs.shown == 1 && day.sheet.runners.empty() && files.size() == 1);
        QFile aside(folder.filePath(files.first()));
        FUZZ_CHECK(files.first().startsWith(u"coursedujour-illisible-"_qs));
        FUZZ_CHECK(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes);
    }
    return 0;
}
