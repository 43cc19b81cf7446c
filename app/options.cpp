#include "app/options.h"

#include <stdexcept>

namespace touchstone2 {

namespace {

// The value of an option written as "--name=value", or of one whose value is
// the next argument; throws when there is none.
std::string valueOf(const std::string& arg, std::size_t nameLength, int argc,
                    const char* const* argv, int& i) {
  if (arg.size() > nameLength)
    return arg.substr(nameLength + 1);
  if (i + 1 >= argc)
    throw std::runtime_error("option " + arg + " needs a value");
  return argv[++i];
}

}  // namespace

void Options::parseCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (applyOption(arg, argc, argv, i))
      continue;
    if (arg == "--explain" || arg.rfind("--explain=", 0) == 0) {
      if (arg == "--explain" && i + 1 == argc)
        throw std::runtime_error("--explain needs a code, such as E2011");
      explainCode = arg == "--explain" ? argv[++i] : arg.substr(arg.find('=') + 1);
      explainRequested = true;
      continue;
    }
    // Compared case-sensitively: "-Describe" is a typo, not an option. A lone
    // "-" is standard input.
    if (arg.size() > 1 && arg[0] == '-')
      throw std::runtime_error("unrecognized option: " + arg);
    // An empty argument (an unset variable in a script) names nothing.
    if (!arg.empty())
      paths.push_back(arg);
  }
}

bool Options::applyOption(const std::string& arg, int argc, const char* const* argv, int& i) {
  // "--format=json" and "--format json" alike; "--formats" is no option.
  const std::string name = arg.substr(0, arg.find('='));
  if (arg == "-help" || arg == "-h" || arg == "--help")
    helpRequested = true;
  else if (arg == "-version" || arg == "--version")
    versionRequested = true;
  else if (arg == "-canonical" || arg == "-canonical-v2")
    mode = OutputMode::CanonicalV2;
  else if (arg == "-canonical-v2.1")
    mode = OutputMode::CanonicalV2_1;
  else if (arg == "-canonical-v1")
    mode = OutputMode::CanonicalV1;
  else if (arg == "-canonical-v1.1")
    mode = OutputMode::CanonicalV1_1;
  else if (arg == "-describe")
    mode = OutputMode::Describe;
  else if (arg == "-quality")
    quality = true;
  else if (name == "--quality-fail") {
    qualityFail = valueOf(arg, 14, argc, argv, i);
    if (qualityFail.empty())
      throw std::runtime_error("--quality-fail needs a band, such as acceptable");
    quality = true;
  }
  else if (arg == "-q" || arg == "--quiet")
    quiet = true;
  else if (arg == "--strict")
    strict = true;
  else if (arg == "-o")
    setOutputPath(valueOf(arg, 2, argc, argv, i));
  else if (arg == "-j")
    setJobs(valueOf(arg, 2, argc, argv, i));
  else if (arg.compare(0, 2, "-j") == 0 && arg.size() > 2)  // -j4
    setJobs(arg.substr(2));
  else if (name == "--format")
    setFormat(valueOf(arg, 8, argc, argv, i));
  else if (name == "--stdin-name")
    stdinName = valueOf(arg, 12, argc, argv, i);
  else
    return false;
  return true;
}

void Options::setJobs(const std::string& value) {
  // At most 256 workers: more would only hold more files in memory at once.
  unsigned n = 0;
  for (char c : value) {
    if (c < '0' || c > '9' || (n = n * 10 + unsigned(c - '0')) > 256)
      throw std::runtime_error("-j needs a number of workers from 1 to 256: " + value);
  }
  if (value.empty() || n == 0)
    throw std::runtime_error("-j needs a number of workers from 1 to 256: " + value);
  jobs = n;
}

void Options::setOutputPath(const std::string& value) {
  if (value.empty())
    throw std::runtime_error("-o needs a file name");
  outputPath = value;
}

void Options::setFormat(const std::string& value) {
  if (value == "text")
    format = ReportFormat::Text;
  else if (value == "json")
    format = ReportFormat::Json;
  else if (value == "sarif")
    format = ReportFormat::Sarif;
  else if (value == "github")
    format = ReportFormat::Github;
  else
    throw std::runtime_error("--format must be text, json, sarif or github: " + value);
}

}  // namespace touchstone2
