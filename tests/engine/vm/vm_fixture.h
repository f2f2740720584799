// Runs assembled programs on a fresh engine with the test library; print output is captured.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/state.h"
#include "engine/vm.h"
#include "tools/asm/text.h"
#include "tools/qmrun/testlib.h"

struct RunResult {
  int32_t status = 0;
  std::string out;
  std::string where;  // "file:line: message" when status is not 0
};

class VmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vm_clear_end_request();
    L = vm_open();
    ASSERT_NE(L, nullptr);
    qm::testlib::open(L, &out_);
  }
  void TearDown() override {
    vm_close_state(L);
    vm_clear_end_request();
    EXPECT_EQ(vm_close_residue, 0u);
  }

public:
  RunResult run(const std::string& source) {
    std::vector<uint8_t> chunk;
    std::string error;
    RunResult r;
    if (!qm::asmx::assemble(source, chunk, error)) {
      ADD_FAILURE() << "assembler: " << error << "\n" << source;
      r.status = -1;
      return r;
    }
    out_.clear();
    r.status = qm::testlib::load_chunk(L, chunk, "test");
    if (r.status == 0) r.status = qm::testlib::run(L, "test", &r.where);
    r.out = out_;
    return r;
  }

  qmState* L = nullptr;

 private:
  std::string out_;
};
