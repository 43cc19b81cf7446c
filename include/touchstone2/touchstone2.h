#ifndef TOUCHSTONE2_TOUCHSTONE2_H
#define TOUCHSTONE2_TOUCHSTONE2_H

// Everything a program needs to read Touchstone v1 and v2.0 files with the
// touchstone2 library: the file record and its containers, the parser, the
// message handlers with their diagnostics, the reads that return the
// diagnostics as values, the builder from arrays, the writers, the
// description and writeFile, which replaces a file safely; where the library
// was built with Eigen 3, the quality metrics and the conversion to
// S-parameters.
//
//   #include <touchstone2/touchstone2.h>
//
//   touchstone2::ReadResult read = touchstone2::readFile("amp.s2p");
//   if (read.valid()) touchstone2::V2_Writer(read.file).write(std::cout);

#include <touchstone2/building.h>
#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>
#include <touchstone2/enums.h>
#include <touchstone2/file.h>
#include <touchstone2/file_output.h>
#include <touchstone2/parameters.h>
#include <touchstone2/parser.h>
#include <touchstone2/quality.h>
#include <touchstone2/reading.h>
#include <touchstone2/scattering.h>
#include <touchstone2/writer.h>

#endif
