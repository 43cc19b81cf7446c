#ifndef TOUCHSTONE2_DIAGNOSTIC_H
#define TOUCHSTONE2_DIAGNOSTIC_H

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>

#include <touchstone2/export.h>
#include <touchstone2/codes.h>

namespace touchstone2 {

// A place in a file and the text found there: what a diagnostic points at.
// Lines and columns count from 1; 0 where there is none. The lexer's tokens
// are such places.
struct Position {
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string text;
};

// What every error and warning carries: the code, where it was found (0 when
// there is no position) and up to 127 characters of the text found there. The
// message is fixed at construction, so what() never builds anything and its
// text lives as long as the object.
class TOUCHSTONE2_API Diagnostic {
 public:
  static constexpr std::size_t kTextSize = 128;

  std::int32_t getCode() const { return code_; }
  std::uint32_t getLine() const { return line_; }
  std::uint32_t getColumn() const { return column_; }
  const char* getText() const { return text_; }
  const char* message() const;

 protected:
  explicit Diagnostic(Code code);
  Diagnostic(Code code, const Position& where);
  // For the subclasses whose message carries details of its own.
  void setDetail(std::string detail) { detail_ = std::move(detail); }

 private:
  std::int32_t code_;
  std::uint32_t line_ = 0;
  std::uint32_t column_ = 0;
  char text_[kTextSize] = {};
  std::string detail_;
};

// The error that ends a parse. Thrown where the problem is found, caught once
// by the parser and handed to the message handler.
class TOUCHSTONE2_API ParserError : public std::runtime_error, public Diagnostic {
 public:
  explicit ParserError(Code code);
  ParserError(Code code, const Position& where);
  const char* what() const noexcept override { return message(); }
};

// A problem that is reported while the parse goes on. Never thrown: built,
// handed to the message handler, destroyed. Not a ParserError, so a handler
// for errors never sees one.
class TOUCHSTONE2_API ParserWarning : public std::runtime_error, public Diagnostic {
 public:
  ParserWarning(Code code, const Position& where);
  const char* what() const noexcept override { return message(); }
};

class File;

// Where diagnostics leave the parser: every warning as it arises, then at most
// one error, the last diagnostic of a parse.
struct TOUCHSTONE2_API MessageHandler {
  virtual ~MessageHandler() = default;
  virtual void error(const File& file, const ParserError& error) = 0;
  virtual void warning(const File& file, const ParserWarning& warning) = 0;
};

// Writes one line per diagnostic: "name:line:col: error E2003: text", without
// the position parts that are 0. Keeps no state between calls.
struct TOUCHSTONE2_API StandardMessageHandler : MessageHandler {
  explicit StandardMessageHandler(std::ostream& out = std::cerr) : out_(out) {}
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

 private:
  void writeLine(const File& file, const Diagnostic& diagnostic, const char* kind);
  std::ostream& out_;
};

}  // namespace touchstone2

#endif
