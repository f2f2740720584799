#include <cstdio>

#include "command_harness.h"
#include "stdlib/stdlib.h"

namespace {

using qmtest::Arg;
using qmtest::Nil;
using S = std::string;

class StringLib : public qmtest::CommandTest {
 protected:
  void SetUp() override { open({string_open}); }
};

struct Case {
  const char* cmd;
  std::initializer_list<Arg> args;
  const char* want;
};

TEST_F(StringLib, CommandTable) {
  Case cases[] = {
      {"HexStr", {255.0}, "'$FF'"},
      {"HexStr", {-1.0}, "'$FFFFFFFF'"},
      {"BinStr", {5.0, 7.0}, "'00000101'"},
      {"BinStr", {5.0, 2.0}, "''"},
      {"BinStr", {-1.0, 6.0}, "'1111111111111111'"},
      {"StrStr", {3.14159}, "'3.14'"},
      {"StrStr", {3.14159, 0.0}, "'3'"},
      {"StrStr", {3.14159, -1.0}, "'3.'"},
      {"StrStr", {2.0}, "'2'"},
      {"Chr", {0.0}, "''"},
      {"Chr", {65.0}, "'A'"},
      {"Chr", {256.0}, "error 1055"},
      {"Asc", {S("")}, "0"},
      {"Asc", {S("\xE9")}, "233"},
      {"FindStr", {S("Hello"), S("L"), 0.0}, "2"},
      {"FindStr", {S("Hello"), S("L")}, "-1"},
      {"FindStr", {S("abcabc"), S("abc"), 1.0, 1.0}, "3"},
      {"FindStr", {S("abc"), S("c"), 1.0, -1.0}, "error 1055"},
      {"FindStr", {S("abc"), S("c"), Nil{}}, "error 1138"},  // an explicit nil is not absent
      {"CountStr", {S("aaaa"), S("aa")}, "2"},
      {"CountStr", {S("\xC9t\xE9"), S("\xE9"), 0.0}, "2"},
      {"ReplaceStr", {S("aXbXc"), S("x"), S("--"), 0.0}, "'a--b--c'"},
      {"ReplaceStr", {S("aXbXc"), S("X"), S("-"), 1.0, 2.0}, "'aXb-c'"},
      {"ReplaceStr", {S("abc"), S(""), S("-")}, "'abc'"},
      {"TrimStr", {S("xxabxx"), S("x"), 0.0}, "'abxx'"},
      {"TrimStr", {S("xxabxx"), S("x"), 1.0}, "'xxab'"},
      {"TrimStr", {S("xxx"), S("x"), 0.0}, "''"},
      {"TrimStr", {S("xxx"), S("xy"), 0.0}, "error 1055"},
      {"InsertStr", {S("abcdef"), S("XY"), 2.0}, "'abXYcdef'"},
      {"InsertStr", {S("abcdef"), S("XY"), 2.0, 1.0}, "'abXYef'"},
      {"InsertStr", {S("abc"), S("XY"), 10.0}, "'abcXY'"},
      {"InsertStr", {S("abc"), S("XYZ"), 2.0, 1.0}, "'abXYZ'"},
      {"LowerStr", {S("AB\xC9\xD7")}, "'ab\xE9\xD7'"},
      {"UpperStr", {S("ab\xE9\xF7\xFF")}, "'AB\xC9\xF7\xFF'"},
      {"MidStr", {S("abcdef"), 2.0, 3.0}, "'cde'"},
      {"MidStr", {S("abcdef"), 4.0, 30.0}, "'ef'"},
      {"MidStr", {S("abc"), -1.0, 2.0}, "error 1055"},
      {"UnmidStr", {S("abcdef"), 1.0, 2.0}, "'adef'"},
      {"UnmidStr", {S("abc"), 10.0, 2.0}, "'abc'"},
      {"UnleftStr", {S("abcdef"), 2.0}, "'abcd'"},
      {"UnrightStr", {S("abcdef"), 2.0}, "'cdef'"},
      {"UnrightStr", {S("abc"), 9.0}, "''"},
      {"LeftStr", {S("abc"), -1.0}, "''"},
      {"RightStr", {S("abc"), 2.0}, "'bc'"},
      {"PadNum", {42.0, 5.0}, "'00042'"},
      {"PadNum", {12345.0, 2.0}, "'12345'"},
      {"PadNum", {1.0, 2147483647.0}, "error 1000"},
      {"RepeatStr", {S("ab"), 3.0}, "'ababab'"},
      {"RepeatStr", {S("ab"), 0.0}, "error 1055"},
      {"RepeatStr", {S("abcd"), 2000000000.0}, "error 1000"},
      {"ToNumber", {S("ff"), 16.0}, "255"},
      {"ToNumber", {S("12x"), 10.0}, "0"},
      {"ToNumber", {S("$1F")}, "31"},
      {"ToNumber", {S("101 "), 2.0}, "5"},
      {"ToNumber", {S("-1"), 16.0}, "4294967295"},
      {"ToNumber", {S("123456789ab"), 16.0}, "4294967295"},
      {"ToNumber", {S("1"), 1.0}, "error 1055"},
      {"ToString", {Nil{}}, "'Nil'"},
      {"ToString", {0.1}, "'0.1'"},
      {"ToString", {1e15}, "'1e+15'"},
      {"Val", {S("$FF")}, "255"},
      {"Val", {S("-$10")}, "-16"},
      {"Val", {S("%101")}, "5"},
      {"Val", {S("xyz")}, "0"},
      {"StrLen", {S("a\0b", 3)}, "3"},
      {"CRC32Str", {S("abc")}, "891568578"},
      {"CRC32Str", {S("")}, "error 1055"},
      {"MD5Str", {S("abc")}, "'900150983cd24fb0d6963f7d28e17f72'"},
  };
  for (const auto& c : cases) EXPECT_EQ(first(c.cmd, c.args), c.want) << c.cmd;
}

// Every slicing command keeps NUL bytes as ordinary bytes.
TEST_F(StringLib, EmbeddedNulBytes) {
  const S s("a\0b\0c", 5);
  Case cases[] = {
      {"LeftStr", {s, 3.0}, "'a\0b'"},      {"RightStr", {s, 3.0}, "'b\0c'"},
      {"MidStr", {s, 1.0, 3.0}, "'\0b\0'"}, {"UnleftStr", {s, 2.0}, "'a\0b'"},
      {"UnrightStr", {s, 2.0}, "'b\0c'"},   {"UnmidStr", {s, 1.0, 3.0}, "'ac'"},
      {"FindStr", {s, S("\0c", 2)}, "3"},   {"UpperStr", {s}, "'A\0B\0C'"},
      {"AddStr", {S("a\0", 2), S("b")}, "'a\0b'"},
  };
  const size_t lens[] = {5, 5, 5, 5, 5, 4, 1, 7, 5};
  for (size_t i = 0; i < std::size(cases); i++)
    EXPECT_EQ(first(cases[i].cmd, cases[i].args), S(cases[i].want, lens[i])) << cases[i].cmd;
}

TEST_F(StringLib, SplitStr) {
  auto o = call("SplitStr", {S(",a,"), S(",")});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(o.results[1], "3");
  const char* want[] = {"", "a", ""};
  for (int i = 0; i < 3; i++) {
    vm_raw_geti(L, 1, i);
    EXPECT_EQ(qmtest::describe(L, -1), "'" + S(want[i]) + "'");
    vm_set_top(L, -2);
  }
  EXPECT_EQ(call("SplitStr", {S("abc"), S(",")}).results[1], "1");
}

TEST_F(StringLib, StrToArrayEndsWithZero) {
  auto o = call("StrToArray", {S("AB")});
  ASSERT_EQ(o.code, 0);
  const char* want[] = {"65", "66", "0"};
  for (int i = 0; i < 3; i++) {
    vm_raw_geti(L, 1, i);
    EXPECT_EQ(qmtest::describe(L, -1), want[i]);
    vm_set_top(L, -2);
  }
}

std::string coreutils_printf(const std::string& fmt, const std::string& arg) {
  std::string cmd = "LC_ALL=C /usr/bin/printf '" + fmt + "' '" + arg + "'";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[256];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

TEST_F(StringLib, FormatStrAgreesWithPrintf) {
  struct F { const char* fmt; double v; } nums[] = {
      {"%5.2f", 3.14159}, {"%-6d|", 42}, {"%+d", 7}, {"%x", 255}, {"%08.3e", 12345.678},
      {"%#o", 8}, {"%X", 3735928559.0}, {"%g", 0.0001}, {"%u", 42}, {"% d", 5},
  };
  for (const auto& f : nums) {
    char arg[64];
    std::snprintf(arg, sizeof arg, "%.17g", f.v);
    EXPECT_EQ(first("FormatStr", {S(f.fmt), f.v}), "'" + coreutils_printf(f.fmt, arg) + "'") << f.fmt;
  }
  EXPECT_EQ(first("FormatStr", {S("[%-5s]"), S("ab")}), "'" + coreutils_printf("[%-5s]", "ab") + "'");
}

TEST_F(StringLib, FormatStrOwnRules) {
  EXPECT_EQ(first("FormatStr", {S("100%% %d"), 5.0}), "'100% 5'");
  EXPECT_EQ(first("FormatStr", {S("%q"), S("a\"b\\c\nd\0e", 9)}), S("'\"a\\\"b\\\\c\\\nd\\000e\"'"));
  EXPECT_EQ(first("FormatStr", {S("[%c]"), 0.0}), S("'[\0]'", 5));  // the NUL byte stays
  EXPECT_EQ(first("FormatStr", {S("%5s"), S(std::string(150, 'x'))}), "'" + std::string(150, 'x') + "'");
  EXPECT_EQ(first("FormatStr", {S("%123d"), 1.0}), "error 1055");
  EXPECT_EQ(first("FormatStr", {S("%k"), 1.0}), "error 1055");
  EXPECT_EQ(first("FormatStr", {S("%d")}), "error 1138");
  EXPECT_EQ(first("FormatStr", {S("%s"), Nil{}}), "error 1139");
}

TEST_F(StringLib, PatternReplace) {
  auto o = call("PatternReplaceStr", {S("hello world"), S("o"), S("0")});
  EXPECT_EQ(o.results, (std::vector<std::string>{"'hell0 w0rld'", "2"}));
  o = call("PatternReplaceStr", {S("abc"), S(""), S("-")});
  EXPECT_EQ(o.results, (std::vector<std::string>{"'-a-b-c-'", "4"}));
  Case cases[] = {
      {"PatternReplaceStr", {S("hello world"), S("(%w+) (%w+)"), S("%2 %1")}, "'world hello'"},
      {"PatternReplaceStr", {S("aaa"), S("^a"), S("b")}, "'baa'"},
      {"PatternReplaceStr", {S("abc"), S("%w"), S("%0")}, "'000'"},
      {"PatternReplaceStr", {S("x = 1"), S("()="), S("%1")}, "'x 3 1'"},
      {"PatternReplaceStr", {S("f(a(b)c) g"), S("%b()"), S("")}, "'f g'"},
      {"PatternReplaceStr", {S("THE (quick) fox"), S("%f[%a]%a+"), S("W")}, "'W (W) W'"},
      {"PatternReplaceStr", {S("abab"), S("(ab)%1"), S("x")}, "'x'"},
      {"PatternReplaceStr", {S("aaaa"), S("a"), S("b"), 2.0}, "'bbaa'"},
      {"PatternReplaceStr", {S("abc"), S("b"), 1.0}, "'a1c'"},
      {"PatternReplaceStr", {S("abc"), S("b"), Nil{}}, "error 1055"},
      {"PatternReplaceStr", {S("abc"), S("%1"), S("")}, "error 1461"},
      {"PatternReplaceStr", {S("abc"), S("a)"), S("")}, "error 1462"},
      {"PatternReplaceStr", {S("abc"), S("a%"), S("")}, "error 1463"},
      {"PatternReplaceStr", {S("abc"), S("[a"), S("")}, "error 1464"},
      {"PatternReplaceStr", {S("abc"), S("%b"), S("")}, "error 1465"},
      {"PatternReplaceStr", {S("abc"), S(std::string(33 * 2, '(').replace(1, 0, "")) + S("a"), S("")}, "error 1466"},
      {"PatternReplaceStr", {S("abc"), S("%fa"), S("")}, "error 1467"},
      {"PatternReplaceStr", {S("abc"), S("(a"), S("%1")}, "error 1468"},
  };
  for (const auto& c : cases) EXPECT_EQ(first(c.cmd, c.args), c.want) << c.cmd;
}

TEST_F(StringLib, PatternNestingIsBounded) {
  // A long chain of optional items recurses once per item: it must end in an error, not a crash.
  std::string chain;
  for (int i = 0; i < 5000; i++) chain += "a?";
  EXPECT_EQ(first("PatternReplaceStr", {S(std::string(5000, 'a')), S(chain), S("")}), "error 1135");
  // Plain items do not recurse at all.
  EXPECT_EQ(first("PatternReplaceStr", {S(std::string(5000, 'a')), S(std::string(5000, 'a')), S("x")}), "'x'");
}

TEST_F(StringLib, PatternFindIterates) {
  auto o = call("PatternFindStr", {S("k1=v1, k2=v2"), S("(%w+)=(%w+)")});
  ASSERT_EQ(o.code, 0);
  ASSERT_EQ(o.results[0], "function");
  std::vector<std::string> seen;
  for (int round = 0; round < 4; round++) {
    vm_push_value(L, 1);
    ASSERT_EQ(vm_pcall(L, 0, QM_MULTRET, 0), 0);
    int32_t n = vm_get_top(L) - 1;
    if (n == 0) break;
    for (int32_t i = 2; i <= vm_get_top(L); i++) seen.push_back(qmtest::describe(L, i));
    vm_set_top(L, 1);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"'k1'", "'v1'", "'k2'", "'v2'"}));
}

}  // namespace
