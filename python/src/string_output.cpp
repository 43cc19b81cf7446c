#include "python/src/string_output.h"

namespace touchstone2::python {

StringOutput::Buffer::int_type StringOutput::Buffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof()))
    text_.push_back(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

std::streamsize StringOutput::Buffer::xsputn(const char* data, std::streamsize count) {
  text_.append(data, static_cast<std::size_t>(count));
  return count;
}

}  // namespace touchstone2::python
