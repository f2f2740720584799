#include <cmath>

#include "command_harness.h"
#include "stdlib/stdlib.h"

namespace {

using qmtest::Arg;

class MathLib : public qmtest::CommandTest {
 protected:
  void SetUp() override { open({math_open}); }
};

TEST_F(MathLib, CommandTable) {
  const double INTEGER = 1, SHORT = 6, BYTE = 7;
  struct Case {
    const char* cmd;
    std::initializer_list<Arg> args;
    const char* want;
  } cases[] = {
      {"Int", {-2.7}, "-2"},
      {"Int", {1e12}, "-2147483648"},
      {"Floor", {-2.7}, "-3"},
      {"Round", {2.5}, "2"},
      {"Round", {3.5}, "4"},
      {"Round", {-1e12}, "-2147483648"},
      {"Mod", {-7.0, 3.0}, "-1"},
      {"Mod", {7.0, 0.0}, "error 1089"},
      {"Div", {1.0, 0.0}, "error 1089"},
      {"Rt", {27.0, 3.0}, "3"},
      {"Rt", {27.0, -3.0}, "error 1055"},
      {"Wrap", {12.0, 0.0, 10.0}, "2"},
      {"Wrap", {-3.0, 0.0, 10.0}, "7"},
      {"Wrap", {25.0, 0.0, 10.0}, "15"},
      {"Limit", {5.0, 10.0, 20.0}, "10"},
      {"Limit", {25.0, 10.0, 20.0}, "20"},
      {"BitComplement", {0.0}, "4294967295"},
      {"Sar", {-8.0, 1.0}, "-4"},
      {"Shr", {-8.0, 1.0}, "2147483644"},
      {"Shl", {1.0, 33.0}, "2"},
      {"BitSet", {0.0, 32.0}, "error 1055"},
      {"BitTest", {5.0, 2.0}, "1"},
      {"BitClear", {7.0, 0.0}, "6"},
      {"BitXor", {-1.0, 1.0}, "4294967294"},
      {"Rol", {129.0, 1.0, BYTE}, "3"},
      {"Ror", {1.0, 1.0, SHORT}, "32768"},
      {"Ror", {1.0, 1.0}, "2147483648"},
      {"Rol", {1.0, 40.0, INTEGER}, "256"},
      {"Rol", {1.0, 1.0, 2.0}, "error 1055"},
      {"Cast", {255.0, 1.0, BYTE}, "-1"},
      {"Cast", {65535.0, 0.0, SHORT}, "65535"},
      {"Cast", {-1.0, 0.0, INTEGER}, "4294967295"},
      {"Cast", {32768.0, 1.0, SHORT}, "-32768"},
      {"Rnd", {1.0}, "0"},
      {"Rnd", {0.0}, "error 1089"},
      {"Rnd", {-5.0}, "error 1055"},
      {"Min", {3.0, 1.0, 2.0}, "1"},
      {"Max", {3.0, 7.0, 2.0}, "7"},
      {"Max", {1.0, std::nan(""), 2.0}, "2"},
      {"Min", {1.0}, "error 1014"},
      {"Sgn", {-0.5}, "-1"},
      {"Sgn", {std::nan("")}, "0"},
      {"Abs", {1.0, 2.0}, "error 1193"},
      {"Abs", {std::string("x")}, "error 1138"},
      {"Abs", {std::string("-3")}, "3"},
      {"LdExp", {0.5, 4.0}, "8"},
      {"Hypot", {3.0, 4.0}, "5"},
      {"Deg", {3.141592653589793}, "180"},
      {"Ld", {8.0}, "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(first(c.cmd, c.args), c.want) << c.cmd;
}

TEST_F(MathLib, FrExpGivesTwoResults) {
  auto o = call("FrExp", {8.0});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(o.results, (std::vector<std::string>{"0.5", "4"}));
}

TEST_F(MathLib, PiAndSeededRandom) {
  const char* text = nullptr;
  double pi = 0;
  ASSERT_EQ(vm_find_constant(L, "PI", &text, &pi), 1);
  EXPECT_EQ(pi, 3.141592653589793);
  math_seed_random(42);
  std::string a = first("RndF", {}), b = first("Rnd", {1000.0});
  math_seed_random(42);
  EXPECT_EQ(first("RndF", {}), a);
  EXPECT_EQ(first("Rnd", {1000.0}), b);
}

}  // namespace
