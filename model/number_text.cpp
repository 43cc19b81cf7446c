#include "model/number_text.h"

#include <charconv>

namespace touchstone2 {

void appendGeneral(std::string& out, double value, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                              precision);
  out.append(buffer, result.ptr);
}

std::string formatGeneral(double value, int precision) {
  std::string text;
  appendGeneral(text, value, precision);
  return text;
}

}  // namespace touchstone2
