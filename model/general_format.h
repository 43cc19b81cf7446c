#ifndef TOUCHSTONE2_MODEL_GENERAL_FORMAT_H
#define TOUCHSTONE2_MODEL_GENERAL_FORMAT_H

namespace touchstone2 {

// Writes value into [first, last) exactly as printf "%.<precision>g" would in
// the "C" locale (and as std::to_chars with chars_format::general does), and
// returns the end of what it wrote; nullptr when the range is too short.
//
// Data files hold millions of numbers in a narrow range of magnitudes; for
// those this takes a short way: the value scaled by an exact power of ten,
// with the product's rounding error recovered, gives the rounded digits as an
// integer. Every other value (zero, huge or tiny magnitudes, a rounding too
// close to a tie to decide cheaply) is left to std::to_chars.
char* writeGeneral(char* first, char* last, double value, int precision);

}  // namespace touchstone2

#endif
