// Replacing a file: what a failure leaves, in which order the steps run, and
// the refusals a caller sees, each naming the caller's path.

#include "writers/file_output_steps.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <touchstone2/reading.h>
#include <touchstone2/writer.h>

#include "writers/read_back.h"

namespace touchstone2 {
namespace {

const char kTwoPort[] =
    "# MHz S RI R 50\n"
    "100 0.1 -0.05 0.89 0 0.89 0 0.1 -0.05\n"
    "200 0.12 -0.08 0.88 -0.01 0.88 -0.01 0.12 -0.08\n";

std::unique_ptr<File> record(const std::string& text) {
  auto file = std::make_unique<File>(readBytes(text, "record.s2p").file);
  EXPECT_TRUE(file->isValid()) << text;
  return file;
}

std::string textOf(const File& file, std::uint32_t version) {
  std::ostringstream out;
  if (version >= File::kVersion2)
    V2_Writer(file, version).write(out);
  else
    V1_Writer(file, version).write(out);
  return out.str();
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the injected steps saw, in order: "write 5", "sync 5", "rename".
std::vector<std::string> calls;
int failWritesWith = 0;

long recordWrite(int descriptor, const void* data, std::size_t size) {
  calls.push_back("write " + std::to_string(descriptor));
  if (failWritesWith != 0) {
    errno = failWritesWith;
    return -1;
  }
  return writeToDescriptor(descriptor, data, size);
}
int recordSync(int descriptor) {
  calls.push_back("sync " + std::to_string(descriptor));
  return ::fsync(descriptor);
}
int recordRename(const char* from, const char* to) {
  calls.push_back("rename");
  return ::rename(from, to);
}
const FileSystemSteps kRecorded = {recordWrite, recordSync, recordRename};

class FileOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(mkdtemp(&dir_[0]), nullptr);
    calls.clear();
    failWritesWith = 0;
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    std::filesystem::remove_all(dir_);
  }
  std::string put(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
    return dir_ + "/" + name;
  }
  // The names in the folder: no temporary file may stay behind.
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }
  std::string dir_ = std::filesystem::temp_directory_path().string() + "/snpvet-output-XXXXXX";
};

// The error of a write, checked to name the caller's path and no hidden file.
FileOutputError errorOf(const File& file, std::uint32_t version, const std::string& path,
                        const FileSystemSteps& steps = systemSteps()) {
  try {
    writeFile(file, version, path, Replacement::AllOrNothing, steps);
  } catch (const FileOutputError& error) {
    EXPECT_NE(std::string(error.what()).find(error.path()), std::string::npos) << error.what();
    EXPECT_EQ(std::string(error.what()).find(".tmp"), std::string::npos) << error.what();
    return error;
  }
  ADD_FAILURE() << "no error writing " << path;
  return FileOutputError(0, "", "");
}

TEST_F(FileOutputTest, ReplacesWithTheWritersTextKeepingTheMode) {
  auto file = record(kTwoPort);
  const std::string path = put("out.s2p", "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  for (std::uint32_t version : {File::kVersion1, File::kVersion2, File::kVersion2_1}) {
    writeFile(*file, version, path);
    EXPECT_EQ(contents(path), textOf(*file, version));
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
  }
  EXPECT_EQ(names(), std::vector<std::string>{"out.s2p"});
  EXPECT_THROW(writeFile(*file, 0x30000, path), std::invalid_argument);
}

// The new text is on the disk before its name replaces the old file's: a
// crash between the two leaves the old file or the whole new one.
TEST_F(FileOutputTest, SyncsTheNewFileBeforeTheRename) {
  auto file = record(kTwoPort);
  const std::string path = put("out.s2p", "old\n");
  writeFile(*file, File::kVersion2, path, Replacement::AllOrNothing, kRecorded);
  ASSERT_GE(calls.size(), 3u);
  ASSERT_EQ(calls.front().rfind("write ", 0), 0u);
  const std::string written = calls.front().substr(6);
  auto rename = std::find(calls.begin(), calls.end(), "rename");
  ASSERT_NE(rename, calls.end());
  EXPECT_NE(std::find(calls.begin(), rename, "sync " + written), rename)
      << "no sync of the written file before the rename";
  EXPECT_EQ(contents(path), textOf(*file, File::kVersion2));
}

