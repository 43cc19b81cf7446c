#include "input/file_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>
#include <touchstone2/parameters.h>
#include <touchstone2/parser.h>

#include "input/lexer.h"

namespace touchstone2 {
namespace {

// The code of the error that opening a file or bytes throws, 0 when it opens.
template <class Source>
int openCode(const Source& source) {
  try {
    FileSource opened(source);
  } catch (const ParserError& error) {
    return error.getCode();
  }
  return 0;
}

// The few tests that must go through a path, in a scratch folder of their own.
class FileSourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(mkdtemp(&dir_[0]), nullptr); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& bytes) {
    std::ofstream(dir_ + "/in.s2p", std::ios::binary) << bytes;
    return dir_ + "/in.s2p";
  }
  std::string dir_ = std::filesystem::temp_directory_path().string() + "/snpvet-source-XXXXXX";
};

TEST_F(FileSourceTest, RefusesWhatCannotBeRead) {
  const int firstFree = ::dup(2);
  ::close(firstFree);
  EXPECT_EQ(openCode(File("")), 1001);
  ASSERT_EQ(mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
  EXPECT_EQ(openCode(File(dir_ + "/fifo")), 1002);  // without waiting for a writer
  // A socket exists but no one may open it, root included: unreadable, not missing.
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s/socket", dir_.c_str());
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(listener);
  EXPECT_EQ(openCode(File(dir_ + "/socket")), 1002);
  EXPECT_EQ(openCode(File(write("") + "/below-a-file")), 1001);
  // 4 GiB, sparse: the size is there without the disk space.
  ASSERT_EQ(truncate(write("# GHz").c_str(), std::int64_t{1} << 32), 0);
  EXPECT_EQ(openCode(File(dir_ + "/in.s2p")), 1002);
  EXPECT_EQ(::fcntl(firstFree, F_GETFD), -1);  // nothing left open, on any way out
  // Kernel files hold fewer bytes than their size says, like a file that shrank while read.
  const char* kernelFile = "/sys/kernel/mm/transparent_hugepage/enabled";
  struct stat info;
  if (stat(kernelFile, &info) != 0 || info.st_size < 100)
    return;
  EXPECT_EQ(openCode(File(kernelFile)), 1002);
}

TEST(FileSourceBytes, RefusesNoBytesAnd4GiB) {
  // Address space that reads as zeros and takes no memory.
  const std::size_t size = std::size_t{1} << 32;
  void* zeros = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(zeros, MAP_FAILED);
  EXPECT_EQ(openCode(std::string_view(static_cast<const char*>(zeros), size - 1)), 0);
  EXPECT_EQ(openCode(std::string_view(static_cast<const char*>(zeros), size)), 1002);
  EXPECT_EQ(openCode(std::string_view()), 1003);
  munmap(zeros, size);
}

// The file path reads in blocks of 4 MiB and hands the memory behind the lexer back as it
// reads on: a boundary one step too far would zero bytes still to be read. Several blocks'
// worth, read from the file and from memory, every point compared with what was written.
TEST_F(FileSourceTest, FilesBeyondTheReleaseStepReadWhole) {
  const std::uint32_t points = 2200000;  // about 40 MB
  std::string bytes = "# Hz S RI R 50\n";
  for (std::uint32_t i = 1; i <= points; ++i)
    bytes += std::to_string(i) + ' ' + std::to_string(i % 9973) + " -" +
             std::to_string(i % 7919) + '\n';
  ASSERT_GT(bytes.size(), std::size_t{32} << 20);
  const std::string path = write(bytes);
  for (bool fromFile : {true, false}) {
    File file(path);
    std::ostringstream out;
    StandardMessageHandler handler(out);
    Parser parser(file, handler);
    ASSERT_TRUE(fromFile ? parser.parse() : parser.parse(bytes)) << out.str();
    const NetworkParams& data = *file.getNetworkData();
    ASSERT_EQ(data.frequencyCount(), points);
    std::uint32_t wrong = 0, first = 0;
    for (std::uint32_t k = 0; k < points; ++k) {
      const std::uint32_t i = k + 1;
      ValuePair value = data.element(k, 0, 0).get(DataFormat::RI);
      if (data.frequency(k) != i || value.first != i % 9973 || value.second != -double(i % 7919))
        first = wrong++ == 0 ? i : first;
    }
    EXPECT_EQ(wrong, 0u) << "first wrong point " << first << (fromFile ? " (file)" : "");
  }
}

// kind@line:column[text] of every token but the plain step's blank runs, then the error.
std::string lex(FileSource& source, bool fast) {
  Lexer lexer(source);
  lexer.passBlanks(fast);
  std::string tokens;
  try {
    for (bool more = true; more;) {
      more = (fast && lexer.nextNumberAfterBlanks()) || lexer.next();
      const Token& t = lexer.token();
      if (t.kind != TokenKind::Whitespace || fast)
        tokens += std::to_string(static_cast<int>(t.kind)) + "@" + std::to_string(t.line) + ":" +
                  std::to_string(t.column) + "[" + t.text + "] ";
    }
  } catch (const ParserError& e) {
    tokens += std::to_string(e.getCode()) + "@" + std::to_string(e.getLine()) + ":" +
              std::to_string(e.getColumn()) + "[" + e.getText() + "]";
  }
  return tokens;
}

std::string lex(const std::string& bytes, bool fast) {
  FileSource source(bytes);
  return lex(source, fast);
}

// 1 to maxLength bytes drawn from alphabet.
std::string randomText(std::mt19937& rng, const std::string& alphabet, unsigned maxLength) {
  std::string bytes(1 + rng() % maxLength, ' ');
  for (char& byte : bytes)
    byte = alphabet[rng() % alphabet.size()];
  return bytes;
}

// A file is read a block at a time, and the lexer sees a window that ends at a line end. Read
// a few bytes at a time, a file gives exactly the tokens and errors of its bytes in memory,
// wherever a block ends: inside a number, between CR and LF, in a line longer than a block.
TEST_F(FileSourceTest, FilesReadInBlocksLexLikeTheirBytes) {
  const std::string alphabet = "0123456789.e \t!#[]x\x01\r\n\r\n\r\n";
  std::mt19937 rng(2026);
  for (int i = 0; i < 1000; ++i) {
    const std::string bytes = randomText(rng, alphabet, 80);
    const std::string path = write(bytes);
    const std::string expected = lex(bytes, true);
    for (std::size_t blockSize : {1, 2, 5}) {
      FileSource source(File(path), blockSize);
      ASSERT_EQ(lex(source, true), expected) << ::testing::PrintToString(bytes) << blockSize;
    }
  }
}

// The window ends after the last line end read, a CR once the byte after it is known; a line
// longer than a block takes more blocks. Read 4 bytes at a time: "abc\r" "defg" "hij\n" "k\r\nl".
TEST_F(FileSourceTest, TheWindowEndsAtTheLastLineEndRead) {
  FileSource source(File(write("abc\rdefghij\nk\r\nl")), 4);
  std::string ends = std::to_string(source.windowEnd() - source.data());
  for (int i = 0; i < 3; ++i)
    ends += " " + std::to_string(source.advance(source.windowEnd()) - source.data());
  EXPECT_EQ(ends, "4 12 16 16");
}

// A file that shrinks while it is read is unreadable, also past the first block.
TEST_F(FileSourceTest, AFileThatShrinksBetweenBlocksIsUnreadable) {
  const std::string path = write("# GHz\n1 2 3\n4 5 6\n");
  FileSource source(File(path), 8);
  ASSERT_EQ(truncate(path.c_str(), 10), 0);
  EXPECT_EQ(lex(source, false), "2@1:1[#] 5@1:3[ghz] 1@1:6[\n] 1002@0:0[]");
}

// Words are lower-cased; a line end, CR LF too, is one token whose text is "\n" (a library
// caller sees it as the text of an error found there).
TEST(FileSourceLexer, TokensCarryPositionAndText) {
  FileSource source(std::string_view("# ZA\r\n1e3 x"));
  Lexer lexer(source);
  std::string seen;
  while (lexer.next()) {
    const Token& t = lexer.token();
    if (t.kind != TokenKind::Whitespace)
      seen += t.text + "@" + std::to_string(t.line) + ":" + std::to_string(t.column) + " ";
  }
  EXPECT_EQ(seen, "#@1:1 za@1:3 \n@1:5 1e3@2:1 x@2:5 ");
}

// The data-line shortcuts of the lexer must produce exactly what its plain step produces.
TEST(FileSourceLexer, ShortcutsAgreeWithThePlainStep) {
  const std::string alphabet = "0123456789.+-eE \t \t  !#[]\r\n\nxX5 \x01\x7f\xb0";
  std::mt19937 rng(1206);
  for (int i = 0; i < 20000; ++i) {
    const std::string bytes = randomText(rng, alphabet, 60);
    ASSERT_EQ(lex(bytes, true), lex(bytes, false)) << ::testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace touchstone2
