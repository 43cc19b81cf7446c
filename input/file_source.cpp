#include "input/file_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

#include "diagnostics/parser_error.h"
#include "model/file.h"

namespace touchstone2 {

namespace {

// Closes the descriptor on every way out of the constructor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

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

}  // namespace

FileSource::FileSource(const File& file) {
  const std::string& name = file.getFilename();
  if (name.empty())
    throw ParserError(1001);
  // Non-blocking, so that opening a FIFO without a writer cannot hang; the
  // flag does not matter for the regular files that are actually read.
  Descriptor fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0)
    throw ParserError(nameResolves(errno) ? 1002 : 1001);
  struct stat info;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
    throw ParserError(1002);
  if (info.st_size == 0)
    throw ParserError(1003);
  // Sizes, lines and columns are 32-bit: a larger file cannot be read whole.
  if (static_cast<std::uint64_t>(info.st_size) > UINT32_MAX)
    throw ParserError(1002);
  std::size_t size = static_cast<std::size_t>(info.st_size);
  // Memory of our own, not a mapping of the file; asked for in huge pages
  // where the system has them, since a large file would otherwise cost a
  // page fault per 4 KiB while it is read in.
  void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED)
    throw ParserError(1002);
  buffer_.reset(static_cast<char*>(memory));
  buffer_.get_deleter().size = size;
#ifdef MADV_HUGEPAGE
  ::madvise(memory, size, MADV_HUGEPAGE);
#endif
  if (!readAll(fd.get(), buffer_.get(), size))
    throw ParserError(1002);
  start(buffer_.get(), size);
}

FileSource::FileSource(std::string_view contents) {
  if (contents.empty())
    throw ParserError(1003);
  if (contents.size() > UINT32_MAX)
    throw ParserError(1002);
  start(contents.data(), contents.size());
}

void FileSource::start(const char* data, std::size_t size) {
  data_ = data;
  released_ = data_;
  size_ = static_cast<std::uint32_t>(size);
  cursor_ = data_;
  end_ = data_ + size;
  line_ = 1;
  column_ = 1;
}

// The lexer never reads behind a line end it has passed, except the last byte
// of the file, so the memory of what lies behind is handed back to the system
// as the parse goes on: a large file then never needs its whole size in
// memory next to the data read from it.
void FileSource::releaseConsumed() {
  // Borrowed bytes belong to the caller, who may still need them.
  if (!buffer_) {
    released_ = cursor_;
    return;
  }
#ifdef MADV_DONTNEED
  // Whole huge pages only, by address: a part of one would have to be split.
  const char* keep = std::min(cursor_, data_ + (size_ - 1));
  std::uintptr_t boundary = reinterpret_cast<std::uintptr_t>(keep) / kReleaseAlignment *
                            kReleaseAlignment;
  std::uintptr_t from = reinterpret_cast<std::uintptr_t>(released_);
  if (boundary > from) {
    ::madvise(reinterpret_cast<void*>(from), boundary - from, MADV_DONTNEED);
    released_ = data_ + (boundary - reinterpret_cast<std::uintptr_t>(data_));
  }
#else
  released_ = cursor_;
#endif
}

void FileSource::Unmap::operator()(char* p) const { ::munmap(p, size); }

}  // namespace touchstone2
