#ifndef TOUCHSTONE2_EXPORT_H
#define TOUCHSTONE2_EXPORT_H

// Marks what a shared touchstone2 library exports: the public classes and
// functions of these headers. The build compiles the shared library with
// every other symbol hidden and TOUCHSTONE2_SHARED defined, so that its
// internals stay free to change; a static library and every user of either
// need nothing.
#if defined(TOUCHSTONE2_SHARED) && (defined(__GNUC__) || defined(__clang__))
#define TOUCHSTONE2_API __attribute__((visibility("default")))
#else
#define TOUCHSTONE2_API
#endif

#endif
