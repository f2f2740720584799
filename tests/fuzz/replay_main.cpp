// Replays a fuzz target's committed corpus in the test build: every file of the folders named on
// the command line goes to the target once, so that each input found by fuzzing stays a
// regression test. A crash or a sanitizer report fails the test; the file being run is named
// first so that the report shows which input it was.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    for (const fs::directory_entry& e : fs::directory_iterator(argv[i])) {
      if (e.is_regular_file()) files.push_back(e.path());
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "no corpus files\n");
    return 1;
  }
  for (const fs::path& f : files) {
    std::fprintf(stderr, "%s\n", f.c_str());
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs\n", files.size());
  return 0;
}
