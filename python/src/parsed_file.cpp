#include "python/src/parsed_file.h"

#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

#include "python/src/string_output.h"

namespace touchstone2::python {

std::unique_ptr<ParsedFile> ParsedFile::fromPath(const std::string& path) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(path));
  Parser(parsed->file_, parsed->handler_).parse();
  return parsed;
}

std::unique_ptr<ParsedFile> ParsedFile::fromBytes(std::string_view contents,
                                                  const std::string& name) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(name));
  Parser(parsed->file_, parsed->handler_).parse(contents);
  return parsed;
}

std::string ParsedFile::canonical() const {
  std::string text;
  StringOutput out(text);
  V2_Writer(file_).write(out);
  return text;
}

std::string ParsedFile::canonicalV1() const {
  std::string text;
  StringOutput out(text);
  V1_Writer(file_).write(out);
  return text;
}

std::string ParsedFile::description() const {
  std::string text;
  StringOutput out(text);
  describe(file_, out);
  return text;
}

}  // namespace touchstone2::python
