#ifndef TOUCHSTONE2_PYTHON_QUALITY_BINDING_H
#define TOUCHSTONE2_PYTHON_QUALITY_BINDING_H

#include <pybind11/pybind11.h>

namespace touchstone2::python {

// Adds quality(parsed) and to_s(parsed) to the module where the library has
// the quality metrics, and quality_built_in (True or False) always.
void defineQuality(pybind11::module_& module);

}  // namespace touchstone2::python

#endif
