#include "input/file_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

namespace touchstone2 {

namespace {

// Reads exactly size bytes; false on a read error or when the file turned
// out shorter than it was a moment ago.
bool readAll(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t got = ::read(fd, buffer + done, size - done);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

// Whether a failed open found something under the name: "not found" only for
// a name that leads nowhere; a file that exists but refuses to be opened (no
// permission, a socket) is unreadable, not missing.
bool nameResolves(int error) {
  return error != ENOENT && error != ENOTDIR && error != ENAMETOOLONG && error != ELOOP;
}

// Where a window may end among the bytes [from, to): just after the last line
// end in them. A CR counts only when the byte after it is known, so that a CR
// LF pair is never cut in two. Null when there is none.
const char* lastLineEnd(const char* from, const char* to) {
  for (const char* p = to; p != from;) {
    --p;
    if (*p == '\n' || (*p == '\r' && p + 1 != to))
      return p + 1;
  }
  return nullptr;
}

}  // namespace

FileSource::FileSource(const File& file, std::size_t blockSize)
    : blockSize_(std::max<std::size_t>(blockSize, 1)) {
  const std::string& name = file.getFilename();
  if (name.empty())
    throw ParserError(Code::FileNotFound);
  // Non-blocking, so that opening a FIFO without a writer cannot hang; the
  // flag does not matter for the regular files that are actually read.
  file_.fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file_.fd < 0)
    throw ParserError(nameResolves(errno) ? Code::FileUnreadable : Code::FileNotFound);
  struct stat info;
  if (::fstat(file_.fd, &info) != 0 || !S_ISREG(info.st_mode))
    throw ParserError(Code::FileUnreadable);
  if (info.st_size == 0)
    throw ParserError(Code::FileEmpty);
  // Sizes, lines and columns are 32-bit: a larger file cannot be read.
  if (static_cast<std::uint64_t>(info.st_size) > UINT32_MAX)
    throw ParserError(Code::FileUnreadable);
  std::size_t size = static_cast<std::size_t>(info.st_size);
  // Address space for the whole file, memory only for the pages read into;
  // asked for in huge pages where the system has them, since a large file
  // would otherwise cost a page fault per 4 KiB while it is read in.
  void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED)
    throw ParserError(Code::FileUnreadable);
  buffer_.reset(static_cast<char*>(memory));
  buffer_.get_deleter().size = size;
#ifdef MADV_HUGEPAGE
  ::madvise(memory, size, MADV_HUGEPAGE);
#endif
  data_ = buffer_.get();
  size_ = static_cast<std::uint32_t>(size);
  released_ = data_;
  windowEnd_ = data_;
  readUntilWindowGrows(data_);
}

FileSource::FileSource(std::string_view contents) {
  if (contents.empty())
    throw ParserError(Code::FileEmpty);
  if (contents.size() > UINT32_MAX)
    throw ParserError(Code::FileUnreadable);
  data_ = contents.data();
  size_ = static_cast<std::uint32_t>(contents.size());
  loaded_ = size_;
  windowEnd_ = data_ + size_;
  released_ = data_;
}

const char* FileSource::advance(const char* cursor) {
  if (loaded_ == size_)
    return windowEnd_;
  release(cursor);
  readUntilWindowGrows(cursor);
  return windowEnd_;
}

// Reads on until the window reaches a line end after cursor, or the end of
// the file. A line longer than a block takes as many blocks as it needs.
void FileSource::readUntilWindowGrows(const char* cursor) {
  const char* from = cursor;
  for (;;) {
    if (loaded_ == size_) {
      windowEnd_ = data_ + size_;
      file_.close();
      return;
    }
    if (const char* end = lastLineEnd(from, data_ + loaded_)) {
      windowEnd_ = end;
      return;
    }
    // What was read holds no line end after the cursor, but perhaps a CR at
    // its end, which the next block decides.
    if (data_ + loaded_ > cursor)
      from = data_ + loaded_ - 1;
    readBlock();
  }
}

void FileSource::readBlock() {
  std::size_t count = std::min<std::size_t>(blockSize_, size_ - loaded_);
  if (!readAll(file_.fd, buffer_.get() + loaded_, count))
    throw ParserError(Code::FileUnreadable);
  loaded_ += static_cast<std::uint32_t>(count);
}

// The lexer never reads behind a line end it has passed, except the last byte
// of the file, so the memory of what lies behind is handed back to the system
// as the parse goes on.
void FileSource::release(const char* cursor) {
#ifdef MADV_DONTNEED
  // Whole huge pages only, by address: a part of one would have to be split.
  const char* keep = std::min(cursor, data_ + (size_ - 1));
  std::uintptr_t boundary = reinterpret_cast<std::uintptr_t>(keep) / kReleaseAlignment *
                            kReleaseAlignment;
  std::uintptr_t from = reinterpret_cast<std::uintptr_t>(released_);
  if (boundary > from) {
    ::madvise(reinterpret_cast<void*>(from), boundary - from, MADV_DONTNEED);
    released_ = data_ + (boundary - reinterpret_cast<std::uintptr_t>(data_));
  }
#else
  released_ = cursor;
#endif
}

void FileSource::Descriptor::close() {
  if (fd >= 0)
    ::close(fd);
  fd = -1;
}

void FileSource::Unmap::operator()(char* p) const { ::munmap(p, size); }

}  // namespace touchstone2
