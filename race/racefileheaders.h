#pragma once
// The headers of the race sheet's file, one for each version of its format: the
// file grew columns at the end of each row, and every earlier file still reads.

#include <QStringList>

namespace racefile {

// The header written now.
const QStringList& header();
// Those of earlier versions, newest first; each the next one's first columns.
const QStringList& headerWithoutExactReduction();
const QStringList& headerWithoutMusique();
const QStringList& headerWithoutGoing();
const QStringList& headerWithoutTrot();
const QStringList& headerWithoutRace();
const QStringList& headerWithoutScale();
// Whether `row` is the header of one of the versions.
bool isKnownHeader(const QStringList& row);

} // namespace racefile
