#include "app/file_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include <touchstone2/parser.h>

namespace touchstone2 {

namespace {

// Everything standard input holds, or false on a read failure. Stops one byte
// past the largest size a file may have, so that the check refuses such input
// as it refuses such a file, without reading on.
bool readStandardInput(std::string& contents) {
  constexpr std::size_t kLimit = std::size_t{UINT32_MAX} + 1;
  char block[1 << 16];
  while (contents.size() < kLimit) {
    const ssize_t n = ::read(STDIN_FILENO, block, sizeof block);
    if (n == 0)
      return true;
    if (n < 0 && errno != EINTR)
      return false;
    if (n > 0)
      contents.append(block, static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool parseTarget(const Target& target, File& file, MessageHandler& handler) {
  Parser parser(file, handler);
  if (!target.isStdin)
    return parser.parse() && file.isValid();
  std::string contents;
  if (!readStandardInput(contents)) {
    handler.error(file, ParserError(Code::FileUnreadable));
    return false;
  }
  return parser.parse(contents) && file.isValid();
}

void HandlerPair::error(const File& file, const ParserError& error) {
  first_.error(file, error);
  if (second_ != nullptr)
    second_->error(file, error);
}

void HandlerPair::warning(const File& file, const ParserWarning& warning) {
  first_.warning(file, warning);
  if (second_ != nullptr)
    second_->warning(file, warning);
}

}  // namespace touchstone2
