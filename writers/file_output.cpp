// Writing a record to a path so that the old file is never lost: a
// temporary file beside it, written, synced, read back by the checker and
// renamed over it.

#include <touchstone2/file_output.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <touchstone2/writer.h>

#include "model/vocabulary.h"
#include "writers/file_output_steps.h"
#include "writers/read_back.h"

namespace touchstone2 {

namespace {

// Links are followed at most this far, as the system does.
constexpr int kMostLinks = 40;
// Names tried for the temporary file before giving up.
constexpr int kMostNames = 100;

const FileSystemSteps kSystemSteps = {writeToDescriptor, ::fsync, ::rename};

[[noreturn]] void fail(int error, const std::string& path) {
  throw FileOutputError(error, path, "cannot write " + path);
}

std::string folderOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once its symbolic links are followed, so that the
// file is replaced, not the link; a link to nothing names where the file is
// to be made.
std::string followLinks(const std::string& path) {
  std::string target = path;
  for (int step = 0; step < kMostLinks; ++step) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
      return target;
    std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
    ssize_t length = ::readlink(target.c_str(), &link[0], link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size())
      return target;
    link.resize(static_cast<std::size_t>(length));
    target = link.front() == '/' ? link : folderOf(target) + "/" + link;
  }
  return target;
}

// An open descriptor, closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0)
      ::close(descriptor_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return descriptor_; }
  // Closes it now, for the error close reports (a delayed write's, on some
  // file systems).
  int close() {
    int result = ::close(descriptor_);
    descriptor_ = -1;
    return result;
  }

 private:
  int descriptor_;
};

// The temporary file, removed on every way out but the rename.
class TemporaryName {
 public:
  explicit TemporaryName(std::string name) : name_(std::move(name)) {}
  ~TemporaryName() {
    if (!name_.empty())
      ::unlink(name_.c_str());
  }
  TemporaryName(const TemporaryName&) = delete;
  TemporaryName& operator=(const TemporaryName&) = delete;
  const std::string& name() const { return name_; }
  void release() { name_.clear(); }

 private:
  std::string name_;
};

// A hidden name beside the target that no other file has, opened. A file
// that replaces another starts private (0600) and gets the old one's mode
// once written; a new file gets the mode the process gives new files, umask
// and the folder's default access rules included, as open(2) makes it.
int openTemporary(const std::string& target, bool replacing, std::string& name) {
  const std::string folder = folderOf(target);
  const std::string base = target.substr(target.rfind('/') == std::string::npos
                                             ? 0
                                             : target.rfind('/') + 1);
  unsigned long long seed = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(::getpid()) << 32);
  for (int attempt = 0; attempt < kMostNames; ++attempt) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    std::ostringstream candidate;
    candidate << folder << "/." << base << '.' << std::hex << (seed >> 16) << ".tmp";
    name = candidate.str();
    int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            replacing ? 0600 : 0666);
    if (descriptor >= 0 || errno != EEXIST)
      return descriptor;
  }
  errno = EEXIST;
  return -1;
}

void writeRecord(const File& file, const VersionWord& version, std::ostream& out) {
  if (version.keywords)
    V2_Writer(file, version.value).write(out);
  else
    V1_Writer(file, version.value).write(out);
}

// The old file's owner, group and mode, as far as the process may give
// them: another user's file stays that user's only for a privileged
// process, its group where the process belongs to it. The mode comes last,
// as a change of owner clears the set-user-ID bit.
void keepOwnerAndMode(int descriptor, const struct stat& old) {
  if (::fchown(descriptor, old.st_uid, old.st_gid) != 0)
    (void)::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid);
  (void)::fchmod(descriptor, old.st_mode & 07777);
}

// Makes the rename itself durable, where the system allows it.
void syncFolder(const std::string& folder, const FileSystemSteps& steps) {
  int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0)
    return;
  (void)steps.sync(descriptor);
  ::close(descriptor);
}

// A device, a pipe, or a file written in place: the text is made and
// checked in memory first, so that a refusal leaves the target untouched.
void writeDirectly(const File& file, const VersionWord& version, const std::string& target,
                   const std::string& path, bool regular, const FileSystemSteps& steps) {
  std::ostringstream text;
  writeRecord(file, version, text);
  const std::string bytes = text.str();
  checkReadBackText(file, version.value, bytes, path);
  Descriptor descriptor(::open(target.c_str(),
                               O_WRONLY | O_CREAT | (regular ? O_TRUNC : 0) | O_CLOEXEC, 0666));
  if (descriptor.get() < 0)
    fail(errno, path);
  DescriptorOutput out(descriptor.get(), steps.write);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (int error = out.finish())
    fail(error, path);
  if (regular && steps.sync(descriptor.get()) != 0)
    fail(errno, path);
  if (descriptor.close() != 0)
    fail(errno, path);
}

bool folderRefuses(int error) { return error == EACCES || error == EPERM || error == EROFS; }

}  // namespace

FileOutputError::FileOutputError(int error, const std::string& path, const std::string& what)
    : std::system_error(error, std::generic_category(), what), path_(path) {}

const FileSystemSteps& systemSteps() { return kSystemSteps; }

void writeFile(const File& file, std::uint32_t version, const std::string& path,
               Replacement replacement) {
  writeFile(file, version, path, replacement, systemSteps());
}

void writeFile(const File& file, std::uint32_t version, const std::string& path,
               Replacement replacement, const FileSystemSteps& steps) {
  const VersionWord* row = rowFor(kVersions, version);
  if (row == nullptr)
    throw std::invalid_argument("no writer writes that version");
  const std::string target = followLinks(path);
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode))
    fail(EISDIR, path);
  if (replacing && !S_ISREG(old.st_mode)) {
    writeDirectly(file, *row, target, path, false, steps);
    return;
  }
  // Refused as opening it for writing would refuse it: a file the caller
  // may not change is never replaced, whatever its folder allows.
  if (replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    fail(errno, path);

  std::string name;
  int opened = openTemporary(target, replacing, name);
  if (opened < 0) {
    const int error = errno;
    if (!folderRefuses(error))
      fail(error, path);
    if (replacement == Replacement::InPlaceIfNeeded) {
      writeDirectly(file, *row, target, path, true, steps);
      return;
    }
    const std::string folder = folderOf(target);
    throw FileOutputError(error, folder,
                          "cannot make a temporary file in " + folder + " to write " + path);
  }
  Descriptor descriptor(opened);
  TemporaryName temporary(name);
  {
    DescriptorOutput out(descriptor.get(), steps.write);
    writeRecord(file, *row, out);
    if (int error = out.finish())
      fail(error, path);
  }
  if (replacing)
    keepOwnerAndMode(descriptor.get(), old);
  if (steps.sync(descriptor.get()) != 0)
    fail(errno, path);
  if (descriptor.close() != 0)
    fail(errno, path);
  checkReadBack(file, version, temporary.name(), path);
  if (steps.rename(temporary.name().c_str(), target.c_str()) != 0)
    fail(errno, path);
  temporary.release();
  syncFolder(folderOf(target), steps);
}

}  // namespace touchstone2
