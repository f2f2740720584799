#include <gtest/gtest.h>

#include "command_harness.h"
#include "engine/errcodes.h"
#include "stdlib/eval.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace {

TEST(Eval, ValuesAndErrors) {
  struct Case { const char* expr; int32_t code; double want; } cases[] = {
      {"2^3^2", 0, 512},        {"-2^2", 0, -4},        {"7 \\ 2", 0, 3},
      {"-7 % 2", 0, -1},        {"1 + 2 * 3", 0, 7},    {"(1 + 2) * 3", 0, 9},
      {"1 << 4", 0, 16},        {"$10 | 1", 0, 17},     {"~0", 0, 4294967295.0},
      {"-1 >> 28", 0, 15},      {"6 ~ 3", 0, 5},        {"not 0", 0, 1},
      {"2 <> 3", 0, 1},         {"2 >= 3", 0, 0},       {"0 and 5", 0, 0},
      {"2 and 5", 0, 5},        {"0 or 7", 0, 7},       {"3 or 7", 0, 3},
      {"-2147483648 \\ -1", 0, 2147483648.0},           {"-2147483648 % -1", 0, 0},
      {"1/0", ERR_ZERODIVISION, 0},                     {"1 \\ 0.4", ERR_ZERODIVISION, 0},
      {"(1+2", ERR_UNMPARENTHESES, 0},                  {"1 2", ERR_SYNTAXERROR, 0},
      {"1<<2", ERR_VALUEEXPECTED, 0},                   {"1 .. 2", ERR_WRONGOPCST, 0},
      {"", ERR_VALUEEXPECTED, 0},                       {"$", ERR_SYNTAXERROR, 0},
      {"x", ERR_VALUEEXPECTED, 0},
  };
  for (const auto& c : cases) {
    double r = -99;
    EXPECT_EQ(eval_expression(c.expr, {}, &r), c.code) << c.expr;
    if (c.code == 0) {
      EXPECT_EQ(r, c.want) << c.expr;
    }
  }
}

TEST(Eval, DeepNestingStopsWithStackError) {
  std::string deep(100000, '(');
  double r;
  EXPECT_EQ(eval_expression(deep.c_str(), {}, &r), ERR_STACK);
  std::string minus(100000, '-');
  EXPECT_EQ(eval_expression((minus + "1").c_str(), {}, &r), ERR_STACK);
}

class EvalCommand : public qmtest::CommandTest {
 protected:
  void SetUp() override { open({string_open}); }
};

TEST_F(EvalCommand, VariablesFromOptions) {
  // Eval("a*2", {variables = {[0] = {name = "A", value = 4}}})
  auto run = [&](const char* expr, const char* name, double value) {
    vm_set_top(L, 0);
    vm_push_string(L, "eval");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_string(L, expr);
    vm_new_table(L);
    vm_push_string(L, "variables");
    vm_new_table(L);
    vm_new_table(L);
    vm_push_string(L, "name");
    vm_push_string(L, name);
    vm_raw_set(L, -3);
    vm_push_string(L, "value");
    vm_push_number(L, value);
    vm_raw_set(L, -3);
    vm_raw_seti(L, -2, 0);
    vm_raw_set(L, -3);
    int32_t code = vm_pcall(L, 2, 1, 0);
    return code ? -double(code) : vm_to_number(L, -1);
  };
  EXPECT_EQ(run("a*2", "A", 4), 8);
  EXPECT_EQ(run("ab + a", "ab", 1), -ERR_VALUEEXPECTED);  // "a" is not the variable "ab"
  EXPECT_EQ(run("1", "9lives", 1), -ERR_WRONGUSAGE);
  EXPECT_EQ(first("Eval", {std::string("1"), 5.0}), "error 1140");
}

}  // namespace
