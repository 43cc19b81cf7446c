#ifndef TOUCHSTONE2_MODEL_MIXED_MODE_RULES_H
#define TOUCHSTONE2_MODEL_MIXED_MODE_RULES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/enums.h>

namespace touchstone2 {

// The rules a mixed-mode order obeys: the reader takes descriptors by them,
// the builder from arrays refuses, and the writers check, by them.

// S<p>, D<p1>,<p2> or C<p1>,<p2> (the letter in any case) with ports from 1
// to ports, written without leading zeros; false for anything else. A pair
// of one port twice is a descriptor, which the order's rules then refuse.
bool descriptorNamed(std::string_view text, std::uint32_t ports, MixedModeDescriptor& descriptor);

// "S1", "D1,2", "C1,2".
std::string descriptorText(const MixedModeDescriptor& descriptor);

// Empty when the order describes every port exactly once, on its own (S) or
// in a pair given both as D and as C in the same order, and both ports of a
// pair have the same reference impedance (to 1e-6 ohms, as the reader
// demands); otherwise why not, naming the entries as argument[index].
std::string mixedModeOrderFault(const std::vector<MixedModeDescriptor>& order,
                                const std::vector<double>& references,
                                const std::string& argument);

}  // namespace touchstone2

#endif
