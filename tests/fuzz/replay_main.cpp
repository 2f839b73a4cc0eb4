// Runs a fuzz target once on each file named (directories are walked), in
// name order: the corpora and the crash inputs replayed by the ordinary test
// run, with no fuzzing engine and no clang needed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Under AddressSanitizer, an allocation as large as a fuzzing run refuses
// fails the replay too (a few hundred bytes that make a library ask for
// gigabytes are a finding even when the memory is never touched).
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=2048"; }

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else if (fs::is_regular_file(arg)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "replay: no such file or directory: %s\n", argv[i]);
      return 1;
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 1;
  }
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replay: %s\n", file.c_str());
    // An empty vector's data() may be null; the fuzzing engine always passes a pointer.
    static const std::uint8_t none = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &none : reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::fprintf(stderr, "replay: %zu inputs, no failure\n", files.size());
  return 0;
}
