#ifndef TOUCHSTONE2_PYTHON_BUFFER_VIEW_H
#define TOUCHSTONE2_PYTHON_BUFFER_VIEW_H

#include <string_view>

#include <pybind11/pybind11.h>

namespace touchstone2::python {

// The bytes of any object with the buffer protocol (bytes, bytearray,
// memoryview, mmap, a NumPy array), held for the view's lifetime. While it
// is held the exporter keeps the bytes where they are (a bytearray refuses
// to resize), so they can be read with the interpreter lock released. Made
// and destroyed with the lock held.
class BufferView {
 public:
  // Raises TypeError for an object without the protocol and BufferError for
  // one whose bytes are not contiguous.
  explicit BufferView(pybind11::handle object);
  ~BufferView();
  BufferView(const BufferView&) = delete;
  BufferView& operator=(const BufferView&) = delete;

  std::string_view contents() const;

 private:
  Py_buffer view_;
};

}  // namespace touchstone2::python

#endif
