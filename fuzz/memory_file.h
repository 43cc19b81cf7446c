#ifndef TOUCHSTONE2_FUZZ_MEMORY_FILE_H
#define TOUCHSTONE2_FUZZ_MEMORY_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace touchstone2 {
namespace fuzz {

// An anonymous in-memory file that the parser can open by name. The parser
// only reads files by name, and a fuzzer runs it millions of times: a memfd
// reached through /proc/self/fd costs no disk and leaves nothing behind.
class MemoryFile {
 public:
  explicit MemoryFile(const char* debugName);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Replaces the whole content. Aborts if the kernel refuses: a fuzz run on
  // a half-written input would report nonsense.
  void assign(const std::uint8_t* data, std::size_t size);
  void assign(const std::string& text);

  const std::string& path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

}  // namespace fuzz
}  // namespace touchstone2

#endif
