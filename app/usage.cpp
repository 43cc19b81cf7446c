#include "app/usage.h"

namespace touchstone2 {

#ifndef SNPVET_VERSION
#error "the build defines SNPVET_VERSION, the project's version"
#endif

const char* const kProgramVersion = SNPVET_VERSION;

namespace {

// The explanations start in column 33 so that they line up under each other.
const char kHelpText[] =
    "\n"
    "verification tool for Touchstone v2 files\n"
    "\n"
    "Usage modes:\n"
    "\n"
    "  snpvet FILE                   Checks the file, sending error and warning\n"
    "                                information to stderr.\n"
    "\n"
    "  snpvet -canonical    FILE     Shortcut for -canonical-v2.\n"
    "\n"
    "  snpvet -canonical-v2 FILE     Checks the file, sending error and warning\n"
    "                                information to stderr, and writes a valid file\n"
    "                                to stdout in Touchstone v2 format.\n"
    "\n"
    "  snpvet -canonical-v1 FILE     Checks the file, sending error and warning\n"
    "                                information to stderr, and writes a valid file\n"
    "                                to stdout in Touchstone v1 format, if possible.\n"
    "\n"
    "  snpvet -describe FILE         Checks the file, sending error and warning\n"
    "                                information to stderr, and writes a valid file\n"
    "                                to stdout in a long-form description.\n"
    "\n"
    "  snpvet --explain CODE         Explains a diagnostic code, such as E2011.\n"
    "\n"
    "  snpvet -quality FILE          Checks the file, then rates its passivity,\n"
    "                                reciprocity and causality on stdout;\n"
    "                                --quality-fail=BAND fails (exit 1) below BAND.\n"
    "\n"
    "  snpvet -version               Displays the version number.\n"
    "\n"
    "  snpvet -help                  Displays this help message.\n"
    "\n";

}  // namespace

void printUsage(std::ostream& out) {
  out << "\nsnpvet, version " << kProgramVersion
      << "\nverification tool for Touchstone v2 files\n\n"
         "usage: snpvet [-canonical | -describe] FILE\n\n"
         "See `snpvet -help' for details.\n"
      << std::endl;
}

void printHelp(std::ostream& out) {
  out << "\nsnpvet, version " << kProgramVersion << kHelpText << std::endl;
}

void printVersion(std::ostream& out) {
  out << "snpvet, version " << kProgramVersion << std::endl;
}

}  // namespace touchstone2
