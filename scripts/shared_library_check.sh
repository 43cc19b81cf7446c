#!/usr/bin/env bash
# The library built shared (-DBUILD_SHARED_LIBS=ON) in a build folder of its
# own, build-shared/, and the whole suite run against it: the install test
# then checks the SONAME, that only the public API is exported and that the
# installed checker runs from wherever its prefix is moved. Slower than the
# README's test command (a second build), so .ci/run runs it on its own.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-shared -DBUILD_SHARED_LIBS=ON -DBUILD_TESTING=ON
cmake --build build-shared -j2
ctest --test-dir build-shared --output-on-failure -j2
