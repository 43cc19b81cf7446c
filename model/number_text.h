#ifndef TOUCHSTONE2_MODEL_NUMBER_TEXT_H
#define TOUCHSTONE2_MODEL_NUMBER_TEXT_H

#include <string>

namespace touchstone2 {

// Appends value as printf "%.<precision>g" would write it in the "C" locale
// (exponents with at least two digits), whatever the process locale is: a
// decimal comma must never reach a Touchstone file or a diagnostic.
void appendGeneral(std::string& out, double value, int precision = 6);

// The shortest text in the same style that reads back as the same double.
void appendShortest(std::string& out, double value);

// The same with the least precision, from leastPrecision up, whose text reads
// back as exactly value: "50" stays "50", 50.123456789 keeps its digits.
void appendRoundTrip(std::string& out, double value, int leastPrecision = 6);

std::string formatGeneral(double value, int precision = 6);

}  // namespace touchstone2

#endif
