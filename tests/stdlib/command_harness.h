// Calls registered commands by name through the engine's real call path, so argument errors,
// returned codes and the last error behave as they do for a program.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace qmtest {

struct Nil {};
using Arg = std::variant<double, std::string, Nil>;

struct Outcome {
  int32_t code = 0;                  // 0, or the error code the call raised
  std::vector<std::string> results;  // numbers as "%.14g", strings in single quotes, "nil", "table"
};

inline std::string describe(qmState* L, int32_t idx) {
  switch (vm_type(L, idx)) {
    case QM_TNUMBER: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.14g", vm_to_number(L, idx));
      return buf;
    }
    case QM_TSTRING: return "'" + std::string(vm_to_string(L, idx), vm_string_length(L, idx)) + "'";
    case QM_TNIL: return "nil";
    case QM_TTABLE: return "table";
    case QM_TFUNCTION: return "function";
    default: return "other";
  }
}

class CommandTest : public ::testing::Test {
 protected:
  using OpenFn = int32_t (*)(qmState*);

  void open(std::initializer_list<OpenFn> libs) {
    qm::registry_free_all();
    L = vm_open();
    ASSERT_NE(L, nullptr);
    qm::err_install(L);
    for (OpenFn f : libs) ASSERT_EQ(f(L), 0);
    vm_set_top(L, 0);
  }
  void TearDown() override {
    if (L) vm_close_state(L);
    qm::registry_free_all();
  }

  void push(const Arg& a) {
    if (auto* d = std::get_if<double>(&a)) vm_push_number(L, *d);
    else if (auto* s = std::get_if<std::string>(&a)) vm_push_lstring(L, s->data(), s->size());
    else vm_push_nil(L);
  }

  // Calls the global command name with the arguments; the results stay described in order.
  Outcome call(const char* name, std::initializer_list<Arg> args) { return call(name, std::vector<Arg>(args)); }
  Outcome call(const char* name, const std::vector<Arg>& args) {
    vm_set_top(L, 0);
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    vm_push_string(L, lower.c_str());  // commands are registered under lower-cased names
    vm_get_table(L, QM_GLOBALSINDEX);
    for (const Arg& a : args) push(a);
    Outcome o;
    o.code = vm_pcall(L, int32_t(args.size()), QM_MULTRET, 0);
    if (o.code == 0)
      for (int32_t i = 1; i <= vm_get_top(L); i++) o.results.push_back(describe(L, i));
    return o;
  }

  // The first result as text, or "error <code>".
  std::string first(const char* name, std::initializer_list<Arg> args) {
    Outcome o = call(name, args);
    if (o.code) return "error " + std::to_string(o.code);
    return o.results.empty() ? "none" : o.results[0];
  }

  qmState* L = nullptr;
};

}  // namespace qmtest
