// What runs of the program on files cannot show: failing outputs, exceptions, other locales.

#include "app/run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <exception>
#include <locale>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>

#include <touchstone2/diagnostic.h>
#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

namespace touchstone2 {
namespace {

// Takes every write and fails when flushed, like a full disk behind a buffer,
// setting errno to reason unless that is 0; or throws thrown from every write.
struct FailingBuffer : std::streambuf {
  FailingBuffer(int reason, std::exception_ptr thrown) : reason(reason), thrown(thrown) {}
  int reason;
  std::exception_ptr thrown;
  int_type overflow(int_type c) override {
    if (thrown)
      std::rethrow_exception(thrown);
    return traits_type::not_eof(c);
  }
  int sync() override {
    errno = reason != 0 ? reason : errno;
    return -1;
  }
};

// snpvet [mode] on a valid example file, into the failing output; what it wrote to err.
std::string runFailing(std::string mode, int reason, std::exception_ptr thrown = {}) {
  std::string path = __FILE__;
  path = path.substr(0, path.rfind("app/")) + "examples/filter.s1p";
  char* argv[] = {&path[0], &path[0], mode.empty() ? nullptr : &mode[0], nullptr};
  FailingBuffer buffer(reason, thrown);
  std::ostream out(&buffer);
  out.exceptions(thrown ? std::ios::badbit : std::ios::goodbit);
  std::ostringstream err;
  errno = ERANGE;  // left over from earlier calls: never the output's reason
  EXPECT_EQ(run(mode.empty() ? 2 : 3, argv, out, err), 1) << mode;
  return err.str();
}

TEST(Run, AFailedOutputFailsEveryMode) {
  const char* cases[][2] = {{"", "the verdict"},
                            {"-canonical", "Touchstone v2 file"},
                            {"-canonical-v1", "Touchstone v1 file"},
                            {"-describe", "description"},
                            {"-help", "help"},
                            {"-version", "version"}};
  for (auto [mode, what] : cases)
    EXPECT_EQ(runFailing(mode, 0), "snpvet: failed to write " + std::string(what) +
                                       ": output stream failed\n");
}

TEST(Run, AnEscapingExceptionIsOneLine) {
  auto thrown = [](const char* mode, auto exception) {
    return runFailing(mode, 0, std::make_exception_ptr(exception));
  };
  EXPECT_EQ(thrown("", std::bad_alloc()), "snpvet: out of memory\n");
  EXPECT_EQ(thrown("-canonical-v1", std::bad_alloc()), "snpvet: out of memory\n");
  EXPECT_EQ(thrown("-canonical", std::logic_error("broken")), "snpvet: broken\n");
  EXPECT_EQ(thrown("", 42), "snpvet: unexpected internal error\n");
  // A runtime error out of a writer takes the writer's prefix.
  EXPECT_EQ(thrown("-canonical", std::runtime_error("disk gone")),
            "snpvet: failed to write Touchstone v2 file: disk gone\n");
  EXPECT_EQ(thrown("-canonical-v1", std::runtime_error("disk gone")),
            "snpvet: failed to write Touchstone v1 file: disk gone\n");
}

// A reader that went away (EPIPE where SIGPIPE is ignored) ends a run of many
// files quietly, as `snpvet DIR | head` needs; a run of one file tells it, as
// it always has.
TEST(Run, ABrokenPipeEndsARunOfManyFilesQuietly) {
  std::string path = __FILE__;
  path = path.substr(0, path.rfind("app/")) + "examples/filter.s1p";
  char* argv[] = {&path[0], &path[0], &path[0], nullptr};
  for (int argc : {2, 3}) {
    FailingBuffer buffer(EPIPE, {});
    std::ostream out(&buffer);
    std::ostringstream err;
    EXPECT_EQ(run(argc, argv, out, err), 1);
    EXPECT_EQ(err.str(), argc == 3 ? "" : "snpvet: failed to write the verdict: " +
                                              std::string(std::strerror(EPIPE)) + "\n");
  }
}

// The diagnostics, both canonical files and the description of bytes, into a
// stream made now, which takes the global locale.
std::string readAndWrite(const std::string& bytes) {
  File file("in.s2p");
  std::ostringstream out;
  StandardMessageHandler handler(out);
  EXPECT_TRUE(Parser(file, handler).parse(bytes));
  V1_Writer(file).write(out);
  V2_Writer(file).write(out);
  describe(file, out);
  return out.str();
}

// A decimal comma must never be read or written in any process locale; CI makes
// de_DE.UTF-8. Subnormal and tiny values take the careful conversion.
TEST(Run, NumbersIgnoreTheProcessLocale) {
  const std::string bytes = "# GHz S MA R 50\n1.5 1234.5 -0.25 2.5e-320 4e-400 1.5e300 0.1 7 8\n";
  const std::string inC = readAndWrite(bytes);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "no de_DE.UTF-8 locale";
  std::locale::global(std::locale("de_DE.UTF-8"));
  const std::string inGerman = readAndWrite(bytes);
  std::locale::global(std::locale::classic());
  EXPECT_EQ(inGerman, inC);
  EXPECT_NE(inC.find("1234.5"), std::string::npos);
}

TEST(Writer, RefusesAFileThatWasNotRead) {
  File file("in.s2p");
  EXPECT_THROW(V2_Writer writer(file), std::logic_error);
}

}  // namespace
}  // namespace touchstone2
