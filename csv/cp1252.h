#pragma once
// The list file's code page, Windows-1252: one byte per character.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace cp1252 {

QString decode(QByteArrayView bytes);
// Appends the decoded bytes to `out`, reusing its storage.
void decodeInto(QByteArrayView bytes, QString& out);
// The characters of `text` that the code page cannot store, each once, in order.
QStringList unencodable(QStringView text);
// `text` must hold only characters the code page can store.
QByteArray encode(QStringView text);

} // namespace cp1252
