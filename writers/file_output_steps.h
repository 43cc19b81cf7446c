#ifndef TOUCHSTONE2_WRITERS_FILE_OUTPUT_STEPS_H
#define TOUCHSTONE2_WRITERS_FILE_OUTPUT_STEPS_H

#include <cstdint>
#include <string>

#include <touchstone2/file.h>
#include <touchstone2/file_output.h>

#include "writers/descriptor_output.h"

namespace touchstone2 {

// The system calls whose order makes a replacement durable, as writeFile
// makes them. A test puts its own in their place to see that the new file
// is synced before it is renamed over the old, and to make a write fail as
// on a full disk.
struct FileSystemSteps {
  WriteCall write;
  int (*sync)(int descriptor);
  int (*rename)(const char* from, const char* to);
};

// write(2), fsync(2) and rename(2).
const FileSystemSteps& systemSteps();

// writeFile with the steps given.
void writeFile(const File& file, std::uint32_t version, const std::string& path,
               Replacement replacement, const FileSystemSteps& steps);

}  // namespace touchstone2

#endif
