#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/float_chars.h"

namespace touchstone2 {

namespace {

// The conversion is correctly rounded, as the reader's is, so a text it reads
// back as value is one the reader reads back as value. %g keeps the sign of a
// zero.
bool readsBack(const char* first, const char* last, double value) {
  double back = 0;
  return readFiniteDouble(first, last, back) && back == value;
}

// Writes into room made at the end of out. The room is enough
// for any precision: the digits, a sign, a point and "e-308", or the "0.000"
// before a small fixed-form value; more is never needed, so the text always
// fits.
template <class Write>
void appendWith(std::string& out, int precision, Write write) {
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(std::max(precision, 17)) + 16);
  char* end = write(&out[start], out.data() + out.size());
  out.resize(static_cast<std::size_t>(end - out.data()));
}

// The shortest digits, written in scientific form at [first,
// end), rewritten as "%.<precision>g" would write them: in fixed form where
// the exponent lies from -4 to precision - 1.
char* generalForm(char* first, char* end, int precision) {
  char* e = std::find(first, end, 'e');
  int exponent = 0;
  std::from_chars(e + 2, end, exponent);
  if (e[1] == '-')
    exponent = -exponent;
  if (exponent < -4 || exponent >= precision)
    return end;
  char digits[kLongestNumberText];
  int count = 0;
  char* out = first + (*first == '-');
  for (const char* c = out; c != e; ++c) {
    if (*c != '.')
      digits[count++] = *c;
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    return std::copy(digits, digits + count, out);
  }
  for (int i = 0; i <= exponent; ++i)
    *out++ = i < count ? digits[i] : '0';
  if (count > exponent + 1) {
    *out++ = '.';
    out = std::copy(digits + exponent + 1, digits + count, out);
  }
  return out;
}

// The fewest digits that read back as value (the shortest), in the
// form "%.<digits>g" gives them, or "%.<precision>g" where precision is more:
// 1234567 rather than 1.234567e+06.
char* writeShortest(char* first, char* last, double value, int precision) {
  char* end = writeShortestScientific(first, last, value);
  int digits = 0;
  for (const char* c = first; c != end && *c != 'e'; ++c)
    digits += *c >= '0' && *c <= '9';
  return generalForm(first, end, std::max(digits, precision));
}

}  // namespace

void appendGeneral(std::string& out, double value, int precision) {
  appendWith(out, precision, [=](char* first, char* last) {
    return writeGeneral(first, last, value, precision);
  });
}

void appendShortest(std::string& out, double value) {
  appendWith(out, 17, [=](char* first, char* last) {
    return writeShortestGeneral(first, last, value);
  });
}

// A non-finite value has no other text to try.
char* writeExact(char* first, char* last, double value, int precision) {
  char* end = writeGeneral(first, last, value, precision);
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
