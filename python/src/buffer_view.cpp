#include "python/src/buffer_view.h"

#include <cstddef>

namespace touchstone2::python {

BufferView::BufferView(pybind11::handle object) {
  if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_SIMPLE) != 0)
    throw pybind11::error_already_set();
}

BufferView::~BufferView() {
  PyBuffer_Release(&view_);
}

std::string_view BufferView::contents() const {
  return {static_cast<const char*>(view_.buf), static_cast<std::size_t>(view_.len)};
}

}  // namespace touchstone2::python
