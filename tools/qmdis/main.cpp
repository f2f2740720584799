// qmdis: prints a bytecode chunk as assembler text (qmasm reads it back to the same bytes).
// Usage: qmdis IN.qmb [-o OUT.qasm]
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
      in.clear(), i = argc;
  }
  if (in.empty()) {
    std::fprintf(stderr, "usage: qmdis IN.qmb [-o OUT.qasm]\n");
    return 2;
  }
  std::ifstream f(in, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "qmdis: cannot open %s\n", in.c_str());
    return 1;
  }
  std::vector<uint8_t> chunk((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::string text, error;
  if (!qm::asmx::disassemble(chunk.data(), chunk.size(), text, error)) {
    std::fprintf(stderr, "qmdis: %s: %s\n", in.c_str(), error.c_str());
    return 1;
  }
  if (out.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  std::ofstream o(out, std::ios::binary);
  o << text;
  return o.flush() ? 0 : 1;
}
