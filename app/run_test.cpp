#include "app/run.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/usage.h"

namespace touchstone2 {
namespace {

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

int runArgs(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> storage{"snpvet"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage)
    argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  return run(static_cast<int>(storage.size()), argv.data(), out, err);
}

RunResult runWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  int status = runArgs(args, out, err);
  return {status, out.str(), err.str()};
}

std::string usageText() {
  std::ostringstream text;
  printUsage(text);
  return text.str();
}

std::string helpText() {
  std::ostringstream text;
  printHelp(text);
  return text.str();
}

const char kOnePortV1[] = "# GHz S MA R 50\n1 0.5 -10\n";

const char kOnePortV2WithReference[] =
    "[Version] 2.0\n"
    "# GHz S MA R 50\n"
    "[Number of Ports] 1\n"
    "[Number of Frequencies] 1\n"
    "[Reference] 50\n"
    "[Network Data]\n"
    "1 0.5 -10\n"
    "[End]\n";

// Fails every write, like a closed or full output; optionally sets errno the
// way a failed system call would.
class FailingBuffer : public std::streambuf {
 public:
  explicit FailingBuffer(int error = 0) : error_(error) {}

 protected:
  int_type overflow(int_type) override {
    fail();
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    fail();
    return 0;
  }
  int sync() override {
    fail();
    return -1;
  }

 private:
  void fail() {
    if (error_ != 0)
      errno = error_;
  }
  int error_;
};

// Throws from the first write, to carry an exception out of a writer or the
// description (the stream rethrows it when badbit is in its exception mask).
template <class E>
class ThrowingBuffer : public std::streambuf {
 public:
  explicit ThrowingBuffer(E e) : e_(e) {}

 protected:
  int_type overflow(int_type) override { throw e_; }
  std::streamsize xsputn(const char*, std::streamsize) override { throw e_; }

 private:
  E e_;
};

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "snpvet-run-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string writeFile(const std::string& name, const std::string& content) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  std::string pathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Runs a valid one-port file in the given mode into a stream on buffer.
  RunResult runInto(std::streambuf& buffer, const char* mode, const char* content = kOnePortV1) {
    std::string path = writeFile("amp.s1p", content);
    std::ostream out(&buffer);
    std::ostringstream err;
    std::vector<std::string> args;
    if (*mode != '\0')
      args.push_back(mode);
    args.push_back(path);
    int status = runArgs(args, out, err);
    return {status, "", err.str()};
  }

  template <class E>
  RunResult runThrowing(E e, const char* mode) {
    ThrowingBuffer<E> buffer(e);
    std::string path = writeFile("amp.s1p", kOnePortV1);
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    std::ostringstream err;
    std::vector<std::string> args;
    if (*mode != '\0')
      args.push_back(mode);
    args.push_back(path);
    int status = runArgs(args, out, err);
    return {status, "", err.str()};
  }

  std::filesystem::path dir_;
};

TEST_F(RunTest, NoArguments) {
  RunResult r = runWith({});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(usageText() + "\nsnpvet: no filename was specified\n\n", r.err);
}

TEST_F(RunTest, HelpAndShortHelp) {
  for (const char* arg : {"-help", "-h"}) {
    RunResult r = runWith({arg});
    EXPECT_EQ(0, r.status) << arg;
    EXPECT_EQ(helpText(), r.out) << arg;
    EXPECT_EQ("", r.err) << arg;
  }
}

