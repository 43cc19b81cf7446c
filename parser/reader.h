#ifndef TOUCHSTONE2_PARSER_READER_H
#define TOUCHSTONE2_PARSER_READER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>

#include "input/lexer.h"
#include "model/vocabulary.h"

namespace touchstone2 {

class File;
class FileSource;
class NetworkParams;
class NoiseParams;
class TokenList;
struct MessageHandler;

// What Parser does, section by section: the section readers and the token
// reading they share (the files of parser/, one concern each).
class Reader {
 public:
  Reader(File& file, MessageHandler& handler);
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Opening is part of the parse: its failures are reported like any error.
  bool parseFrom(const std::function<std::unique_ptr<FileSource>()>& open);
  void setInterruptCheck(std::function<void()> check) { interruptCheck_ = std::move(check); }

 private:
  // The two sequences and the final checks.
  void dispatchOnFirstLine();
  void parseV1();
  void parseV2();
  void checkConsistency();
  void checkMixedModeImpedances();
  void checkExtensionPorts(std::uint32_t ports, const Position& where);

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
  // The caller's check between blocks of data lines (Parser::setInterruptCheck).
  std::function<void()> interruptCheck_;
  std::uint32_t linesUntilCheck_ = 1;
  // Reused for every point and line, so that gathering allocates only while
  // the first points grow them.
  std::unique_ptr<TokenList> pointTokens_;
  std::unique_ptr<TokenList> lineTokens_;
};

}  // namespace touchstone2

#endif
