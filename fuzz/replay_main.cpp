// Runs a fuzz target without libFuzzer, under ctest, over the files in the folders it is given:
// each whole and cut after each of its bytes, as a file ends that was cut off.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
      if (entry.is_regular_file())
        inputs.push_back(entry.path());
  for (const auto& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::fprintf(stderr, "%s\n", input.c_str());  // names the input that aborts
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
      std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + size);  // exactly that long
      LLVMFuzzerTestOneInput(prefix.data(), size);
    }
  }
  std::printf("%zu inputs, and cut\n%zu passed, 0 failed\n", inputs.size(), inputs.size());
  return inputs.empty();
}
