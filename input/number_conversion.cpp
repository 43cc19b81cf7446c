#include "input/number_conversion.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#if defined(__GLIBC__)
#include <locale.h>
#endif

namespace touchstone2 {

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallestNormal = std::numeric_limits<double>::min();

// strtod in the "C" locale, with its range report.
double strtodInCLocale(const char* text, bool& rangeError) {
  errno = 0;
#if defined(__GLIBC__)
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  double value = cLocale ? strtod_l(text, nullptr, cLocale) : std::strtod(text, nullptr);
#else
  double value = std::strtod(text, nullptr);
#endif
  rangeError = errno == ERANGE;
  return value;
}

}  // namespace

RealConversion convertRealCarefully(const std::string& text) {
  bool rangeError = false;
  double value = strtodInCLocale(text.c_str(), rangeError);
  if (!rangeError)
    return {value, Clipping::None};
  bool negative = !text.empty() && text[0] == '-';
  if (std::fabs(value) == HUGE_VAL)
    return {negative ? -kLargest : kLargest, Clipping::Large};
  return {negative ? -kSmallestNormal : kSmallestNormal, Clipping::Small};
}

IntegerConversion convertInteger(const std::string& text) {
  IntegerConversion conversion;
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size())
    return conversion;
  // Accumulated past 2^31 only as far as needed to know the value is too large.
  constexpr std::int64_t kLimit = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9')
      return conversion;
    if (magnitude < kLimit)
      magnitude = magnitude * 10 + (c - '0');
  }
  conversion.wholeInteger = true;
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    conversion.value = std::numeric_limits<std::int32_t>::max();
    conversion.clipping = Clipping::Large;
  } else if (value < std::numeric_limits<std::int32_t>::min()) {
    conversion.value = std::numeric_limits<std::int32_t>::min();
    conversion.clipping = Clipping::Large;
  } else {
    conversion.value = static_cast<std::int32_t>(value);
  }
  return conversion;
}

}  // namespace touchstone2
