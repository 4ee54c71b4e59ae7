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

inline const QString FileName = u"coursedujour.csv"_qs;

QByteArray write(const RaceSheet& sheet);
// The sheet a file holds, its columns found by their header in any order;
// nothing when it is not such a file (cut short, a required column missing, a
// cell that cannot be read, another kind of file), why told in `why`: every row
// is read whole or not at all.
std::optional<RaceSheet> read(QByteArrayView bytes, QString* why = nullptr);
// The same file as a spreadsheet saved it again: without the byte-order mark, in
// Windows-1252, without the last line end, dates as JJ/MM/AAAA.
std::optional<RaceSheet> readCard(QByteArrayView bytes, QString* why = nullptr);

} // namespace racefile
