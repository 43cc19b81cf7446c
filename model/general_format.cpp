#include "model/general_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace touchstone2 {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
static_assert(std::numeric_limits<double>::is_iec559, "the bits of a double are read");
constexpr std::uint64_t kIntegerPowers[] = {1u,
                                            10u,
                                            100u,
                                            1000u,
                                            10000u,
                                            100000u,
                                            1000000u,
                                            10000000u,
                                            100000000u,
                                            1000000000u,
                                            10000000000u,
                                            100000000000u,
                                            1000000000000u,
                                            10000000000000u,
                                            100000000000000u,
                                            1000000000000000u,
                                            10000000000000000u};
// Sixteen digits: the scaled value stays below 10^17, well inside 64 bits.
constexpr int kMostDigits = 16;
// The fraction below is exact to about 1e-15; closer than this to one half
// the rounding is not decided here.
constexpr double kTieMargin = 1e-6;
constexpr double log10Of2 = 0.30102999566398120;

struct Scaled {
  std::uint64_t whole;  // the integer part of a x 10^q
  double fraction;      // the rest, in [0, 1)
};

// The exact product a x b as high + low, high the rounded product. With a
// fused multiply-add in hardware that is one instruction; without, Dekker's
// product: both factors split into halves of 26 bits, whose products are
// exact (the target then has no fused operation that could merge them).
void exactProduct(double a, double b, double& high, double& low) {
  high = a * b;
#if defined(FP_FAST_FMA)
  low = std::fma(a, b, -high);
#else
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  double ta = kSplitter * a;
  double aHigh = ta - (ta - a);
  double aLow = a - aHigh;
  double tb = kSplitter * b;
  double bHigh = tb - (tb - b);
  double bLow = b - bHigh;
  low = ((aHigh * bHigh - high) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
#endif
}

// a x 10^q split into its integer part and fraction. The product is exact as
// the sum of the rounded product and its error, so the integer part is exact
// and the fraction nearly so. False when the product does not fit.
bool scale(double a, int q, Scaled& scaled) {
  double high = 0;
  double low = 0;
  exactProduct(a, kExactPowers[q], high, low);
  double whole = std::floor(high);
  if (!(whole < 1e18))
    return false;
  double fraction = (high - whole) + low;
  std::uint64_t integer = static_cast<std::uint64_t>(whole);
  while (fraction < 0) {
    if (integer == 0)
      return false;
    fraction += 1;
    --integer;
  }
  while (fraction >= 1) {
    fraction -= 1;
    ++integer;
  }
  scaled = {integer, fraction};
  return true;
}

// The exponent of a's highest bit: a is in [2^e, 2^(e+1)). For normal
// doubles only, read from the bits of the IEEE 754 format.
int binaryExponent(double a) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &a, sizeof bits);
  return static_cast<int>((bits >> 52) & 0x7FF) - 1023;
}

// The digits rounded to precision places and the decimal exponent of the
// value as "%e" would write it. False when this cannot be settled cheaply.
bool roundDigits(double a, int precision, std::uint64_t& digits, int& exponent) {
  // The decimal exponent of a, or one less; corrected below against the
  // exact integer part, which must have exactly precision digits.
  int e = static_cast<int>(std::floor(binaryExponent(a) * log10Of2));
  for (int attempt = 0; attempt < 3; ++attempt) {
    int q = precision - 1 - e;
    if (q < 0 || q > kLargestExactPower)
      return false;
    Scaled scaled{};
    if (!scale(a, q, scaled))
      return false;
    if (scaled.whole >= kIntegerPowers[precision]) {
      ++e;
      continue;
    }
    if (scaled.whole < kIntegerPowers[precision - 1]) {
      --e;
      continue;
    }
    if (std::fabs(scaled.fraction - 0.5) < kTieMargin)
      return false;
    digits = scaled.whole + (scaled.fraction > 0.5 ? 1 : 0);
    exponent = e;
    // Rounding up to the next power of ten moves the exponent.
    if (digits == kIntegerPowers[precision]) {
      digits = kIntegerPowers[precision - 1];
      ++exponent;
    }
    return true;
  }
  return false;
}

// Exactly count digits of value (which has no more) into out, two at a
// time; sixteen digits go as two halves of eight, in 32-bit arithmetic.
void writeDigits(char* out, std::uint64_t value, int count) {
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  while (count > 8) {
    std::uint32_t low = static_cast<std::uint32_t>(value % 100000000u);
    value /= 100000000u;
    for (int i = 0; i < 4; ++i) {
      std::uint32_t pair = low % 100 * 2;
      low /= 100;
      out[count - 1] = kPairs[pair + 1];
      out[count - 2] = kPairs[pair];
      count -= 2;
    }
  }
  std::uint32_t rest = static_cast<std::uint32_t>(value);
  while (count > 1) {
    std::uint32_t pair = rest % 100 * 2;
    rest /= 100;
    out[count - 1] = kPairs[pair + 1];
    out[count - 2] = kPairs[pair];
    count -= 2;
  }
  if (count == 1)
    out[0] = static_cast<char>('0' + rest);
}

char* put(char* p, char c) {
  *p = c;
  return p + 1;
}

char* putZeros(char* p, int count) {
  for (int i = 0; i < count; ++i)
    *p++ = '0';
  return p;
}

// "%g": the "%e" form when the exponent is below -4 or not below the
// precision, the "%f" form otherwise; trailing zeros of the fraction and a
// point left alone are dropped.
char* format(char* p, bool negative, const char* digits, int precision, int exponent) {
  int length = precision;
  while (length > 1 && digits[length - 1] == '0')
    --length;
  if (negative)
    p = put(p, '-');
  if (exponent < -4 || exponent >= precision) {
    p = put(p, digits[0]);
    if (length > 1) {
      p = put(p, '.');
      std::memcpy(p, digits + 1, static_cast<std::size_t>(length - 1));
      p += length - 1;
    }
    p = put(p, 'e');
    p = put(p, exponent < 0 ? '-' : '+');
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10)
      p = put(p, '0');
    return std::to_chars(p, p + 4, magnitude).ptr;
  }
  if (exponent < 0) {
    p = put(p, '0');
    p = put(p, '.');
    p = putZeros(p, -exponent - 1);
    std::memcpy(p, digits, static_cast<std::size_t>(length));
    return p + length;
  }
  int integerDigits = exponent + 1;
  if (length <= integerDigits) {
    std::memcpy(p, digits, static_cast<std::size_t>(length));
    return putZeros(p + length, integerDigits - length);
  }
  std::memcpy(p, digits, static_cast<std::size_t>(integerDigits));
  p += integerDigits;
  p = put(p, '.');
  std::memcpy(p, digits + integerDigits, static_cast<std::size_t>(length - integerDigits));
  return p + (length - integerDigits);
}

// Longest result of the short way: sign, 16 digits, point, "e-" and three
// exponent digits, or "0.000" and 16 digits.
constexpr std::ptrdiff_t kLongestShortResult = 32;

}  // namespace

char* writeGeneral(char* first, char* last, double value, int precision) {
  if (precision >= 1 && precision <= kMostDigits && std::isnormal(value) &&
      last - first >= kLongestShortResult) {
    std::uint64_t digits = 0;
    int exponent = 0;
    if (roundDigits(std::fabs(value), precision, digits, exponent)) {
      char text[kMostDigits];
      writeDigits(text, digits, precision);
      return format(first, value < 0, text, precision, exponent);
    }
  }
  std::to_chars_result result =
      std::to_chars(first, last, value, std::chars_format::general, precision);
  return result.ec == std::errc() ? result.ptr : nullptr;
}

}  // namespace touchstone2
