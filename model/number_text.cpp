#include "model/number_text.h"

#include <charconv>

namespace touchstone2 {

void appendGeneral(std::string& out, double value, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                              precision);
  out.append(buffer, result.ptr);
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
