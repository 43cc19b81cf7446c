#ifndef TOUCHSTONE2_APP_DESCRIBE_H
#define TOUCHSTONE2_APP_DESCRIBE_H

// The description is part of the library now, next to the writers; this
// name is kept for the sources that still include it from here.
#include "writers/describe.h"

#endif
