#pragma once
// Reading and writing the numbers the user types and the program shows.
// Texts use the French decimal comma; a typed decimal point is accepted too.

#include <QString>
#include <QStringView>
#include <optional>

namespace numbers {

// A decimal number: optional blanks around it, an optional sign, digits with at most
// one decimal separator ("," or "."). Anything else (empty text, letters, exponents,
// inf/nan, hexadecimal, thousands separators, two separators) cannot be read.
std::optional<double> textToNumber(QStringView text);

// The same text read as a whole number: nearest integer, a tie going to the even one.
std::optional<double> textToWholeNumber(QStringView text);

// At most 7 significant digits (single precision) or 15 (double precision); no
// exponent, no thousands separator, no trailing zeros, a comma only with a fraction.
QString singleToText(float value);
QString doubleToText(double value);

// Nearest value with the given number of decimals, a tie going to the even digit.
double roundHalfEven(double value, int decimals);

// The first two digits after the decimal comma of a number's text, as a whole
// number, a single digit d counting as d0 ("0,3" gives 30, "1,05" gives 5);
// 0 when the text has no comma.
int hundredthsOfText(const QString& numberText);

// A whole number from 0 to 99 as two digits: 7 gives "07".
QString twoDigits(int value);

} // namespace numbers
