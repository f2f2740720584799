// The debug interface: hooks, call levels and call information, on commands and on loaded
// script code.
#include <cstring>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "tests/engine/core/fixture.h"
#include "tools/asm/asm.h"

namespace {

using namespace qm;

using DebugTest = EngineTest;

// What a probing command saw of itself (level 0) and of level 1.
struct Seen {
  std::string name, namewhat, what, short_src;
  int32_t line = -99;
  int32_t linedefined = -99;
  int32_t level1 = -1;
  int32_t calls = 0;
  std::string local;  // the caller's first local variable, when it has one
};
Seen g_seen;

int32_t probe(qmState* L) {
  qmDebug ar{};
  g_seen.calls++;
  if (!vm_get_stack(L, 0, &ar) || !vm_get_info(L, "nSl", &ar)) return ERR_INTERNAL;
  g_seen.name = ar.name ? ar.name : "(null)";
  g_seen.namewhat = ar.namewhat;
  g_seen.what = ar.what;
  g_seen.short_src = ar.short_src;
  g_seen.linedefined = ar.linedefined;
  g_seen.line = ar.currentline;
  qmDebug caller{};
  g_seen.level1 = vm_get_stack(L, 1, &caller) && vm_get_info(L, "l", &caller) ? caller.currentline : -1;
  return 0;
}

TEST(ShortSource, ThreeKindsOfChunkName) {
  std::string file70 = "/" + std::string(64, 'd') + "/x.qm";
  ASSERT_EQ(file70.size(), 70u);
  struct Case { std::string source, want; } cases[] = {
      {"=main", "main"},
      {"=" + std::string(80, 'n'), std::string(59, 'n')},
      {"@/tmp/a.qm", "/tmp/a.qm"},
      {"@" + file70, "..." + file70.substr(70 - 52)},
      {"@" + std::string(52, 'f'), std::string(52, 'f')},
      {"print(1)", "[string \"print(1)\"]"},
      {"line one\nline two", "[string \"line one...\"]"},
      {std::string(50, 's'), "[string \"" + std::string(43, 's') + "...\"]"},
  };
  for (const auto& c : cases) {
    char out[VM_SHORT_SOURCE];
    vm_short_source(out, c.source.c_str());
    EXPECT_EQ(std::string(out), c.want) << c.source;
  }
}

TEST_F(DebugTest, CommandFramesDescribeThemselves) {
  vm_set_top(L, 0);
  vm_push_string(L, "myprobe");
  vm_push_cfunction(L, probe);
  vm_set_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "myprobe");
  vm_get_table(L, QM_GLOBALSINDEX);
  g_seen = {};
  ASSERT_EQ(vm_pcall(L, 0, 0, 0), 0);
  EXPECT_EQ(g_seen.name, "myprobe");  // found by searching the globals
  EXPECT_EQ(g_seen.namewhat, "global");
  EXPECT_EQ(g_seen.what, "C");
  EXPECT_EQ(g_seen.short_src, "[C]");
  EXPECT_EQ(g_seen.linedefined, -1);
  EXPECT_EQ(g_seen.line, -1);
  EXPECT_EQ(g_seen.level1, -1);  // the host level has no frame of its own

  qmDebug ar{};
  EXPECT_EQ(vm_get_stack(L, 0, &ar), 0);  // nothing runs
  EXPECT_EQ(vm_get_stack(L, 5, &ar), 0);
}

TEST_F(DebugTest, InfoFromTheStackTopPopsTheFunction) {
  vm_set_top(L, 0);
  vm_push_number(L, 1);
  vm_push_cclosure(L, probe, 1);
  qmDebug ar{};
  ASSERT_EQ(vm_get_info(L, ">Sul", &ar), 1);
  EXPECT_EQ(vm_get_top(L), 0);
  EXPECT_STREQ(ar.what, "C");
  EXPECT_STREQ(ar.source, "=[C]");
  EXPECT_EQ(ar.nups, 1);
  EXPECT_EQ(ar.currentline, -1);
  vm_push_cfunction(L, probe);
  EXPECT_EQ(vm_get_info(L, ">f", &ar), 1);
  EXPECT_EQ(vm_type(L, -1), QM_TFUNCTION);
  EXPECT_EQ(vm_get_info(L, ">x", &ar), 0);  // an unknown letter
  vm_push_number(L, 3);
  EXPECT_EQ(raises([&] { vm_get_info(L, ">S", &ar); }), ERR_FUNCEXPECTED);
}

