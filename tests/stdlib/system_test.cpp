#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "command_harness.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "stdlib/stdlib.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

using qmtest::Arg;
using qmtest::Nil;
using S = std::string;

qmTimeVal g_fake_now{};
void fake_clock(qmTimeVal* tv) { *tv = g_fake_now; }
void advance_ms(int64_t ms) {
  int64_t us = int64_t(g_fake_now.micros) + ms * 1000;
  g_fake_now.seconds += uint32_t(us / 1000000);
  g_fake_now.micros = uint32_t(us % 1000000);
}

class SystemLib : public qmtest::CommandTest {
 protected:
  void SetUp() override {
    open({string_open, system_open});
    g_fake_now = qmTimeVal{1000, 0};
    system_set_clock(fake_clock);
  }
  void TearDown() override {
    system_cleanup();
    system_set_clock(nullptr);
    qmtest::CommandTest::TearDown();
  }

  // Builds a list table from the values at indices 0.. and leaves it in global "t".
  void set_list(std::initializer_list<Arg> items) {
    vm_new_table(L);
    int32_t i = 0;
    for (const Arg& a : items) {
      push(a);
      vm_raw_seti(L, -2, i++);
    }
    vm_push_string(L, "t");
    vm_insert(L, -2);
    vm_set_table(L, QM_GLOBALSINDEX);
  }
  // Calls name with the global "t" and extra arguments; returns the first result or error.
  std::string on_list(const char* name, std::initializer_list<Arg> extra = {}) {
    vm_set_top(L, 0);
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    vm_push_string(L, lower.c_str());
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_string(L, "t");
    vm_get_table(L, QM_GLOBALSINDEX);
    for (const Arg& a : extra) push(a);
    int32_t code = vm_pcall(L, 1 + int32_t(extra.size()), 1, 0);
    if (code) return "error " + std::to_string(code);
    return qmtest::describe(L, -1);
  }
  std::string list_text() {
    vm_set_top(L, 0);
    vm_push_string(L, "t");
    vm_get_table(L, QM_GLOBALSINDEX);
    std::string out;
    for (int32_t i = 0;; i++) {
      vm_raw_geti(L, 1, i);
      if (vm_type(L, -1) == QM_TNIL) break;
      out += (i ? "," : "") + qmtest::describe(L, -1);
      vm_set_top(L, 1);
    }
    return out;
  }
};

TEST_F(SystemLib, TimerStateMachine) {
  EXPECT_EQ(first("StartTimer", {1.0}), "none");
  advance_ms(250);
  EXPECT_EQ(first("GetTimer", {1.0}), "250");
  first("PauseTimer", {1.0});
  advance_ms(1000);
  EXPECT_EQ(first("GetTimer", {1.0}), "250");
  EXPECT_EQ(first("WaitTimer", {1.0, 10.0}), "error 1055");
  first("ResumeTimer", {1.0});
  advance_ms(50);
  EXPECT_EQ(first("GetTimer", {1.0}), "300");
  first("ResetTimer", {1.0, 5000.0});
  advance_ms(1);
  EXPECT_EQ(first("GetTimer", {1.0}), "5001");
  first("StartTimer", {1.0});  // an existing id restarts in place
  EXPECT_EQ(first("GetTimer", {1.0}), "0");
  EXPECT_EQ(first("WaitTimer", {1.0, 0.0}), "none");
  first("StopTimer", {1.0});
  EXPECT_EQ(first("GetTimer", {1.0}), "error 1181");
  char text[qm::ERR_TEXT_SIZE];
  qm::err_get_text(ERR_FINDTIMER, text, sizeof text);
  EXPECT_STREQ(text, "Could not find timer 1!");
  // Automatic ids are handles; a handle that names no timer is 1041.
  auto o = call("StartTimer", {Nil{}});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(vm_type(L, 1), QM_TLIGHTUSERDATA);
  int dummy;
  vm_set_top(L, 0);
  vm_push_string(L, "gettimer");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_lightuserdata(L, &dummy);
  EXPECT_EQ(vm_pcall(L, 1, 1, 0), ERR_FINDARRAY);
}

TEST_F(SystemLib, TimerSurvivesHoursOfMilliseconds) {
  first("StartTimer", {2.0});
  advance_ms(int64_t(30) * 24 * 3600 * 1000);  // 30 days: past the 32-bit millisecond wrap
  EXPECT_EQ(first("GetTimer", {2.0}), "2592000000");
}

