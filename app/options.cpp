#include "app/options.h"

#include <stdexcept>

namespace touchstone2 {

void Options::parseCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (applyOption(arg))
      continue;
    if (arg == "--explain" || arg.rfind("--explain=", 0) == 0) {
      if (arg == "--explain" && i + 1 == argc)
        throw std::runtime_error("--explain needs a code, such as E2011");
      explainCode = arg == "--explain" ? argv[++i] : arg.substr(arg.find('=') + 1);
      explainRequested = true;
      continue;
    }
    if (arg == "--quality-fail" || arg.rfind("--quality-fail=", 0) == 0) {
      if (arg == "--quality-fail" && i + 1 == argc)
        throw std::runtime_error("--quality-fail needs a band, such as acceptable");
      qualityFail = arg == "--quality-fail" ? argv[++i] : arg.substr(arg.find('=') + 1);
      if (qualityFail.empty())
        throw std::runtime_error("--quality-fail needs a band, such as acceptable");
      quality = true;
      continue;
    }
    // Compared case-sensitively: "-Describe" is a typo, not an option.
    if (!arg.empty() && arg[0] == '-')
      throw std::runtime_error("unrecognized option: " + arg);
    setFilename(arg);
  }
}

bool Options::applyOption(const std::string& arg) {
  if (arg == "-help" || arg == "-h")
    helpRequested = true;
  else if (arg == "-version")
    versionRequested = true;
  else if (arg == "-canonical" || arg == "-canonical-v2")
    mode = OutputMode::CanonicalV2;
  else if (arg == "-canonical-v1")
    mode = OutputMode::CanonicalV1;
  else if (arg == "-describe")
    mode = OutputMode::Describe;
  else if (arg == "-quality")
    quality = true;
  else
    return false;
  return true;
}

void Options::setFilename(const std::string& arg) {
  // An empty argument takes the file name's place but leaves it empty, so a
  // later name is still accepted and a run without one reports it missing.
  if (!filename.empty())
    throw std::runtime_error("only one filename may be specified");
  filename = arg;
}

}  // namespace touchstone2
