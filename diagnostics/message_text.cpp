#include "diagnostics/message_text.h"

namespace touchstone2 {

const char* messageText(std::int32_t code) {
  switch (code) {
    case 1000: return "problem with attempting to read the file";
    case 1001: return "file not found";
    case 1002: return "file is unreadable";
    case 1003: return "file appears to be empty";
    case 2000: return "error in Touchstone file format";
    case 2001: return "file contains only comments or blank lines";
    case 2002: return "file does not appear to be a Touchstone file";
    case 2003: return "invalid character";
    case 2004: return "expected end-of-line termination";
    case 2005: return "expected end-of-line termination before end-of-file";
    case 2006: return "expected whitespace";
    case 2007: return "expected to find numeric data";
    case 2008: return "expected an integer";
    case 2009: return "keyword is not at the start of the line";
    case 2010: return "# is not at the start of the line";
    case 2011: return "frequency value not found at the start of the line";
    case 2012: return "keyword is missing the closing bracket";
    case 2013: return "unsupported argument for the [Version] keyword";
    case 2014: return "unrecognized keyword";
    case 2015: return "keywords are not supported in Touchstone v1 files";
    case 2016: return "the [Number of Ports] argument must be a positive integer";
    case 2017: return "the [Two-Port Data Order] keyword is only valid for a file with 2-port data";
    case 2018: return "the [Two-Port Data Order] keyword is required to appear prior to 2-port network data";
    case 2019: return "expected '21_12' or '12_21' for the two-port data order";
    case 2020: return "the [Number of Frequencies] argument must be a positive integer";
    case 2021: return "the [Number of Noise Frequencies] argument must be a positive integer";
    case 2022: return "the number of reference impedances must match the number of ports";
    case 2023: return "expected 'Full', 'Upper', or 'Lower' for the matrix format";
    case 2024: return "expected a mixed-mode port descriptor";
    case 2025: return "mixed-mode data is only valid for S-, Y-, and Z-parameters";
    case 2026: return "G-parameters are only defined for 2-port networks";
    case 2027: return "H-parameters are only defined for 2-port networks";
    case 2028: return "[Number of Noise Frequencies] given but no [Noise Data] was found";
    case 2029: return "first noise frequency must be no greater than the largest network-data frequency";
    case 2030: return "found extra lines at the end of the file";
    case 2100: return "error in Touchstone options line";
    case 2101: return "expected to find an options line";
    case 2102: return "option overrides an earlier option";
    case 2103: return "invalid option";
    case 2104: return "the reference impedance is invalid or missing";
    case 2105: return "the reference impedance is invalid";
    case 2106: return "ignored secondary options line; only the first options line is used";
    case 2107: return "invalid secondary options line";
    case 2200: return "error in keyword ordering";
    case 2201: return "[Version] must be the first keyword";
    case 2202: return "expected to find the [Number of Ports] keyword";
    case 2203: return "expected to find a [Begin Information] keyword before and [End Information] keyword";
    case 2204: return "expected to find a [End Information] keyword after the [Begin Information] keyword";
    case 2205: return "expected to find a [Network Data] keyword";
    case 2206: return "expected to find a [Number of Frequencies] keyword";
    case 2207: return "expected to find a [Number of Noise Frequencies] keyword";
    case 2208: return "keyword has been specified twice";
    case 2209: return "expected to find the [End] keyword";
    case 2210: return "keyword is out of order";
    case 2300: return "error in Touchstone data format";
    case 2301: return "clipping a very large number";
    case 2302: return "clipping a very small number";
    case 2303: return "Touchstone v1 files must not exceed four data pairs per line";
    case 2304: return "Touchstone v1 files require 1-port network data to appear on one line per frequency point";
    case 2305: return "Touchstone v1 files require 2-port network data to appear on one line per frequency point";
    case 2306: return "detected a number of ports that isn't N x N";
    case 2307: return "found a frequency point with no data";
    case 2308: return "incorrect number of values for network data";
    case 2309: return "incorrect number of values for noise data";
    case 2310: return "wrong number of frequency points";
    case 2311: return "frequency points must be listed in increasing order";
    case 2312: return "frequency must not be negative";
    case 2313: return "magnitude must not be negative";
    case 2314: return "impedance must be positive";
    case 2315: return "the number of mixed-mode port descriptors must match the number of ports";
    case 2316: return "mixed-mode port descriptors must cover all ports";
    case 2317: return "illegal overlap of mixed-mode port descriptors";
    case 2318: return "common-mode and differential-mode port descriptors must reference the same pair of ports";
    case 2319: return "different reference impedance for mixed-mode ports";
    case 2320: return "noise data may only be specified for a 2-port data file";
    case 2321: return "nonphysical noise behavior described";
    default: return "unknown Touchstone parser error";
  }
}

bool isWarningCode(std::int32_t code) {
  return code == 2005 || code == 2106 || code == 2301 || code == 2302 || code == 2321;
}

}  // namespace touchstone2
