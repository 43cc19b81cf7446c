#include "diagnostics/detailed_diagnostics.h"

#include <string>

#include "model/number_text.h"

namespace touchstone2 {

namespace {

// Control bytes are shown as \xHH: written raw they would cut the message
// short (NUL) or reach the user's terminal as control sequences. So are bytes
// above 0x7F: alone (a lead byte of UTF-8, a character of a local code page)
// they would make the line invalid UTF-8, which a terminal or a Python caller
// cannot print. Tabs and printable ASCII are shown as they are.
std::string quotedCharacter(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if ((byte < 0x20 && byte != '\t') || byte >= 0x7F) {
    static const char kHex[] = "0123456789abcdef";
    return std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
  }
  return std::string(1, c);
}

}  // namespace

InvalidCharacterError::InvalidCharacterError(const Position& where)
    : ParserError(Code::InvalidCharacter, where),
      character_(where.text.empty() ? '\0' : where.text[0]) {
  setDetail("invalid character '" + quotedCharacter(character_) + "'");
}

KeywordOrderingError::KeywordOrderingError(const Position& where)
    : ParserError(Code::KeywordOutOfOrder, where) {
  setDetail(std::string("keyword [") + getText() + "] is out of order");
}

WrongReferenceImpedanceCountError::WrongReferenceImpedanceCountError(std::uint64_t impedanceCount,
                                                                     std::uint64_t portCount,
                                                                     const Position& where)
    : ParserError(Code::ReferenceCount, where) {
  setDetail("the number of reference impedances (" + std::to_string(impedanceCount) +
            ") must match the number of ports (" + std::to_string(portCount) + ")");
}

WrongReferenceResistanceCountError::WrongReferenceResistanceCountError(
    std::uint64_t resistanceCount, std::uint64_t portCount, const Position& where)
    : ParserError(Code::ResistanceCount, where) {
  setDetail("the number of reference resistances (" + std::to_string(resistanceCount) +
            ") must match the number of ports (" + std::to_string(portCount) + ")");
}

FrequencyOrderingError::FrequencyOrderingError(double frequency, double previousFrequency,
                                               const Position& where)
    : ParserError(Code::FrequencyNotIncreasing, where) {
  std::string detail = "frequency points must be listed in increasing order, but ";
  appendCompared(detail, frequency, previousFrequency);
  detail += " is not greater than ";
  appendCompared(detail, previousFrequency, frequency);
  setDetail(std::move(detail));
}

FrequencyCountError::FrequencyCountError(std::uint64_t found, std::uint64_t expected,
                                         const Position& where)
    : ParserError(Code::FrequencyCount, where) {
  setDetail("wrong number of frequency points (found " + std::to_string(found) +
            " but expected " + std::to_string(expected) + ")");
}

NetworkDataNotSquareError::NetworkDataNotSquareError(std::uint64_t pairCount,
                                                     const Position& where)
    : ParserError(Code::PointNotSquare, where) {
  setDetail("detected " + std::to_string(pairCount) +
            " number pairs of network data, but network data must fit a NxN matrix");
}

IncorrectNumberOfNetworkValuesError::IncorrectNumberOfNetworkValuesError(
    std::uint64_t valueCount, std::uint64_t expectedPairs, const Position& where)
    : ParserError(Code::NetworkValueCount, where) {
  std::string detail = "incorrect number of values for network data (found ";
  detail += std::to_string(valueCount / 2);
  if (valueCount % 2 != 0)
    detail += ".5";
  detail += valueCount == 2 ? " complex pair" : " complex pairs";
  if (expectedPairs != 0) {
    detail += " but expected " + std::to_string(expectedPairs);
    detail += expectedPairs == 1 ? " complex pair" : " complex pairs";
  }
  detail += ")";
  setDetail(std::move(detail));
}

WrongMixedModeDescriptorCountError::WrongMixedModeDescriptorCountError(
    std::uint64_t descriptorCount, std::uint64_t portCount, const Position& where)
    : ParserError(Code::MixedModeDescriptorCount, where) {
  setDetail("the number of mixed-mode port descriptors (" + std::to_string(descriptorCount) +
            ") must match the number of ports (" + std::to_string(portCount) + ")");
}

MixedModeDescriptorOverlapError::MixedModeDescriptorOverlapError(std::uint32_t port,
                                                                 const Position& where)
    : ParserError(Code::MixedModeOverlap, where) {
  setDetail("overlapping mixed-mode port descriptors for port " + std::to_string(port));
}

Mismatched_C_D_DescriptorPortsError::Mismatched_C_D_DescriptorPortsError(std::uint32_t port,
                                                                         const Position& where)
    : ParserError(Code::MixedModePairMismatch, where) {
  setDetail("common-mode and differential-mode descriptors for port " + std::to_string(port) +
            " must reference the same pair of ports");
}

MixedModeDescriptorsMissedPortError::MixedModeDescriptorsMissedPortError(std::uint32_t port,
                                                                         const Position& where)
    : ParserError(Code::MixedModePortMissed, where) {
  setDetail("mixed-mode port descriptors did not describe port " + std::to_string(port));
}

DifferentialPortsImpedanceError::DifferentialPortsImpedanceError(std::uint32_t port1,
                                                                 double impedance1,
                                                                 std::uint32_t port2,
                                                                 double impedance2)
    : ParserError(Code::MixedModeImpedance) {
  std::string detail = "different reference impedance for mixed-mode ports (port ";
  detail += std::to_string(port1) + ": ";
  appendCompared(detail, impedance1, impedance2);
  detail += " Ohms, port " + std::to_string(port2) + ": ";
  appendCompared(detail, impedance2, impedance1);
  detail += " Ohms)";
  setDetail(std::move(detail));
}

ClippingSmallNumberWarning::ClippingSmallNumberWarning(double value, const Position& where)
    : ParserWarning(Code::ClippedSmallNumber, where) {
  setDetail("clipping a very small number to " + formatGeneral(value));
}

ClippingLargeNumberWarning::ClippingLargeNumberWarning(double value, const Position& where)
    : ParserWarning(Code::ClippedLargeNumber, where) {
  setDetail("clipping a very large number to " + formatGeneral(value));
}

NonphysicalNoiseWarning::NonphysicalNoiseWarning(double value, const Position& where)
    : ParserWarning(Code::NonphysicalNoise, where) {
  setDetail("nonphysical noise behavior (" + formatGeneral(value) + " dB) described");
}

ExtensionPortCountWarning::ExtensionPortCountWarning(const std::string& extension,
                                                     const std::string& namedPorts,
                                                     std::uint32_t ports, const Position& where)
    : ParserWarning(Code::ExtensionPortCount, where) {
  setDetail("the file name's extension (" + extension + ") says " + namedPorts +
            (namedPorts == "1" ? " port" : " ports") + ", the data have " +
            std::to_string(ports) + (ports == 1 ? " port" : " ports"));
}

}  // namespace touchstone2
