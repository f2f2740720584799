// qmrun: runs a compiled chunk with the engine alone and the test library. An uncaught error
// prints "file:line: message" and exits with status 1.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/state.h"
#include "engine/vm.h"
#include "tools/qmrun/testlib.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qmrun CHUNK.qmb\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qmrun: cannot open %s\n", argv[1]);
    return 2;
  }
  std::vector<uint8_t> chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  qmState* L = vm_open();
  if (!L) {
    std::fprintf(stderr, "Not enough memory.\n");
    return 1;
  }
  qm::testlib::open(L);
  int32_t status = qm::testlib::load_chunk(L, chunk, argv[1]);
  std::string where;
  if (status == 0) status = qm::testlib::run(L, argv[1], &where);
  std::fflush(stdout);
  if (status != 0) {
    if (where.empty()) where = std::string(argv[1]) + ":0: error " + std::to_string(status);
    std::fprintf(stderr, "%s\n", where.c_str());
  }
  vm_close_state(L);
  return status != 0 ? 1 : 0;
}
