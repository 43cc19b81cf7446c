#include <iostream>

#include "app/run.h"

// Exponents come out with two digits on every platform this builds for, and
// all numbers are formatted by the model's own routines, so there is nothing
// to switch here before the run.
int main(int argc, char** argv) {
  return touchstone2::run(argc, argv, std::cout, std::cerr);
}
