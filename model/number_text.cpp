#include "model/number_text.h"

#include <charconv>

namespace touchstone2 {

void appendGeneral(std::string& out, double value, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                              precision);
  out.append(buffer, result.ptr);
}

void appendRoundTrip(std::string& out, double value, int leastPrecision) {
  constexpr int kMostPrecision = 17;  // enough for any double
  char buffer[64];
  for (int precision = leastPrecision;; ++precision) {
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                std::chars_format::general, precision);
    double back = 0;
    std::from_chars(buffer, result.ptr, back);
    if (back == value || precision >= kMostPrecision || value != value) {
      out.append(buffer, result.ptr);
      return;
    }
  }
}

void appendGeneralPadded(std::string& out, double value, int precision, std::size_t width) {
  std::size_t start = out.size();
  appendGeneral(out, value, precision);
  std::size_t written = out.size() - start;
  if (written < width)
    out.append(width - written, ' ');
}

std::string formatGeneral(double value, int precision) {
  std::string text;
  appendGeneral(text, value, precision);
  return text;
}

}  // namespace touchstone2
