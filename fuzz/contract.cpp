#include "fuzz/contract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diagnostics/message_text.h"
#include "model/file.h"
#include "parser/parser.h"

namespace touchstone2 {
namespace fuzz {

namespace {

// One line on a terminal: no control byte but tab. 8-bit bytes of the input
// may be quoted as they are.
bool isOneLine(const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    unsigned char byte = static_cast<unsigned char>(*p);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
      return false;
  }
  return true;
}

bool skipNumber(const std::string& line, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9')
    ++pos;
  return pos > start;
}

bool startsWithAt(const std::string& line, std::size_t pos, const char* prefix) {
  return line.compare(pos, std::strlen(prefix), prefix) == 0;
}

}  // namespace

void violation(const std::string& what) {
  std::fprintf(stderr, "\n*** contract violation: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

InputShape measure(const std::uint8_t* data, std::size_t size) {
  InputShape shape;
  std::uint64_t current = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' || data[i] == '\r') {
      // CR LF is one terminator.
      if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
        ++i;
      ++shape.lines;
      current = 0;
    } else if (++current > shape.longestLine) {
      shape.longestLine = current;
    }
  }
  return shape;
}

ContractHandler::ContractHandler(const File& file, const InputShape& shape)
    : file_(&file), shape_(shape), standard_(printed_) {}

void ContractHandler::error(const File& file, const ParserError& error) {
  checkDiagnostic(file, error, error.what(), "error");
  if (errors_ != 0)
    violation("a second error was reported: E" + std::to_string(error.getCode()));
  if (isWarningCode(error.getCode()))
    violation("an error carries the warning code " + std::to_string(error.getCode()));
  ++errors_;
  standard_.error(file, error);
}

void ContractHandler::warning(const File& file, const ParserWarning& warning) {
  checkDiagnostic(file, warning, warning.what(), "warning");
  if (errors_ != 0)
    violation("warning W" + std::to_string(warning.getCode()) + " came after the error");
  if (!isWarningCode(warning.getCode()))
    violation("a warning carries the error code " + std::to_string(warning.getCode()));
  ++warnings_;
  standard_.warning(file, warning);
}

void ContractHandler::checkDiagnostic(const File& file, const Diagnostic& diagnostic,
                                      const char* what, const char* kind) {
  std::string name = std::string(kind) + " " + std::to_string(diagnostic.getCode());
  if (&file != file_)
    violation(name + " was reported for another File");
  if (what == nullptr || *what == '\0')
    violation(name + " has no message");
  if (std::strcmp(what, diagnostic.message()) != 0)
    violation(name + ": what() and message() differ");
  if (!isOneLine(what))
    violation(name + " has a control byte in its message: " + what);
  if (std::strlen(diagnostic.getText()) >= Diagnostic::kTextSize)
    violation(name + " keeps too long a token text");
  if (diagnostic.getLine() > shape_.lines)
    violation(name + " points past the last line: " + std::to_string(diagnostic.getLine()));
  if (diagnostic.getColumn() > shape_.longestLine + 1)
    violation(name + " points past the longest line: column " +
              std::to_string(diagnostic.getColumn()));
  if (diagnostic.getLine() == 0 && diagnostic.getColumn() != 0)
    violation(name + " has a column but no line");
}

void ContractHandler::checkOutcome(bool parseResult) const {
  if (parseResult != (errors_ == 0))
    violation("parse() returned " + std::string(parseResult ? "true" : "false") + " after " +
              std::to_string(errors_) + " error(s)");
  if (parseResult != file_->isValid())
    violation("parse() and File::isValid() disagree");
  checkPrintedLines();
}

// Each diagnostic is exactly one line: "name:[line:[col:]] error E<code>: text"
// or the same with " warning W"; only the last may be an error.
void ContractHandler::checkPrintedLines() const {
  const std::string all = printed_.str();
  const std::string& name = file_->getFilename();
  std::size_t lines = 0;
  std::size_t errorLines = 0;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string::npos)
      violation("a diagnostic line has no line end");
    std::string line = all.substr(start, end - start);
    start = end + 1;
    ++lines;
    if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size() ||
        line[name.size()] != ':')
      violation("a diagnostic line does not start with the file name: " + line);
    std::size_t pos = name.size() + 1;
    for (int i = 0; i < 2; ++i) {
      std::size_t mark = pos;
      if (skipNumber(line, pos) && pos < line.size() && line[pos] == ':')
        ++pos;
      else
        pos = mark;
    }
    bool isError = startsWithAt(line, pos, " error E");
    if (!isError && !startsWithAt(line, pos, " warning W"))
      violation("a diagnostic line has no kind: " + line);
    pos += isError ? 8 : 10;
    if (!skipNumber(line, pos) || !startsWithAt(line, pos, ": "))
      violation("a diagnostic line has no code: " + line);
    if (isError)
      ++errorLines;
    else if (errorLines != 0)
      violation("a warning line follows the error line");
  }
  if (lines != warnings_ + errors_)
    violation("the handler printed " + std::to_string(lines) + " lines for " +
              std::to_string(warnings_ + errors_) + " diagnostics");
  if (errorLines > 1)
    violation("more than one error line");
}

bool checkedParse(File& file, const InputShape& shape) {
  ContractHandler handler(file, shape);
  bool result;
  {
    Parser parser(file, handler);
    result = parser.parse();
  }
  handler.checkOutcome(result);
  return result;
}

}  // namespace fuzz
}  // namespace touchstone2
