#!/usr/bin/env bash
# Fuzz campaign: builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in a build directory of their own, builds the seed
# corpus, runs each target for the given time, one after the other (one fuzzing
# process at a time: the machine is shared), and prints the figures.
#
#   scripts/fuzz_campaign.sh SECONDS [TARGET...]
#
# TARGET is parse or round_trip (default: both). The corpus grows across runs
# in the work directory; crashes, leaks, timeouts and out-of-memory inputs are
# written to its artifacts/ folder. The exit status is 1 if any target found
# one, 2 if the tools or the build are missing.
#
# Environment:
#   SNPVET_FUZZ_BUILD_DIR  build directory (default: <repo>/../build-snpvet-fuzz)
#   SNPVET_FUZZ_WORK_DIR   corpus, artifacts and logs (default: <build>/campaign)
#   SNPVET_FUZZ_MAX_LEN    largest input tried, in bytes (default: 8192)
#   CXX                    the clang++ to use (default: clang++)
set -uo pipefail

usage() {
  echo "usage: $0 SECONDS [parse|round_trip]..." >&2
  exit 2
}

[[ $# -ge 1 && $1 =~ ^[0-9]+$ && $1 -gt 0 ]] || usage
seconds=$1
shift
targets=("$@")
((${#targets[@]})) || targets=(parse round_trip)
for target in "${targets[@]}"; do
  [[ $target == parse || $target == round_trip ]] || usage
done

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${SNPVET_FUZZ_BUILD_DIR:-$repo/../build-snpvet-fuzz}
work=${SNPVET_FUZZ_WORK_DIR:-$build/campaign}
max_len=${SNPVET_FUZZ_MAX_LEN:-8192}
cxx=${CXX:-clang++}

# libFuzzer needs clang and its runtime (Debian: clang-14 libclang-rt-14-dev).
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
  >"$probe/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/log"; then
  echo "fuzz_campaign: $cxx cannot build a libFuzzer target:" >&2
  cat "$probe/log" >&2
  echo "fuzz_campaign: install clang and its runtime (clang-14 libclang-rt-14-dev)" >&2
  exit 2
fi

echo "== building the fuzz targets in $build"
if ! CXX=$cxx cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSNPVET_FUZZ=ON -DSNPVET_SANITIZE=ON -DBUILD_TESTING=OFF >"$probe/cmake.log" 2>&1 ||
   ! cmake --build "$build" -j2 --target parse_fuzzer round_trip_fuzzer >>"$probe/cmake.log" 2>&1; then
  cat "$probe/cmake.log" >&2
  echo "fuzz_campaign: the build failed" >&2
  exit 2
fi

mkdir -p "$work/seeds" "$work/logs"
# Seeds: the sample files, the regression inputs and, where installed, the
# real files that python3-scikit-rf ships.
cp "$repo"/examples/*.s*p "$repo"/fuzz/regressions/* "$work/seeds/" || exit 2
find /usr/lib/python3/dist-packages/skrf -iname '*.s*p' \
  -exec cp --backup=numbered {} "$work/seeds/" \; 2>/dev/null || true

# Sanitizer reports end the run; leaks are checked after every input that
# allocated more than it freed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# The last libFuzzer status line with the given field, e.g. "cov: 1831".
field() {
  grep -E '^#[0-9]+' "$1" | grep -oE "$2: [0-9]+" | tail -1 | awk '{print $2}'
}

final_stat() {
  grep -E "^stat::$2:" "$1" | awk '{print $2}' | tail -1
}

failed=0
summary=()
for target in "${targets[@]}"; do
  binary=$build/fuzz/${target}_fuzzer
  corpus=$work/corpus/$target
  artifacts=$work/artifacts/$target
  log=$work/logs/$target.log
  mkdir -p "$corpus" "$artifacts"
  before=$(find "$artifacts" -type f | wc -l)
  echo "== $target: $seconds s, corpus $corpus, log $log"
  # Inputs that once broke something must keep passing before new ones are
  # looked for.
  regressions=("$repo"/fuzz/regressions/*)
  if [[ -e ${regressions[0]} ]] && ! "$binary" "${regressions[@]}" >"$log.regressions" 2>&1; then
    echo "   the regression inputs fail: see $log.regressions"
    failed=1
  fi
  # -jobs/-workers stay at 1: one fuzzing process on a shared machine. No
  # input of at most max_len bytes may need a single allocation of 64 MB: a
  # larger one means a size taken from a declared count, not from the data.
  start=$(date +%s)
  "$binary" -max_total_time="$seconds" -max_len="$max_len" -timeout=5 \
    -rss_limit_mb=1536 -malloc_limit_mb=64 -print_final_stats=1 -dict="$repo/scripts/fuzz_touchstone.dict" \
    -artifact_prefix="$artifacts/" "$corpus" "$work/seeds" >"$log" 2>&1
  status=$?
  elapsed=$(($(date +%s) - start))
  found=$(($(find "$artifacts" -type f | wc -l) - before))
  execs=$(final_stat "$log" number_of_executed_units)
  rss=$(final_stat "$log" peak_rss_mb)
  cov=$(field "$log" cov)
  ft=$(field "$log" ft)
  units=$(field "$log" corp)
  line=$(printf '%-11s %6ss %11s execs %7s exec/s  cov %5s  ft %6s  corpus %5s  peak RSS %5s MB  new artifacts %s  exit %s' \
    "$target" "$elapsed" "${execs:-?}" "$(( ${execs:-0} / (elapsed > 0 ? elapsed : 1) ))" \
    "${cov:-?}" "${ft:-?}" "$units" "${rss:-?}" "$found" "$status")
  summary+=("$line")
  echo "   $line"
  grep -E '^known loss' "$log" | sed 's/^/   /'
  if ((status != 0 || found != 0)); then
    failed=1
    grep -E 'ERROR:|contract violation|SUMMARY' "$log" | head -5 | sed 's/^/   /'
    ls -t "$artifacts" | head -5 | sed "s|^|   artifact: $artifacts/|"
  fi
done

echo "== summary ($(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $cxx $("$cxx" -dumpversion))"
printf '%s\n' "${summary[@]}"
if ((failed)); then
  echo "fuzz_campaign: FAILED (artifacts in $work/artifacts)"
  exit 1
fi
echo "fuzz_campaign: no crash, leak, hang or contract violation"
