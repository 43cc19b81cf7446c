// Reads that hand back the record and the diagnostics as values, for callers
// that want neither a handler of their own nor a record that must stay where
// the parser was given it.

#include <touchstone2/reading.h>

#include <touchstone2/parser.h>

namespace touchstone2 {

ReadResult readFile(const std::string& path) {
  ReadResult result{File(path), {}};
  CollectingHandler handler;
  Parser(result.file, handler).parse();
  result.diagnostics = handler.take();
  return result;
}

ReadResult readBytes(std::string_view contents, const std::string& name) {
  ReadResult result{File(name), {}};
  CollectingHandler handler;
  Parser(result.file, handler).parse(contents);
  result.diagnostics = handler.take();
  return result;
}

}  // namespace touchstone2
