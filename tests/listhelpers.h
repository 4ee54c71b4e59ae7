#pragma once
// What the list's test programs share: the entries as shown, the file's bytes.

#include "horselist.h"
#include "listfile.h"

#include <QFile>
#include <QStringList>
#include <QTest>

inline QStringList entries(const HorseList& list) {
    QStringList out;
    for (qsizetype i = 0; i < list.count(); ++i)
        out << list.at(i);
    return out;
}

// A list-file command that must succeed; shows its message otherwise.
#define QVERIFY_OK(command)                                                                        \
    do {                                                                                           \
        const FileResult result_ = (command);                                                      \
        QVERIFY2(result_.ok(), qPrintable(result_.message));                                       \
    } while (false)

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}
