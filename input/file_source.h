#ifndef TOUCHSTONE2_INPUT_FILE_SOURCE_H
#define TOUCHSTONE2_INPUT_FILE_SOURCE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace touchstone2 {

class File;

// The whole input file in memory. The file is read once, in the constructor,
// into a buffer of its own: a mapping would let another process truncating
// the file kill us with a bus error half-way through. The memory of what the
// lexer has left behind is given back as it goes.
class FileSource {
 public:
  // Throws ParserError FileNotFound (nothing under the name), FileUnreadable
  // (cannot be opened, not a regular file, too large, a read failure or a
  // file that shrank while read) or FileEmpty. Leaves nothing open when it
  // throws.
  explicit FileSource(const File& file);
  // Reads bytes the caller already holds and keeps alive until the source is
  // gone, the way the file would be read: FileEmpty when there are none,
  // FileUnreadable for 4 GiB or more.
  explicit FileSource(std::string_view contents);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  const char* data() const { return data_; }
  std::uint32_t size() const { return size_; }

  // Gives back to the system the memory of the bytes before cursor that will
  // not be read again, and returns where what is kept now starts. Bytes the
  // caller lent are left alone.
  const char* release(const char* cursor);

 private:
  struct Unmap {
    std::size_t size;
    void operator()(char* p) const;
  };
  std::unique_ptr<char, Unmap> buffer_{nullptr, Unmap{0}};
  // Memory is given back on boundaries of huge pages.
  static constexpr std::size_t kReleaseAlignment = std::size_t{2} << 20;

  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  // Below this the buffer's memory has been given back.
  const char* released_ = nullptr;
};

}  // namespace touchstone2

#endif
