#pragma once
// Fast sort keys for list lines (Windows-1252 bytes), ordering them exactly as
// QCollator's case-insensitive keys for French (France) do. They are built from
// ICU's collation elements for each of the 256 byte values: a primary weight per
// element (the letter) compared first, then the secondary weights (the accents).
// Computing one is a table lookup per byte instead of a full ICU sort key.

#include <QByteArrayView>
#include <string>

namespace linekeys {

// Whether the tables could be built and order a set of check lines as QCollator
// does; when not, callers use QCollator sort keys.
bool available();

// Appends the primary ranks of the line's bytes (one byte each, never 0). Returns
// false for a line these keys cannot order: one holding a character that takes
// part in a contraction (the "l·" of Catalan), whose weight depends on its
// neighbour.
bool appendPrimary(QByteArrayView line, std::string& out);
// Compares the secondary weights of two lines (their accents): <0, 0 or >0.
int compareSecondary(QByteArrayView a, QByteArrayView b);

} // namespace linekeys
