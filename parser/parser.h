#ifndef TOUCHSTONE2_PARSER_PARSER_H
#define TOUCHSTONE2_PARSER_PARSER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

namespace touchstone2 {

class File;
class FileSource;
class NetworkParams;
class NoiseParams;
class ParserError;
class ParserWarning;
class TokenList;
struct MessageHandler;
struct Token;
enum class TokenKind : std::uint32_t;

// Reads one Touchstone file into a File record. The first significant line
// decides the version: an option line starts a v1 file, a keyword a v2.0 file.
// Every warning goes to the handler as it arises; the first error ends the
// parse and is the last diagnostic handed over.
class Parser {
 public:
  Parser(File& file, MessageHandler& handler);
  ~Parser();
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  // True when the file was read without error (the record is then valid).
  bool parse();
  // The same for bytes already in memory, which the record's file name only
  // names in the diagnostics; they must outlive the call.
  bool parse(std::string_view contents);

  // Lets a caller end a long read early (on a user's interrupt, say): check
  // is called between blocks of data lines and may throw; the exception
  // leaves parse() at once, the record not valid, nothing else held.
  void setInterruptCheck(std::function<void()> check) { interruptCheck_ = std::move(check); }

 private:
  bool parseFrom(const std::function<std::unique_ptr<FileSource>()>& open);

  // The two sequences and the final checks.
  void dispatchOnFirstLine();
  void parseV1();
  void parseV2();
  void checkConsistency();
  void checkMixedModeImpedances();

  // Token reading shared by all section readers.
  const Token& token() const;
  const Token& nextToken();
  void expectWhitespace(std::int32_t code);
  bool skipSeparator();
  void expectEndOfLine();
  void expectNumber(std::int32_t code);
  void expectWord(std::int32_t code);
  void skipBlankLines();
  void reportWarning(const ParserWarning& warning);
  void reportError(const ParserError& error);
  double toReal(const Token& token, bool reportClipping);
  std::int32_t toInteger(const Token& token, bool reportClipping);

  // Option line.
  void parseOptionLine();
  void parseOption();
  void parseReferenceResistanceOption();
  void skipSecondaryOptionLine(bool v1);

  // Keywords.
  void parseVersion();
  void parseNumberOfPorts();
  void parseKeywords();
  void parseEnd();
  void parseTwoPortDataOrder();
  void parseNumberOfFrequencies();
  void parseNumberOfNoiseFrequencies();
  std::int32_t parsePositiveCount(std::int32_t notPositiveCode);
  void parseReference();
  bool nextListEntry(TokenKind entryKind, std::int32_t code);
  void parseMatrixFormat();
  void parseInformation();
  void parseMixedModeOrder();

  // Data sections.
  bool readDataLine(TokenList& tokens, bool frequencyAtLineStart, bool v1);
  void checkTrailingLines(bool v1);
  void readNetworkDataV1(TokenList& pendingTokens);
  bool gatherPointV1(TokenList& point, TokenList& pendingTokens, std::uint32_t ports);
  void processPointV1(const TokenList& point, std::uint32_t& ports,
                      std::unique_ptr<NetworkParams>& data);
  void denormalizeValue(double& first, double& second, std::uint32_t row, std::uint32_t col) const;
  double clipScaledValue(double value, const Token& token);
  void readNetworkDataV2();
  void storePointV2(NetworkParams& data, double frequency, const TokenList& point,
                    bool columnOrder, bool complete);
  void readNoiseDataV1(TokenList& pendingTokens);
  void readNoiseDataV2();
  void readNoiseLine(const TokenList& line, NoiseParams& noise, bool v1);
  void checkNoiseAgainstNetwork();

  File* file_;
  MessageHandler* handler_;
  std::unique_ptr<FileSource> source_;
  bool endOfFileWarned_ = false;
  std::function<void()> interruptCheck_;
  std::uint32_t linesUntilCheck_ = 1;
  // Reused for every point and line, so that gathering allocates only while
  // the first points grow them. Held by pointer so that this header, which
  // the library's users include, needs none of the lexer's.
  std::unique_ptr<TokenList> pointTokens_;
  std::unique_ptr<TokenList> lineTokens_;
};

}  // namespace touchstone2

#endif
