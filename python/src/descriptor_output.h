#ifndef TOUCHSTONE2_PYTHON_DESCRIPTOR_OUTPUT_H
#define TOUCHSTONE2_PYTHON_DESCRIPTOR_OUTPUT_H

#include <ostream>
#include <streambuf>
#include <vector>

namespace touchstone2::python {

// An output stream onto an open file descriptor, buffered, so that a file of
// hundreds of megabytes is written without being held in memory. The first
// failing write ends all writing; error() is then its errno, else 0. The
// descriptor stays the caller's.
class DescriptorOutput : public std::ostream {
 public:
  explicit DescriptorOutput(int descriptor) : std::ostream(nullptr), buffer_(descriptor) {
    rdbuf(&buffer_);
  }

  // Writes out what is buffered; returns error().
  int finish();
  int error() const { return buffer_.error(); }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(int descriptor);
    int error() const { return error_; }
    int sync() override;

   protected:
    int_type overflow(int_type c) override;

   private:
    void writeOut(const char* data, std::size_t size);

    int descriptor_;
    int error_ = 0;
    std::vector<char> space_;
  };

  Buffer buffer_;
};

}  // namespace touchstone2::python

#endif
