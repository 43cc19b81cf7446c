#ifndef TOUCHSTONE2_CODES_H
#define TOUCHSTONE2_CODES_H

#include <cstddef>
#include <cstdint>

#include <touchstone2/export.h>

namespace touchstone2 {

// Every diagnostic the checker knows, one row each: the name raise sites use,
// the number users see (E2003), whether it ends the parse, and the short text.
// A subclass may report a longer text of its own with the details; the short
// one stays the code's meaning. The numbers are fixed: users and scripts
// match on them. A new diagnostic is a row here and its raise site.
#define TOUCHSTONE2_DIAGNOSTICS(X)                                                              \
  X(ReadProblem, 1000, Error, "problem with attempting to read the file")                      \
  X(FileNotFound, 1001, Error, "file not found")                                               \
  X(FileUnreadable, 1002, Error, "file is unreadable")                                         \
  X(FileEmpty, 1003, Error, "file appears to be empty")                                        \
  X(FormatError, 2000, Error, "error in Touchstone file format")                               \
  X(OnlyComments, 2001, Error, "file contains only comments or blank lines")                   \
  X(NotTouchstone, 2002, Error, "file does not appear to be a Touchstone file")                \
  X(InvalidCharacter, 2003, Error, "invalid character")                                        \
  X(ExpectedEndOfLine, 2004, Error, "expected end-of-line termination")                        \
  X(NoFinalLineEnd, 2005, Warning, "expected end-of-line termination before end-of-file")      \
  X(ExpectedWhitespace, 2006, Error, "expected whitespace")                                    \
  X(ExpectedNumber, 2007, Error, "expected to find numeric data")                              \
  X(ExpectedInteger, 2008, Error, "expected an integer")                                       \
  X(KeywordNotAtLineStart, 2009, Error, "keyword is not at the start of the line")             \
  X(OptionMarkerNotAtLineStart, 2010, Error, "# is not at the start of the line")              \
  X(FrequencyNotAtLineStart, 2011, Error, "frequency value not found at the start of the line") \
  X(KeywordUnclosed, 2012, Error, "keyword is missing the closing bracket")                    \
  X(UnsupportedVersion, 2013, Error, "unsupported argument for the [Version] keyword")         \
  X(UnknownKeyword, 2014, Error, "unrecognized keyword")                                       \
  X(KeywordInVersion1, 2015, Error, "keywords are not supported in Touchstone v1 files")       \
  X(PortCountNotPositive, 2016, Error,                                                         \
    "the [Number of Ports] argument must be a positive integer")                               \
  X(DataOrderNotTwoPort, 2017, Error,                                                          \
    "the [Two-Port Data Order] keyword is only valid for a file with 2-port data")             \
  X(DataOrderMissing, 2018, Error,                                                             \
    "the [Two-Port Data Order] keyword is required to appear prior to 2-port network data")    \
  X(DataOrderInvalid, 2019, Error, "expected '21_12' or '12_21' for the two-port data order")  \
  X(FrequencyCountNotPositive, 2020, Error,                                                    \
    "the [Number of Frequencies] argument must be a positive integer")                         \
  X(NoiseFrequencyCountNotPositive, 2021, Error,                                               \
    "the [Number of Noise Frequencies] argument must be a positive integer")                   \
  X(ReferenceCount, 2022, Error,                                                               \
    "the number of reference impedances must match the number of ports")                       \
  X(MatrixFormatInvalid, 2023, Error,                                                          \
    "expected 'Full', 'Upper', or 'Lower' for the matrix format")                              \
  X(MixedModeDescriptorExpected, 2024, Error, "expected a mixed-mode port descriptor")         \
  X(MixedModeParameterType, 2025, Error,                                                       \
    "mixed-mode data is only valid for S-, Y-, and Z-parameters")                              \
  X(GParametersNotTwoPort, 2026, Error, "G-parameters are only defined for 2-port networks")   \
  X(HParametersNotTwoPort, 2027, Error, "H-parameters are only defined for 2-port networks")   \
  X(NoiseDataMissing, 2028, Error,                                                             \
    "[Number of Noise Frequencies] given but no [Noise Data] was found")                       \
  X(NoiseFrequencyTooHigh, 2029, Error,                                                        \
    "first noise frequency must be no greater than the largest network-data frequency")        \
  X(ExtraLines, 2030, Error, "found extra lines at the end of the file")                       \
  X(OptionLineError, 2100, Error, "error in Touchstone options line")                          \
  X(OptionLineMissing, 2101, Error, "expected to find an options line")                        \
  X(OptionRepeated, 2102, Error, "option overrides an earlier option")                         \
  X(OptionInvalid, 2103, Error, "invalid option")                                              \
  X(ResistanceMissing, 2104, Error, "the reference impedance is invalid or missing")           \
  X(ResistanceInvalid, 2105, Error, "the reference impedance is invalid")                      \
  X(SecondOptionLineIgnored, 2106, Warning,                                                    \
    "ignored secondary options line; only the first options line is used")                     \
  X(SecondOptionLine, 2107, Error, "invalid secondary options line")                           \
  X(ResistancesNotLast, 2108, Error,                                                           \
    "the per-port reference resistances must end the options line")                            \
  X(ResistanceCount, 2109, Error,                                                              \
    "the number of reference resistances must match the number of ports")                      \
  X(ResistancesDiffer, 2110, Error,                                                            \
    "different per-port reference resistances are only defined for S-parameters")              \
  X(KeywordOrderError, 2200, Error, "error in keyword ordering")                               \
  X(VersionNotFirst, 2201, Error, "[Version] must be the first keyword")                       \
  X(NumberOfPortsMissing, 2202, Error, "expected to find the [Number of Ports] keyword")       \
  X(EndInformationUnopened, 2203, Error,                                                       \
    "expected to find a [Begin Information] keyword before and [End Information] keyword")     \
  X(EndInformationMissing, 2204, Error,                                                        \
    "expected to find a [End Information] keyword after the [Begin Information] keyword")      \
  X(NetworkDataMissing, 2205, Error, "expected to find a [Network Data] keyword")              \
  X(NumberOfFrequenciesMissing, 2206, Error,                                                   \
    "expected to find a [Number of Frequencies] keyword")                                      \
  X(NumberOfNoiseFrequenciesMissing, 2207, Error,                                              \
    "expected to find a [Number of Noise Frequencies] keyword")                                \
  X(KeywordTwice, 2208, Error, "keyword has been specified twice")                             \
  X(EndMissing, 2209, Error, "expected to find the [End] keyword")                             \
  X(KeywordOutOfOrder, 2210, Error, "keyword is out of order")                                 \
  X(DataFormatError, 2300, Error, "error in Touchstone data format")                           \
  X(ClippedLargeNumber, 2301, Warning, "clipping a very large number")                         \
  X(ClippedSmallNumber, 2302, Warning, "clipping a very small number")                         \
  X(MoreThanFourPairs, 2303, Error,                                                            \
    "Touchstone v1 files must not exceed four data pairs per line")                            \
  X(OnePortPointSplit, 2304, Error,                                                            \
    "Touchstone v1 files require 1-port network data to appear on one line per frequency "     \
    "point")                                                                                   \
  X(TwoPortPointSplit, 2305, Error,                                                            \
    "Touchstone v1 files require 2-port network data to appear on one line per frequency "     \
    "point")                                                                                   \
  X(PointNotSquare, 2306, Error, "detected a number of ports that isn't N x N")                \
  X(FrequencyWithoutData, 2307, Error, "found a frequency point with no data")                 \
  X(NetworkValueCount, 2308, Error, "incorrect number of values for network data")             \
  X(NoiseValueCount, 2309, Error, "incorrect number of values for noise data")                 \
  X(FrequencyCount, 2310, Error, "wrong number of frequency points")                           \
  X(FrequencyNotIncreasing, 2311, Error, "frequency points must be listed in increasing order") \
  X(FrequencyNegative, 2312, Error, "frequency must not be negative")                          \
  X(MagnitudeNegative, 2313, Error, "magnitude must not be negative")                          \
  X(ImpedanceNotPositive, 2314, Error, "impedance must be positive")                           \
  X(MixedModeDescriptorCount, 2315, Error,                                                     \
    "the number of mixed-mode port descriptors must match the number of ports")                \
  X(MixedModePortMissed, 2316, Error, "mixed-mode port descriptors must cover all ports")      \
  X(MixedModeOverlap, 2317, Error, "illegal overlap of mixed-mode port descriptors")           \
  X(MixedModePairMismatch, 2318, Error,                                                        \
    "common-mode and differential-mode port descriptors must reference the same pair of "      \
    "ports")                                                                                   \
  X(MixedModeImpedance, 2319, Error, "different reference impedance for mixed-mode ports")     \
  X(NoiseNotTwoPort, 2320, Error, "noise data may only be specified for a 2-port data file")   \
  X(NonphysicalNoise, 2321, Warning, "nonphysical noise behavior described")

enum class Code : std::int32_t {
#define TOUCHSTONE2_CODE_ENUMERATOR(name, number, severity, text) name = number,
  TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_ENUMERATOR)
#undef TOUCHSTONE2_CODE_ENUMERATOR
};

enum class Severity { Error, Warning };

// A row of the table, for callers that list the codes (the Python module).
struct CodeRow {
  Code code;
  const char* name;
  Severity severity;
  const char* text;
};
TOUCHSTONE2_API extern const CodeRow kCodes[];
TOUCHSTONE2_API extern const std::size_t kCodeCount;

// The short text of a diagnostic code; "unknown Touchstone parser error" for a
// number that is not in the table. Static storage, never fails.
TOUCHSTONE2_API const char* messageText(std::int32_t code);

// Warnings are reported and the parse goes on; every other code ends it.
TOUCHSTONE2_API bool isWarningCode(std::int32_t code);

}  // namespace touchstone2

#endif
