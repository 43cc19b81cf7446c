#ifndef TOUCHSTONE2_PYTHON_STRING_OUTPUT_H
#define TOUCHSTONE2_PYTHON_STRING_OUTPUT_H

#include <ostream>
#include <streambuf>
#include <string>

namespace touchstone2::python {

// An output stream that appends to a string of the caller's, so that a
// written file or description of hundreds of megabytes is held once, not
// once in the stream and once more in the copy a std::ostringstream hands
// out.
class StringOutput : public std::ostream {
 public:
  // The buffer is made after the stream base, so it is attached only then.
  explicit StringOutput(std::string& text) : std::ostream(nullptr), buffer_(text) {
    rdbuf(&buffer_);
  }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(std::string& text) : text_(text) {}

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;

   private:
    std::string& text_;
  };

  Buffer buffer_;
};

}  // namespace touchstone2::python

#endif