TEST_F(FileOutputTest, AFullDiskLeavesTheOldFileAndNamesThePath) {
  auto file = record(kTwoPort);
  const std::string path = put("out.s2p", "old\n");
  failWritesWith = ENOSPC;
  FileOutputError error = errorOf(*file, File::kVersion2, path, kRecorded);
  EXPECT_EQ(error.code().value(), ENOSPC);
  EXPECT_EQ(error.path(), path);
  EXPECT_EQ(std::find(calls.begin(), calls.end(), "rename"), calls.end());
  EXPECT_EQ(contents(path), "old\n");
  EXPECT_EQ(names(), std::vector<std::string>{"out.s2p"});
}

// The file a link names is replaced; the link stays a link.
TEST_F(FileOutputTest, FollowsSymbolicLinks) {
  auto file = record(kTwoPort);
  const std::string path = put("real.s2p", "old\n");
  ASSERT_EQ(::symlink("real.s2p", (dir_ + "/link.s2p").c_str()), 0);
  ASSERT_EQ(::symlink("new.s2p", (dir_ + "/dangling.s2p").c_str()), 0);
  writeFile(*file, File::kVersion2, dir_ + "/link.s2p");
  writeFile(*file, File::kVersion1, dir_ + "/dangling.s2p");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ + "/link.s2p"));
  EXPECT_EQ(contents(path), textOf(*file, File::kVersion2));
  EXPECT_EQ(contents(dir_ + "/new.s2p"), textOf(*file, File::kVersion1));
}

// Runs check in a child process as a user without privileges: nobody, when
// the tests run as root, who may write anywhere. The child's failures are
// reported by it and fail the test through its exit status.
void asUnprivilegedUser(const std::string& dir, void (*check)(const std::string&)) {
  constexpr unsigned kNobody = 65534;
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(dir.c_str(), kNobody, kNobody), 0);
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                             ::setuid(kNobody) != 0))
      ::_exit(2);
    check(dir);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// A read-only file is refused as opening it for writing would be, and kept.
// (A read-only folder, which takes the file in place, is Python's write() test.)
void checkWhatMayNotBeWritten(const std::string& dir) {
  auto file = record(kTwoPort);
  const std::string locked = dir + "/locked.s2p";
  std::ofstream(locked) << "old\n";
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  FileOutputError error = errorOf(*file, File::kVersion2, locked);
  EXPECT_EQ(error.code().value(), EACCES);
  EXPECT_EQ(error.path(), locked);
  EXPECT_EQ(contents(locked), "old\n");
}

TEST_F(FileOutputTest, WhatTheCallerMayNotWrite) { asUnprivilegedUser(dir_, checkWhatMayNotBeWritten); }

// The comparison behind the read-back finds each kind of change.
TEST(ReadBack, FindsTheFirstDifference) {
  const std::string noise =
      "# MHz S RI R 50\n100 0.1 -0.05 0.89 0 0.89 0 0.1 -0.05\n"
      "200 0.12 -0.08 0.88 -0.01 0.88 -0.01 0.12 -0.08\n100 1.5 0.5 30 0.4\n";
  auto base = record(noise);
  EXPECT_EQ(firstDifference(*base, *record(noise)), "");
  struct Change {
    std::string from, to, difference;
  };
  const Change changes[] = {
      {"200 0.12", "201 0.12", "frequency 2 differs"},
      {"0.88 -0.01 0.12", "0.88 -0.02 0.12", "the value at frequency 2, row 1, column 2 differs"},
      {"R 50", "R 75", "the reference impedance of port 1 differs"},
      {"# MHz S", "# MHz Z", "the parameter differs"},
      {"30 0.4", "30 0.41", "noise point 1 differs"},
      {"30 0.4", "30 0.4000001", "noise point 1 differs"},  // past six digits
      {"100 1.5", "101 1.5", "noise point 1 differs"},
      {"\n100 1.5 0.5 30 0.4\n", "\n", "the number of noise frequencies differs"},
      {"\n200 0.12 -0.08 0.88 -0.01 0.88 -0.01 0.12 -0.08", "",
       "the number of frequencies differs"},
  };
  for (const Change& change : changes) {
    std::string changed = noise;
    changed.replace(changed.find(change.from), change.from.size(), change.to);
    EXPECT_EQ(firstDifference(*base, *record(changed)), change.difference) << change.to;
  }
  // The last digits of a value may round; the value may not move.
  std::string rounded = noise;
  rounded.replace(rounded.find("0.89 0 0.89"), 4, "0.8900000000000001");
  EXPECT_EQ(firstDifference(*base, *record(rounded)), "");
}

}  // namespace
}  // namespace touchstone2
