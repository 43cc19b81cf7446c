#ifndef TOUCHSTONE2_ENUMS_H
#define TOUCHSTONE2_ENUMS_H

#include <cstdint>

namespace touchstone2 {

// The numbers are fixed: they are stored in the file record and compared by
// value. 0 always means "not given".

enum class FrequencyUnit : std::uint32_t { Unset = 0, Hz = 1, kHz = 2, MHz = 3, GHz = 4 };

enum class ParameterType : std::uint32_t { Unset = 0, S = 1, Y = 2, Z = 3, H = 4, G = 5 };

enum class DataFormat : std::uint32_t { Unset = 0, DB = 1, MA = 2, RI = 3 };

enum class TwoPortDataOrder : std::uint32_t { Unset = 0, Order12_21 = 1, Order21_12 = 2 };

enum class MatrixFormat : std::uint32_t { Unset = 0, Full = 1, Upper = 2, Lower = 3 };

enum class MixedModeKind : std::uint32_t { SingleEnded = 0, Differential = 1, Common = 2 };

// What one row and column of the network-data matrix holds. Ports count from
// 1; a single-ended descriptor has secondPort 0.
struct MixedModeDescriptor {
  MixedModeKind kind = MixedModeKind::SingleEnded;
  std::uint32_t firstPort = 0;
  std::uint32_t secondPort = 0;
};

}  // namespace touchstone2

#endif
