// The floor of the benchmarks: the least work any reader of a Touchstone file
// must do. It maps the file, converts every blank-separated number with
// std::from_chars and adds them up; "!" comments and lines that start with "#"
// or "[" are passed over. Nothing is validated and nothing is stored, so a
// checker cannot expect to be faster than this.
//
//     snpvet_floor FILE
//
// prints the count of numbers and a checksum (their sum), so that the work
// cannot be optimised away.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdint>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct Totals {
  std::uint64_t count = 0;
  std::uint64_t unreadable = 0;
  double sum = 0.0;
};

// Skips to the byte after the next line feed (or to the end).
const char* skipLine(const char* p, const char* end) {
  while (p != end && *p != '\n')
    ++p;
  return p == end ? end : p + 1;
}

Totals scan(const char* p, const char* end) {
  Totals totals;
  bool lineStart = true;
  while (p != end) {
    char c = *p;
    if (c == '\n') {
      lineStart = true;
      ++p;
    } else if (isBlank(c)) {
      lineStart = false;
      ++p;
    } else if (c == '!' || (lineStart && (c == '#' || c == '['))) {
      p = skipLine(p, end);
      lineStart = true;
    } else {
      lineStart = false;
      const char* start = p;
      while (p != end && !isBlank(*p) && *p != '!')
        ++p;
      if (*start == '+')
        ++start;
      double value = 0.0;
      auto result = std::from_chars(start, p, value);
      if (result.ec == std::errc()) {
        ++totals.count;
        totals.sum += value;
      } else {
        ++totals.unreadable;
      }
    }
  }
  return totals;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: snpvet_floor FILE\n");
    return 2;
  }
  int fd = ::open(argv[1], O_RDONLY);
  struct stat info;
  if (fd < 0 || ::fstat(fd, &info) != 0 || info.st_size == 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::size_t size = static_cast<std::size_t>(info.st_size);
  void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (map == MAP_FAILED) {
    std::perror("mmap");
    return 1;
  }
  const char* data = static_cast<const char*>(map);
  Totals totals = scan(data, data + size);
  ::munmap(map, size);
  ::close(fd);
  std::printf("%llu numbers, checksum %.17g\n", static_cast<unsigned long long>(totals.count),
              totals.sum);
  if (totals.unreadable != 0)
    std::printf("%llu fields were not numbers\n",
                static_cast<unsigned long long>(totals.unreadable));
  return 0;
}
