#ifndef TOUCHSTONE2_TOUCHSTONE2_H
#define TOUCHSTONE2_TOUCHSTONE2_H

// Everything a program needs to read Touchstone v1 and v2.0 files with the
// touchstone2 library: the file record and its containers, the parser, the
// message handlers with their diagnostics, the writers, the description and
// writeFile, which replaces a file safely.
//
//   #include <touchstone2/touchstone2.h>
//
//   touchstone2::File file("amp.s2p");
//   touchstone2::StandardMessageHandler handler;
//   touchstone2::Parser parser(file, handler);
//   if (parser.parse()) touchstone2::V2_Writer(file).write(std::cout);

#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>
#include <touchstone2/enums.h>
#include <touchstone2/file.h>
#include <touchstone2/file_output.h>
#include <touchstone2/parameters.h>
#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

#endif
