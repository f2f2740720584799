// Runs the same five programs in our engine (assembled here) and in lua5.4 (as source), each
// timed with the monotonic clock in one run, and prints our time divided by Lua's.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/state.h"
#include "engine/vm.h"
#include "tools/asm/text.h"
#include "tools/qmrun/testlib.h"

namespace {

struct Program {
  const char* name;
  const char* lua;
  const char* qasm;
};

// Counting loops in our instruction set: the index starts at init - step and the loop is
// entered at its FORLOOP.
const Program kPrograms[] = {
    {"fib(32)",
     "function fib(n) if n < 2 then return n end return fib(n-1) + fib(n-2) end\n"
     "assert(fib(32) == 2178309)",
     R"(
.maxstack 4
  CLOSURE r0 f0
  SETGLOBAL r0 "fib"
  LOADK r1 #32
  CALL r0 2 2
  RETURN r0 2
.function
  .params 1
  .maxstack 4
  LT 1 r0 #2
  JMP @base
  GETGLOBAL r1 "fib"
  SUB r2 r0 #1
  CALL r1 2 2
  GETGLOBAL r2 "fib"
  SUB r3 r0 #2
  CALL r2 2 2
  ADD r1 r1 r2
  RETURN r1 2
base:
  RETURN r0 2
.end
)"},
    {"loop 1e8 additions",
     "local s = 0 for i = 1, 100000000 do s = s + i end assert(s == 5000000050000000)",
     R"(
.maxstack 4
  LOADK r0 #0
  LOADK r1 #0
  LOADK r2 #100000000
  LOADK r3 #1
  JMP @test
body:
  ADD r0 r0 r1
test:
  FORLOOP r1 @body
  RETURN r0 2
)"},
    {"table 1e6 writes+reads",
     "local t = {} for i = 1, 1000000 do t[i] = i end\n"
     "local s = 0 for i = 1, 1000000 do s = s + t[i] end assert(s == 500000500000)",
     R"(
.maxstack 8
  NEWTABLE r0 0 0
  LOADK r1 #0
  LOADK r2 #1000000
  LOADK r3 #1
  JMP @t1
w:
  SETTABLE r0 r1 r1
t1:
  FORLOOP r1 @w
  LOADK r4 #0
  LOADK r1 #0
  JMP @t2
r:
  GETTABLE r5 r0 r1
  ADD r4 r4 r5
t2:
  FORLOOP r1 @r
  RETURN r4 2
)"},
    {"1e6 concatenations",
     "local t = {} for i = 1, 1000000 do t[i] = \"x\" .. i end assert(t[1000000] == \"x1000000\")",
     R"(
.maxstack 8
  NEWTABLE r0 0 0
  LOADK r1 #0
  LOADK r2 #1000000
  LOADK r3 #1
  JMP @test
body:
  LOADK r5 "x"
  MOVE r6 r1
  CONCAT r5 r5 r6
  SETTABLE r0 r1 r5
test:
  FORLOOP r1 @body
  RETURN r0 2
)"},
    {"closures+upvalues",
     "local function counter() local c = 0 return function() c = c + 1 return c end end\n"
     "local s = 0 for i = 1, 1000000 do local f = counter() f() f() s = s + f() end\n"
     "assert(s == 3000000)",
     R"(
.maxstack 10
  CLOSURE r0 f0
  LOADK r4 #0
  LOADK r1 #0
  LOADK r2 #1000000
  LOADK r3 #1
  JMP @test
body:
  MOVE r5 r0
  CALL r5 1 2
  MOVE r6 r5
  CALL r6 1 1
  MOVE r6 r5
  CALL r6 1 1
  MOVE r6 r5
  CALL r6 1 2
  ADD r4 r4 r6
test:
  FORLOOP r1 @body
  RETURN r4 2
.function
  .maxstack 2
  LOADK r0 #0
  CLOSURE r1 f0
  MOVE 0 r0
  RETURN r1 2
  .function
    .upvalues 1
    .maxstack 2
    GETUPVAL r0 0
    ADD r0 r0 #1
    SETUPVAL r0 0
    RETURN r0 2
  .end
.end
)"},
};

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double run_ours(const Program& p) {
  std::vector<uint8_t> chunk;
  std::string error;
  if (!qm::asmx::assemble(p.qasm, chunk, error)) {
    std::fprintf(stderr, "%s: %s\n", p.name, error.c_str());
    std::exit(1);
  }
  qmState* L = vm_open();
  qm::testlib::open(L);
  if (qm::testlib::load_chunk(L, chunk, p.name) != 0) {
    std::fprintf(stderr, "%s: load failed\n", p.name);
    std::exit(1);
  }
  auto t0 = std::chrono::steady_clock::now();
  std::string where;
  int32_t status = qm::testlib::run(L, p.name, &where);
  double t = seconds_since(t0);
  if (status != 0) {
    std::fprintf(stderr, "%s\n", where.c_str());
    std::exit(1);
  }
  vm_close_state(L);
  return t;
}

double run_lua(const Program& p) {
  std::string path = "/tmp/bench_vm_" + std::to_string(getpid()) + ".lua";
  FILE* f = std::fopen(path.c_str(), "w");
  std::fputs(p.lua, f);
  std::fclose(f);
  std::string cmd = "lua5.4 " + path;
  auto t0 = std::chrono::steady_clock::now();
  int rc = std::system(cmd.c_str());
  double t = seconds_since(t0);
  std::remove(path.c_str());
  if (rc != 0) {
    std::fprintf(stderr, "%s: lua5.4 failed\n", p.name);
    std::exit(1);
  }
  return t;
}

}  // namespace

int main() {
  std::printf("%-24s %10s %10s %8s\n", "program", "ours (s)", "lua (s)", "ratio");
  for (const Program& p : kPrograms) {
    double ours = run_ours(p);
    double lua = run_lua(p);
    std::printf("%-24s %10.3f %10.3f %8.2f\n", p.name, ours, lua, ours / lua);
  }
  return 0;
}
