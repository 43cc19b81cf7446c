// The number of ports a file's name promises. Readers that go by the name
// alone take a 2-port file named .s1p for a 1-port network with three times
// the points, so a name that disagrees with the data is worth a warning even
// though the file itself is sound.

#include <string>
#include <string_view>

#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "parser/reader.h"

namespace touchstone2 {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The extension as written (".S2P") and its port count as digits without
// leading zeros, when the name ends in .sNp (any case, N at least 1); nothing
// otherwise. The count stays text: no name can overflow it.
bool portsNamedBy(std::string_view name, std::string& extension, std::string& ports) {
  std::size_t end = name.size();
  if (end < 4 || (name[end - 1] != 'p' && name[end - 1] != 'P'))
    return false;
  std::size_t digits = end - 1;
  while (digits > 0 && isDigit(name[digits - 1]))
    --digits;
  if (digits == end - 1 || digits < 2 || (name[digits - 1] != 's' && name[digits - 1] != 'S') ||
      name[digits - 2] != '.')
    return false;
  std::size_t first = digits;
  while (first < end - 2 && name[first] == '0')
    ++first;
  if (name[first] == '0')
    return false;
  extension.assign(name.substr(digits - 2));
  ports.assign(name.substr(first, end - 1 - first));
  return true;
}

}  // namespace

// Called where the data's port count becomes known (a version 1 file's first
// point, a version 2.x file's [Number of Ports]), with that place: the
// warning then stands in the order of the others and points at what decided
// the count. Standard input and bytes without a .sNp name are never checked.
void Reader::checkExtensionPorts(std::uint32_t ports, const Position& where) {
  std::string extension;
  std::string named;
  if (portsNamedBy(file_->getFilename(), extension, named) && named != std::to_string(ports))
    reportWarning(ExtensionPortCountWarning(extension, named, ports, where));
}

}  // namespace touchstone2
