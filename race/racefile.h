#pragma once
// The race sheet's file, coursedujour.csv, beside the list file: UTF-8 with a
// byte-order mark, ';' between cells, CR LF, a header row, then one row per
// runner in the order they were added, with the race's name and date, every
// input and every result. A spreadsheet opens it as it is.

#include "racesheet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace racefile {

inline const QString FileName = QStringLiteral("coursedujour.csv");

QByteArray write(const RaceSheet& sheet);
// The sheet a file holds; nothing when it is not such a file (edited by hand,
// cut short, another kind of file): every row is read whole or not at all.
std::optional<RaceSheet> read(QByteArrayView bytes);
// The same file as a spreadsheet saved it again: without the byte-order mark, in
// Windows-1252, without the last line end, dates as JJ/MM/AAAA.
std::optional<RaceSheet> readCard(QByteArrayView bytes);

} // namespace racefile
