#ifndef TOUCHSTONE2_SCATTERING_H
#define TOUCHSTONE2_SCATTERING_H

// Present when the library was built with Eigen 3, which the conversion
// needs for its matrix inverses (TOUCHSTONE2_QUALITY is then defined for
// every user of the library).
#ifdef TOUCHSTONE2_QUALITY

#include <complex>
#include <cstdint>

#include <touchstone2/enums.h>
#include <touchstone2/export.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// Converts one ports x ports matrix of Y-, Z-, H- or G-parameters (row by
// row, in ohms and siemens) in place to S-parameters, each port i referred
// to the real impedance reference[i] in ohms. S-parameters are left as they
// are; H and G exist for two ports only. Throws std::domain_error where the
// matrix has no S-parameter form (Z equal to minus the reference, say).
TOUCHSTONE2_API void convertToScattering(ParameterType type, std::uint32_t ports,
                                         const double* reference, std::complex<double>* matrix);

// The S-parameters of every frequency point of a valid record, point by
// point, each matrix row by row: out[(k * ports + i) * ports + j]. Values of
// other types are converted with the ports' reference impedances; mixed-mode
// data are taken as stored.
TOUCHSTONE2_API void copyScatteringMatrices(const File& file, std::complex<double>* out);

}  // namespace touchstone2

#endif
#endif
