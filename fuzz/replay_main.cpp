// Runs a fuzz target once over every file of its corpus folders (and over files named directly),
// so the normal build can replay the corpora as a regression test without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

static void RunFile(const fs::path& p, int& count) {
  std::ifstream in(p, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // libFuzzer never passes a null pointer, even for an empty input.
  static const uint8_t kEmpty = 0;
  LLVMFuzzerTestOneInput(bytes.empty() ? &kEmpty : bytes.data(), bytes.size());
  ++count;
}

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    fs::path p(argv[i]);
    if (fs::is_directory(p)) {
      std::vector<fs::path> files;
      for (auto& e : fs::recursive_directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (auto& f : files) RunFile(f, count);
    } else if (fs::is_regular_file(p)) {
      RunFile(p, count);
    }
  }
  // An empty input exercises the shortest path too.
  static const uint8_t kNothing = 0;
  LLVMFuzzerTestOneInput(&kNothing, 0);
  std::printf("replayed %d inputs\n", count);
  return 0;
}
