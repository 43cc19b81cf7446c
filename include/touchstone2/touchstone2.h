#ifndef TOUCHSTONE2_TOUCHSTONE2_H
#define TOUCHSTONE2_TOUCHSTONE2_H

// Everything a program needs to read Touchstone v1 and v2.0 files with the
// touchstone2 library: the file record and its containers, the parser, the
// message handlers with their diagnostics, the writers and the description.
//
//   #include <touchstone2/touchstone2.h>
//
//   touchstone2::File file("amp.s2p");
//   touchstone2::StandardMessageHandler handler;
//   touchstone2::Parser parser(file, handler);
//   if (parser.parse()) touchstone2::V2_Writer(file).write(std::cout);

#include "diagnostics/diagnostic.h"
#include "diagnostics/message_handler.h"
#include "model/enums.h"
#include "model/file.h"
#include "model/full_network_params.h"
#include "model/mixed_mode_descriptor.h"
#include "model/network_params.h"
#include "model/noise_params.h"
#include "model/symmetric_network_params.h"
#include "model/value_pair.h"
#include "parser/parser.h"
#include "writers/describe.h"
#include "writers/writer.h"

#endif
