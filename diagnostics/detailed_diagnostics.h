#ifndef TOUCHSTONE2_DIAGNOSTICS_DETAILED_DIAGNOSTICS_H
#define TOUCHSTONE2_DIAGNOSTICS_DETAILED_DIAGNOSTICS_H

#include <cstdint>
#include <string>

#include <touchstone2/diagnostic.h>

namespace touchstone2 {

// The diagnostics whose message tells more than the code's text: the values
// found, the counts expected, the port concerned.

// InvalidCharacter: a byte that may not stand where it was found.
class InvalidCharacterError : public ParserError {
 public:
  explicit InvalidCharacterError(const Position& where);
  char getCharacter() const { return character_; }

 private:
  char character_;
};

// KeywordOutOfOrder: a keyword other than [End] after the data.
class KeywordOrderingError : public ParserError {
 public:
  explicit KeywordOrderingError(const Position& where);
};

// ReferenceCount: [Reference] lists a different number of impedances than there
// are ports.
class WrongReferenceImpedanceCountError : public ParserError {
 public:
  WrongReferenceImpedanceCountError(std::uint64_t impedanceCount, std::uint64_t portCount,
                                    const Position& where);
};

// ResistanceCount: the option line lists a different number of reference
// resistances than there are ports.
class WrongReferenceResistanceCountError : public ParserError {
 public:
  WrongReferenceResistanceCountError(std::uint64_t resistanceCount, std::uint64_t portCount,
                                     const Position& where);
};

// FrequencyNotIncreasing: frequencies must rise strictly.
class FrequencyOrderingError : public ParserError {
 public:
  FrequencyOrderingError(double frequency, double previousFrequency, const Position& where);
};

// FrequencyCount: the points read differ from the declared count.
class FrequencyCountError : public ParserError {
 public:
  FrequencyCountError(std::uint64_t found, std::uint64_t expected, const Position& where);
};

// PointNotSquare: the pairs of a version 1 point do not form a square matrix.
class NetworkDataNotSquareError : public ParserError {
 public:
  NetworkDataNotSquareError(std::uint64_t pairCount, const Position& where);
};

// NetworkValueCount: a point holds the wrong number of values. Counts are 64-bit: a
// declared port count can make the expected pair count exceed 32 bits.
class IncorrectNumberOfNetworkValuesError : public ParserError {
 public:
  IncorrectNumberOfNetworkValuesError(std::uint64_t valueCount, std::uint64_t expectedPairs,
                                      const Position& where);
};

// MixedModeDescriptorCount
class WrongMixedModeDescriptorCountError : public ParserError {
 public:
  WrongMixedModeDescriptorCountError(std::uint64_t descriptorCount, std::uint64_t portCount,
                                     const Position& where);
};

// MixedModeOverlap
class MixedModeDescriptorOverlapError : public ParserError {
 public:
  MixedModeDescriptorOverlapError(std::uint32_t port, const Position& where);
};

// MixedModePairMismatch
class Mismatched_C_D_DescriptorPortsError : public ParserError {
 public:
  Mismatched_C_D_DescriptorPortsError(std::uint32_t port, const Position& where);
};

// MixedModePortMissed
class MixedModeDescriptorsMissedPortError : public ParserError {
 public:
  MixedModeDescriptorsMissedPortError(std::uint32_t port, const Position& where);
};

// MixedModeImpedance: found by the final checks, so it has no position.
class DifferentialPortsImpedanceError : public ParserError {
 public:
  DifferentialPortsImpedanceError(std::uint32_t port1, double impedance1, std::uint32_t port2,
                                  double impedance2);
};

// ClippedSmallNumber: a number too small for a double, replaced by the smallest normal one.
class ClippingSmallNumberWarning : public ParserWarning {
 public:
  ClippingSmallNumberWarning(double value, const Position& where);
};

// ClippedLargeNumber: a number too large for its type, replaced by the largest one.
class ClippingLargeNumberWarning : public ParserWarning {
 public:
  ClippingLargeNumberWarning(double value, const Position& where);
};

// NonphysicalNoise: a negative minimum noise figure.
class NonphysicalNoiseWarning : public ParserWarning {
 public:
  NonphysicalNoiseWarning(double value, const Position& where);
};

// ExtensionPortCount: the file name's .sNp extension names another number of
// ports than the data have. extension is as the name writes it (".S2P"),
// namedPorts its digits without leading zeros, so that no name overflows.
class ExtensionPortCountWarning : public ParserWarning {
 public:
  ExtensionPortCountWarning(const std::string& extension, const std::string& namedPorts,
                            std::uint32_t ports, const Position& where);
};

}  // namespace touchstone2

#endif
