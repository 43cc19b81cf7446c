#include "model/number_text.h"

#include <algorithm>

#include "model/float_chars.h"

namespace touchstone2 {

namespace {

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

void appendRoundTrip(std::string& out, double value, int leastPrecision) {
  constexpr int kMostPrecision = 17;  // enough for any double
  const std::size_t start = out.size();
  for (int precision = leastPrecision;; ++precision) {
    appendGeneral(out, value, precision);
    double back = 0;
    readFiniteDouble(out.data() + start, out.data() + out.size(), back);
    if (back == value || precision >= kMostPrecision || value != value)
      return;
    out.resize(start);
  }
}

std::string formatGeneral(double value, int precision) {
  std::string text;
  appendGeneral(text, value, precision);
  return text;
}

}  // namespace touchstone2