// ---- hooks ------------------------------------------------------------------------------------

struct HookLog {
  std::vector<int32_t> events;
  int32_t result = 0;
  bool reenter = false;
};
HookLog g_hooks;

int32_t cmd_plain(qmState*) { return 0; }

void recording_hook(qmState* L, qmDebug* ar, int32_t* result) {
  g_hooks.events.push_back(ar->event);
  if (g_hooks.reenter) {
    // a command called from inside the hook must not start the hook again
    vm_push_cfunction(L, cmd_plain);
    vm_call(L, 0, 0);
  }
  *result = g_hooks.result;
}

TEST_F(DebugTest, HookWithNoMaskOrNoFunctionIsOff) {
  EXPECT_EQ(vm_set_hook(L, recording_hook, 0, 0), 1);
  EXPECT_EQ(L->hook, nullptr);
  EXPECT_EQ(L->hookmask, 0);
  vm_set_hook(L, nullptr, QM_MASK_CALL, 0);
  EXPECT_EQ(L->hookmask, 0);
  g_hooks = {};
  vm_push_cfunction(L, cmd_plain);
  ASSERT_EQ(vm_pcall(L, 0, 0, 0), 0);
  EXPECT_TRUE(g_hooks.events.empty());
}

TEST_F(DebugTest, HooksSeeCallsAndReturnsButNeverNest) {
  vm_set_hook(L, recording_hook, QM_MASK_CALL | QM_MASK_RET, 0);
  g_hooks = {};
  g_hooks.reenter = true;
  vm_push_cfunction(L, cmd_plain);
  ASSERT_EQ(vm_pcall(L, 0, 0, 0), 0);
  EXPECT_EQ(g_hooks.events, (std::vector<int32_t>{QM_HOOK_CALL, QM_HOOK_RET}));
  EXPECT_EQ(L->allowhook, 1);
}

TEST_F(DebugTest, HookResultIsThrownAsTheErrorCode) {
  vm_set_hook(L, recording_hook, QM_MASK_CALL, 0);
  g_hooks = {};
  g_hooks.result = 1234;
  vm_push_cfunction(L, cmd_plain);
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), 1234);
  EXPECT_EQ(L->allowhook, 1);  // restored by the protected call
  g_hooks.result = 0;
  vm_push_cfunction(L, cmd_plain);
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), 0);
}

// ---- loaded chunks ----------------------------------------------------------------------------

struct Source {
  const std::vector<uint8_t>* bytes;
  bool done = false;
};

const char* read_all(qmState*, void* data, size_t* size) {
  auto* s = static_cast<Source*>(data);
  if (s->done) {
    *size = 0;
    return nullptr;
  }
  s->done = true;
  *size = s->bytes->size();
  return reinterpret_cast<const char*>(s->bytes->data());
}

int32_t load(qmState* L, const std::vector<uint8_t>& bytes, const char* name) {
  Source src{&bytes};
  return vm_load(L, read_all, &src, name);
}

TEST_F(DebugTest, LoadAcceptsCompiledChunksOnly) {
  asmx::Function main;
  main.source = "@scripts/demo.qm";
  asmx::Builder b(main);
  b.abc(OP_RETURN, 0, 1, 0);
  b.finish();
  std::vector<uint8_t> chunk = asmx::write_chunk(main);

  vm_set_top(L, 0);
  ASSERT_EQ(load(L, chunk, "ignored"), 0);
  ASSERT_EQ(vm_get_top(L), 1);
  qmDebug ar{};
  vm_push_value(L, 1);
  ASSERT_EQ(vm_get_info(L, ">S", &ar), 1);
  EXPECT_STREQ(ar.what, "main");
  EXPECT_STREQ(ar.short_src, "scripts/demo.qm");
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), 0);

  std::vector<uint8_t> text = {'p', 'r', 'i', 'n', 't'};
  EXPECT_EQ(load(L, text, nullptr), ERR_BADSIGNATURE);
  EXPECT_EQ(load(L, {}, nullptr), ERR_UNEXPECTEDEOF);
  chunk.resize(chunk.size() / 2);
  EXPECT_NE(load(L, chunk, nullptr), 0);
  EXPECT_EQ(vm_get_top(L), 0);
}

