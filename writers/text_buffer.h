#ifndef TOUCHSTONE2_WRITERS_TEXT_BUFFER_H
#define TOUCHSTONE2_WRITERS_TEXT_BUFFER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace touchstone2 {

// Text for an output stream, gathered in a buffer of its own and handed over
// in large pieces. The writers and the description produce millions of short
// numbers: formatting each straight into the buffer, and going through the
// stream once per 64 KiB rather than once per line, keeps that cheap.
// Numbers are formatted like appendGeneral's, in the "C" locale's form.
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
  // As printf "%.<precision>g" would write value, for a precision of at most
  // 17, a double's digits: the room kept for one item holds any such text.
  // Throws std::length_error for a larger precision whose text does not fit.
  void putGeneral(double value, int precision);
  // The same, left-justified and filled with blanks to at least width.
  void putGeneralPadded(double value, int precision, std::size_t width);
  // As appendExact writes value: that text where it reads back as exactly
  // value, else the shortest that does.
  void putExact(double value, int precision);
  // The same, left-justified and filled with blanks to at least width.
  void putExactPadded(double value, int precision, std::size_t width);

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
