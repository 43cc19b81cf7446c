#ifndef TOUCHSTONE2_MODEL_FLOAT_CHARS_H
#define TOUCHSTONE2_MODEL_FLOAT_CHARS_H

// The conversions between doubles and text that every number of a file
// goes through, correctly rounded and blind to the process locale. The
// standard library's <charconv> does them where it has them for doubles; a
// standard library without them (the WebAssembly toolchain's) builds with
// TOUCHSTONE2_FLOAT_CHARS_LIBRARIES and gets the same digits from fast_float
// and {fmt}, both header-only.

#include <cmath>

#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <algorithm>
#include <charconv>
#include <system_error>

#include <fast_float/fast_float.h>
#include <fmt/format.h>
#else
#include <charconv>
#include <system_error>
#endif

namespace touchstone2 {

// Each implementation in a namespace of its own, so that a program may hold
// both (the unit test compares them) without two different definitions of
// one inline function.
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
inline namespace float_chars_libraries {
#else
inline namespace float_chars_standard {
#endif

// Reads the longest leading part of [first, last) that is a decimal number
// (no leading '+'). True only for a finite value read in range; false leaves
// value unspecified, and the caller asks strtod, which also knows the range.
inline bool readFiniteDouble(const char* first, const char* last, double& value) {
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
  // fast_float reads an overflowing text as infinity without saying so.
  fast_float::from_chars_result result = fast_float::from_chars(first, last, value);
#else
  std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
#endif
  return result.ec == std::errc() && std::isfinite(value);
}

// Writes value as printf "%.<precision>g" does in the "C" locale; returns the
// end, or nullptr when the text does not fit.
inline char* writeGeneral(char* first, char* last, double value, int precision) {
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
  const auto room = static_cast<std::size_t>(last - first);
  fmt::format_to_n_result<char*> result = fmt::format_to_n(first, room, "{:.{}g}", value, precision);
  return result.size <= room ? result.out : nullptr;
#else
  std::to_chars_result result =
      std::to_chars(first, last, value, std::chars_format::general, precision);
  return result.ec == std::errc() ? result.ptr : nullptr;
#endif
}

// Writes value as printf "%.<decimals>f" does in the "C" locale, a tie
// rounded to the even digit; returns the end, or nullptr when the text does
// not fit.
inline char* writeFixed(char* first, char* last, double value, int decimals) {
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
  const auto room = static_cast<std::size_t>(last - first);
  fmt::format_to_n_result<char*> result = fmt::format_to_n(first, room, "{:.{}f}", value, decimals);
  return result.size <= room ? result.out : nullptr;
#else
  std::to_chars_result result =
      std::to_chars(first, last, value, std::chars_format::fixed, decimals);
  return result.ec == std::errc() ? result.ptr : nullptr;
#endif
}

// The fewest significant digits that read back as value in the form
// "%.<digits-1>e" writes them ("1.5e+17", "5e+01").
inline char* writeShortestScientific(char* first, char* last, double value) {
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
  const auto room = static_cast<std::size_t>(last - first);
  // The correctly rounded text of the fewest digits that read back is the
  // shortest one, so the digits grow until the text reads back.
  for (int digits = 1; digits <= 17; ++digits) {
    fmt::format_to_n_result<char*> written =
        fmt::format_to_n(first, room, "{:.{}e}", value, digits - 1);
    if (written.size > room)
      return nullptr;
    double back = 0;
    if (digits == 17 || !std::isfinite(value) ||
        (readFiniteDouble(first, written.out, back) && back == value))
      return written.out;
  }
  return nullptr;
#else
  std::to_chars_result result = std::to_chars(first, last, value, std::chars_format::scientific);
  return result.ec == std::errc() ? result.ptr : nullptr;
#endif
}

// The same in the "%g" style of precision 6: exponent form where the decimal
// exponent is below -4 or 6 and more ("50", "1e+06", "1.234567e+06",
// "0.00015000000000000001").
inline char* writeShortestGeneral(char* first, char* last, double value) {
#if defined(TOUCHSTONE2_FLOAT_CHARS_LIBRARIES)
  if (!std::isfinite(value))
    return writeGeneral(first, last, value, 6);
  char* end = writeShortestScientific(first, last, value);
  char* mark = end != nullptr ? std::find(first, end, 'e') : end;
  int exponent = 0;
  if (mark == end ||
      std::from_chars(mark + (mark[1] == '+' ? 2 : 1), end, exponent).ec != std::errc())
    return nullptr;
  if (exponent < -4 || exponent >= 6)
    return end;
  const int digits =
      static_cast<int>(std::count_if(first, mark, [](char c) { return c >= '0' && c <= '9'; }));
  const auto room = static_cast<std::size_t>(last - first);
  fmt::format_to_n_result<char*> fixed =
      fmt::format_to_n(first, room, "{:.{}f}", value, std::max(digits - 1 - exponent, 0));
  return fixed.size <= room ? fixed.out : nullptr;
#else
  std::to_chars_result result = std::to_chars(first, last, value, std::chars_format::general);
  return result.ec == std::errc() ? result.ptr : nullptr;
#endif
}

}  // inline namespace

}  // namespace touchstone2

#endif