TEST_F(DebugTest, LoadedMainFunctionOwnsItsUpvaluesAndEnvironment) {
  // main: return upvalue 1 .. global "g"
  asmx::Function main;
  main.source = "=env";
  main.nups = 1;
  main.maxstack = 3;
  main.upvalue_names = {std::string("captured")};
  asmx::Builder b(main);
  b.abc(OP_GETUPVAL, 0, 0, 0);
  b.abx(OP_GETGLOBAL, 1, b.k_str("g"));
  b.abc(OP_CONCAT, 0, 0, 1);
  b.abc(OP_RETURN, 0, 2, 0);
  b.finish();

  vm_set_top(L, 0);
  ASSERT_EQ(load(L, asmx::write_chunk(main), "env"), 0);
  EXPECT_STREQ(vm_get_upvalue(L, 1, 1), "captured");
  EXPECT_EQ(vm_type(L, -1), QM_TNIL);  // a fresh closed upvalue
  vm_pop(L, 1);
  vm_push_string(L, "up-");
  EXPECT_STREQ(vm_set_upvalue(L, 1, 1), "captured");
  EXPECT_EQ(vm_get_upvalue(L, 1, 2), nullptr);

  vm_new_table(L);  // a private environment with g = "env"
  vm_push_string(L, "g");
  vm_push_string(L, "env");
  vm_raw_set(L, -3);
  vm_push_value(L, -1);
  EXPECT_EQ(vm_set_fenv(L, 1), 1);
  vm_get_fenv(L, 1);
  EXPECT_TRUE(vm_raw_equal(L, -1, -2));
  vm_set_top(L, 1);
  ASSERT_EQ(vm_pcall(L, 0, 1, 0), 0);
  EXPECT_STREQ(vm_to_string(L, -1), "up-env");
}

// ---- call information of running script code --------------------------------------------------

std::vector<Seen> g_probes;

int32_t probe_each(qmState* L) {
  qmDebug ar{};
  Seen s;
  if (!vm_get_stack(L, 0, &ar) || !vm_get_info(L, "nS", &ar)) return ERR_INTERNAL;
  s.name = ar.name ? ar.name : "(null)";
  s.namewhat = ar.namewhat;
  qmDebug up{};
  if (vm_get_stack(L, 1, &up) && vm_get_info(L, "lSn", &up)) {
    s.level1 = up.currentline;
    s.what = up.what;
    s.short_src = up.short_src;
    const char* local = vm_get_local(L, &up, 1);
    if (local) {
      s.local = local;
      EXPECT_EQ(vm_type(L, -1), QM_TFUNCTION);
      vm_pop(L, 1);
    }
    EXPECT_EQ(vm_get_local(L, &ar, 1), nullptr);  // a command frame has none
  }
  qmDebug up2{};
  if (vm_get_stack(L, 2, &up2) && vm_get_info(L, "Slf", &up2)) {
    s.linedefined = up2.linedefined;  // -1 for the lost tail caller
    s.calls = vm_type(L, -1);         // what "f" pushed
    vm_pop(L, 1);
  }
  g_probes.push_back(s);
  return 0;
}

class ScriptInfoTest : public DebugTest {
 protected:
  void run(const asmx::Function& main) {
    vm_set_top(L, 0);
    vm_push_string(L, "probe");
    vm_push_cfunction(L, probe_each);
    vm_set_table(L, QM_GLOBALSINDEX);
    vm_push_string(L, "tbl");
    vm_new_table(L);
    for (const char* key : {"fld", "meth"}) {
      vm_push_string(L, key);
      vm_push_cfunction(L, probe_each);
      vm_set_table(L, -3);
    }
    vm_set_table(L, QM_GLOBALSINDEX);
    g_probes.clear();
    ASSERT_EQ(load(L, asmx::write_chunk(main), "names"), 0);
    ASSERT_EQ(vm_pcall(L, 0, 0, 0), 0);
  }
};

