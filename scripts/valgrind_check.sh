#!/usr/bin/env bash
# Runs snpvet under valgrind memcheck over a sample of inputs: valid files in
# every output mode, and a sample of the end-to-end cases whose run fails, so
# that the error paths (the parser's throw, the handler, the release of the
# file source and the half-built record) are covered too. Fails on any memcheck
# error or any definite or indirect leak.
#
#   scripts/valgrind_check.sh [SAMPLE]
#
# SAMPLE is the number of failing end-to-end cases to run (default 60, spread
# evenly over all case files). Environment:
#   SNPVET_VALGRIND_BUILD_DIR  the normal (unsanitized) build to use; built
#                              there if snpvet is missing
#                              (default: <repo>/../build-snpvet-valgrind)
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${SNPVET_VALGRIND_BUILD_DIR:-$repo/../build-snpvet-valgrind}
sample=${1:-60}

if ! command -v valgrind >/dev/null; then
  echo "valgrind_check: valgrind is not installed (Debian package valgrind)" >&2
  exit 2
fi
if [[ ! -x $build/snpvet ]]; then
  echo "== building snpvet in $build"
  cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build "$build" -j2 --target snpvet >/dev/null || { echo "build failed" >&2; exit 2; }
fi
snpvet=$(cd "$build" && pwd)/snpvet

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The runs, one per line: directory and expected status (-1: 0 or 1); each
# directory holds the input and a file "args" with the arguments, each ended
# by a NUL (an empty argument is a case of its own). The end-to-end cases are
# decoded by the case driver's own parser.
python3 - "$repo" "$work" "$sample" >"$work/runs" <<'EOF' || exit 2
import glob, os, shutil, sys
repo, work, sample = sys.argv[1], sys.argv[2], int(sys.argv[3])
sys.path.insert(0, os.path.join(repo, "tests", "e2e"))
import run_cases

count = 0
def emit(files, status, args):
    global count
    count += 1
    directory = os.path.join(work, "run%03d" % count)
    os.makedirs(directory)
    for name, data in files.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)
    with open(os.path.join(directory, "args"), "wb") as f:
        f.write(b"".join(a.encode() + b"\0" for a in args))
    print("%s\t%d" % (directory, status))

valid = sorted(glob.glob(os.path.join(repo, "examples", "*.s*p")))
skrf = "/usr/lib/python3/dist-packages/skrf"
for name in ("ntwk1.s2p", "ntwk_noise.s2p", "cst_example_4ports.s4p"):
    found = glob.glob(os.path.join(skrf, "**", name), recursive=True)
    valid += found[:1]
for path in valid:
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    for mode in ([], ["-canonical"], ["-canonical-v1"], ["-describe"]):
        emit({name: data}, -1, mode + [name])

failing, bases = [], {}
run_cases.read_table(os.path.join(repo, "tests", "e2e", "common.bases"), bases)
for path in sorted(glob.glob(os.path.join(repo, "tests", "e2e", "*.cases"))):
    for _, case in run_cases.read_table(path, dict(bases)):
        if not isinstance(case, run_cases.Case):
            sys.exit("valgrind_check: %s: %s" % (path, case))
        if case.status == 1 and case.kind == "file" and case.stdout_to is None:
            failing.append(case)
if not valid or not failing:
    sys.exit("valgrind_check: no inputs found")
step = max(1, len(failing) // max(1, sample))
chosen = failing[::step][:sample]
for case in chosen:
    emit({case.name: case.input}, 1, [a.replace("%", case.name) for a in case.args])
sys.stderr.write("inputs: %d valid files x 4 modes, %d of %d failing end-to-end cases\n"
                 % (len(valid), len(chosen), len(failing)))
EOF

runs=0
failed=0
total_start=$(date +%s)
while IFS=$'\t' read -r directory expected; do
  mapfile -t -d '' args <"$directory/args"
  log=$directory/valgrind.log
  (cd "$directory" && valgrind --quiet --error-exitcode=1 --leak-check=full \
     --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
     --log-file="$log" \
     "$snpvet" "${args[@]}" >stdout 2>stderr)
  status=$?
  runs=$((runs + 1))
  # snpvet itself exits 1 on a failing input, so the log decides: memcheck
  # writes nothing with --quiet unless it found something.
  problem=""
  if [[ -s $log ]]; then
    problem="memcheck report"
  elif [[ $expected -ge 0 && $status -ne $expected ]]; then
    problem="exit status $status, expected $expected"
  elif [[ $expected -lt 0 && $status -ne 0 && $status -ne 1 ]]; then
    problem="exit status $status"
  fi
  if [[ -n $problem ]]; then
    failed=$((failed + 1))
    echo "FAIL snpvet ${args[*]}: $problem"
    sed 's/^/     /' "$log" | head -40
  fi
done <"$work/runs"

elapsed=$(($(date +%s) - total_start))
echo "valgrind_check: $runs runs under memcheck in ${elapsed}s ($(valgrind --version)), $failed with errors or leaks"
echo "$((runs - failed)) passed, $failed failed"
((runs > 0 && failed == 0))