TEST_F(SystemLib, WaitUnits) {
  system_set_clock(nullptr);
  struct timespec a, b;
  clock_gettime(CLOCK_MONOTONIC, &a);
  EXPECT_EQ(first("Wait", {0.0}), "none");
  EXPECT_EQ(first("Wait", {2.0}), "none");        // 2 ticks = 40 ms
  EXPECT_EQ(first("Wait", {30.0, 1.0}), "none");  // 30 ms
  clock_gettime(CLOCK_MONOTONIC, &b);
  double ms = (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6;
  EXPECT_GE(ms, 70.0);
}

std::string shell(const char* cmd) {
  FILE* p = popen(cmd, "r");
  std::string out;
  char buf[128];
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

TEST_F(SystemLib, DatesAgreeWithCoreutils) {
  setenv("TZ", "UTC", 1);
  tzset();
  const char* cmd = "TZ=UTC LC_ALL=C date '+%H:%M:%S|%d-%b-%Y %H:%M:%S|%Y%m%d%H%M%S'";
  // The clock is read by date before and after our commands; only a pass in which both readings
  // fall in the same second is compared.
  for (int attempt = 0; attempt < 10; attempt++) {
    std::string before = shell(cmd);
    std::string got_time = first("GetTime", {1.0});
    std::string got_date = first("GetDate", {1.0});
    std::string got_short = first("GetTime", {});
    std::string y = first("GetDateNum", {0.0}), m = first("GetDateNum", {1.0}),
                d = first("GetDateNum", {2.0}), t = first("GetDateNum", {3.0});
    if (shell(cmd) != before) continue;
    std::string want_time = before.substr(0, 8);
    std::string want_date = before.substr(9, 20);
    std::string want_num = before.substr(30);
    EXPECT_EQ(got_time, "'" + want_time + "'");
    EXPECT_EQ(got_date, "'" + want_date + "'");
    EXPECT_EQ(got_short, "'" + want_time.substr(0, 5) + "'");
    EXPECT_EQ(y, std::to_string(std::stoi(want_num.substr(0, 4))));
    EXPECT_EQ(m, std::to_string(std::stoi(want_num.substr(4, 2))));
    EXPECT_EQ(d, std::to_string(std::stoi(want_num.substr(6, 2))));
    EXPECT_EQ(t, std::to_string(std::stoi(want_num.substr(8, 6))));
    return;
  }
  FAIL() << "clock kept moving";
}

TEST_F(SystemLib, SortOrders) {
  set_list({3.0, 1.0, 2.0, 10.0, -5.0});
  EXPECT_EQ(on_list("Sort"), "nil");
  EXPECT_EQ(list_text(), "-5,1,2,3,10");
  set_list({S("pear"), S("apple"), S(""), S("zebra")});
  on_list("Sort");
  EXPECT_EQ(list_text(), "'apple','pear','','zebra'");  // the empty string ends the list
}

int32_t greater(qmState* L) {
  vm_push_number(L, vm_to_number(L, 1) > vm_to_number(L, 2) ? 1 : 0);
  return 1;
}
int32_t always(qmState* L) {
  vm_push_number(L, 1);
  return 1;
}

TEST_F(SystemLib, SortWithCompareFunction) {
  std::vector<Arg> many;
  set_list({5.0, 9.0, 1.0, 7.0, 3.0, 8.0, 2.0});
  vm_set_top(L, 0);
  vm_push_string(L, "sort");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "t");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_cfunction(L, greater);
  ASSERT_EQ(vm_pcall(L, 2, 0, 0), 0);
  EXPECT_EQ(list_text(), "9,8,7,5,3,2,1");
  set_list({5.0, 9.0, 1.0, 7.0, 3.0, 8.0, 2.0});
  vm_set_top(L, 0);
  vm_push_string(L, "sort");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "t");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_cfunction(L, always);
  EXPECT_EQ(vm_pcall(L, 2, 0, 0), ERR_SORTFUNC);
}

