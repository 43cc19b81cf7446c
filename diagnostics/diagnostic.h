#ifndef TOUCHSTONE2_DIAGNOSTICS_DIAGNOSTIC_H
#define TOUCHSTONE2_DIAGNOSTICS_DIAGNOSTIC_H

#include <cstdint>
#include <string>

#include "diagnostics/codes.h"

namespace touchstone2 {

struct Token;

// What every error and warning carries: the code, where it was found (0 when
// there is no position) and up to 127 characters of the token's text. The
// message is fixed at construction, so what() never builds anything and its
// text lives as long as the object.
class Diagnostic {
 public:
  static constexpr std::size_t kTextSize = 128;

  std::int32_t getCode() const { return code_; }
  std::uint32_t getLine() const { return line_; }
  std::uint32_t getColumn() const { return column_; }
  const char* getText() const { return text_; }
  const char* message() const;

 protected:
  explicit Diagnostic(Code code);
  Diagnostic(Code code, const Token& token);
  // For the subclasses whose message carries details of its own.
  void setDetail(std::string detail) { detail_ = std::move(detail); }

 private:
  std::int32_t code_;
  std::uint32_t line_ = 0;
  std::uint32_t column_ = 0;
  char text_[kTextSize] = {};
  std::string detail_;
};

}  // namespace touchstone2

#endif
