// qmasm: assembles a text file into a bytecode chunk, or into an applet when the text holds
// applet directives.  Usage: qmasm IN.qasm -o OUT.qmb|OUT.qma
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/asm/text.h"

int main(int argc, char** argv) {
  std::string in, out;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-o" && i + 1 < argc)
      out = argv[++i];
    else if (in.empty())
      in = a;
    else
      in.clear(), out.clear(), i = argc;
  }
  if (in.empty() || out.empty()) {
    std::fprintf(stderr, "usage: qmasm IN.qasm -o OUT.qmb|OUT.qma\n");
    return 2;
  }
  std::ifstream f(in, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "qmasm: cannot open %s\n", in.c_str());
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::vector<uint8_t> chunk;
  std::string error;
  size_t slash = in.rfind('/');
  std::string base = slash == std::string::npos ? std::string() : in.substr(0, slash + 1);
  bool applet = false;
  std::string name = slash == std::string::npos ? in : in.substr(slash + 1);
  if (!qm::asmx::assemble_program(text, base, chunk, applet, error, name)) {
    std::fprintf(stderr, "%s:%s\n", in.c_str(), error.c_str() + 5);
    return 1;
  }
  std::ofstream o(out, std::ios::binary);
  o.write(reinterpret_cast<const char*>(chunk.data()), std::streamsize(chunk.size()));
  if (!o.flush()) {
    std::fprintf(stderr, "qmasm: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
