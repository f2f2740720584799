// qmappend: copies the player, appends an applet and patches the copy's applet-location record.
// Usage: qmappend PLAYER APPLET -o OUT
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/qmappend/append.h"

namespace {

bool read_all(const std::string& path, std::vector<uint8_t>* out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  out->assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-o" && i + 1 < argc)
      out = argv[++i];
    else
      files.push_back(a);
  }
  if (files.size() != 2 || out.empty()) {
    std::fprintf(stderr, "usage: qmappend PLAYER APPLET -o OUT\n");
    return 2;
  }
  std::vector<uint8_t> player, applet;
  for (int k = 0; k < 2; ++k) {
    if (!read_all(files[size_t(k)], k ? &applet : &player)) {
      std::fprintf(stderr, "qmappend: cannot read %s\n", files[size_t(k)].c_str());
      return 1;
    }
  }
  std::string error;
  std::vector<uint8_t> joined = qm::append_applet(player, applet, &error);
  if (joined.empty()) {
    std::fprintf(stderr, "qmappend: %s\n", error.c_str());
    return 1;
  }
  std::ofstream o(out, std::ios::binary | std::ios::trunc);
  o.write(reinterpret_cast<const char*>(joined.data()), std::streamsize(joined.size()));
  if (!o.flush()) {
    std::fprintf(stderr, "qmappend: cannot write %s\n", out.c_str());
    return 1;
  }
  o.close();
  struct stat st {};
  mode_t mode = stat(files[0].c_str(), &st) == 0 ? st.st_mode & 07777 : 0755;
  chmod(out.c_str(), mode | 0111);
  return 0;
}
