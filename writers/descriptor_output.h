#ifndef TOUCHSTONE2_WRITERS_DESCRIPTOR_OUTPUT_H
#define TOUCHSTONE2_WRITERS_DESCRIPTOR_OUTPUT_H

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <vector>

namespace touchstone2 {

// The system call that writes bytes to a descriptor, as write(2) does; a
// test puts a failing one in its place.
using WriteCall = long (*)(int descriptor, const void* data, std::size_t size);
// write(2).
long writeToDescriptor(int descriptor, const void* data, std::size_t size);

// An output stream onto an open file descriptor, buffered, so that a file of
// hundreds of megabytes is written without being held in memory. The first
// failing write ends all writing; error() is then its errno, else 0. The
// descriptor stays the caller's.
class DescriptorOutput : public std::ostream {
 public:
  explicit DescriptorOutput(int descriptor, WriteCall write = nullptr);

  // Writes out what is buffered; returns error().
  int finish();
  int error() const { return buffer_.error(); }

 private:
  class Buffer : public std::streambuf {
   public:
    Buffer(int descriptor, WriteCall write);
    int error() const { return error_; }
    int sync() override;

   protected:
    int_type overflow(int_type c) override;

   private:
    void writeOut(const char* data, std::size_t size);

    int descriptor_;
    WriteCall write_;
    int error_ = 0;
    std::vector<char> space_;
  };

  Buffer buffer_;
};

}  // namespace touchstone2

#endif
