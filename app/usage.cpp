#include "app/usage.h"

namespace touchstone2 {

#ifndef SNPVET_VERSION
#error "the build defines SNPVET_VERSION, the project's version"
#endif
const char* const kProgramVersion = SNPVET_VERSION;

namespace {

const char kPurpose[] = "checks Touchstone files of versions 1, 1.1, 2.0 and 2.1\n";

// Every option, in the usage text and at the head of the help.
const char kUsageLines[] =
    "usage: snpvet [-q | --quiet] [--strict] [--format=text|json|sarif|github]\n"
    "              [-j N] [--stdin-name NAME] PATH...\n"
    "       snpvet -canonical | -canonical-v2 | -canonical-v2.1 | -canonical-v1 |\n"
    "              -canonical-v1.1 | -describe [--strict] [--stdin-name NAME]\n"
    "              [-o FILE] PATH\n"
    "       snpvet --explain CODE\n"
    "       snpvet -help | -h | --help | -version | --version\n";

// The explanations start in column 33 so that they line up under each other.
const char kHelpText[] =
    "\n"
    "Checking, the default mode:\n"
    "\n"
    "  snpvet PATH...                Checks each file, sending error and warning\n"
    "                                information to stderr and a verdict line for\n"
    "                                each valid file to stdout. A folder stands for\n"
    "                                the .sNp and .ts files below it, - for\n"
    "                                standard input. Several files end with a\n"
    "                                summary line on stderr.\n"
    "  -q, --quiet                   Prints no verdict lines.\n"
    "  --strict                      A warning fails its file.\n"
    "  --format=FORMAT               text (the default), json (one document on\n"
    "                                stdout), sarif (SARIF 2.1.0) or github\n"
    "                                (annotation lines for CI workflows).\n"
    "  -j N                          Checks N files at a time (default: the number\n"
    "                                of cores); the output is the same for every N.\n"
    "  --stdin-name NAME             The name standard input goes by in messages.\n"
    "  -quality                      After each valid file's verdict, rates its\n"
    "                                passivity, reciprocity and causality.\n"
    "  --quality-fail=BAND           As -quality; a metric below BAND (good,\n"
    "                                acceptable, inconclusive) fails the file.\n"
    "\n"
    "Rewriting one valid file, to stdout or FILE:\n"
    "\n"
    "  -canonical, -canonical-v2     In Touchstone v2.0 format.\n"
    "  -canonical-v2.1               In Touchstone v2.1 format.\n"
    "  -canonical-v1                 In Touchstone v1 format, if possible.\n"
    "  -canonical-v1.1               In Touchstone v1.1 format (a reference\n"
    "                                resistance per port), if possible.\n"
    "  -describe                     As a long-form description.\n"
    "  -o FILE                       Writes the rewrite to FILE instead: through a\n"
    "                                temporary file in its folder, synced and read\n"
    "                                back, then renamed over it; on any failure\n"
    "                                FILE stays as it was.\n"
    "\n"
    "Other modes:\n"
    "\n"
    "  --explain CODE                Explains a diagnostic code, such as E2011:\n"
    "                                the rule, its usual causes and the fix.\n"
    "  -version, --version           Displays the version number.\n"
    "  -help, -h, --help             Displays this help message.\n"
    "\n"
    "Exit status: 0 when every file is valid (and help and version), 1 otherwise\n"
    "and after a command-line error.\n";

}  // namespace

void printUsage(std::ostream& out) {
  out << "\nsnpvet, version " << kProgramVersion << "\n"
      << kPurpose << "\n"
      << kUsageLines << "\nSee `snpvet -help' for details.\n"
      << std::endl;
}

void printHelp(std::ostream& out) {
  out << "snpvet, version " << kProgramVersion << "\n" << kPurpose << "\n" << kUsageLines
      << kHelpText << std::flush;
}

void printVersion(std::ostream& out) {
  out << "snpvet, version " << kProgramVersion << std::endl;
}

}  // namespace touchstone2
