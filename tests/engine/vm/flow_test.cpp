// Tables, loops, Gosub and Basic Return, and the end request.
#include <string>

#include "engine/errcodes.h"
#include "engine/table.h"
#include "engine/vmstring.h"
#include "vm_fixture.h"

namespace {

using Flow = VmTest;

TEST_F(Flow, MissingFieldTexts) {
  struct Case {
    const char* key;
    const char* text;
  };
  const Case cases[] = {{"\"x\"", "Table field \"x\" was not initialized!"},
                        {"#5", "Table field 5 was not initialized!"},
                        {"#0.5", "Table field 0.5 was not initialized!"}};
  for (const Case& c : cases) {
    RunResult r = run(std::string(".maxstack 3\n.lineno 7\n  NEWTABLE r0 0 0\n  GETTABLE r1 r0 ") + c.key +
                      "\n  RETURN r0 1\n");
    EXPECT_EQ(r.status, qm::ERR_FIELDINIT);
    EXPECT_EQ(r.where, std::string("test:7: ") + c.text);
  }
}

TEST_F(Flow, IndexingANonTableNamesTheVariable) {
  RunResult r = run(R"(
.maxstack 3
.lineno 4
  GETGLOBAL r0 "nosuch"
  GETTABLE r1 r0 "x"
  RETURN r0 1
)");
  EXPECT_EQ(r.status, qm::ERR_TABLEDECLA);
  EXPECT_EQ(r.where, "test:4: Table nosuch{} not found!");
}

TEST_F(Flow, SelfGivesNilForAMissingMethodAndTheObject) {
  RunResult r = run(R"(
.maxstack 5
  GETGLOBAL r0 "print"
  NEWTABLE r3 0 0
  SELF r1 r3 "m"
  EQ 1 r2 r3
  JMP @same
  RETURN r0 1
same:
  CALL r0 2 1
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "nil\n");
}

TEST_F(Flow, SetListStoresFromKeyZero) {
  RunResult r = run(R"(
.maxstack 9
  NEWTABLE r5 0 0
  LOADK r6 #10
  LOADK r7 #20
  LOADK r8 #30
  SETLIST r5 2
  GETGLOBAL r0 "print"
  GETTABLE r1 r5 #0
  GETTABLE r2 r5 #1
  GETTABLE r3 r5 #2
  CALL r0 4 1
  SETGLOBAL r5 "list"
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "10 20 30\n");
  vm_push_string(L, "list");
  vm_get_table(L, QM_GLOBALSINDEX);
  qmTable* t = hvalue(L->top - 1);
  qmValue zero, two;
  setnvalue(&zero, 0);
  setnvalue(&two, 2);
  EXPECT_EQ(vm_table_key_place(t, &zero), 2);
  EXPECT_EQ(vm_table_key_place(t, &two), 1);
}

TEST_F(Flow, SetListOnANonTableRaises) {
  RunResult r = run(".maxstack 4\n  LOADK r1 #1\n  LOADK r2 #2\n  SETLIST r1 0\n  RETURN r0 1\n");
  EXPECT_EQ(r.status, qm::ERR_TABLEDECLA);
}

TEST_F(Flow, CountingLoops) {
  // for i = 3, nil, -1: the nil limit is 0, so 3 2 1 0; a step of 0 runs while next >= limit.
  RunResult r = run(R"(
.maxstack 8
  GETGLOBAL r0 "print"
  LOADK r1 #4
  LOADNIL r2 r2
  LOADK r3 #-1
  JMP @test
body:
  MOVE r5 r0
  MOVE r6 r1
  CALL r5 2 1
test:
  FORLOOP r1 @body
  LOADK r1 #0
  LOADK r2 #-1
  LOADK r3 #0
  LOADK r4 #0
again:
  ADD r4 r4 #1
  EQ 1 r4 #3
  JMP @done
  FORLOOP r1 @again
done:
  MOVE r5 r0
  MOVE r6 r4
  CALL r5 2 1
  LOADK r1 "x"
  FORLOOP r1 @done
  RETURN r0 1
)");
  EXPECT_EQ(r.status, qm::ERR_VALUEEXPECTED);
  EXPECT_EQ(r.out, "3\n2\n1\n0\n3\n");
}

TEST_F(Flow, IteratorLoopUsesTheEnginesNext) {
  RunResult r = run(R"(
.maxstack 8
  NEWTABLE r1 0 0
  SETTABLE r1 #1 "one"
  SETTABLE r1 "k" "v"
  MOVE r0 r1
  TFORPREP r0 @test
body:
  GETGLOBAL r4 "print"
  MOVE r5 r2
  MOVE r6 r3
  CALL r4 3 1
test:
  TFORLOOP r0 0 1
  JMP @body
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "1 one\nk v\n");
}

// The loop's call sits above its variables and wants one result per variable, beyond the frame
// when there are many: a command iterator (print returns nothing) and a script iterator that
// collects garbage before returning, for a stack the collector may shrink under the call.
TEST_F(Flow, IteratorLoopWithManyVariablesStaysInTheStack) {
  RunResult r = run(R"(
.maxstack 206
  GETGLOBAL r0 "print"
  TFORLOOP r0 0 200
  JMP @x
x:
  CLOSURE r0 f:iter
  TFORLOOP r0 0 200
  JMP @y
y:
  MOVE r1 r3
  GETGLOBAL r0 "print"
  CALL r0 2 1
  RETURN r0 1
.function iter
  .maxstack 4
  GETGLOBAL r0 "collect"
  CALL r0 1 1
  LOADNIL r0 0
  LOADK r1 "last"
  RETURN r0 3
.end
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "nil nil\nlast\n");
}

TEST_F(Flow, GosubAndBasicReturn) {
  RunResult r = run(R"(
.maxstack 4
  GETGLOBAL r0 "print"
  GOSUB @sub
  LOADK r1 "back"
  CALL r0 2 1
  RETURN 0 0 1
sub:
  LOADK r1 "sub"
  MOVE r2 r0
  MOVE r3 r1
  CALL r2 2 1
  RETURN 0 0 1
)");
  EXPECT_EQ(r.status, qm::ERR_RETWOGOSUB);  // the second Basic Return has no Gosub
  EXPECT_EQ(r.out, "sub\nback\n");
}

TEST_F(Flow, GosubStackHolds4096Entries) {
  RunResult r = run(R"(
.maxstack 3
  LOADK r0 #0
sub:
  ADD r0 r0 #1
  SETGLOBAL r0 "n"
  GOSUB @sub
  RETURN r0 1
)");
  EXPECT_EQ(r.status, qm::ERR_INTERNAL);
  vm_push_string(L, "n");
  vm_get_table(L, QM_GLOBALSINDEX);
  EXPECT_EQ(vm_to_number(L, -1), 4097);  // 4096 pushes succeeded, the 4097th failed
  EXPECT_EQ(vm_gosub_depth(L), 0);       // the caught error dropped the entries of its frames
}

TEST_F(Flow, ReturnCannotContinueInAnotherFunction) {
  // main Gosubs, then calls a function whose Basic Return would pop main's entry.
  RunResult r = run(R"(
.maxstack 4
  GOSUB @sub
  RETURN r0 1
sub:
  CLOSURE r0 f0
  CALL r0 1 1
  RETURN 0 0 1
.function
  .maxstack 2
  RETURN 0 0 1
.end
)");
  EXPECT_EQ(r.status, qm::ERR_RETWOGOSUB);
}

TEST_F(Flow, EntriesOfAReturnedFunctionAreDropped) {
  // f Gosubs and returns without a Basic Return; main's own Gosub stays usable.
  RunResult r = run(R"(
.maxstack 4
  GOSUB @sub
  GETGLOBAL r0 "print"
  LOADK r1 "done"
  CALL r0 2 1
  RETURN r0 1
sub:
  CLOSURE r0 f0
  CALL r0 1 1
  RETURN 0 0 1
.function
  .maxstack 2
  GOSUB @x
x:
  RETURN r0 1
.end
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "done\n");
}

TEST_F(Flow, CommandGosubRequests) {
  // gosub(4) continues four instructions after the call; the Return comes back behind the call.
  RunResult r = run(R"(
.maxstack 6
  GETGLOBAL r0 "print"
  GETGLOBAL r1 "gosub"
  LOADK r2 #4
  CALL r1 2 1
  LOADK r4 "after"
  MOVE r3 r0
  CALL r3 2 1
  RETURN r0 1
  LOADK r4 "sub"
  MOVE r3 r0
  CALL r3 2 1
  RETURN 0 0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "sub\nafter\n");
  for (const char* distance : {"#100", "#-100"}) {
    RunResult bad = run(std::string(".maxstack 4\n  GETGLOBAL r1 \"gosub\"\n  LOADK r2 ") + distance +
                        "\n  CALL r1 2 1\n  RETURN r0 1\n");
    EXPECT_EQ(bad.status, qm::ERR_INTERNAL) << distance;
  }
}

TEST_F(Flow, EndRequestStopsALoop) {
  RunResult r = run(R"(
.maxstack 6
  LOADK r1 #0
loop:
  ADD r1 r1 #1
  GETGLOBAL r0 "print"
  MOVE r2 r1
  CALL r0 2 1
  EQ 0 r1 #3
  JMP @loop
  GETGLOBAL r0 "endrequest"
  CALL r0 1 1
  JMP @loop
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1\n2\n3\n");
  EXPECT_TRUE(vm_end_requested());
}

}  // namespace
