// Events reached from the executor's operations in assembled programs.
#include <string>

#include "engine/errcodes.h"
#include "tests/engine/meta/program_fixture.h"

namespace {

using Events = ProgramTest;

// r0 := a table whose metatable (r1) has `event` = the record command; then `body` runs with
// r0 as operand and prints r2.
std::string with_event(const char* event, const char* body) {
  return std::string(".maxstack 8\n"
                     "  NEWTABLE r0 0 0\n"
                     "  NEWTABLE r1 0 0\n"
                     "  GETGLOBAL r2 \"record\"\n"
                     "  SETTABLE r1 \"") +
         event +
         "\" r2\n"
         "  GETGLOBAL r2 \"setmeta\"\n"
         "  MOVE r3 r0\n"
         "  MOVE r4 r1\n"
         "  CALL r2 3 1\n" +
         body +
         "  GETGLOBAL r3 \"print\"\n"
         "  MOVE r4 r2\n"
         "  CALL r3 2 1\n"
         "  RETURN r0 1\n";
}

TEST_F(Events, OperationsCallTheirEventsWithTheOperandsInOrder) {
  struct Case {
    const char* event;
    const char* body;
    std::vector<int32_t> args;
    const char* out;
  } cases[] = {
      {"__add", "  ADD r2 r0 #1\n", {QM_TTABLE, QM_TNUMBER}, "42"},
      {"__sub", "  SUB r2 \"5\" r0\n", {QM_TSTRING, QM_TTABLE}, "42"},
      {"__xor", "  XOR r2 r0 #nil\n", {QM_TTABLE, QM_TNIL}, "42"},
      {"__unm", "  UNM r2 r0\n", {QM_TTABLE, QM_TNIL}, "42"},
      {"__not", "  BNOT r2 r0\n", {QM_TTABLE, QM_TNIL}, "42"},
      {"__concat", "  LOADK r5 \"s\"\n  MOVE r6 r0\n  CONCAT r2 r5 r6\n", {QM_TSTRING, QM_TTABLE}, "42"},
      {"__index", "  GETTABLE r2 r0 \"missing\"\n", {QM_TTABLE, QM_TSTRING}, "42"},
      {"__lt", "  LT 1 r0 r0\n  JMP @yes\n  LOADK r2 #0\n  JMP @out\nyes:\n  LOADK r2 #1\nout:\n",
       {QM_TTABLE, QM_TTABLE}, "1"},
      {"__le", "  LE 1 r0 r0\n  JMP @yes\n  LOADK r2 #0\n  JMP @out\nyes:\n  LOADK r2 #1\nout:\n",
       {QM_TTABLE, QM_TTABLE}, "1"},
  };
  for (const Case& c : cases) {
    RunResult r = run(with_event(c.event, c.body));
    ASSERT_EQ(r.status, 0) << c.event << ": " << r.where;
    EXPECT_EQ(r.out, std::string(c.out) + "\n") << c.event;
    EXPECT_EQ(recorded, c.args) << c.event;
  }
}

TEST_F(Events, MissingEventsRaise) {
  struct Case {
    const char* body;
    int32_t code;
  } cases[] = {
      {"  MUL r2 r0 #2\n", qm::ERR_WRONGOP},
      {"  LOADK r5 \"s\"\n  MOVE r6 r0\n  CONCAT r2 r5 r6\n", qm::ERR_CONCAT},
      {"  LT 1 r0 r0\n  JMP 0\n", qm::ERR_WRONGOP},
      {"  EQ 1 r0 #1\n  JMP 0\n", qm::ERR_WRONGOP},
      {"  EQ 1 #0 \"\"\n  JMP 0\n", qm::ERR_NUMSTRCMP},
  };
  for (const Case& c : cases) {
    RunResult r = run(with_event("__unused", c.body));
    EXPECT_EQ(r.status, c.code) << c.body;
  }
}

TEST_F(Events, SelfReferentialIndexAndNewIndexStopAtTheChainLimit) {
  const char* setup =
      ".maxstack 6\n"
      "  NEWTABLE r0 0 0\n"
      "  NEWTABLE r1 0 0\n"
      "  SETTABLE r1 \"__index\" r0\n"
      "  SETTABLE r1 \"__newindex\" r0\n"
      "  GETGLOBAL r2 \"setmeta\"\n"
      "  MOVE r3 r0\n"
      "  MOVE r4 r1\n"
      "  CALL r2 3 1\n";
  RunResult r = run(std::string(setup) + "  GETTABLE r2 r0 \"missing\"\n  RETURN r0 1\n");
  EXPECT_EQ(r.status, qm::ERR_INTERNAL1);
  EXPECT_NE(r.where.find("#1"), std::string::npos) << r.where;
  r = run(std::string(setup) + "  SETTABLE r0 \"new\" #1\n  RETURN r0 1\n");
  EXPECT_EQ(r.status, qm::ERR_INTERNAL1);
  EXPECT_NE(r.where.find("#2"), std::string::npos) << r.where;
}

TEST_F(Events, IndexTablesAnswerFieldReadsAndMethodLookups) {
  // r0 an object, r1 its metatable with __index = r2 (the class); the class's own metatable r3
  // has __index = r4 (the base class). "own" lives in r2, "base" in r4, 7 in r2 as a number key.
  const char* setup =
      ".maxstack 12\n"
      "  NEWTABLE r0 0 0\n"
      "  NEWTABLE r1 0 0\n"
      "  NEWTABLE r2 0 0\n"
      "  NEWTABLE r3 0 0\n"
      "  NEWTABLE r4 0 0\n"
      "  SETTABLE r1 \"__index\" r2\n"
      "  SETTABLE r3 \"__index\" r4\n"
      "  SETTABLE r2 \"own\" \"from class\"\n"
      "  SETTABLE r2 #7 \"seven\"\n"
      "  SETTABLE r4 \"base\" \"from base\"\n"
      "  GETGLOBAL r5 \"setmeta\"\n  MOVE r6 r0\n  MOVE r7 r1\n  CALL r5 3 1\n"
      "  GETGLOBAL r5 \"setmeta\"\n  MOVE r6 r2\n  MOVE r7 r3\n  CALL r5 3 1\n";
  struct Case {
    const char* read;  // leaves the value in r8
    int32_t status;
    const char* out;
  } cases[] = {
      {"  GETTABLE r8 r0 \"own\"\n", 0, "from class"},
      {"  GETTABLE r8 r0 #7\n", 0, "seven"},
      {"  GETTABLE r8 r0 \"base\"\n", 0, "from base"},
      {"  GETTABLE r8 r0 \"none\"\n", qm::ERR_FIELDINIT, ""},
      {"  SELF r8 r0 \"own\"\n", 0, "from class"},
      {"  SELF r8 r0 \"base\"\n", 0, "from base"},
      {"  SELF r8 r0 \"none\"\n", 0, "nil"},
  };
  for (const Case& c : cases) {
    RunResult r = run(std::string(setup) + c.read + "  GETGLOBAL r10 \"print\"\n  MOVE r11 r8\n  CALL r10 2 1\n  RETURN r0 1\n");
    EXPECT_EQ(r.status, c.status) << c.read << r.where;
    if (c.status == 0) {
      EXPECT_EQ(r.out, std::string(c.out) + "\n") << c.read;
    }
  }
  RunResult r = run(std::string(setup) + "  GETTABLE r8 r0 \"none\"\n  RETURN r0 1\n");
  EXPECT_NE(r.where.find("\"none\""), std::string::npos) << r.where;
}

TEST_F(Events, EqualityEventOnlyForTheSameEvent) {
  // two tables sharing a metatable with __eq = record (which answers 42: true)
  RunResult r = run(R"(.maxstack 8
  NEWTABLE r0 0 0
  NEWTABLE r5 0 0
  NEWTABLE r1 0 0
  GETGLOBAL r2 "record"
  SETTABLE r1 "__eq" r2
  GETGLOBAL r2 "setmeta"
  MOVE r3 r0
  MOVE r4 r1
  CALL r2 3 1
  GETGLOBAL r2 "setmeta"
  MOVE r3 r5
  MOVE r4 r1
  CALL r2 3 1
  EQ 1 r0 r5
  JMP @yes
  LOADK r2 "different"
  JMP @out
yes:
  LOADK r2 "equal"
out:
  GETGLOBAL r3 "print"
  MOVE r4 r2
  CALL r3 2 1
  RETURN r0 1
)");
  ASSERT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "equal\n");
  EXPECT_EQ(recorded, (std::vector<int32_t>{QM_TTABLE, QM_TTABLE}));
}

}  // namespace