TEST_F(ScriptInfoTest, CalledFunctionsAreNamedFromTheCallingCode) {
  asmx::Function main;
  main.source = "@names.qm";
  main.maxstack = 4;
  asmx::Builder b(main);
  uint32_t kprobe = b.k_str("probe"), ktbl = b.k_str("tbl");
  b.line(1);
  b.abx(OP_GETGLOBAL, 0, kprobe);
  b.abc(OP_CALL, 0, 1, 1);
  b.line(2);
  b.abx(OP_GETGLOBAL, 0, kprobe);
  b.abc(OP_CALL, 0, 1, 1);  // register 0 is the local "myloc" here
  b.line(3);
  b.abx(OP_GETGLOBAL, 1, ktbl);
  b.abc(OP_GETTABLE, 0, 1, asmx::Builder::rk(b.k_str("fld")));
  b.abc(OP_CALL, 0, 1, 1);
  b.line(4);
  b.abx(OP_GETGLOBAL, 1, ktbl);
  b.abc(OP_SELF, 0, 1, asmx::Builder::rk(b.k_str("meth")));
  b.abc(OP_CALL, 0, 2, 1);
  b.line(5);
  b.abc(OP_RETURN, 0, 1, 0);
  b.finish();
  main.locals.push_back({"myloc", 3, 4});
  run(main);

  ASSERT_EQ(g_probes.size(), 4u);
  struct Want { const char* name; const char* kind; int32_t line; } want[] = {
      {"probe", "global", 1}, {"myloc", "local", 2}, {"fld", "field", 3}, {"meth", "method", 4},
  };
  for (size_t i = 0; i < 4; i++) {
    EXPECT_EQ(g_probes[i].name, want[i].name) << i;
    EXPECT_EQ(g_probes[i].namewhat, want[i].kind) << i;
    EXPECT_EQ(g_probes[i].level1, want[i].line) << i;
    EXPECT_EQ(g_probes[i].what, "main") << i;
    EXPECT_EQ(g_probes[i].short_src, "names.qm") << i;
    EXPECT_EQ(g_probes[i].local, i == 1 ? "myloc" : "") << i;
  }
}

std::vector<int32_t> g_lines;
int32_t g_stop_at_line = 0;

void line_hook(qmState*, qmDebug* ar, int32_t* result) {
  EXPECT_EQ(ar->event, QM_HOOK_LINE);
  g_lines.push_back(ar->currentline);
  *result = ar->currentline == g_stop_at_line ? 1499 : 0;
}

TEST_F(ScriptInfoTest, LineHookSeesNewLinesAndItsResultEndsTheScript) {
  asmx::Function main;
  main.source = "=lines";
  main.maxstack = 2;
  asmx::Builder b(main);
  for (int32_t line = 1; line <= 3; line++) {
    b.line(line);
    b.abx(OP_GETGLOBAL, 0, b.k_str("probe"));
    b.abc(OP_CALL, 0, 1, 1);
  }
  b.abc(OP_RETURN, 0, 1, 0);
  b.finish();

  vm_set_hook(L, line_hook, QM_MASK_LINE, 0);
  g_lines.clear();
  g_stop_at_line = 0;
  run(main);
  EXPECT_EQ(g_lines, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(g_probes.size(), 3u);

  g_lines.clear();
  g_probes.clear();
  g_stop_at_line = 2;
  ASSERT_EQ(load(L, asmx::write_chunk(main), "lines"), 0);
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), 1499);
  EXPECT_EQ(g_probes.size(), 1u);  // line 2 never ran
  EXPECT_EQ(L->allowhook, 1);
}

TEST_F(ScriptInfoTest, LevelsInsideTailCallsAreReportedAsTailCalls) {
  asmx::Function main;
  main.source = "=tailmain";
  main.maxstack = 2;
  asmx::Function f;
  f.line_defined = 7;
  f.maxstack = 2;
  {
    asmx::Builder fb(f);
    fb.line(8);
    fb.abx(OP_GETGLOBAL, 0, fb.k_str("probe"));
    fb.abc(OP_CALL, 0, 1, 1);
    fb.abc(OP_RETURN, 0, 1, 0);
    fb.finish();
  }
  main.protos.push_back(f);
  asmx::Builder b(main);
  b.closure(0, 0, {});
  b.abc(OP_TAILCALL, 0, 1, 0);
  b.abc(OP_RETURN, 0, 0, 0);
  b.finish();
  run(main);

  ASSERT_EQ(g_probes.size(), 1u);
  const Seen& s = g_probes[0];
  EXPECT_EQ(s.level1, 8);
  EXPECT_EQ(s.what, "Quillmere");
  EXPECT_EQ(s.linedefined, -1);    // level 2 lies inside the tail call
  EXPECT_EQ(s.calls, QM_TNIL);     // and "f" gives nil for it
}

}  // namespace
