#ifndef TOUCHSTONE2_MODEL_NUMBER_TEXT_H
#define TOUCHSTONE2_MODEL_NUMBER_TEXT_H

#include <cstddef>
#include <string>

namespace touchstone2 {

// Room enough for any text below: 17 digits, a sign, a point and "e-308".
constexpr std::size_t kLongestNumberText = 32;

// Appends value as printf "%.<precision>g" would write it in the "C" locale
// (exponents with at least two digits), whatever the process locale is: a
// decimal comma must never reach a Touchstone file or a diagnostic.
void appendGeneral(std::string& out, double value, int precision = 6);

// The shortest text in the same style that reads back as the same double.
void appendShortest(std::string& out, double value);

// The text a writer gives a number: "%.<precision>g" wherever that reads back
// as exactly value, so that the fixed precisions keep their familiar text,
// otherwise the text of the fewest digits that does (17 at most). No value is
// ever written that reads back as another.
void appendExact(std::string& out, double value, int precision);
// The same into [first, last), which must hold kLongestNumberText characters;
// returns the end of the text.
char* writeExact(char* first, char* last, double value, int precision);

// Appends value for a message that compares it with other: six digits,
// unless six digits would show two different values alike; then as
// appendExact writes it, so that a message never reads "1 is not greater than
// 1" of two values that differ. Called for each of the two, it writes both in
// the same form.
void appendCompared(std::string& out, double value, double other);

std::string formatGeneral(double value, int precision = 6);

}  // namespace touchstone2

#endif
