// modgen: writes the module player's named test modules. `modgen NAME FILE` writes one,
// `modgen --all DIR` writes every fixture as DIR/NAME.mod, `modgen --list` names them.
#include <cstdio>
#include <fstream>
#include <string>

#include "modgen.h"

namespace {

bool write(const std::string& name, const std::string& path) {
  std::vector<uint8_t> image = modgen::fixture(name).build();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
  if (!out) std::fprintf(stderr, "modgen: cannot write %s\n", path.c_str());
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::string a = argc > 1 ? argv[1] : "";
  try {
    if (a == "--list" && argc == 2) {
      for (const std::string& n : modgen::fixture_names()) std::printf("%s\n", n.c_str());
      return 0;
    }
    if (a == "--all" && argc == 3) {
      for (const std::string& n : modgen::fixture_names()) {
        if (!write(n, std::string(argv[2]) + "/" + n + ".mod")) return 1;
      }
      return 0;
    }
    if (argc == 3) return write(a, argv[2]) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "modgen: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: modgen NAME FILE | modgen --all DIR | modgen --list\n");
  return 2;
}
