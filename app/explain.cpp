#include "app/explain.h"

#include <cstddef>
#include <cstdint>

namespace touchstone2 {

namespace {

constexpr std::size_t kLineWidth = 72;

bool allDigits(const std::string& text) {
  if (text.empty())
    return false;
  for (char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

char letterOf(const CodeRow& row) { return row.severity == Severity::Warning ? 'W' : 'E'; }

}  // namespace

const CodeRow* codeRowNamed(const std::string& argument, std::string& problem) {
  std::string digits = argument;
  char letter = '\0';
  if (!digits.empty() && !allDigits(digits.substr(0, 1))) {
    letter = digits[0] == 'e' ? 'E' : digits[0] == 'w' ? 'W' : digits[0];
    digits.erase(0, 1);
  }
  // Five digits at most, so that the number cannot overflow; every code has four.
  if ((letter != '\0' && letter != 'E' && letter != 'W') || !allDigits(digits) ||
      digits.size() > 5) {
    problem = "not a diagnostic code: '" + argument + "' (write it as E2011, W2005 or 2011)";
    return nullptr;
  }
  std::int32_t number = std::stoi(digits);
  for (std::size_t i = 0; i < kCodeCount; ++i) {
    const CodeRow& row = kCodes[i];
    if (static_cast<std::int32_t>(row.code) != number)
      continue;
    if (letter != '\0' && letter != letterOf(row)) {
      problem = "unknown diagnostic code: " + argument + " (" + digits + " is " +
                letterOf(row) + digits + ")";
      return nullptr;
    }
    return &row;
  }
  problem = "unknown diagnostic code: " + argument;
  return nullptr;
}

void printExplanation(const CodeRow& row, std::ostream& out) {
  out << letterOf(row) << static_cast<std::int32_t>(row.code) << " ("
      << (row.severity == Severity::Warning ? "warning" : "error") << "): " << row.text
      << "\n\n";
  // Greedy filling: a word goes on the line while it fits, a word longer
  // than a line stands alone.
  std::string line;
  std::string text = row.explanation;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos)
      end = text.size();
    std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty())
      continue;
    if (!line.empty() && line.size() + 1 + word.size() > kLineWidth) {
      out << line << '\n';
      line.clear();
    }
    line += line.empty() ? word : " " + word;
  }
  if (!line.empty())
    out << line << '\n';
}

}  // namespace touchstone2
