#ifndef TOUCHSTONE2_WRITERS_NUMBER_TEXT_H
#define TOUCHSTONE2_WRITERS_NUMBER_TEXT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace touchstone2 {

// Appends value as printf "%.<precision>g" would write it in the "C" locale
// (exponents with at least two digits), whatever the process locale is: a
// decimal comma must never reach a Touchstone file or a diagnostic.
void appendGeneral(std::string& out, double value, int precision = 6);

// The shortest text in the same style that reads back as the same double.
void appendShortest(std::string& out, double value);

// The same with the least precision, from leastPrecision up, whose text reads
// back as exactly value: "50" stays "50", 50.123456789 keeps its digits.
void appendRoundTrip(std::string& out, double value, int leastPrecision = 6);

std::string formatGeneral(double value, int precision = 6);

// Text for an output stream, gathered in a buffer of its own and handed over
// in large pieces. The writers and the description produce millions of short
// numbers: formatting each straight into the buffer, and going through the
// stream once per 64 KiB rather than once per line, keeps that cheap.
// Numbers are formatted like those above, in the "C" locale's form.
class TextBuffer {
 public:
  explicit TextBuffer(std::ostream& out);
  // Hands over what is left, so that nothing is lost on any way out.
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  void put(char c) {
    makeRoom(1);
    *pos_++ = c;
  }
  void put(const char* text, std::size_t length);
  void put(const char* text);
  void put(const std::string& text) { put(text.data(), text.size()); }
  // Blanks up to width characters counted from start, an earlier size().
  void padFrom(std::size_t start, std::size_t width);
  void putUnsigned(std::uint64_t value);
  // As printf "%.<precision>g" would write value.
  void putGeneral(double value, int precision);
  // The same, left-justified and filled with blanks to at least width.
  void putGeneralPadded(double value, int precision, std::size_t width);

  // Characters put since construction, to measure fields with.
  std::size_t size() const { return handed_ + static_cast<std::size_t>(pos_ - buffer_.get()); }

  // Hands the gathered text to the stream; false once the stream has failed.
  bool flush();
  // Hands the text over only once a large piece has gathered; false once the
  // stream has failed.
  bool flushIfFull();

 private:
  static constexpr std::size_t kCapacity = 64 * 1024;
  // Room for the longest single item: a number in any notation.
  static constexpr std::size_t kLongestItem = 64;

  void makeRoom(std::size_t length) {
    if (static_cast<std::size_t>(end_ - pos_) < length)
      handOver();
  }
  void handOver();

  std::ostream& out_;
  std::unique_ptr<char[]> buffer_;
  char* pos_;
  char* end_;
  std::size_t handed_ = 0;
};

}  // namespace touchstone2

#endif
