#include "model/text_buffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

#include "model/number_text.h"

namespace touchstone2 {
namespace {

// Counts the pieces that reach the stream.
class CountingBuffer : public std::stringbuf {
 public:
  int writes = 0;

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    ++writes;
    return std::stringbuf::xsputn(text, count);
  }
};

TEST(TextBuffer, NumbersAreThoseOfNumberText) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> scale(-320, 308);
  std::ostringstream out;
  std::string expected;
  {
    TextBuffer text(out);
    for (int i = 0; i < 20000; ++i) {
      double value = unit(rng) * std::pow(10.0, scale(rng));
      for (int precision : {6, 16}) {
        text.putGeneral(value, precision);
        appendGeneral(expected, value, precision);
        text.put(' ');
        expected += ' ';
      }
    }
    for (double value : {0.0, -0.0, 1e-05, 1e100, std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::denorm_min(),
                         -std::numeric_limits<double>::max()}) {
      text.putGeneralPadded(value, 16, 20);
      appendGeneralPadded(expected, value, 16, 20);
    }
    text.putUnsigned(18446744073709551615u);
    expected += "18446744073709551615";
  }
  EXPECT_EQ(out.str(), expected);
}

TEST(TextBuffer, PadsButNeverCuts) {
  std::ostringstream out;
  {
    TextBuffer text(out);
    text.putGeneralPadded(0.5, 6, 12);
    text.put('|');
    text.putGeneralPadded(-1.234567890123456e-300, 16, 20);
    text.put('|');
    std::size_t start = text.size();
    text.put("S11");
    text.padFrom(start, 8);
    text.put('|');
  }
  EXPECT_EQ(out.str(), "0.5         |-1.234567890123456e-300|S11     |");
}

TEST(TextBuffer, LongTextKeepsItsOrderAcrossHandOvers) {
  std::ostringstream out;
  std::string expected;
  std::string longText(200000, 'x');
  {
    TextBuffer text(out);
    for (int i = 0; i < 30000; ++i) {
      text.putUnsigned(static_cast<std::uint64_t>(i));
      text.put(',');
      expected += std::to_string(i) + ",";
      if (i == 12345) {
        text.put(longText);
        expected += longText;
      }
    }
    std::size_t start = text.size();
    text.put("ab");
    text.padFrom(start, 100000);
    expected += "ab" + std::string(99998, ' ');
    EXPECT_EQ(text.size(), expected.size());
  }
  EXPECT_EQ(out.str(), expected);
}

TEST(TextBuffer, HandsOverInLargePiecesOnly) {
  CountingBuffer buffer;
  std::ostream out(&buffer);
  TextBuffer text(out);
  text.put("line\n");
  EXPECT_TRUE(text.flushIfFull());
  EXPECT_EQ(buffer.writes, 0);
  for (int i = 0; i < 20000; ++i) {
    text.put("line\n");
    EXPECT_TRUE(text.flushIfFull());
  }
  EXPECT_GT(buffer.writes, 0);
  EXPECT_LT(buffer.writes, 10);
  EXPECT_TRUE(text.flush());
  EXPECT_EQ(buffer.str().size(), 20001u * 5);
}

TEST(TextBuffer, ReportsAFailedStream) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  TextBuffer text(out);
  text.put("lost");
  EXPECT_FALSE(text.flush());
}

// A stream that throws on every write.
class ThrowingBuffer : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize) override {
    throw std::runtime_error("disk gone");
  }
};

TEST(TextBuffer, AThrowingStreamIsNotWrittenTwice) {
  ThrowingBuffer buffer;
  std::ostream out(&buffer);
  out.exceptions(std::ios::badbit);
  bool thrown = false;
  try {
    TextBuffer text(out);
    text.put("text");
    text.flush();
  } catch (const std::exception&) {
    thrown = true;
  }
  EXPECT_TRUE(thrown);
  // With text still pending, the destructor swallows what the stream throws.
  try {
    TextBuffer text(out);
    text.put("text");
    throw std::logic_error("elsewhere");
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "elsewhere");
  }
}

}  // namespace
}  // namespace touchstone2
