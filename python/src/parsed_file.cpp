#include "python/src/parsed_file.h"

#include <stdexcept>
#include <utility>

#include <touchstone2/file_output.h>
#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

#include "model/vocabulary.h"

namespace touchstone2::python {

namespace {

// The row of the version named exactly so, or nullptr.
const VersionWord* versionRow(const std::string& name) {
  for (const VersionWord& row : kVersions) {
    if (name == row.word)
      return &row;
  }
  return nullptr;
}

}  // namespace

StringOutput::Buffer::int_type StringOutput::Buffer::overflow(int_type c) {
  if (!traits_type::eq_int_type(c, traits_type::eof()))
    text_.push_back(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

std::streamsize StringOutput::Buffer::xsputn(const char* data, std::streamsize count) {
  text_.append(data, static_cast<std::size_t>(count));
  return count;
}

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

std::unique_ptr<ParsedFile> ParsedFile::fromRecord(File record) {
  std::unique_ptr<ParsedFile> parsed(new ParsedFile(record.getFilename()));
  parsed->file_ = std::move(record);
  return parsed;
}

std::vector<std::string> ParsedFile::versions() {
  std::vector<std::string> names;
  for (const VersionWord& row : kVersions)
    names.push_back(row.word);
  return names;
}

// Versions of keyword files are written by the v2.0 writer, the others by
// the v1 writer.
void ParsedFile::write(const std::string& version, std::ostream& out) const {
  const VersionWord* row = versionRow(version);
  if (row == nullptr)
    throw std::invalid_argument("no writer for version " + version);
  if (row->keywords)
    V2_Writer(file_, row->value).write(out);
  else
    V1_Writer(file_, row->value).write(out);
}

void ParsedFile::writeTo(const std::string& version, const std::string& path,
                         bool inPlaceIfNeeded) const {
  const VersionWord* row = versionRow(version);
  if (row == nullptr)
    throw std::invalid_argument("no writer for version " + version);
  writeFile(file_, row->value, path,
            inPlaceIfNeeded ? Replacement::InPlaceIfNeeded : Replacement::AllOrNothing);
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