TEST_F(SystemLib, ErrorsAndLastError) {
  EXPECT_EQ(first("Error", {S("x")}), "error 1239");
  char text[qm::ERR_TEXT_SIZE];
  qm::err_get_text(ERR_ERRORCALLED, text, sizeof text);
  EXPECT_STREQ(text, "x");
  vm_set_exit_on_error(L, 1);
  EXPECT_EQ(first("ExitOnError", {0.0}), "none");
  EXPECT_EQ(first("Chr", {300.0}), "none");  // recorded, not raised
  EXPECT_EQ(first("GetLastError", {}), "1055");
  EXPECT_EQ(first("GetLastError", {}), "1055");  // GetLastError itself clears nothing
  EXPECT_EQ(first("Chr", {65.0}), "'A'");
  EXPECT_EQ(first("GetLastError", {}), "0");  // the previous command succeeded
  EXPECT_EQ(first("GetErrorName", {1089.0}), "'Division by zero!'");
}

TEST_F(SystemLib, DebugPrintJoinsWithBlanks) {
  fflush(stdout);
  char path[] = "/tmp/qm_debugprint_XXXXXX";
  int fd = mkstemp(path);
  int saved = dup(1);
  dup2(fd, 1);
  first("DebugPrint", {S("100%"), 2.5, Nil{}, S("%d%s")});
  fflush(stdout);
  dup2(saved, 1);
  close(saved);
  FILE* f = fdopen(fd, "r");
  fseek(f, 0, SEEK_SET);
  char buf[128] = {};
  fread(buf, 1, sizeof buf - 1, f);
  fclose(f);
  unlink(path);
  EXPECT_STREQ(buf, "100% 2.5 Nil %d%s\n");
}

