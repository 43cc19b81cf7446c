// Runs a fuzz target's entry point over files and directories of inputs, for
// builds without libFuzzer (any compiler): the inputs that once broke
// something, and the example files, go through the same contract checks in
// every ctest run, under the sanitizers too.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void collect(const std::filesystem::path& path, std::vector<std::filesystem::path>& inputs) {
  if (std::filesystem::is_directory(path)) {
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(path))
      entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const auto& entry : entries)
      collect(entry, inputs);
  } else if (std::filesystem::is_regular_file(path)) {
    inputs.push_back(path);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i)
    collect(argv[i], inputs);
  for (const auto& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
      std::fprintf(stderr, "cannot read %s\n", input.c_str());
      return 1;
    }
    // A violation aborts inside the call; the name shows which input it was.
    std::fprintf(stderr, "%s\n", input.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n%zu passed, 0 failed\n", inputs.size(), inputs.size());
  return 0;
}
