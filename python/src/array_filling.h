#ifndef TOUCHSTONE2_PYTHON_ARRAY_FILLING_H
#define TOUCHSTONE2_PYTHON_ARRAY_FILLING_H

#include <complex>

#include <touchstone2/parameters.h>

namespace touchstone2::python {

// Copy the parsed values into arrays the caller has sized, without any
// Python object, so that the copy runs while the interpreter lock is
// released. Values come out as the description shows them: frequencies in
// Hz, complex values from the container's representation.

// frequencyCount() values.
void copyFrequencies(const NetworkParams& data, double* hertz);
// frequencyCount() x ports x ports values, point by point, each matrix row
// by row: out[(k * ports + i) * ports + j] is row i + 1, column j + 1 of
// point k, whatever the file's layout (a triangle is mirrored).
void copyMatrices(const NetworkParams& data, std::complex<double>* out);
// pointCount() values in each array; the reflection coefficient as a complex
// number from its magnitude and angle.
void copyNoise(const NoiseParams& noise, double* hertz, double* minimumNoiseFigure,
               std::complex<double>* reflection, double* noiseResistance);

}  // namespace touchstone2::python

#endif