TEST_F(RunTest, HelpWithAFileDoesNotReadIt) {
  RunResult r = runWith({"-help", pathOf("missing.s2p")});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(helpText(), r.out);
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, Version) {
  RunResult r = runWith({"-version"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("snpvet, version 2.0.0\n", r.out);
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, VersionWithAFileDoesNotReadIt) {
  RunResult r = runWith({pathOf("missing.s2p"), "-version"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("snpvet, version 2.0.0\n", r.out);
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, HelpWinsOverVersionInEitherOrder) {
  for (auto args : {std::vector<std::string>{"-version", "-help"},
                    std::vector<std::string>{"-help", "-version"}}) {
    RunResult r = runWith(args);
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(helpText(), r.out);
    EXPECT_EQ("", r.err);
  }
}

TEST_F(RunTest, DecodingErrorsComeBeforeHelp) {
  RunResult r = runWith({"-help", "-bogus"});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(usageText() + "\nsnpvet: unrecognized option: -bogus\n\n", r.err);
}

TEST_F(RunTest, LoneHyphenAndCapitalisedOption) {
  RunResult hyphen = runWith({"-"});
  EXPECT_EQ(1, hyphen.status);
  EXPECT_EQ(usageText() + "\nsnpvet: unrecognized option: -\n\n", hyphen.err);
  RunResult capital = runWith({"-Describe", pathOf("x.s2p")});
  EXPECT_EQ(1, capital.status);
  EXPECT_EQ(usageText() + "\nsnpvet: unrecognized option: -Describe\n\n", capital.err);
}

TEST_F(RunTest, TwoFileNames) {
  RunResult r = runWith({"a.s2p", "b.s2p"});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(usageText() + "\nsnpvet: only one filename may be specified\n\n", r.err);
}

TEST_F(RunTest, EmptyArgumentIsNoFileName) {
  RunResult r = runWith({""});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(usageText() + "\nsnpvet: no filename was specified\n\n", r.err);
}

TEST_F(RunTest, MissingFile) {
  std::string path = pathOf("missing.s2p");
  RunResult r = runWith({path});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(path + ": error E1001: file not found\n", r.err);
}

TEST_F(RunTest, VerdictForV1) {
  std::string path = writeFile("dut.s2p", kOnePortV1);
  RunResult r = runWith({path});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(path + ": valid Touchstone v1 file\n", r.out);
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, VerdictForV2) {
  std::string path = writeFile("amp.s1p", kOnePortV2WithReference);
  RunResult r = runWith({path});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(path + ": valid Touchstone v2.0 file\n", r.out);
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, WarningsKeepStatusZero) {
  // No line end after the last line: a warning, not an error.
  std::string path = writeFile("amp.s1p", "# GHz S MA R 50\n1 0.5 -10");
  RunResult r = runWith({path});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(path + ": valid Touchstone v1 file\n", r.out);
  EXPECT_EQ(0u, r.err.find(path + ":"));
  EXPECT_NE(std::string::npos, r.err.find(" warning W2005: "));
}

TEST_F(RunTest, FailedParsePrintsNoVerdict) {
  std::string path = writeFile("amp.s1p", "just words\n");
  RunResult r = runWith({path});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(path + ": error E2002: file does not appear to be a Touchstone file\n", r.err);
}

TEST_F(RunTest, CanonicalWritesV2AndNoVerdict) {
  std::string path = writeFile("amp.s1p", kOnePortV1);
  RunResult r = runWith({"-canonical-v1", "-canonical", path});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(0u, r.out.find("! Touchstone data file\n[Version] 2.0\n# GHz S MA R 50\n"));
  EXPECT_EQ(std::string::npos, r.out.find("valid Touchstone"));
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, LastModeWinsForV1) {
  std::string path = writeFile("amp.s1p", kOnePortV1);
  RunResult r = runWith({"-describe", "-canonical-v1", path});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(0u, r.out.find("! Touchstone data file\n# GHz S MA R 50\n"));
  EXPECT_EQ(std::string::npos, r.out.find("[Version]"));
}

TEST_F(RunTest, DescribeWritesDescriptionAndNoVerdict) {
  std::string path = writeFile("amp.s1p", kOnePortV1);
  RunResult r = runWith({path, "-describe"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(0u, r.out.find("------- TOUCHSTONE FILE -------\nfilename: " + path + "\n"));
  EXPECT_NE(std::string::npos, r.out.find("    S[1,1] = 0.492404     - 0.0868241   j\n"));
  EXPECT_EQ(std::string::npos, r.out.find("valid Touchstone"));
  EXPECT_EQ("", r.err);
}

TEST_F(RunTest, V1WriterRefusal) {
  std::string path = writeFile("amp.s1p", kOnePortV2WithReference);
  RunResult r = runWith({"-canonical-v1", path});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ(
      "snpvet: failed to write Touchstone v1 file: "
      "Touchstone v1 only supports a single reference impedance\n",
      r.err);
}

TEST_F(RunTest, UnwritableOutputFailsEveryMode) {
  struct Case {
    const char* mode;
    const char* prefix;
  };
  for (Case c : {Case{"", "snpvet: failed to write the verdict: "},
                 Case{"-canonical", "snpvet: failed to write Touchstone v2 file: "},
                 Case{"-canonical-v2", "snpvet: failed to write Touchstone v2 file: "},
                 Case{"-canonical-v1", "snpvet: failed to write Touchstone v1 file: "},
                 Case{"-describe", "snpvet: failed to write description: "}}) {
    FailingBuffer buffer;
    RunResult r = runInto(buffer, c.mode);
    EXPECT_EQ(1, r.status) << c.mode;
    EXPECT_EQ(std::string(c.prefix) + "output stream failed\n", r.err) << c.mode;
  }
}

TEST_F(RunTest, UnwritableOutputGivesTheSystemReason) {
  FailingBuffer buffer(ENOSPC);
  RunResult r = runInto(buffer, "");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(std::string("snpvet: failed to write the verdict: ") + std::strerror(ENOSPC) + "\n",
            r.err);
}

TEST_F(RunTest, StaleErrnoIsNotBlamedOnTheOutput) {
  FailingBuffer buffer;
  errno = ERANGE;
  RunResult r = runInto(buffer, "-describe");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("snpvet: failed to write description: output stream failed\n", r.err);
}

TEST_F(RunTest, UnwritableHelpAndVersion) {
  FailingBuffer helpBuffer(EBADF);
  std::ostream helpOut(&helpBuffer);
  std::ostringstream helpErr;
  EXPECT_EQ(1, runArgs({"-help"}, helpOut, helpErr));
  EXPECT_EQ(std::string("snpvet: failed to write help: ") + std::strerror(EBADF) + "\n",
            helpErr.str());

  FailingBuffer versionBuffer;
  std::ostream versionOut(&versionBuffer);
  std::ostringstream versionErr;
  EXPECT_EQ(1, runArgs({"-version"}, versionOut, versionErr));
  EXPECT_EQ("snpvet: failed to write version: output stream failed\n", versionErr.str());
}

TEST_F(RunTest, OutOfMemoryIsOneLine) {
  RunResult verdict = runThrowing(std::bad_alloc(), "");
  EXPECT_EQ(1, verdict.status);
  EXPECT_EQ("snpvet: out of memory\n", verdict.err);
  RunResult description = runThrowing(std::bad_alloc(), "-describe");
  EXPECT_EQ(1, description.status);
  EXPECT_EQ("snpvet: out of memory\n", description.err);
  RunResult canonical = runThrowing(std::bad_alloc(), "-canonical");
  EXPECT_EQ(1, canonical.status);
  EXPECT_EQ("snpvet: out of memory\n", canonical.err);
}

TEST_F(RunTest, OtherExceptionsAreOneLine) {
  RunResult description = runThrowing(std::logic_error("broken invariant"), "-describe");
  EXPECT_EQ(1, description.status);
  EXPECT_EQ("snpvet: broken invariant\n", description.err);
  RunResult v1 = runThrowing(std::out_of_range("row"), "-canonical-v1");
  EXPECT_EQ(1, v1.status);
  EXPECT_EQ("snpvet: row\n", v1.err);
  RunResult unknown = runThrowing(42, "");
  EXPECT_EQ(1, unknown.status);
  EXPECT_EQ("snpvet: unexpected internal error\n", unknown.err);
}

TEST_F(RunTest, WriterRuntimeErrorsTakeTheWriterPrefix) {
  RunResult v2 = runThrowing(std::runtime_error("disk gone"), "-canonical");
  EXPECT_EQ(1, v2.status);
  EXPECT_EQ("snpvet: failed to write Touchstone v2 file: disk gone\n", v2.err);
  RunResult v1 = runThrowing(std::runtime_error("disk gone"), "-canonical-v1");
  EXPECT_EQ(1, v1.status);
  EXPECT_EQ("snpvet: failed to write Touchstone v1 file: disk gone\n", v1.err);
}

}  // namespace
}  // namespace touchstone2