TEST_F(SystemLib, TypesAndConditions) {
  struct Case { const char* cmd; std::initializer_list<Arg> args; const char* want; } cases[] = {
      {"GetType", {Nil{}}, "0"},           {"GetType", {1.0}, "2"},
      {"GetType", {S("")}, "3"},           {"IIf", {0.0, S("a"), S("b")}, "'b'"},
      {"IIf", {S(""), S("a"), S("b")}, "'b'"}, {"IIf", {S("x"), S("a"), S("b")}, "'a'"},
      {"IIf", {Nil{}, 1.0, 2.0}, "2"},     {"IIf", {2.0, 1.0, 2.0}, "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(first(c.cmd, c.args), c.want) << c.cmd;
  vm_set_top(L, 0);
  vm_push_string(L, "iif");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_boolean(L, 1);
  vm_push_number(L, 1);
  vm_push_number(L, 2);
  EXPECT_EQ(vm_pcall(L, 3, 1, 0), ERR_WRONGDTYPE);
}

TEST_F(SystemLib, ListEditing) {
  set_list({S("a"), S("b"), S("c")});
  on_list("InsertItem", {S("z")});
  EXPECT_EQ(list_text(), "'a','b','c','z'");
  on_list("InsertItem", {S("y"), 0.0});
  EXPECT_EQ(list_text(), "'y','a','b','c','z'");
  on_list("InsertItem", {S("m"), 2.0});
  EXPECT_EQ(list_text(), "'y','a','m','b','c','z'");
  EXPECT_EQ(on_list("RemoveItem"), "'z'");
  EXPECT_EQ(on_list("RemoveItem", {0.0}), "'y'");
  EXPECT_EQ(on_list("RemoveItem", {1.0}), "'m'");
  EXPECT_EQ(list_text(), "'a','b','c'");
  EXPECT_EQ(on_list("ListItems"), "3");
  EXPECT_EQ(on_list("Concat", {S(", ")}), "'a, b, c'");
  EXPECT_EQ(on_list("Concat", {S("-"), 1.0, 2.0}), "'b-c'");
  set_list({S("a"), S(""), S("c")});
  EXPECT_EQ(on_list("ListItems"), "3");
  set_list({});
  EXPECT_EQ(on_list("RemoveItem"), "nil");
}

TEST_F(SystemLib, UnpackPastTheStackLimit) {
  vm_new_table(L);
  for (int32_t i = 0; i < 100000; i++) {
    vm_push_number(L, i);
    vm_raw_seti(L, -2, i);
  }
  vm_push_string(L, "t");
  vm_insert(L, -2);
  vm_set_table(L, QM_GLOBALSINDEX);
  EXPECT_EQ(on_list("Unpack"), "error 1135");
}

TEST_F(SystemLib, CopyTableDeepSharedAndCyclic) {
  // t = {[0] = inner, [1] = inner, self = t}, inner = {x = 1}
  vm_set_top(L, 0);
  vm_new_table(L);  // 1: t
  vm_new_table(L);  // 2: inner
  vm_push_string(L, "x");
  vm_push_number(L, 1);
  vm_raw_set(L, 2);
  vm_push_value(L, 2);
  vm_raw_seti(L, 1, 0);
  vm_push_value(L, 2);
  vm_raw_seti(L, 1, 1);
  vm_push_string(L, "self");
  vm_push_value(L, 1);
  vm_raw_set(L, 1);
  vm_push_string(L, "copytable");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_value(L, 1);
  ASSERT_EQ(vm_pcall(L, 1, 1, 0), 0);  // 3: the copy
  EXPECT_FALSE(vm_raw_equal(L, 1, 3));
  vm_raw_geti(L, 3, 0);  // 4
  vm_raw_geti(L, 3, 1);  // 5
  EXPECT_TRUE(vm_raw_equal(L, 4, 5));   // shared stays shared
  EXPECT_FALSE(vm_raw_equal(L, 4, 2));  // and is a copy
  vm_push_string(L, "x");
  vm_raw_get(L, 4);
  EXPECT_EQ(vm_to_number(L, -1), 1);
  vm_push_string(L, "self");
  vm_raw_get(L, 3);
  EXPECT_TRUE(vm_raw_equal(L, -1, 3));  // the cycle points at the copy
}

}  // namespace

namespace {

int32_t g_answer = 0;
std::string g_request;
int32_t scripted_request(const char* title, const char* text, const char* buttons, int32_t) {
  g_request = std::string(title) + "|" + text + "|" + buttons;
  return g_answer;
}

TEST_F(SystemLib, SystemRequestTakesTheScriptedAnswer) {
  qm::err_set_request_fn(scripted_request);
  g_answer = 2;
  EXPECT_EQ(first("SystemRequest", {S("T"), S("Body"), S("Yes|No")}), "2");
  EXPECT_EQ(g_request, "T|Body|Yes|No");
  g_answer = -1;
  EXPECT_EQ(first("SystemRequest", {S("T"), S("Body"), S("OK")}), "error 1000");
  qm::err_set_request_fn(nullptr);
}

TEST_F(SystemLib, IPairsStartsAfterIndexZero) {
  set_list({S("zero"), S("one"), S("two")});
  auto o = call("IPairs", {});  // wrong count
  EXPECT_EQ(o.code, ERR_MISSINGPARAMTR);
  std::vector<std::string> seen;
  vm_set_top(L, 0);
  vm_push_string(L, "ipairs");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "t");
  vm_get_table(L, QM_GLOBALSINDEX);
  ASSERT_EQ(vm_pcall(L, 1, 3, 0), 0);  // iterator, table, 0
  EXPECT_EQ(qmtest::describe(L, 3), "0");
  for (int round = 0; round < 5; round++) {
    vm_push_value(L, 1);
    vm_push_value(L, 2);
    vm_push_value(L, 3);
    ASSERT_EQ(vm_pcall(L, 2, 2, 0), 0);
    if (vm_type(L, -2) == QM_TNIL) break;
    seen.push_back(qmtest::describe(L, -2) + "=" + qmtest::describe(L, -1));
    vm_set_top(L, -2);
    vm_replace(L, 3);  // the returned index is the next call's control value
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"1='one'", "2='two'"}));
}

int32_t stop_at_two(qmState* L) {
  if (vm_to_number(L, 1) == 2) {
    vm_push_value(L, 2);
    return 1;
  }
  return 0;
}

TEST_F(SystemLib, ForEachIStopsAtTheFirstResult) {
  set_list({S("a"), S("b"), S("c"), S("d")});
  vm_set_top(L, 0);
  vm_push_string(L, "foreachi");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "t");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_cfunction(L, stop_at_two);
  ASSERT_EQ(vm_pcall(L, 2, 1, 0), 0);
  EXPECT_EQ(qmtest::describe(L, -1), "'c'");
  EXPECT_EQ(qm::runtime_flags().protected_calls, 0);  // the use counter is back down
}

TEST_F(SystemLib, ConstantsAndMemory) {
  EXPECT_EQ(first("GetConstant", {S("#MILLISECONDS")}), "1");
  EXPECT_EQ(first("GetConstant", {S("#NOSUCHTHING")}), "error 1042");
  EXPECT_EQ(first("GetConstant", {S("MILLISECONDS")}), "error 1055");
  EXPECT_EQ(first("GetMemoryInfo", {5.0}), "error 1055");
  EXPECT_NE(first("GetMemoryInfo", {1.0}), "0");
}

}  // namespace
