#ifndef TOUCHSTONE2_APP_OPTIONS_H
#define TOUCHSTONE2_APP_OPTIONS_H

#include <cstdint>
#include <string>

namespace touchstone2 {

// What a run produces after a successful parse. The numbers are fixed.
enum class OutputMode : std::int32_t {
  CheckOnly = 0,
  CanonicalV1 = 1,
  CanonicalV2 = 2,
  Describe = 3,
};

// The decoded command line.
struct Options {
  OutputMode mode = OutputMode::CheckOnly;
  bool helpRequested = false;
  bool versionRequested = false;
  // --explain CODE: the code as written; the run looks it up.
  bool explainRequested = false;
  std::string explainCode;
  // -quality, or --quality-fail=BAND or --quality-fail BAND (which imply it);
  // the band as given.
  bool quality = false;
  std::string qualityFail;
  // Empty when no file name was given (an empty argument also leaves it empty).
  std::string filename;

  // Decodes every argument after the program name, in order. Throws
  // std::runtime_error at the first bad argument; the record then holds what
  // the arguments before it set.
  void parseCommandLine(int argc, const char* const* argv);

 private:
  bool applyOption(const std::string& arg);
  void setFilename(const std::string& arg);
};

}  // namespace touchstone2

#endif
