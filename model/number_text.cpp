#include "model/number_text.h"

#include <algorithm>
#include <charconv>

namespace touchstone2 {

namespace {

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

}  // namespace

void appendGeneral(std::string& out, double value, int precision) {
  appendWith(out, precision, [=](char* first, char* last) {
    return std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
  });
}

void appendShortest(std::string& out, double value) {
  appendWith(out, 17, [=](char* first, char* last) {
    return std::to_chars(first, last, value, std::chars_format::general).ptr;
  });
}

void appendRoundTrip(std::string& out, double value, int leastPrecision) {
  constexpr int kMostPrecision = 17;  // enough for any double
  const std::size_t start = out.size();
  for (int precision = leastPrecision;; ++precision) {
    appendGeneral(out, value, precision);
    double back = 0;
    std::from_chars(out.data() + start, out.data() + out.size(), back);
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
