#include "diagnostics/mixed_mode_errors.h"

#include <string>

#include "model/number_text.h"

namespace touchstone2 {

WrongMixedModeDescriptorCountError::WrongMixedModeDescriptorCountError(
    std::uint64_t descriptorCount, std::uint64_t portCount, const Token& token)
    : ParserError(2315, token) {
  setDetail("the number of mixed-mode port descriptors (" + std::to_string(descriptorCount) +
            ") must match the number of ports (" + std::to_string(portCount) + ")");
}

MixedModeDescriptorOverlapError::MixedModeDescriptorOverlapError(std::uint32_t port,
                                                                 const Token& token)
    : ParserError(2317, token) {
  setDetail("overlapping mixed-mode port descriptors for port " + std::to_string(port));
}

Mismatched_C_D_DescriptorPortsError::Mismatched_C_D_DescriptorPortsError(std::uint32_t port,
                                                                         const Token& token)
    : ParserError(2318, token) {
  setDetail("common-mode and differential-mode descriptors for port " + std::to_string(port) +
            " must reference the same pair of ports");
}

MixedModeDescriptorsMissedPortError::MixedModeDescriptorsMissedPortError(std::uint32_t port,
                                                                         const Token& token)
    : ParserError(2316, token) {
  setDetail("mixed-mode port descriptors did not describe port " + std::to_string(port));
}

DifferentialPortsImpedanceError::DifferentialPortsImpedanceError(std::uint32_t port1,
                                                                 double impedance1,
                                                                 std::uint32_t port2,
                                                                 double impedance2)
    : ParserError(2319) {
  // Six digits unless they would show two different values alike ("50 Ohms,
  // 50 Ohms"); then each as exactly as it takes to tell them apart.
  const bool alike = formatGeneral(impedance1) == formatGeneral(impedance2);
  auto append = [alike](std::string& text, double impedance) {
    alike ? appendShortest(text, impedance) : appendGeneral(text, impedance);
  };
  std::string detail = "different reference impedance for mixed-mode ports (port ";
  detail += std::to_string(port1) + ": ";
  append(detail, impedance1);
  detail += " Ohms, port " + std::to_string(port2) + ": ";
  append(detail, impedance2);
  detail += " Ohms)";
  setDetail(std::move(detail));
}

}  // namespace touchstone2
