#ifndef TOUCHSTONE2_CODES_H
#define TOUCHSTONE2_CODES_H

#include <cstddef>
#include <cstdint>

#include <touchstone2/export.h>

namespace touchstone2 {

// Every diagnostic the checker knows, one row each: the name raise sites use,
// the number users see (E2003), whether it ends the parse, the short text and
// the explanation (the rule, its usual causes in real files, the fix), which
// snpvet --explain and the manual page print from here.
// A subclass may report a longer text of its own with the details; the short
// one stays the code's meaning. The numbers are fixed: users and scripts
// match on them. A new diagnostic is a row here and its raise site.
#define TOUCHSTONE2_DIAGNOSTICS(X)                                                             \
  X(ReadProblem, 1000, Error, "problem with attempting to read the file",                      \
    "The heading of the file-access codes. The checker never reports it: each problem with "   \
    "opening or reading a file has its own code, 1001 for a name that does not exist, 1002 "   \
    "for a file that cannot be read, 1003 for an empty file.")                                 \
  X(FileNotFound, 1001, Error, "file not found",                                               \
    "No file exists under the name given, or a folder on its path does not exist, or the "     \
    "name is empty. Usual causes: a typing error in the name, a name relative to another "     \
    "folder than the one the checker runs in, or a shell pattern that matched nothing and "    \
    "was passed on as written. Fix: check the name and the current folder, for example with "  \
    "ls.")                                                                                     \
  X(FileUnreadable, 1002, Error, "file is unreadable",                                         \
    "The name exists but cannot be read as a file: it is a folder, a device or a pipe rather " \
    "than a regular file, its permissions forbid reading it, reading failed part way (a disk " \
    "or network error), or it is 4 GiB or larger, more than the checker reads. Fix: name a "   \
    "regular file that you may read (ls -l shows the kind and the permissions).")              \
  X(FileEmpty, 1003, Error, "file appears to be empty",                                        \
    "The file has no bytes at all; a Touchstone file needs at least an option line or a "      \
    "[Version] keyword. Usual causes: an export or measurement that was interrupted or "       \
    "failed, a disk that filled up while the file was written, or a file created by mistake. " \
    "Fix: export or measure again; an empty file cannot be repaired.")                         \
  X(FormatError, 2000, Error, "error in Touchstone file format",                               \
    "The heading of the file-format codes. The checker never reports it: each problem with "   \
    "the characters, the line structure, the keywords and their arguments has its own code, "  \
    "2001 to 2030.")                                                                           \
  X(OnlyComments, 2001, Error, "file contains only comments or blank lines",                   \
    "The file holds nothing but blank lines and comments (text after '!'): there is no "       \
    "option line and no keyword, so there are no data. Usual causes: an export that wrote "    \
    "its header comments and then failed, or a template that was never filled in. Fix: "       \
    "export the data again.")                                                                  \
  X(NotTouchstone, 2002, Error, "file does not appear to be a Touchstone file",                \
    "The first line that is neither blank nor a comment must be an option line starting with " \
    "'#' (a version 1 file) or a keyword starting with '[' (a version 2.x file), in column "   \
    "1. Here it starts with a number, a word or blanks. Usual causes: a file of another "      \
    "format under a Touchstone name (CSV, a simulator's own text format, an HTML error page "  \
    "saved by a download), header comments written without their '!', or an option line that " \
    "lost its '#'. Fix: start the file with its option line, such as '# GHz S MA R 50', and "  \
    "begin every comment with '!'.")                                                           \
  X(InvalidCharacter, 2003, Error, "invalid character",                                        \
    "Outside comments only printable ASCII, blanks, tabs and line ends may appear; inside a "  \
    "comment any printable ASCII, blank or tab; inside the brackets of a keyword no tab. The " \
    "message shows the byte, control bytes and bytes above 0x7F as \\xHH. Usual causes: a "    \
    "degree sign, an ohm sign or an accented letter in a comment, as tools and editors write " \
    "them in UTF-8 or a local code page; a byte-order mark at the start of the file; a NUL "   \
    "or other control byte from a damaged transfer. Fix: replace the character by plain "      \
    "ASCII (deg, Ohm, the letter without its accent) or delete it, and save the file without " \
    "a byte-order mark.")                                                                      \
  X(ExpectedEndOfLine, 2004, Error, "expected end-of-line termination",                        \
    "A line must end after its keyword's argument, or after [Network Data], [Noise Data], "    \
    "[Begin Information], [End Information] or [End], but more text follows on the same "      \
    "line. Usual causes: a remark written after the argument without a '!', such as '[Number " \
    "of Ports] 2 ports', or a second argument. Fix: delete the extra text, or start it with "  \
    "'!' to make it a comment.")                                                               \
  X(NoFinalLineEnd, 2005, Warning, "expected end-of-line termination before end-of-file",      \
    "The last line of the file has no line end (LF, CR or CR LF). The file is still read in "  \
    "full, so this is only a warning. Usual causes: a program or editor that does not end "    \
    "the last line; sometimes a file cut short by a copy that stopped early, when other "      \
    "errors usually follow. Fix: add a line end after the last line.")                         \
  X(ExpectedWhitespace, 2006, Error, "expected whitespace",                                    \
    "Two things that must be separated by a blank or a tab touch each other: the first "       \
    "option glued to the option line's '#' ('#GHz S MA R 50'), or an argument glued to its "   \
    "keyword ('[Version]2.0', '[Number of Ports]2'). Fix: put a blank between them ('# GHz', " \
    "'[Version] 2.0').")                                                                       \
  X(ExpectedNumber, 2007, Error, "expected to find numeric data",                              \
    "A number was due and something else stands there: a word among the data values or the "   \
    "[Reference] values, a [Version] or [Reference] without its number, an exponent without "  \
    "digits ('1e', '2.5E+'), or a lone '+', '-' or '.'. Usual causes: NaN, inf or a dash "     \
    "written by a tool for a missing value, a unit glued to a value ('50ohm', '1.2GHz'), a "   \
    "decimal comma ('0,5'), or a remark without its '!'. Fix: write every value as a plain "   \
    "number, with a point (not a comma) before its decimals, and begin remarks with '!'.")     \
  X(ExpectedInteger, 2008, Error, "expected an integer",                                       \
    "The argument of [Number of Ports], [Number of Frequencies] or [Number of Noise "          \
    "Frequencies] must be a whole number written with digits only; '5.0', '1e3' and '2.5' "    \
    "are refused, and so is a missing argument. Usual causes: a tool that formats every "      \
    "number as a floating-point value, or a count left out. Fix: write the count as an "       \
    "integer, such as '[Number of Frequencies] 201'.")                                         \
  X(KeywordNotAtLineStart, 2009, Error, "keyword is not at the start of the line",             \
    "A keyword in brackets must start in column 1 of its line. Usual causes: keyword lines "   \
    "indented with blanks or tabs, by a tool or a hand edit, or a keyword written after "      \
    "other text on the same line. Fix: remove everything before the '['. A '[' inside a "      \
    "comment or in the middle of a word is not a keyword.")                                    \
  X(OptionMarkerNotAtLineStart, 2010, Error, "# is not at the start of the line",              \
    "A '#' that starts a token outside a comment must stand in column 1, where it starts the " \
    "option line. Usual causes: an indented option line, or '#' used to start a remark, as "   \
    "in shell or Python, where Touchstone uses '!'. Fix: move the option line's '#' to "       \
    "column 1 and begin remarks with '!'.")                                                    \
  X(FrequencyNotAtLineStart, 2011, Error, "frequency value not found at the start of the line",\
    "In [Network Data] and [Noise Data] of a version 2.x file, each frequency point and each " \
    "noise line must start with its frequency in column 1; only the continuation lines of a "  \
    "point may be indented. Usual causes: data lines indented, as some simulators write "      \
    "them. Fix: remove the blanks before the frequency on each data line. Version 1 data "     \
    "lines may be indented.")                                                                  \
  X(KeywordUnclosed, 2012, Error, "keyword is missing the closing bracket",                    \
    "A '[' at the start of a token opens a keyword, which must be closed by ']' on the same "  \
    "line, before any '!'. Usual causes: a keyword split over two lines or mistyped "          \
    "('[Version 2.0'), or a line of text in brackets that was meant as a comment. Fix: close " \
    "the bracket, or begin the text with '!'.")                                                \
  X(UnsupportedVersion, 2013, Error, "unsupported argument for the [Version] keyword",         \
    "The argument of [Version] must be exactly 2.0 or 2.1; other spellings of the same "       \
    "number ('2', '2.00', '02.0') and other versions are refused. Usual causes: a "            \
    "hand-written header, or a tool that writes the number in its own format. Fix: write "     \
    "'[Version] 2.0' or '[Version] 2.1'; a version 1 file has no [Version] keyword at all.")   \
  X(UnknownKeyword, 2014, Error, "unrecognized keyword",                                       \
    "A keyword before [Network Data] has no known name. Names are matched ignoring letter "    \
    "case but with their blanks as written, so a doubled blank between the words or a blank "  \
    "after the '[' makes a name unknown. Usual causes: a typing error, or a keyword of some "  \
    "tool's own that is not part of the format. Fix: correct the spelling, or turn the line "  \
    "into a comment with '!'.")                                                                \
  X(KeywordInVersion1, 2015, Error, "keywords are not supported in Touchstone v1 files",       \
    "A file whose first significant line is an option line is a version 1 file, and version "  \
    "1 has no keywords. Usual causes: keywords in a file whose first keyword is not "          \
    "[Version]: the option line was written before [Version], or [Version] was left out, so "  \
    "the file reads as version 1 until its first keyword. Fix: for a version 2 file put "      \
    "'[Version] 2.0' first, then the option line and [Number of Ports]; for a version 1 file " \
    "delete the keyword lines.")                                                               \
  X(PortCountNotPositive, 2016, Error,                                                         \
    "the [Number of Ports] argument must be a positive integer",                               \
    "[Number of Ports] must be 1 or more. Usual causes: 0 or a negative count written by a "   \
    "tool that had no data to export. Fix: give the number of ports of the data.")             \
  X(DataOrderNotTwoPort, 2017, Error,                                                          \
    "the [Two-Port Data Order] keyword is only valid for a file with 2-port data",             \
    "[Two-Port Data Order] may only appear in a file whose [Number of Ports] is 2; the "       \
    "matrices of other port counts are always listed row by row. Usual causes: a header "      \
    "copied from a 2-port file, or a wrong [Number of Ports]. Fix: delete the line, or "       \
    "correct [Number of Ports].")                                                              \
  X(DataOrderMissing, 2018, Error,                                                             \
    "the [Two-Port Data Order] keyword is required to appear prior to 2-port network data",    \
    "A 2-port version 2.x file must say, before [Network Data], in which order its data list " \
    "the four parameters: [Two-Port Data Order] 12_21 (11, 12, 21, 22) or 21_12 (11, 21, 12, " \
    "22, the order of version 1 files). Usual causes: a header written like that of a "        \
    "version 1 file, whose 2-port order is fixed, or one copied from a file of another port "  \
    "count. Fix: add the line with the order the data really use; data taken over from a "     \
    "version 1 file unchanged are in 21_12 order.")                                            \
  X(DataOrderInvalid, 2019, Error, "expected '21_12' or '12_21' for the two-port data order",  \
    "The argument of [Two-Port Data Order] must be 12_21 or 21_12. Usual causes: another "     \
    "separator or spelling ('12-21', '12 21', 'S12_S21'), or a missing argument. Fix: write "  \
    "exactly 12_21 or 21_12.")                                                                 \
  X(FrequencyCountNotPositive, 2020, Error,                                                    \
    "the [Number of Frequencies] argument must be a positive integer",                         \
    "[Number of Frequencies] must be 1 or more: a version 2.x file holds at least one "        \
    "frequency point. Usual causes: an export without points, or 0 written as a placeholder. " \
    "Fix: give the number of frequency points in [Network Data].")                             \
  X(NoiseFrequencyCountNotPositive, 2021, Error,                                               \
    "the [Number of Noise Frequencies] argument must be a positive integer",                   \
    "[Number of Noise Frequencies] must be 1 or more. Usual causes: a header template that "   \
    "writes the keyword with 0 for a file without noise data. Fix: delete the line when "      \
    "there are no noise data; otherwise give the number of noise lines.")                      \
  X(ReferenceCount, 2022, Error,                                                               \
    "the number of reference impedances must match the number of ports",                       \
    "[Reference] must give one reference impedance per port, as many values as [Number of "    \
    "Ports] says; they may run over several lines. The message gives both counts. Usual "      \
    "causes: a single value for a file of several ports, or values copied from another file. " \
    "Fix: list one positive value per port, or delete [Reference] so that the option line's "  \
    "R applies to every port.")                                                                \
  X(MatrixFormatInvalid, 2023, Error,                                                          \
    "expected 'Full', 'Upper', or 'Lower' for the matrix format",                              \
    "The argument of [Matrix Format] must be Full, Upper or Lower, in any letter case. Usual " \
    "causes: another word ('Symmetric', 'Triangular') or a missing argument. Fix: write Full " \
    "for complete matrices, Upper or Lower for the triangle the data actually hold.")          \
  X(MixedModeDescriptorExpected, 2024, Error, "expected a mixed-mode port descriptor",         \
    "Every entry of [Mixed-Mode Order] must be a port descriptor: S and a port number (S3), "  \
    "or D or C and two port numbers joined by a comma without blanks (D1,2, C1,2); ports "     \
    "count from 1 up to [Number of Ports], without leading zeros. Usual causes: a blank "      \
    "after the comma ('D1, 2'), a port beyond the port count, ports counted from 0, a number " \
    "where a descriptor is due, or no descriptor at all. Fix: write one descriptor per "       \
    "matrix row, such as 'D1,2 C1,2 S3 S4'.")                                                  \
  X(MixedModeParameterType, 2025, Error,                                                       \
    "mixed-mode data is only valid for S-, Y-, and Z-parameters",                              \
    "[Mixed-Mode Order] may only be used with S-, Y- and Z-parameters, and the option line "   \
    "of this file declares H- or G-parameters. Usual causes: a wrong parameter letter on the " \
    "option line. Fix: correct the parameter type on the option line, or delete [Mixed-Mode "  \
    "Order].")                                                                                 \
  X(GParametersNotTwoPort, 2026, Error, "G-parameters are only defined for 2-port networks",   \
    "G-parameters are defined only for 2-port networks, and the data of this file have "       \
    "another number of ports. Usual causes: a wrong parameter letter on the option line (G "   \
    "where S, Y or Z was meant), or a wrong [Number of Ports]. Fix: correct the option line "  \
    "or the port count; other port counts need S-, Y- or Z-parameters.")                       \
  X(HParametersNotTwoPort, 2027, Error, "H-parameters are only defined for 2-port networks",   \
    "H-parameters are defined only for 2-port networks, and the data of this file have "       \
    "another number of ports. Usual causes: a wrong parameter letter on the option line (H "   \
    "where S, Y or Z was meant), or a wrong [Number of Ports]. Fix: correct the option line "  \
    "or the port count; other port counts need S-, Y- or Z-parameters.")                       \
  X(NoiseDataMissing, 2028, Error,                                                             \
    "[Number of Noise Frequencies] given but no [Noise Data] was found",                       \
    "[Number of Noise Frequencies] announces noise data, but the file has no [Noise Data] "    \
    "block. Usual causes: a header template that always writes the keyword, or noise data "    \
    "left out of an export. Fix: add the [Noise Data] block, or delete [Number of Noise "      \
    "Frequencies].")                                                                           \
  X(NoiseFrequencyTooHigh, 2029, Error,                                                        \
    "first noise frequency must be no greater than the largest network-data frequency",        \
    "The noise data must start at a frequency no higher than the last frequency of the "       \
    "network data. Usual causes: noise measured over another range than the network data, or " \
    "noise frequencies written in another unit than the option line's (Hz values in a GHz "    \
    "file). Fix: check the units, and give noise data that start within the range of the "     \
    "network data.")                                                                           \
  X(ExtraLines, 2030, Error, "found extra lines at the end of the file",                       \
    "Only blank lines and comments may follow [End]. Usual causes: two files joined into "     \
    "one, or notes written after [End] without a '!'. Fix: split joined files, delete what "   \
    "follows [End], or begin it with '!'.")                                                    \
  X(OptionLineError, 2100, Error, "error in Touchstone options line",                          \
    "The heading of the option-line codes. The checker never reports it: each problem with "   \
    "the option line has its own code, 2101 to 2110.")                                         \
  X(OptionLineMissing, 2101, Error, "expected to find an options line",                        \
    "In a version 2.x file the option line, such as '# GHz S MA R 50', must come right after " \
    "[Version], with only blank and comment lines between them. Usual causes: another "        \
    "keyword, often [Number of Ports], written before the option line; an option line "        \
    "indented by a blank; or no option line at all. Fix: put the option line, starting in "    \
    "column 1, on the line after [Version].")                                                  \
  X(OptionRepeated, 2102, Error, "option overrides an earlier option",                         \
    "Each option may be given once on the option line: one frequency unit, one parameter "     \
    "type, one number format and one R. Usual causes: two units ('# GHz S MA R 50 MHz'), an "  \
    "option line assembled from two templates, or 'R 50' written twice. Fix: keep one of "     \
    "each.")                                                                                   \
  X(OptionInvalid, 2103, Error, "invalid option",                                              \
    "A word on the option line is no option, or a number stands where an option is due. The "  \
    "options are Hz, kHz, MHz or GHz; S, Y, Z, H or G; DB, MA or RI; and R followed by a "     \
    "number; in any order and letter case. Usual causes: per-port R values on the option "     \
    "line of a 2.x file ('# GHz S MA R 50 75'), where 2.x files give them with [Reference]; "  \
    "a unit the format does not have ('THz'); 'R50' without a blank. Fix: in a 2.x file give " \
    "per-port impedances with [Reference] and a single value after R; otherwise correct or "   \
    "delete the word.")                                                                        \
  X(ResistanceMissing, 2104, Error, "the reference impedance is invalid or missing",           \
    "R on the option line must be followed, after a blank, by the reference resistance in "    \
    "ohms. Usual causes: R at the end of the line, a unit glued to the value ('R 50ohm'), or " \
    "a word ('R fifty'). Fix: write R and the plain number, such as 'R 50'.")                  \
  X(ResistanceInvalid, 2105, Error, "the reference impedance is invalid",                      \
    "A reference resistance or impedance must be greater than 0: the value after R, each "     \
    "per-port value on a version 1.1 option line, and each value of [Reference]. Usual "       \
    "causes: 0 written for an unknown value, or a sign error. Fix: write the real reference "  \
    "impedance in ohms; 50 is the usual value.")                                               \
  X(SecondOptionLineIgnored, 2106, Warning,                                                    \
    "ignored secondary options line; only the first options line is used",                     \
    "A version 1 file has one option line; every later '#' line is ignored, with this "        \
    "warning, and its options are not used. Usual causes: files joined from several exports, " \
    "each with its own header, or an option line repeated before the noise data. Fix: make "   \
    "sure the first option line fits all the data, then delete the others.")                   \
  X(SecondOptionLine, 2107, Error, "invalid secondary options line",                           \
    "A version 2.x file has exactly one option line, right after [Version]; a '#' line "       \
    "anywhere later is refused. Usual causes: the option line repeated before [Network Data] " \
    "or [Noise Data], or files joined into one. Fix: delete the extra option line, after "     \
    "checking that the first one fits the data.")                                              \
  X(ResistancesNotLast, 2108, Error,                                                           \
    "the per-port reference resistances must end the options line",                            \
    "On the option line of a version 1.1 file, the per-port resistances after R must end the " \
    "line: no other option may follow them. Usual causes: options written after the values, "  \
    "such as '# GHz R 50 75 S RI'. Fix: move the other options before R, as in '# GHz S RI R " \
    "50 75'.")                                                                                 \
  X(ResistanceCount, 2109, Error,                                                              \
    "the number of reference resistances must match the number of ports",                      \
    "A version 1.1 option line gives one reference resistance per port, so the values after "  \
    "R must be as many as the ports of the data, which the first frequency point shows; a "    \
    "file without data has 0 ports. The message gives both counts. Usual causes: values for "  \
    "another port count, or a header copied from another file. Fix: give one value per port, " \
    "or a single value after R for all ports.")                                                \
  X(ResistancesDiffer, 2110, Error,                                                            \
    "different per-port reference resistances are only defined for S-parameters",              \
    "Version 1 Y-, Z-, H- and G-parameters are given relative to one reference resistance, "   \
    "so per-port resistances that differ are only allowed for S-parameters. Usual causes: "    \
    "per-port values added to the option line of a Y- or Z-parameter file. Fix: give one "     \
    "value after R, convert the data to S-parameters, or write a version 2.x file, whose "     \
    "values are not normalised, with [Reference].")                                            \
  X(KeywordOrderError, 2200, Error, "error in keyword ordering",                               \
    "The heading of the keyword-order codes. The checker never reports it: each problem with " \
    "the presence, order and repetition of keywords has its own code, 2201 to 2210.")          \
  X(VersionNotFirst, 2201, Error, "[Version] must be the first keyword",                       \
    "A file that starts with a keyword is a version 2.x file, and its first keyword must be "  \
    "[Version]. Usual causes: keywords in a file whose first keyword is not [Version], such "  \
    "as a header that starts with [Number of Ports] or an information block. Fix: put "        \
    "'[Version] 2.0' on the first keyword line, followed by the option line.")                 \
  X(NumberOfPortsMissing, 2202, Error, "expected to find the [Number of Ports] keyword",       \
    "In a version 2.x file [Number of Ports] must be the first line after the option line, "   \
    "blank and comment lines aside. Usual causes: another keyword, such as [Number of "        \
    "Frequencies] or [Two-Port Data Order], placed before it, or the keyword left out. Fix: "  \
    "put '[Number of Ports] N' right after the option line.")                                  \
  X(EndInformationUnopened, 2203, Error,                                                       \
    "expected to find a [Begin Information] keyword before and [End Information] keyword",     \
    "[End Information] closes a block that [Begin Information] opened, and no block is open "  \
    "here. Usual causes: a second [End Information], or one whose [Begin Information] was "    \
    "deleted. Fix: delete it, or add [Begin Information] before the block.")                   \
  X(EndInformationMissing, 2204, Error,                                                        \
    "expected to find a [End Information] keyword after the [Begin Information] keyword",      \
    "[Begin Information] opens a block that [End Information] must close before the end of "   \
    "the file; the error is reported at [Begin Information]. Usual causes: [End Information] " \
    "left out or misspelt, so that the rest of the file was taken as the block. Fix: add "     \
    "[End Information] after the block.")                                                      \
  X(NetworkDataMissing, 2205, Error, "expected to find a [Network Data] keyword",              \
    "After the header keywords of a version 2.x file, [Network Data] must come before any "    \
    "data line, [Noise Data] or [End]. Usual causes: data lines without a [Network Data] "     \
    "line above them, a line other than a keyword among the header keywords (an indented "     \
    "line, a stray word), or [Noise Data] before the network data. Fix: add '[Network Data]' " \
    "on the line before the first data line.")                                                 \
  X(NumberOfFrequenciesMissing, 2206, Error,                                                   \
    "expected to find a [Number of Frequencies] keyword",                                      \
    "A version 2.x file must give its number of frequency points with [Number of "             \
    "Frequencies] before [Network Data]. Usual causes: a header written like that of a "       \
    "version 1 file, which has no such keyword. Fix: add '[Number of Frequencies] N' to the "  \
    "header, N being the number of points.")                                                   \
  X(NumberOfNoiseFrequenciesMissing, 2207, Error,                                              \
    "expected to find a [Number of Noise Frequencies] keyword",                                \
    "[Noise Data] needs [Number of Noise Frequencies] in the header. Usual causes: noise "     \
    "data appended to a file whose header was written without them. Fix: add '[Number of "     \
    "Noise Frequencies] N' to the header, N being the number of noise lines.")                 \
  X(KeywordTwice, 2208, Error, "keyword has been specified twice",                             \
    "Each keyword may be given once; [Version] and [Number of Ports] may not appear again "    \
    "among the later keywords. Usual causes: a header assembled from two files, or a keyword " \
    "repeated by a hand edit. Fix: delete the repetition, keeping the value that fits the "    \
    "data.")                                                                                   \
  X(EndMissing, 2209, Error, "expected to find the [End] keyword",                             \
    "A version 2.x file must end with [End] after its data; this error means that the file "   \
    "ended, or a line other than a keyword came, where a keyword was still due. Usual "        \
    "causes: a file cut short by an interrupted transfer or export, or [End] left out by "     \
    "hand. Fix: add '[End]' as the last line if the data are complete; otherwise get the "     \
    "file again.")                                                                             \
  X(KeywordOutOfOrder, 2210, Error, "keyword is out of order",                                 \
    "After the network data only [Noise Data] (in a 2-port file) and [End] may come; the "     \
    "header keywords belong before [Network Data]. The message names the keyword. Usual "      \
    "causes: a keyword such as [Number of Noise Frequencies] written after the data, or two "  \
    "files joined into one. Fix: move the keyword into the header, or split the files.")       \
  X(DataFormatError, 2300, Error, "error in Touchstone data format",                           \
    "The heading of the data codes. The checker never reports it: each problem with the "      \
    "network data, noise data, reference impedances and mixed-mode descriptors has its own "   \
    "code, 2301 to 2322.")                                                                     \
  X(ClippedLargeNumber, 2301, Warning, "clipping a very large number",                         \
    "A number is too large: a value beyond the range of a double (about 1.8e308), a value "    \
    "that the version 1 scaling of Y-, Z-, H- or G-parameters by R carries beyond it, or a "   \
    "count beyond 2147483647. It is replaced by the largest value, shown in the message, and " \
    "the check goes on. Usual causes: an overflow written by a tool ('1e999'), or a mistyped " \
    "exponent or count. Fix: correct the value; no measured quantity needs such numbers.")     \
  X(ClippedSmallNumber, 2302, Warning, "clipping a very small number",                         \
    "A number other than 0 is smaller in magnitude than the smallest normal double (about "    \
    "2.2e-308), or the version 1 scaling by R makes it so; it is replaced by that smallest "   \
    "value, shown in the message, and the check goes on. Usual causes: a tool that writes "    \
    "tiny values such as 1e-320 for 'nothing'. Fix: write 0 where zero is meant.")             \
  X(MoreThanFourPairs, 2303, Error,                                                            \
    "Touchstone v1 files must not exceed four data pairs per line",                            \
    "A line of version 1 data may hold at most four value pairs, after the frequency on a "    \
    "point's first line; the rest of a point continues on further lines. Usual causes: a "     \
    "file of 3 or more ports written with a whole point on one line, as version 2 files and "  \
    "spreadsheet exports do. Fix: break the lines after four pairs, or write the file as "     \
    "version 2.0, whose lines may be of any length.")                                          \
  X(OnePortPointSplit, 2304, Error,                                                            \
    "Touchstone v1 files require 1-port network data to appear on one line per frequency "     \
    "point",                                                                                   \
    "In a version 1 file of 1 port every frequency point is one line: the frequency and one "  \
    "value pair. Usual causes: a tool that wraps long lines, or a frequency on a line of its " \
    "own followed by the values on the next. Fix: join each point onto one line.")             \
  X(TwoPortPointSplit, 2305, Error,                                                            \
    "Touchstone v1 files require 2-port network data to appear on one line per frequency "     \
    "point",                                                                                   \
    "In a version 1 file of 2 ports every frequency point is one line: the frequency and "     \
    "four value pairs. Usual causes: a tool that wraps lines after a few values. Fix: join "   \
    "each point onto one line.")                                                               \
  X(PointNotSquare, 2306, Error, "detected a number of ports that isn't N x N",                \
    "A version 1 file declares no port count: it is taken from the first frequency point, "    \
    "whose value pairs must form an N x N matrix (1, 4, 9, 16, ... pairs). The message gives " \
    "the number of pairs found. Usual causes: an export of only some parameters (S11 and S21 " \
    "of a 2-port), a column missing or extra, or a triangular matrix. Fix: give the full "     \
    "matrix at every point; for a triangular matrix write a version 2.0 file with [Matrix "    \
    "Format].")                                                                                \
  X(FrequencyWithoutData, 2307, Error, "found a frequency point with no data",                 \
    "The first frequency point of a version 1 file holds a frequency and no values. Usual "    \
    "causes: a frequency on a line of its own, or a stray number before the data. Fix: give "  \
    "every point its values after the frequency, or delete the stray line.")                   \
  X(NetworkValueCount, 2308, Error, "incorrect number of values for network data",             \
    "A frequency point holds another number of values than its port count needs: after the "   \
    "frequency, 2 x N x N values for full N-port matrices, N x (N + 1) for Upper or Lower. "   \
    "The message gives both counts. Usual causes: a value missing or extra at one point (a "   \
    "damaged or hand-edited file), a line that also holds the next frequency, a point cut "    \
    "short by a keyword, or a [Number of Ports] or [Matrix Format] that does not fit the "     \
    "data. Fix: compare the point with its neighbours and correct the values or the header.")  \
  X(NoiseValueCount, 2309, Error, "incorrect number of values for noise data",                 \
    "Each noise line holds exactly five numbers: frequency, minimum noise figure in dB, "      \
    "magnitude and angle of the optimum source reflection coefficient, and the effective "     \
    "noise resistance. Usual causes: a value left out or a noise line wrapped onto two "       \
    "lines; in a version 1 file, lines after the noise data that are not noise data. Fix: "    \
    "give five values on each noise line.")                                                    \
  X(FrequencyCount, 2310, Error, "wrong number of frequency points",                           \
    "The number of points in [Network Data], or of lines in [Noise Data], differs from "       \
    "[Number of Frequencies] or [Number of Noise Frequencies]. The message gives both. Usual " \
    "causes: a count not updated after points were added or removed, or a file cut short. "    \
    "Fix: correct the count to the points present, or get the whole file again.")              \
  X(FrequencyNotIncreasing, 2311, Error, "frequency points must be listed in increasing order",\
    "Frequencies must rise strictly from point to point, in the network data and in the "      \
    "noise data. The message gives both frequencies. Usual causes: a point written twice "     \
    "where two sweeps or segments meet, sweeps joined out of order, or frequencies written "   \
    "with too few digits, so that neighbours become equal. Fix: delete repeated points, sort " \
    "the points, or write the frequencies with enough digits.")                                \
  X(FrequencyNegative, 2312, Error, "frequency must not be negative",                          \
    "A frequency, of the network data or of the noise data, is below 0. Usual causes: a sign " \
    "error, or values shifted by one column so that another value stands in the frequency's "  \
    "place. Fix: correct the frequency.")                                                      \
  X(MagnitudeNegative, 2313, Error, "magnitude must not be negative",                          \
    "In MA format the first number of a pair is a magnitude and may not be negative (the "     \
    "angle carries the phase); the magnitude of a noise line's reflection coefficient may "    \
    "not be negative either. Usual causes: data in RI or DB format under an option line that " \
    "says MA, or that names no format, for which MA is the default. Fix: name the format the " \
    "data really use on the option line.")                                                     \
  X(ImpedanceNotPositive, 2314, Error, "impedance must be positive",                           \
    "The effective noise resistance, the last value of a noise line, must be greater than 0. " \
    "Usual causes: 0 written for an unknown value, or values in the wrong column. Fix: give "  \
    "the resistance; in version 1 it is relative to the reference resistance, in version 2.x " \
    "in ohms.")                                                                                \
  X(MixedModeDescriptorCount, 2315, Error,                                                     \
    "the number of mixed-mode port descriptors must match the number of ports",                \
    "[Mixed-Mode Order] must list one descriptor per port, as many as [Number of Ports]; a "   \
    "differential pair takes two, its D and its C. The message gives both counts. Usual "      \
    "causes: the D descriptors of the pairs written without their C, or a list for another "   \
    "port count. Fix: give one descriptor per matrix row, such as 'D1,2 C1,2 S3 S4'.")         \
  X(MixedModePortMissed, 2316, Error, "mixed-mode port descriptors must cover all ports",      \
    "Every port must be described in [Mixed-Mode Order]: by an S descriptor, or by both the "  \
    "D and the C descriptor of its pair. The message names the port. Usual causes: a pair "    \
    "given only as D (or only as C), or a port left out. Fix: add the missing descriptor.")    \
  X(MixedModeOverlap, 2317, Error, "illegal overlap of mixed-mode port descriptors",           \
    "A port is described twice in [Mixed-Mode Order]: as S and as part of a pair, twice as "   \
    "S, or in two D (or two C) descriptors. The message names the port. Usual causes: a list " \
    "copied from a file with another pairing. Fix: describe every port exactly once, by S or " \
    "by one D and one C.")                                                                     \
  X(MixedModePairMismatch, 2318, Error,                                                        \
    "common-mode and differential-mode port descriptors must reference the same pair of ports",\
    "The D and C descriptors of a pair must name the same two ports in the same order: D1,2 "  \
    "goes with C1,2, not with C2,1 or C1,3. The message names the port. Usual causes: the "    \
    "ports of the C descriptor written in the other order. Fix: write both with the same "     \
    "ports in the same order.")                                                                \
  X(MixedModeImpedance, 2319, Error, "different reference impedance for mixed-mode ports",     \
    "The two ports of a differential or common-mode pair must have the same reference "        \
    "impedance in [Reference], within 1e-6 ohm. The message gives both. Usual causes: "        \
    "[Reference] values listed in another order than the ports, or values of a single-ended "  \
    "setup kept after ports were paired. Fix: give both ports of each pair the same value.")   \
  X(NoiseNotTwoPort, 2320, Error, "noise data may only be specified for a 2-port data file",   \
    "[Noise Data] may only appear in a file of 2 ports. Usual causes: a noise block copied "   \
    "into a file of another port count, or a wrong [Number of Ports]. Fix: delete the noise "  \
    "data, or correct [Number of Ports].")                                                     \
  X(NonphysicalNoise, 2321, Warning, "nonphysical noise behavior described",                   \
    "A minimum noise figure below 0 dB is not physical: 0 dB is a noiseless 2-port, and none " \
    "can do better. The value is kept and the check goes on. Usual causes: measurement "       \
    "uncertainty or de-embedding errors near 0 dB, or another quantity in the noise figure's " \
    "column. Fix: check the measurement; the file itself is valid.")                           \
  X(ExtensionPortCount, 2322, Warning,                                                         \
    "the file name's extension does not match the number of ports of the data",                \
    "The file name ends in .sNp, which tells readers the number of ports, and the data have "  \
    "another number (version 1: the count that the first frequency point shows; version 2.x: " \
    "[Number of Ports]). Readers that take the count from the name read such a file wrongly: " \
    "a 2-port file named .s1p reads as a 1-port network with three times the points. Usual "   \
    "causes: data saved under the name of another measurement, or a name typed by hand. Fix: " \
    "rename the file to match its data, such as .s2p for 2 ports.")

enum class Code : std::int32_t {
#define TOUCHSTONE2_CODE_ENUMERATOR(name, number, severity, text, explanation) name = number,
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
  const char* explanation;
};
TOUCHSTONE2_API extern const CodeRow kCodes[];
TOUCHSTONE2_API extern const std::size_t kCodeCount;

// The short text of a diagnostic code; "unknown Touchstone parser error" for a
// number that is not in the table. Static storage, never fails.
TOUCHSTONE2_API const char* messageText(std::int32_t code);

// The explanation of a diagnostic code, a paragraph of plain ASCII without
// line ends; "" for a number that is not in the table. Static storage, never
// fails.
TOUCHSTONE2_API const char* explanationText(std::int32_t code);

// Warnings are reported and the parse goes on; every other code ends it.
TOUCHSTONE2_API bool isWarningCode(std::int32_t code);

}  // namespace touchstone2

#endif
