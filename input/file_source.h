#ifndef TOUCHSTONE2_INPUT_FILE_SOURCE_H
#define TOUCHSTONE2_INPUT_FILE_SOURCE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace touchstone2 {

class File;

// The input file's bytes, at their place in one buffer of the file's size,
// read into memory of our own a block at a time as the lexer comes to them:
// a mapping would let another process truncating the file kill us with a bus
// error half-way through, and reading ahead only as far as needed, while the
// memory of what the lexer has left behind is given back, keeps a large file
// from ever needing its whole size in memory.
//
// What may be read is a window, from the start to a line end (or to the end
// of the file): a token never crosses a line end, so the lexer can scan the
// window as if it ended there and ask for more only at a line's start.
class FileSource {
 public:
  // Blocks of this many bytes are read at a time.
  static constexpr std::size_t kBlockSize = std::size_t{4} << 20;

  // Throws ParserError FileNotFound (nothing under the name), FileUnreadable
  // (cannot be opened, not a regular file, too large, a read failure or a
  // file that shrank while read) or FileEmpty. Leaves nothing open when it
  // throws. blockSize is for tests, which need many blocks from small files.
  explicit FileSource(const File& file, std::size_t blockSize = kBlockSize);
  // Reads bytes the caller already holds and keeps alive until the source is
  // gone, the way the file would be read: FileEmpty when there are none,
  // FileUnreadable for 4 GiB or more. The window is all of them.
  explicit FileSource(std::string_view contents);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  const char* data() const { return data_; }
  const char* windowEnd() const { return windowEnd_; }

  // For a lexer that has come to the window's end: gives back the memory of
  // the bytes before cursor, which will not be read again, reads on and
  // returns the new window's end; the same end once the file is all read.
  // Throws ParserError FileUnreadable when a read fails or the file shrank.
  const char* advance(const char* cursor);

 private:
  void readUntilWindowGrows(const char* cursor);
  void readBlock();
  void release(const char* cursor);

  struct Unmap {
    std::size_t size;
    void operator()(char* p) const;
  };
  std::unique_ptr<char, Unmap> buffer_{nullptr, Unmap{0}};
  // Memory is given back on boundaries of huge pages.
  static constexpr std::size_t kReleaseAlignment = std::size_t{2} << 20;

  // Closes the file on every way out, the constructor's throws included.
  struct Descriptor {
    int fd = -1;
    ~Descriptor() { close(); }
    void close();
  };
  Descriptor file_;  // open until the file is all read
  std::size_t blockSize_ = kBlockSize;
  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t loaded_ = 0;
  const char* windowEnd_ = nullptr;
  // Below this the buffer's memory has been given back.
  const char* released_ = nullptr;
};

}  // namespace touchstone2

#endif
