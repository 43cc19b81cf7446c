#ifndef TOUCHSTONE2_PARSER_PARSER_H
#define TOUCHSTONE2_PARSER_PARSER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace touchstone2 {

class File;
class FileSource;
class Lexer;
class NetworkParams;
class NoiseParams;
class ParserError;
class ParserWarning;
class TokenList;
struct MessageHandler;
struct Position;
struct Token;
enum class TokenKind : std::uint32_t;
enum class Code : std::int32_t;
enum class Keyword : std::uint32_t;

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
  void expectWhitespace(Code code);
  bool skipSeparator();
  void expectEndOfLine();
  void expectNumber(Code code);
  void expectWord(Code code);
  void skipBlankLines();
  bool atKeyword(Keyword keyword) const;
  void reportWarning(const ParserWarning& warning);
  void reportError(const ParserError& error);
  double toReal(const Token& token, bool reportClipping);
  std::int32_t toInteger(const Token& token, bool reportClipping);

  // Option line.
  void parseOptionLine();
  bool parseOption();
  void parseReferenceResistanceOption();
  void parseResistanceList();
  void checkResistanceCount(std::uint32_t ports) const;
  void skipSecondaryOptionLine(bool v1);

  // Keywords.
  void parseVersion();
  void parseNumberOfPorts();
  void parseKeywords();
  void parseEnd();
  void parseTwoPortDataOrder();
  void parseNumberOfFrequencies();
  void parseNumberOfNoiseFrequencies();
  std::int32_t parsePositiveCount(Code notPositive);
  void parseReference();
  bool nextListEntry(TokenKind entryKind, Code code);
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
  std::unique_ptr<Lexer> lexer_;
  bool endOfFileWarned_ = false;
  // Where the option line's R stands, once it has been read: the place of an
  // error in the count of its per-port values, known only with the data.
  std::unique_ptr<Position> resistanceOption_;
  // Reused for every point and line, so that gathering allocates only while
  // the first points grow them. Held by pointer so that this header, which
  // the library's users include, needs none of the lexer's.
  std::unique_ptr<TokenList> pointTokens_;
  std::unique_ptr<TokenList> lineTokens_;
};

}  // namespace touchstone2

#endif
