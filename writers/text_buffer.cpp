#include "writers/text_buffer.h"

#include <charconv>
#include <cstring>
#include <stdexcept>

#include "model/float_chars.h"

#include "model/number_text.h"

namespace touchstone2 {

TextBuffer::TextBuffer(std::ostream& out)
    : out_(out), buffer_(new char[kCapacity]), pos_(buffer_.get()), end_(pos_ + kCapacity) {}

TextBuffer::~TextBuffer() {
  // Only reached with text pending when an exception is on its way: a stream
  // that throws must not end the program here.
  try {
    handOver();
  } catch (...) {
  }
}

// The buffer is emptied before the stream sees it, so that a stream that
// throws leaves nothing to be handed over twice.
void TextBuffer::handOver() {
  std::size_t length = static_cast<std::size_t>(pos_ - buffer_.get());
  pos_ = buffer_.get();
  handed_ += length;
  if (length != 0)
    out_.write(buffer_.get(), static_cast<std::streamsize>(length));
}

void TextBuffer::put(const char* text, std::size_t length) {
  if (length > kCapacity) {
    handOver();
    out_.write(text, static_cast<std::streamsize>(length));
    handed_ += length;
    return;
  }
  makeRoom(length);
  std::memcpy(pos_, text, length);
  pos_ += length;
}

void TextBuffer::put(const char* text) { put(text, std::strlen(text)); }

void TextBuffer::padFrom(std::size_t start, std::size_t width) {
  const std::size_t written = size() - start;
  if (written >= width)
    return;
  const std::size_t fill = width - written;
  if (static_cast<std::size_t>(end_ - pos_) < fill) {
    for (std::size_t i = 0; i < fill; ++i)
      put(' ');
    return;
  }
  std::memset(pos_, ' ', fill);
  pos_ += fill;
}

void TextBuffer::putUnsigned(std::uint64_t value) {
  makeRoom(kLongestItem);
  pos_ = std::to_chars(pos_, end_, value).ptr;
}

// writeGeneral writes exactly what printf "%.<precision>g" writes in the "C"
// locale, straight into the buffer and without looking at any locale.
void TextBuffer::putGeneral(double value, int precision) {
  makeRoom(kLongestItem);
  char* end = writeGeneral(pos_, end_, value, precision);
  if (end == nullptr)
    throw std::length_error("a number is longer than the room kept for one");
  pos_ = end;
}

void TextBuffer::putGeneralPadded(double value, int precision, std::size_t width) {
  std::size_t start = size();
  putGeneral(value, precision);
  padFrom(start, width);
}

void TextBuffer::putExact(double value, int precision) {
  makeRoom(kLongestItem);
  pos_ = writeExact(pos_, end_, value, precision);
}

void TextBuffer::putExactPadded(double value, int precision, std::size_t width) {
  std::size_t start = size();
  putExact(value, precision);
  padFrom(start, width);
}

bool TextBuffer::flush() {
  handOver();
  return static_cast<bool>(out_);
}

bool TextBuffer::flushIfFull() {
  if (static_cast<std::size_t>(end_ - pos_) < kCapacity / 2)
    handOver();
  return static_cast<bool>(out_);
}

}  // namespace touchstone2
