#include "model/mixed_mode_rules.h"

#include <cmath>

#include "model/number_text.h"
#include "model/vocabulary.h"

namespace touchstone2 {

namespace {

// The largest difference of the two references of a pair that the reader
// takes as equal.
constexpr double kPairTolerance = 1e-6;

// Digits without a leading zero, from 1 to ports, at text[pos]; 0 if none.
std::uint32_t portAt(std::string_view text, std::size_t& pos, std::uint32_t ports) {
  if (pos >= text.size() || text[pos] < '1' || text[pos] > '9')
    return 0;
  std::uint64_t port = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    port = port * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (port > ports)
      return 0;
  }
  return static_cast<std::uint32_t>(port);
}

std::string entry(const std::string& argument, std::size_t index,
                  const MixedModeDescriptor& descriptor) {
  return argument + "[" + std::to_string(index) + "] = '" + descriptorText(descriptor) + "'";
}

}  // namespace

bool descriptorNamed(std::string_view text, std::uint32_t ports, MixedModeDescriptor& descriptor) {
  const MixedModeKindWord* kind = rowNamed(kMixedModeKinds, text.substr(0, 1));
  if (text.empty() || kind == nullptr)
    return false;
  std::size_t pos = 1;
  descriptor = {kind->value, portAt(text, pos, ports), 0};
  if (descriptor.firstPort == 0)
    return false;
  if (kind->value == MixedModeKind::SingleEnded)
    return pos == text.size();
  if (pos >= text.size() || text[pos] != ',')
    return false;
  ++pos;
  descriptor.secondPort = portAt(text, pos, ports);
  return descriptor.secondPort != 0 && pos == text.size();
}

std::string descriptorText(const MixedModeDescriptor& descriptor) {
  std::string text = wordFor(kMixedModeKinds, descriptor.kind, "?");
  text += std::to_string(descriptor.firstPort);
  if (descriptor.kind != MixedModeKind::SingleEnded)
    text += "," + std::to_string(descriptor.secondPort);
  return text;
}

std::string mixedModeOrderFault(const std::vector<MixedModeDescriptor>& order,
                                const std::vector<double>& references,
                                const std::string& argument) {
  const std::size_t ports = references.size();
  if (order.size() != ports)
    return argument + ": " + std::to_string(order.size()) + " descriptors for " +
           std::to_string(ports) + " ports";
  // The entries that name each port, in order.
  std::vector<std::vector<std::size_t>> naming(ports);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const MixedModeDescriptor& d = order[i];
    const bool pair = d.kind != MixedModeKind::SingleEnded;
    if (d.firstPort < 1 || d.firstPort > ports || (pair == (d.secondPort == 0)) ||
        d.secondPort > ports || d.firstPort == d.secondPort)
      return entry(argument, i, d) + " is not S<port>, D<port>,<port> or C<port>,<port> with "
             "distinct ports from 1 to " + std::to_string(ports);
    naming[d.firstPort - 1].push_back(i);
    if (!pair)
      continue;
    naming[d.secondPort - 1].push_back(i);
    const double first = references[d.firstPort - 1];
    const double second = references[d.secondPort - 1];
    if (!(std::fabs(first - second) < kPairTolerance)) {
      std::string text = entry(argument, i, d) + " pairs ports whose references differ (";
      appendShortest(text, first);
      text += " and ";
      appendShortest(text, second);
      return text + " ohms)";
    }
  }
  for (std::size_t port = 1; port <= ports; ++port) {
    const std::vector<std::size_t>& entries = naming[port - 1];
    const bool alone =
        entries.size() == 1 && order[entries[0]].kind == MixedModeKind::SingleEnded;
    bool paired = false;
    if (entries.size() == 2) {
      const MixedModeDescriptor& a = order[entries[0]];
      const MixedModeDescriptor& b = order[entries[1]];
      paired = a.kind != MixedModeKind::SingleEnded && b.kind != MixedModeKind::SingleEnded &&
               a.kind != b.kind && a.firstPort == b.firstPort && a.secondPort == b.secondPort;
    }
    if (alone || paired)
      continue;
    std::string named;
    for (std::size_t i : entries)
      named += (named.empty() ? "" : " and ") + entry(argument, i, order[i]);
    return argument + ": port " + std::to_string(port) + " is described by " +
           (named.empty() ? "no descriptor" : named) +
           "; a port needs one S descriptor, or one D and one C of the same ports in the same "
           "order";
  }
  return std::string();
}

}  // namespace touchstone2
