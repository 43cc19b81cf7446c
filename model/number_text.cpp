#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace touchstone2 {

namespace {

// from_chars is correctly rounded, as the reader's conversion is, so a text it
// reads back as value is one the reader reads back as value. %g keeps the
// sign of a zero.
bool readsBack(const char* first, const char* last, double value) {
  double back = 0;
  std::from_chars(first, last, back);
  return back == value;
}

// Writes with to_chars into room made at the end of out. The room is enough
// for any precision: the digits, a sign, a point and "e-308", or the "0.000"
// before a small fixed-form value; more is never needed, so to_chars cannot
// run out of room.
template <class Write>
void appendWith(std::string& out, int precision, Write write) {
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(std::max(precision, 17)) + 16);
  char* end = write(&out[start], out.data() + out.size());
  out.resize(static_cast<std::size_t>(end - out.data()));
}

// The fewest digits, at least precision, that read back as value, in the
// style "%.<digits>g" gives them: 1234567 rather than 1.234567e+06. Those are
// the correctly rounded digits, except next to a power of two, where the
// double below is nearer than the one above and rounding may cross to it;
// there the shortest digits themselves are written, in scientific form.
char* writeShortest(char* first, char* last, double value, int precision) {
  char* end = std::to_chars(first, last, value, std::chars_format::scientific).ptr;
  int digits = 0;
  for (const char* c = first; c != end && *c != 'e'; ++c)
    digits += *c >= '0' && *c <= '9';
  end = std::to_chars(first, last, value, std::chars_format::general,
                      std::max(digits, precision)).ptr;
  if (readsBack(first, end, value))
    return end;
  return std::to_chars(first, last, value, std::chars_format::scientific).ptr;
}

}  // namespace

void appendGeneral(std::string& out, double value, int precision) {
  appendWith(out, precision, [=](char* first, char* last) {
    return std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
  });
}

// A non-finite value has no other text to try.
char* writeExact(char* first, char* last, double value, int precision) {
  char* end = std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
  if (readsBack(first, end, value) || !std::isfinite(value))
    return end;
  return writeShortest(first, last, value, precision);
}

void appendExact(std::string& out, double value, int precision) {
  appendWith(out, precision, [=](char* first, char* last) {
    return writeExact(first, last, value, precision);
  });
}

void appendCompared(std::string& out, double value, double other) {
  constexpr int kMessagePrecision = 6;
  if (value != other &&
      formatGeneral(value, kMessagePrecision) == formatGeneral(other, kMessagePrecision))
    appendExact(out, value, kMessagePrecision);
  else
    appendGeneral(out, value, kMessagePrecision);
}

std::string formatGeneral(double value, int precision) {
  std::string text;
  appendGeneral(text, value, precision);
  return text;
}

}  // namespace touchstone2
