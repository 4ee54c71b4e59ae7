#pragma once
// The horse list as a table for spreadsheets: the pieces of each list line in
// cells of their own, units and prefixes stripped, and the reduction also in
// seconds so that a spreadsheet can sort and compute with it.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>

class HorseList;

namespace listtable {

// Réduction, Réduction (s), Distance (m), Poids (kg), Cheval, Terrain.
using Row = std::array<QString, 6>;
const Row& header();

// A list line's cells. A line that does not split into the five pieces of a list
// line goes whole into the Cheval cell.
Row cells(QStringView line);

// For the clipboard, in UTF-8: the header, then `count` entries from `first`,
// cells separated by tabs, rows by line feeds. A cell holding a tab, a quote or a
// semicolon is quoted as in CSV.
QByteArray clipboardText(const HorseList& list, qsizetype first, qsizetype count);

// For a CSV file: UTF-8 with a byte-order mark, ';' between cells, CR LF line ends,
// RFC 4180 quoting. What French spreadsheet programs open without questions.
QByteArray csv(const HorseList& list);

} // namespace listtable
