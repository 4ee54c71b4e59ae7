#pragma once
// A line's key in the list's order: French (France), case ignored, as the
// system's collation for that language sorts it. Keys compare byte by byte, so
// a load computes one per line and sorts by plain comparisons.
// One implementation per platform, chosen when the project is configured: ICU
// where Qt collates with ICU, the Windows collation (LCMapStringEx) on Windows,
// whose QCollator::sortKey() cannot be trusted in Qt 6.4.

#include <QByteArray>
#include <QStringView>

namespace sortkey {

QByteArray of(QStringView line);

// <0, 0 or >0, as the lines of the two keys compare.
inline int compare(const QByteArray& a, const QByteArray& b) {
    return a.compare(b);
}

} // namespace sortkey
