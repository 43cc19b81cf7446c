#include "python/src/parsed_file.h"

#include <stdexcept>

#include "parser/parser.h"
#include "python/src/string_output.h"
#include "writers/describe.h"
#include "writers/v1_writer.h"
#include "writers/v2_writer.h"

namespace touchstone2::python {

namespace {

template <typename Kind>
void writeWith(const File& file, std::ostream& out) {
  Kind(file).write(out);
}

// One row per version a file can be written in.
struct WriterRow {
  const char* version;
  void (*write)(const File& file, std::ostream& out);
};

const WriterRow kWriters[] = {
    {"2.0", writeWith<V2_Writer>},
    {"1", writeWith<V1_Writer>},
};

const WriterRow* writerFor(const std::string& version) {
  for (const WriterRow& row : kWriters) {
    if (version == row.version)
      return &row;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<ParsedFile> ParsedFile::fromPath(const std::string& path,
                                                 const InterruptCheck& interrupt) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(path));
  Parser parser(parsed->file_, parsed->handler_);
  parser.setInterruptCheck(interrupt);
  parser.parse();
  return parsed;
}

std::unique_ptr<ParsedFile> ParsedFile::fromBytes(std::string_view contents,
                                                  const std::string& name,
                                                  const InterruptCheck& interrupt) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(name));
  Parser parser(parsed->file_, parsed->handler_);
  parser.setInterruptCheck(interrupt);
  parser.parse(contents);
  return parsed;
}

std::unique_ptr<ParsedFile> ParsedFile::fromValues(const FileValues& values,
                                                   const std::string& name) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(name));
  buildFile(values, parsed->file_);
  return parsed;
}

std::vector<std::string> ParsedFile::versions() {
  std::vector<std::string> names;
  for (const WriterRow& row : kWriters)
    names.push_back(row.version);
  return names;
}

void ParsedFile::write(const std::string& version, std::ostream& out) const {
  const WriterRow* row = writerFor(version);
  if (row == nullptr)
    throw std::invalid_argument("no writer for version " + version);
  row->write(file_, out);
}

std::string ParsedFile::text(const std::string& version) const {
  std::string text;
  StringOutput out(text);
  write(version, out);
  return text;
}

std::string ParsedFile::description() const {
  std::string text;
  StringOutput out(text);
  describe(file_, out);
  return text;
}

}  // namespace touchstone2::python
