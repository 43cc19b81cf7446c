#include <touchstone2/parser.h>

#include "parser/reader.h"

#include <cmath>
#include <utility>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/file_source.h"
#include "input/lexer.h"
#include "parser/token_list.h"

namespace touchstone2 {

Parser::Parser(File& file, MessageHandler& handler)
    : reader_(std::make_unique<Reader>(file, handler)), file_(&file) {}

Parser::~Parser() = default;

bool Parser::parse() {
  return reader_->parseFrom([this] { return std::make_unique<FileSource>(*file_); });
}

bool Parser::parse(std::string_view contents) {
  return reader_->parseFrom([contents] { return std::make_unique<FileSource>(contents); });
}

void Parser::setInterruptCheck(std::function<void()> check) {
  reader_->setInterruptCheck(std::move(check));
}

Reader::Reader(File& file, MessageHandler& handler)
    : file_(&file),
      handler_(&handler),
      pointTokens_(std::make_unique<TokenList>()),
      lineTokens_(std::make_unique<TokenList>()) {}

Reader::~Reader() = default;

bool Reader::parseFrom(const std::function<std::unique_ptr<FileSource>()>& open) {
  try {
    source_ = open();
    lexer_ = std::make_unique<Lexer>(*source_);
    dispatchOnFirstLine();
    lexer_.reset();
    source_.reset();
  } catch (const ParserError& error) {
    lexer_.reset();
    source_.reset();
    reportError(error);
  } catch (...) {
    // An interrupt check's exception: the input is let go before it leaves.
    lexer_.reset();
    source_.reset();
    throw;
  }
  return file_->isValid();
}

void Reader::dispatchOnFirstLine() {
  for (;;) {
    switch (nextToken().kind) {
      case TokenKind::EndOfLine:
        continue;
      case TokenKind::OptionMarker:
        parseV1();
        return;
      case TokenKind::Keyword:
        parseV2();
        return;
      case TokenKind::Whitespace:
        // One more token, so that an indented "#" or keyword is reported as
        // such rather than as a foreign file.
        nextToken();
        throw ParserError(Code::NotTouchstone);
      case TokenKind::Number:
      case TokenKind::Word:
        throw ParserError(Code::NotTouchstone);
      case TokenKind::EndOfFile:
        throw ParserError(Code::OnlyComments);
    }
  }
}

void Reader::parseV1() {
  file_->setVersion(File::kVersion1);
  file_->setMatrixFormat(MatrixFormat::Full);
  parseOptionLine();
  TokenList pendingTokens;
  readNetworkDataV1(pendingTokens);
  if (file_->getNumberOfPorts() == 2)
    readNoiseDataV1(pendingTokens);
  checkTrailingLines(true);
  if (!file_->getReferenceImpedancesGiven())
    file_->setDefaultReferenceImpedances();
  file_->setDefaultMixedModeOrder();
  file_->setValid();
}

void Reader::parseV2() {
  parseVersion();
  parseOptionLine();
  parseNumberOfPorts();
  parseKeywords();
  if (file_->getMatrixFormat() == MatrixFormat::Unset)
    file_->setMatrixFormat(MatrixFormat::Full);
  readNetworkDataV2();
  // The per-port defaults are built only once the network data have shown
  // that the file really holds that many ports: a declared count alone must
  // never size memory. Nothing in between reads them.
  if (!file_->getReferenceImpedancesGiven())
    file_->setDefaultReferenceImpedances();
  if (!file_->getMixedModeOrderGiven())
    file_->setDefaultMixedModeOrder();
  if (file_->getNumberOfPorts() == 2)
    readNoiseDataV2();
  parseEnd();
  checkTrailingLines(false);
  checkConsistency();
}

void Reader::checkConsistency() {
  if (file_->getNumberOfPorts() != 2) {
    if (file_->getParameterType() == ParameterType::G)
      throw ParserError(Code::GParametersNotTwoPort);
    if (file_->getParameterType() == ParameterType::H)
      throw ParserError(Code::HParametersNotTwoPort);
  }
  checkNoiseAgainstNetwork();
  if (file_->getMixedModeOrderGiven() && file_->getReferenceImpedancesGiven())
    checkMixedModeImpedances();
  file_->setValid();
}

// Both ports of a differential or common-mode pair must see the same
// reference impedance.
void Reader::checkMixedModeImpedances() {
  const std::vector<double>& impedances = file_->getReferenceImpedances();
  for (const MixedModeDescriptor& descriptor : file_->getMixedModeOrder()) {
    if (descriptor.kind == MixedModeKind::SingleEnded)
      continue;
    double first = impedances[descriptor.firstPort - 1];
    double second = impedances[descriptor.secondPort - 1];
    if (!(std::fabs(first - second) < 1e-6))
      throw DifferentialPortsImpedanceError(descriptor.firstPort, first, descriptor.secondPort,
                                            second);
  }
}

}  // namespace touchstone2
