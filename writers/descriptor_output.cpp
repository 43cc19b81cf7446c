#include "writers/descriptor_output.h"

#include <cerrno>

#include <unistd.h>

namespace touchstone2 {

namespace {

// Writes of 64 KiB: few system calls, little memory.
constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

long writeToDescriptor(int descriptor, const void* data, std::size_t size) {
  return static_cast<long>(::write(descriptor, data, size));
}

DescriptorOutput::DescriptorOutput(int descriptor, WriteCall write)
    : std::ostream(nullptr), buffer_(descriptor, write != nullptr ? write : writeToDescriptor) {
  rdbuf(&buffer_);
}

DescriptorOutput::Buffer::Buffer(int descriptor, WriteCall write)
    : descriptor_(descriptor), write_(write), space_(kBufferSize) {
  setp(space_.data(), space_.data() + space_.size());
}

void DescriptorOutput::Buffer::writeOut(const char* data, std::size_t size) {
  while (size > 0 && error_ == 0) {
    long done = write_(descriptor_, data, size);
    if (done < 0) {
      if (errno != EINTR)
        error_ = errno;
      continue;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
}

int DescriptorOutput::Buffer::sync() {
  writeOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(space_.data(), space_.data() + space_.size());
  return error_ == 0 ? 0 : -1;
}

DescriptorOutput::Buffer::int_type DescriptorOutput::Buffer::overflow(int_type c) {
  if (sync() != 0)
    return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof()))
    sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int DescriptorOutput::finish() {
  buffer_.pubsync();
  return buffer_.error();
}

}  // namespace touchstone2
