// Shared pieces of the applet tests: a scratch folder, a script state, a minimal main chunk and
// a file writer.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/vm.h"
#include "runtime/applet.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "tests/runtime/os/scratch.h"
#include "tools/asm/applet.h"
#include "tools/asm/asm.h"
#include "tools/asm/text.h"

namespace qmtest {

// A main function that returns at once.
inline std::vector<uint8_t> tiny_chunk() {
  qm::asmx::Function f;
  f.source = "@applet";
  qm::asmx::Builder b(f);
  b.abc(qm::OP_RETURN, 0, 1, 0);
  b.finish();
  return qm::asmx::write_chunk(f);
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream o(path, std::ios::binary);
  o.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class AppletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    L = vm_open();
    ASSERT_NE(L, nullptr);
    qm::err_install(L);
  }
  void TearDown() override {
    vm_close_state(L);
    qm::registry_free_all();
  }

  // Writes bytes to a file and reads it as an applet at offset.
  int32_t read(const std::vector<uint8_t>& bytes, qm::Applet* out, int64_t offset = 0,
               const char* name = "prog.qma") {
    std::string path = dir / name;
    write_bytes(path, bytes);
    return qm::applet_read(L, path.c_str(), offset, out);
  }

  ScratchDir dir;
  qmState* L = nullptr;
};

}  // namespace qmtest
