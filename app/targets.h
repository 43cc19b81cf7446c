#ifndef TOUCHSTONE2_APP_TARGETS_H
#define TOUCHSTONE2_APP_TARGETS_H

#include <string>
#include <vector>

namespace touchstone2 {

// One file to check: a path as it will be named in messages, or standard input.
struct Target {
  std::string path;
  bool isStdin = false;
};

// The files the command line's paths name, in order: "-" is standard input
// (named stdinName), a directory stands for the Touchstone files below it
// (names ending in .sNp, any N and any case, or .ts) in byte order of their
// paths, and anything else for itself, so that a missing or unreadable path is
// reported by the check like any file. Hidden entries (names starting with
// '.') and symbolic links to directories are passed over, so no link can make
// the walk loop; a folder that cannot be listed is itself a target, for the
// check to report. One directory is open at a time, whatever the depth.
// foundDirectory tells whether any path was a directory.
std::vector<Target> collectTargets(const std::vector<std::string>& paths,
                                   const std::string& stdinName, bool& foundDirectory);

// True for a name the walk takes: ".s2p", ".S12P", ".ts" endings.
bool isTouchstoneName(const std::string& name);

}  // namespace touchstone2

#endif
