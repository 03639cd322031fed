// Replays inputs through a fuzz target's entry point, without libFuzzer: every regular file of
// the folders given, in byte order of their names. Linked with one fuzz/fuzz_*.cpp, it lets
// ctest run the seeds and every input that once crashed or hung the target under the
// sanitizers of the test build.
//   replay FOLDER...
// A folder that does not exist holds no inputs (a regression folder appears with its first
// kept input); a run that finds no input at all fails, so that a mistyped folder is noticed.
// Each file is named before it runs, so that a crash or a timeout shows which one did it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& input : InputsIn(argv[i])) {
      std::ifstream file(input, std::ios::binary);
      if (!file) {
        std::cerr << "cannot read " << input.string() << '\n';
        return 1;
      }
      const std::string data{std::istreambuf_iterator<char>(file), {}};
      std::cerr << input.string() << '\n';
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
      ++replayed;
    }
  }
  std::cerr << replayed << " inputs replayed\n";
  return replayed > 0 ? 0 : 1;
}
