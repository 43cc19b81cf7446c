#ifndef TOUCHSTONE2_DIAGNOSTICS_MIXED_MODE_ERRORS_H
#define TOUCHSTONE2_DIAGNOSTICS_MIXED_MODE_ERRORS_H

#include <cstdint>

#include "diagnostics/parser_error.h"
#include "input/token.h"

namespace touchstone2 {

// 2315
class WrongMixedModeDescriptorCountError : public ParserError {
 public:
  WrongMixedModeDescriptorCountError(std::uint64_t descriptorCount, std::uint64_t portCount,
                                     const Token& token);
};

// 2317
class MixedModeDescriptorOverlapError : public ParserError {
 public:
  MixedModeDescriptorOverlapError(std::uint32_t port, const Token& token);
};

// 2318
class Mismatched_C_D_DescriptorPortsError : public ParserError {
 public:
  Mismatched_C_D_DescriptorPortsError(std::uint32_t port, const Token& token);
};

// 2316
class MixedModeDescriptorsMissedPortError : public ParserError {
 public:
  MixedModeDescriptorsMissedPortError(std::uint32_t port, const Token& token);
};

// 2319: found by the final checks, so it has no position.
class DifferentialPortsImpedanceError : public ParserError {
 public:
  DifferentialPortsImpedanceError(std::uint32_t port1, double impedance1, std::uint32_t port2,
                                  double impedance2);
};

}  // namespace touchstone2

#endif
