// Operators by family: arithmetic, integer and bitwise, unary, comparison, concatenation. Each
// case runs "r1 := L op R; print(r1)" (or a comparison as 1/0) and checks the text or the error.
#include <string>

#include "engine/errcodes.h"
#include "vm_fixture.h"

namespace {

using Operators = VmTest;

struct Case {
  const char* op;
  const char* lhs;  // assembler constant (#7, "x", #nil) or T for a fresh table
  const char* rhs;
  const char* expect;  // printed text, or nullptr when `code` is raised
  int32_t code;
};

// Loads an operand into register r.
std::string load(const char* tok, int r) {
  std::string reg = "r" + std::to_string(r);
  if (std::string(tok) == "T") return "  NEWTABLE " + reg + " 0 0\n";
  if (std::string(tok) == "#nil") return "  LOADNIL " + reg + " " + reg + "\n";
  return "  LOADK " + reg + " " + tok + "\n";
}

std::string program(const Case& c) {
  std::string op = c.op;
  std::string s = ".maxstack 6\n  GETGLOBAL r0 \"print\"\n" + load(c.lhs, 2) + load(c.rhs, 3);
  if (op == "EQ" || op == "LT" || op == "LE") {
    s += "  " + op + " 1 r2 r3\n  JMP @yes\n  LOADK r1 #0\n  JMP @out\nyes:\n  LOADK r1 #1\nout:\n";
  } else if (op == "UNM" || op == "NOT" || op == "BNOT") {
    s += "  " + op + " r1 r2\n";
  } else if (op == "CONCAT") {
    s += "  CONCAT r1 r2 r3\n";
  } else {
    s += "  " + op + " r1 r2 r3\n";
  }
  return s + "  CALL r0 2 1\n  RETURN r0 1\n";
}

void check(Operators* t, const Case* cases, size_t n) {
  for (size_t i = 0; i < n; i++) {
    const Case& c = cases[i];
    RunResult r = t->run(program(c));
    std::string what = std::string(c.op) + " " + c.lhs + " " + c.rhs;
    if (c.expect) {
      EXPECT_EQ(r.status, 0) << what << ": " << r.where;
      EXPECT_EQ(r.out, std::string(c.expect) + "\n") << what;
    } else {
      EXPECT_EQ(r.status, c.code) << what;
    }
  }
}

TEST_F(Operators, Arithmetic) {
  const Case cases[] = {
      {"ADD", "#1", "#2", "3", 0},          {"ADD", "#nil", "#1", "1", 0},
      {"MUL", "\"2\"", "\"3\"", "6", 0},    {"ADD", "\"x\"", "#1", nullptr, qm::ERR_WRONGOP},
      {"SUB", "\"$10\"", "#1", "15", 0},    {"DIV", "#1", "#4", "0.25", 0},
      {"DIV", "#5", "#0", nullptr, qm::ERR_ZERODIVISION},
      {"DIV", "#5", "#nil", nullptr, qm::ERR_ZERODIVISION},
      {"POW", "#2", "#10", "1024", 0},      {"ADD", "T", "#1", nullptr, qm::ERR_WRONGOP},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, IntegerDivisionAndRemainder) {
  const Case cases[] = {
      {"DIVINT", "#7", "#-2", "-3", 0},      {"MOD", "#-7", "#2", "-1", 0},
      {"MOD", "#7.5", "#2", "1", 0},         {"MOD", "#7", "#-3", "1", 0},
      {"DIVINT", "#7.9", "#2.9", "3", 0},    {"DIVINT", "#1", "#0.4", nullptr, qm::ERR_ZERODIVISION},
      {"MOD", "#5", "#0.5", nullptr, qm::ERR_ZERODIVISION},
      // the one quotient outside int32: no trap
      {"DIVINT", "#-2147483648", "#-1", "2147483648", 0},
      {"MOD", "#-2147483648", "#-1", "0", 0},
      {"DIVINT", "#1e12", "#1", "-2147483648", 0},  // out of range truncates to INT32_MIN
      {"DIVINT", "\"9\"", "#nil", nullptr, qm::ERR_ZERODIVISION},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, Bitwise) {
  const Case cases[] = {
      {"OR", "#-1", "#0", "4294967295", 0},     {"LSH", "#1", "#32", "1", 0},
      {"LSH", "#1", "#31", "2147483648", 0},    {"RSH", "#-8", "#1", "2147483644", 0},
      {"AND", "#5e9", "#1", "1", 0},            {"XOR", "#1e12", "#0", "4294967295", 0},
      {"LSH", "#1", "#-1", "2147483648", 0},    {"AND", "#nan", "#7", "0", 0},
      {"BNOT", "#0", "#0", "4294967295", 0},    {"BNOT", "#-1", "#0", "0", 0},
      {"OR", "\"3\"", "#4", "7", 0},            {"OR", "T", "#4", nullptr, qm::ERR_WRONGOP},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, Unary) {
  const Case cases[] = {
      {"UNM", "#3", "#0", "-3", 0},        {"UNM", "#nil", "#0", "-0", 0},
      {"UNM", "\"4\"", "#0", "-4", 0},     {"UNM", "T", "#0", nullptr, qm::ERR_WRONGOP},
      {"NOT", "\"\"", "#0", "1", 0},       {"NOT", "\"0\"", "#0", "0", 0},
      {"NOT", "#0", "#0", "1", 0},         {"NOT", "#-0", "#0", "1", 0},
      {"NOT", "#nan", "#0", "0", 0},       {"NOT", "T", "#0", "0", 0},
      {"NOT", "#nil", "#0", "1", 0},       {"BNOT", "\"x\"", "#0", nullptr, qm::ERR_WRONGOP},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, Comparison) {
  const Case cases[] = {
      {"LE", "#nil", "#0", "1", 0},         {"LE", "#nil", "\"a\"", "0", 0},
      {"LE", "\"a\"", "#nil", "0", 0},      {"LE", "#1", "\"1\"", nullptr, qm::ERR_NUMSTRCMP},
      {"LE", "T", "#1", nullptr, qm::ERR_WRONGOP},
      {"LE", "#nil", "#nil", "1", 0},       {"LE", "#-1", "#nil", "1", 0},
      {"LE", "\"ab\"", "\"ab\"", "1", 0},   {"LE", "\"b\"", "\"ab\"", "0", 0},
      {"LT", "#nil", "#1", "1", 0},         {"LT", "#nil", "#-1", "0", 0},
      {"LT", "#-1", "#nil", "1", 0},        {"LT", "#nil", "\"a\"", "0", 0},
      {"LT", "\"a\"", "\"b\"", "1", 0},     {"LT", "\"abc\"", "\"ab\"", "0", 0},
      {"LT", "\"B\"", "\"a\"", "1", 0},     {"LT", "T", "T", nullptr, qm::ERR_WRONGOP},
      {"EQ", "#nil", "#0", "1", 0},         {"EQ", "#nil", "\"\"", "1", 0},
      {"EQ", "\"\"", "#nil", "1", 0},       {"EQ", "#nan", "#nil", "0", 0},
      {"EQ", "#0", "\"\"", nullptr, qm::ERR_NUMSTRCMP},
      {"EQ", "#1", "\"1\"", nullptr, qm::ERR_NUMSTRCMP},
      {"EQ", "T", "#1", nullptr, qm::ERR_WRONGOP},
      {"EQ", "T", "T", "0", 0},             {"EQ", "\"x\"", "\"x\"", "1", 0},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, Concatenation) {
  const Case cases[] = {
      {"CONCAT", "\"a\"", "#nil", "a", 0},   {"CONCAT", "#1", "#2", "12", 0},
      {"CONCAT", "#0.1", "\"\"", "0.1", 0},  {"CONCAT", "#1e15", "\"\"", "1e+15", 0},
      {"CONCAT", "#nil", "#nil", "", 0},     {"CONCAT", "T", "\"x\"", nullptr, qm::ERR_CONCAT},
      {"CONCAT", "\"x\"", "T", nullptr, qm::ERR_CONCAT},
  };
  check(this, cases, std::size(cases));
}

TEST_F(Operators, LongConcatenationAndLoadBool) {
  RunResult r = run(R"(
.maxstack 8
  GETGLOBAL r0 "print"
  LOADK r1 "a"
  LOADK r2 #2
  LOADNIL r3 r3
  LOADK r4 "-"
  LOADBOOL r5 1 0
  CONCAT r1 r1 r5
  LOADBOOL r2 1 1
  LOADK r2 "skipped"
  CALL r0 3 1
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "a2-1 1\n");
}

}  // namespace
