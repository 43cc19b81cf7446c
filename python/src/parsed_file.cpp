#include "python/src/parsed_file.h"

#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

namespace touchstone2::python {

void CollectingHandler::error(const File&, const ParserError& error) {
  add(error, true);
}

void CollectingHandler::warning(const File&, const ParserWarning& warning) {
  add(warning, false);
}

void CollectingHandler::add(const Diagnostic& diagnostic, bool error) {
  records_.push_back({diagnostic.getCode(), error, diagnostic.getLine(), diagnostic.getColumn(),
                      diagnostic.message()});
}

StringOutput::Buffer::int_type StringOutput::Buffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof()))
    text_.push_back(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

std::streamsize StringOutput::Buffer::xsputn(const char* data, std::streamsize count) {
  text_.append(data, static_cast<std::size_t>(count));
  return count;
}

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
