#ifndef TOUCHSTONE2_FUZZ_KNOWN_LOSSES_H
#define TOUCHSTONE2_FUZZ_KNOWN_LOSSES_H

namespace touchstone2 {

class File;

namespace fuzz {

enum class Output { V2, V1 };

// How the written file failed to come back.
enum class Failure {
  Parse,    // it was refused
  Content,  // it parsed, but describes other content
};

// The name of the known, reported limitation of the writers that explains
// the failure, or nullptr when none does (then it is a new problem). The
// limitations are listed in the .cpp; each is an open issue in
// docs/ROBUSTNESS.md. Excusing them keeps the fuzzer looking for new
// problems instead of finding the same one again.
//
// With SNPVET_FUZZ_STRICT=1 in the environment nothing is excused. With
// SNPVET_FUZZ_STATS=1 the excuses are counted and printed at exit.
const char* knownLoss(const File& file, Output output, Failure failure);

}  // namespace fuzz
}  // namespace touchstone2

#endif
