// [Mixed-Mode Order]: which port or pair of ports each matrix row and column
// describes, and whether together they describe every port exactly once.

#include <string>
#include <utility>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "model/mixed_mode_rules.h"
#include "model/vocabulary.h"
#include "parser/reader.h"

namespace touchstone2 {

namespace {

// A descriptor and where it stood. Its token is rebuilt only for a
// diagnostic: the syntax admits exactly one spelling per descriptor, so the
// lower-cased word follows from the descriptor itself. Keeping whole token
// copies would cost several times the file's size for a long list.
struct PlacedDescriptor {
  MixedModeDescriptor descriptor;
  std::uint32_t line;
  std::uint32_t column;
};

Token tokenOf(const PlacedDescriptor& placed) {
  Token token;
  token.kind = TokenKind::Word;
  token.line = placed.line;
  token.column = placed.column;
  const MixedModeDescriptor& d = placed.descriptor;
  // The lexer lower-cases words; the letter is the table's, lower-cased too.
  token.text = wordFor(kMixedModeKinds, d.kind, "");
  for (char& c : token.text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  token.text += std::to_string(d.firstPort);
  if (d.kind != MixedModeKind::SingleEnded)
    token.text += "," + std::to_string(d.secondPort);
  return token;
}

// What the descriptors read so far say about one port.
struct PortEntry {
  std::uint32_t commonPartner = 0;
  std::uint32_t differentialPartner = 0;
  bool firstOfPair = false;
  bool secondOfPair = false;
};

class PortTable {
 public:
  explicit PortTable(std::uint32_t ports) : entries_(ports) {}
  PortEntry& operator[](std::uint32_t port) { return entries_[port - 1]; }

  void add(const PlacedDescriptor& placed);

 private:
  void addPair(std::uint32_t p1, std::uint32_t p2, bool differential, const Token& token);
  std::vector<PortEntry> entries_;
};

void PortTable::add(const PlacedDescriptor& placed) {
  const MixedModeDescriptor& descriptor = placed.descriptor;
  if (descriptor.kind == MixedModeKind::SingleEnded) {
    PortEntry& entry = (*this)[descriptor.firstPort];
    if (entry.commonPartner != 0 || entry.differentialPartner != 0)
      throw MixedModeDescriptorOverlapError(descriptor.firstPort, tokenOf(placed));
    entry.commonPartner = entry.differentialPartner = descriptor.firstPort;
    return;
  }
  addPair(descriptor.firstPort, descriptor.secondPort,
          descriptor.kind == MixedModeKind::Differential, tokenOf(placed));
}

// A differential and a common-mode descriptor must name the same two ports in
// the same order; the second of them to arrive checks against the first.
void PortTable::addPair(std::uint32_t p1, std::uint32_t p2, bool differential,
                        const Token& token) {
  auto own = [differential](PortEntry& e) -> std::uint32_t& {
    return differential ? e.differentialPartner : e.commonPartner;
  };
  auto other = [differential](PortEntry& e) -> std::uint32_t& {
    return differential ? e.commonPartner : e.differentialPartner;
  };
  if (own((*this)[p1]) != 0)
    throw MixedModeDescriptorOverlapError(p2, token);
  if (own((*this)[p2]) != 0)
    throw MixedModeDescriptorOverlapError(p1, token);
  own((*this)[p1]) = p2;
  own((*this)[p2]) = p1;
  if (other((*this)[p1]) == 0 && other((*this)[p2]) == 0) {
    (*this)[p1].firstOfPair = true;
    (*this)[p2].secondOfPair = true;
    return;
  }
  if (other((*this)[p1]) != p2 || !(*this)[p1].firstOfPair)
    throw Mismatched_C_D_DescriptorPortsError(p2, token);
  if (other((*this)[p2]) != p1 || !(*this)[p2].secondOfPair)
    throw Mismatched_C_D_DescriptorPortsError(p1, token);
}

}  // namespace

void Reader::parseMixedModeOrder() {
  nextToken();
  ParameterType type = file_->getParameterType();
  if (type == ParameterType::G || type == ParameterType::H)
    throw ParserError(Code::MixedModeParameterType, token());
  std::uint32_t ports = file_->getNumberOfPorts();
  std::vector<PlacedDescriptor> placed;
  while (nextListEntry(TokenKind::Word, Code::MixedModeDescriptorExpected)) {
    MixedModeDescriptor descriptor;
    if (!descriptorNamed(token().text, ports, descriptor))
      throw ParserError(Code::MixedModeDescriptorExpected, token());
    placed.push_back({descriptor, token().line, token().column});
    nextToken();
  }
  if (placed.empty())
    throw ParserError(Code::MixedModeDescriptorExpected, token());
  if (placed.size() != ports)
    throw WrongMixedModeDescriptorCountError(placed.size(), ports, tokenOf(placed.back()));
  // Built only now: the file itself has shown one descriptor per port.
  PortTable table(ports);
  for (const PlacedDescriptor& p : placed)
    table.add(p);
  for (std::uint32_t port = 1; port <= ports; ++port) {
    if (table[port].commonPartner == 0 || table[port].differentialPartner == 0)
      throw MixedModeDescriptorsMissedPortError(port, token());
  }
  std::vector<MixedModeDescriptor> descriptors;
  descriptors.reserve(placed.size());
  for (const PlacedDescriptor& p : placed)
    descriptors.push_back(p.descriptor);
  file_->setMixedModeOrder(std::move(descriptors));
}

}  // namespace touchstone2
