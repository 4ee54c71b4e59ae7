#pragma once
// The texts of numbers in the tables the program writes: decimals with a comma,
// and times "M:SS:CC" beside their seconds, so that a spreadsheet can sort and
// compute with them.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace cells {

// Exactly `decimals` decimals and a comma: 1.3333 with 2 gives "1,33".
QString fixed(double value, int decimals);
// At most `decimals` decimals, a comma, no trailing zeros: 6.50 gives "6,5", 6 "6".
QString upTo(double value, int decimals);

// A time "M:SS:CC" (minutes, two-digit seconds, two-digit hundredths; ASCII
// digits only) as hundredths: "1:15:48" gives 7548. None for another text (a
// result whose last field lost a digit, "1:02:5", says too little to be sure of).
std::optional<qint64> hundredthsOfTime(QByteArrayView time);
std::optional<qint64> hundredthsOfTime(QStringView time);
// Hundredths as "M:SS:CC": 7548 gives "1:15:48".
QString timeOfHundredths(qint64 hundredths);
// Hundredths in the punter's notation, 2'12"58, which no spreadsheet takes for a
// time of day.
QString punterTime(qint64 hundredths);
// The same time as seconds with a decimal comma, "75,48", into `out` (its buffer
// kept for the next call); empty for a text of another form.
void appendSeconds(QByteArrayView time, QByteArray& out);
QString secondsOfTime(QStringView time);

// A count with its noun, singular up to one as French has it: "0 course",
// "2 courses".
QString counted(int n, const char* one, const char* many);

// A date typed "JJ/MM/AAAA", "JJ/MM/AA" or "AAAA-MM-JJ"; none for another text.
std::optional<QDate> dateOf(QStringView text);

// A text as people mean it, for matching names and headers: lower case, without
// accents, blanks trimmed and repeated ones made one ("  Étoile   du NORD"
// gives "etoile du nord").
QString folded(QStringView text);

} // namespace cells
