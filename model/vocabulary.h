#ifndef TOUCHSTONE2_MODEL_VOCABULARY_H
#define TOUCHSTONE2_MODEL_VOCABULARY_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include <touchstone2/enums.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// The words of the format, one table per vocabulary, each word spelled once:
// as a file writes it (the writers write it so, the Python module shows it
// so), matched ignoring case by the readers, with the longer name the
// description gives where it has one. A new word is a row.

struct FrequencyUnitWord {
  FrequencyUnit value;
  const char* word;
  double hertz;  // Hz per unit
};
inline constexpr FrequencyUnitWord kFrequencyUnits[] = {
    {FrequencyUnit::Hz, "Hz", 1.0},
    {FrequencyUnit::kHz, "kHz", 1e3},
    {FrequencyUnit::MHz, "MHz", 1e6},
    {FrequencyUnit::GHz, "GHz", 1e9},
};

// The word is also the letter of the matrix elements (S of S21).
struct ParameterTypeWord {
  ParameterType value;
  const char* word;
  const char* description;
};
inline constexpr ParameterTypeWord kParameterTypes[] = {
    {ParameterType::S, "S", "S-parameters"}, {ParameterType::Y, "Y", "Y-parameters"},
    {ParameterType::Z, "Z", "Z-parameters"}, {ParameterType::H, "H", "H-parameters"},
    {ParameterType::G, "G", "G-parameters"},
};

// The column names label the two numbers of a pair in the writers' header
// comment (S21dB S21ang).
struct DataFormatWord {
  DataFormat value;
  const char* word;
  const char* description;
  const char* firstColumn;
  const char* secondColumn;
};
inline constexpr DataFormatWord kDataFormats[] = {
    {DataFormat::DB, "DB", "decibel-angle", "dB", "ang"},
    {DataFormat::MA, "MA", "magnitude-angle", "mag", "ang"},
    {DataFormat::RI, "RI", "real-imaginary", "re", "im"},
};

// The option that introduces the reference resistance.
inline constexpr const char* kResistanceOption = "R";

struct MatrixFormatWord {
  MatrixFormat value;
  const char* word;
};
inline constexpr MatrixFormatWord kMatrixFormats[] = {
    {MatrixFormat::Full, "Full"},
    {MatrixFormat::Upper, "Upper"},
    {MatrixFormat::Lower, "Lower"},
};

struct TwoPortDataOrderWord {
  TwoPortDataOrder value;
  const char* word;
};
inline constexpr TwoPortDataOrderWord kTwoPortDataOrders[] = {
    {TwoPortDataOrder::Order12_21, "12_21"},
    {TwoPortDataOrder::Order21_12, "21_12"},
};

// A descriptor is the letter and its port or ports (S1, D1,2).
struct MixedModeKindWord {
  MixedModeKind value;
  const char* word;
  const char* description;
};
inline constexpr MixedModeKindWord kMixedModeKinds[] = {
    {MixedModeKind::SingleEnded, "S", "single-ended data for port"},
    {MixedModeKind::Differential, "D", "differential-mode data for ports"},
    {MixedModeKind::Common, "C", "common-mode data for ports"},
};

// The version's name is the argument of [Version] in the files that have
// keywords, and what the verdict, the description and the Python module show.
struct VersionWord {
  std::uint32_t value;
  const char* word;
  bool keywords;  // its files are made of keyword lines
};
inline constexpr VersionWord kVersions[] = {
    {File::kVersion1, "1", false},
    {File::kVersion1_1, "1.1", false},
    {File::kVersion2, "2.0", true},
    {File::kVersion2_1, "2.1", true},
};

// Where a keyword may stand in a file: first, after the option line, among
// the header keywords in any order (Header), inside the information block,
// or where the data begin and end.
enum class KeywordPlace { Opening, Header, Information, Data };

// The keywords, in the order of a file: the name, the text in the brackets,
// where it stands, and the parser's reader of it. No keyword may be given
// twice; every one of them is a keyword of version 2.0 and later (version 1
// files have none). A new keyword is a row here and its reader.
#define TOUCHSTONE2_KEYWORDS(X)                                                        \
  X(Version, "Version", Opening, parseVersion)                                         \
  X(NumberOfPorts, "Number of Ports", Opening, parseNumberOfPorts)                     \
  X(TwoPortDataOrder, "Two-Port Data Order", Header, parseTwoPortDataOrder)           \
  X(NumberOfFrequencies, "Number of Frequencies", Header, parseNumberOfFrequencies)    \
  X(NumberOfNoiseFrequencies, "Number of Noise Frequencies", Header,                   \
    parseNumberOfNoiseFrequencies)                                                     \
  X(Reference, "Reference", Header, parseReference)                                    \
  X(MatrixFormat, "Matrix Format", Header, parseMatrixFormat)                          \
  X(MixedModeOrder, "Mixed-Mode Order", Header, parseMixedModeOrder)                   \
  X(BeginInformation, "Begin Information", Header, parseInformation)                   \
  X(EndInformation, "End Information", Information, parseInformation)                  \
  X(NetworkData, "Network Data", Data, readNetworkDataV2)                              \
  X(NoiseData, "Noise Data", Data, readNoiseDataV2)                                    \
  X(End, "End", Data, parseEnd)

enum class Keyword : std::uint32_t {
#define TOUCHSTONE2_KEYWORD_ENUMERATOR(name, text, place, reader) name,
  TOUCHSTONE2_KEYWORDS(TOUCHSTONE2_KEYWORD_ENUMERATOR)
#undef TOUCHSTONE2_KEYWORD_ENUMERATOR
};

struct KeywordWord {
  Keyword value;
  const char* word;
  KeywordPlace place;
};
inline constexpr KeywordWord kKeywords[] = {
#define TOUCHSTONE2_KEYWORD_ROW(name, text, place, reader) \
  {Keyword::name, text, KeywordPlace::place},
    TOUCHSTONE2_KEYWORDS(TOUCHSTONE2_KEYWORD_ROW)
#undef TOUCHSTONE2_KEYWORD_ROW
};

// The text of a keyword, without its brackets.
inline const char* keywordText(Keyword keyword) {
  return kKeywords[static_cast<std::size_t>(keyword)].word;
}

// Whether text is word, ignoring the case of ASCII letters.
inline bool sameWord(std::string_view text, const char* word) {
  std::size_t i = 0;
  for (; i < text.size() && word[i] != '\0'; ++i) {
    char a = text[i];
    char b = word[i];
    if (a >= 'A' && a <= 'Z')
      a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z')
      b = static_cast<char>(b - 'A' + 'a');
    if (a != b)
      return false;
  }
  return i == text.size() && word[i] == '\0';
}

// The row of a table for a value, or nullptr (a value not given).
template <typename Row, std::size_t N, typename Value>
const Row* rowFor(const Row (&table)[N], Value value) {
  for (const Row& row : table) {
    if (row.value == value)
      return &row;
  }
  return nullptr;
}

// The row whose word text is, ignoring case, or nullptr.
template <typename Row, std::size_t N>
const Row* rowNamed(const Row (&table)[N], std::string_view text) {
  for (const Row& row : table) {
    if (sameWord(text, row.word))
      return &row;
  }
  return nullptr;
}

// The word of a value, or fallback when the table has no row for it.
template <typename Row, std::size_t N, typename Value>
const char* wordFor(const Row (&table)[N], Value value, const char* fallback) {
  const Row* row = rowFor(table, value);
  return row != nullptr ? row->word : fallback;
}

}  // namespace touchstone2

#endif
