#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build directory of its own and runs the whole ctest suite there: the unit
# tests, the end-to-end cases and the script tests (hostile inputs, truncation,
# ...), all of which run the sanitized snpvet. Any sanitizer report fails the
# check, also one from a run whose test did not look at the exit status:
# reports are written to log files, and the check fails if any was written.
#
#   scripts/sanitizer_check.sh [ctest arguments...]
#
# Environment:
#   SNPVET_SANITIZE_BUILD_DIR  build directory (default: <repo>/../build-snpvet-sanitize)
#   JOBS                       parallel build and test jobs (default: 2)
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${SNPVET_SANITIZE_BUILD_DIR:-$repo/../build-snpvet-sanitize}
jobs=${JOBS:-2}

echo "== building with -DSNPVET_SANITIZE=ON in $build"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSNPVET_SANITIZE=ON >"$build.cmake.log" 2>&1 &&
  cmake --build "$build" -j"$jobs" >>"$build.cmake.log" 2>&1
status=$?
if ((status != 0)); then
  tail -40 "$build.cmake.log" >&2
  echo "sanitizer_check: the build failed" >&2
  exit 2
fi
rm -f "$build.cmake.log"
build=$(cd "$build" && pwd)

reports=$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
# Every process of the suite inherits these: a report aborts the process
# (the builds use -fno-sanitize-recover=all) and lands in a file named after
# the process id.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="log_path=$reports/lsan"

echo "== ctest with the sanitized build ($jobs jobs)"
start=$(date +%s)
ctest --test-dir "$build" --output-on-failure -j"$jobs" "$@"
ctest_status=$?
elapsed=$(($(date +%s) - start))

found=$(find "$reports" -type f | wc -l)
if ((found > 0)); then
  echo "== $found sanitizer report(s):"
  for report in "$reports"/*; do
    echo "--- $report"
    head -40 "$report"
  done
fi
echo "sanitizer_check: ctest exit $ctest_status in ${elapsed}s, $found sanitizer report(s)"
((ctest_status == 0 && found == 0))
