// A fresh engine per test and a way to run code that may raise.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "engine/object.h"
#include "engine/state.h"
#include "engine/vm.h"

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { L = vm_open(); ASSERT_NE(L, nullptr); }
  void TearDown() override {
    vm_close_state(L);
    EXPECT_EQ(vm_close_residue, 0u) << "allocations not returned with their exact size";
  }

  // Runs f protected; returns 0 or the error code it raised.
  int32_t raises(const std::function<void()>& f) {
    return vm_cpcall(L, [](qmState*, void* ud) { (*static_cast<const std::function<void()>*>(ud))(); },
                     const_cast<std::function<void()>*>(&f));
  }

  qmState* L = nullptr;
};

inline qmValue num(double n) {
  qmValue v;
  setnvalue(&v, n);
  return v;
}
