#include "fuzz/memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace touchstone2 {
namespace fuzz {

namespace {

[[noreturn]] void fail(const char* what) {
  std::perror(what);
  std::abort();
}

}  // namespace

MemoryFile::MemoryFile(const char* debugName) : fd_(memfd_create(debugName, MFD_CLOEXEC)) {
  if (fd_ < 0)
    fail("memfd_create");
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() { ::close(fd_); }

void MemoryFile::assign(const std::uint8_t* data, std::size_t size) {
  if (::ftruncate(fd_, 0) != 0)
    fail("ftruncate");
  std::size_t done = 0;
  while (done < size) {
    ssize_t wrote = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
    if (wrote < 0 && errno == EINTR)
      continue;
    if (wrote <= 0)
      fail("pwrite");
    done += static_cast<std::size_t>(wrote);
  }
}

void MemoryFile::assign(const std::string& text) {
  assign(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

}  // namespace fuzz
}  // namespace touchstone2
