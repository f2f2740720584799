// Program information, dates, assertions and object data items of the system library, called
// through the engine's real call path.
#include "command_harness.h"
#include "display/display.h"
#include "platform/platform.h"
#include "engine/errcodes.h"
#include "runtime/config.h"
#include "runtime/errors.h"
#include "stdlib/stdlib.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

using qmtest::Nil;
using S = std::string;

class SystemInfo : public qmtest::CommandTest {
 protected:
  void SetUp() override { open({string_open, system_open}); }
  void TearDown() override {
    system_cleanup();
    qmtest::CommandTest::TearDown();
  }
  std::string error_text(int32_t code) {
    char text[ERR_TEXT_SIZE];
    err_get_text(code, text, sizeof text);
    return text;
  }
};

TEST_F(SystemInfo, CompareDates) {
  struct Case {
    const char *a, *b;
    bool date_only;
    int32_t result;
  } cases[] = {
      {"01-Jan-2020 10:00:00", "01-Jan-2020 10:00:01", false, 2},
      {"01-Jan-2020 10:00:01", "01-Jan-2020 10:00:00", false, 1},
      {"31-Dec-2019 23:59:59", "01-Jan-2020 00:00:00", false, 2},
      {"05-Mar-2020 00:00:00", "05-Feb-2020 23:00:00", false, 1},
      {"01-Jan-2020", "01-jan-2020", true, 0},
      {"01-Jan-2020 10:00:0", "01-Jan-2020 10:00:01", false, -1},  // 19 characters
      {"01-Jan-2020 10:00:00", "01-Jan-2020", false, -1},
      {"01-Jan-2020 10:00:00", "01-Jan-2020 10:00:00", true, -1},   // date only wants 11
      {"01-Foo-2020 10:00:00", "01-Jan-2020 10:00:00", false, -1},
      {"01-Jan-2020 1a:00:00", "01-Jan-2020 10:00:00", false, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(system_compare_dates(c.a, c.b, c.date_only), c.result) << c.a << " / " << c.b;
  EXPECT_EQ(first("CompareDates", {S("01-Jan-2020 10:00:00"), S("01-Jan-2020 10:00:01")}), "2");
  EXPECT_EQ(first("CompareDates", {S("01-Jan-2020 10:00:0"), S("01-Jan-2020 10:00:01")}), "error 1285");
}

TEST_F(SystemInfo, AssertPassesValuesBackExceptNilAndZero) {
  EXPECT_EQ(first("Assert", {0.0}), "error 1493");
  EXPECT_EQ(error_text(ERR_ASSERTFAILED), "Assertion failed!");
  EXPECT_EQ(first("Assert", {Nil{}}), "error 1493");
  EXPECT_EQ(first("Assert", {S("")}), "''");
  EXPECT_EQ(first("Assert", {S("0")}), "'0'");
  EXPECT_EQ(first("Assert", {-1.0}), "-1");
}

TEST_F(SystemInfo, ObjectDataItems) {
  ASSERT_EQ(call("StartTimer", {1.0}).code, 0);
  ASSERT_EQ(call("StartTimer", {2.0}).code, 0);
  const double T = OBJ_TIMER;
  EXPECT_EQ(call("SetObjectData", {T, 1.0, S("Name"), S("first")}).code, 0);
  EXPECT_EQ(call("SetObjectData", {T, 1.0, S("NAME"), S("replaced")}).code, 0);
  EXPECT_EQ(first("GetObjectData", {T, 1.0, S("name")}), "'replaced'");
  EXPECT_EQ(first("GetObjectData", {T, 1.0, S("never")}), "error 1496");
  EXPECT_EQ(error_text(ERR_FINDOBJECTDATA), "Data item \"never\" not found in specified object!");
  EXPECT_EQ(first("GetObjectData", {T, 1.0, S("")}), "error 1055");
  EXPECT_EQ(first("GetObjectData", {T, 9.0, S("name")}), "error 1041");
  EXPECT_EQ(first("SetObjectData", {22.0, 1.0, S("k"), 1.0}), "error 1078");  // layers are off

  // Copying: without overwrite the target keeps its own item, with it the source's wins; items
  // the target lacks are appended either way.
  call("SetObjectData", {T, 1.0, S("shared"), S("from 1")});
  call("SetObjectData", {T, 2.0, S("shared"), S("own")});
  EXPECT_EQ(call("CopyObjectData", {T, 1.0, T, 2.0}).code, 0);
  EXPECT_EQ(first("GetObjectData", {T, 2.0, S("shared")}), "'own'");
  EXPECT_EQ(first("GetObjectData", {T, 2.0, S("name")}), "'replaced'");
  EXPECT_EQ(call("CopyObjectData", {T, 1.0, T, 2.0, 1.0}).code, 0);
  EXPECT_EQ(first("GetObjectData", {T, 2.0, S("shared")}), "'from 1'");

  // Clearing one item, a missing one, then all.
  EXPECT_EQ(call("ClearObjectData", {T, 2.0, S("Shared")}).code, 0);
  EXPECT_EQ(first("GetObjectData", {T, 2.0, S("shared")}), "error 1496");
  EXPECT_EQ(first("ClearObjectData", {T, 2.0, S("shared")}), "error 1496");
  EXPECT_EQ(call("ClearObjectData", {T, 2.0}).code, 0);
  EXPECT_EQ(first("GetObjectData", {T, 2.0, S("name")}), "error 1496");
  EXPECT_EQ(first("GetObjectData", {T, 1.0, S("shared")}), "'from 1'");
}

TEST_F(SystemInfo, ObjectTypeOfAnAutomaticHandle) {
  qmtest::Outcome o = call("StartTimer", {Nil{}});
  ASSERT_EQ(o.code, 0);
  vm_push_string(L, "h");
  vm_push_value(L, 1);
  vm_set_table(L, QM_GLOBALSINDEX);
  vm_set_top(L, 0);
  vm_push_string(L, "getobjecttype");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, "h");
  vm_get_table(L, QM_GLOBALSINDEX);
  ASSERT_EQ(vm_pcall(L, 1, 1, 0), 0);
  EXPECT_EQ(vm_to_number(L, -1), OBJ_TIMER);
  EXPECT_EQ(first("GetObjectType", {5.0}), "-1");
}

TEST_F(SystemInfo, VersionAndCommandLine) {
  qmtest::Outcome v = call("GetVersion", {});
  ASSERT_EQ(v.code, 0);
  vm_push_string(L, "platform");
  vm_get_table(L, 1);
  EXPECT_STREQ(vm_to_string(L, -1), "Linux");
  Config config;
  config.foreign = {{"mode", std::string("7")}, {"flag", std::nullopt}};
  vm_reg_set_pointer(L, "clargs", &config);
  qmtest::Outcome c = call("GetCommandLine", {});
  ASSERT_EQ(c.code, 0);
  EXPECT_EQ(c.results, (std::vector<std::string>{"table", "2", "0"}));
  vm_raw_geti(L, 1, 1);
  vm_push_string(L, "param");
  vm_get_table(L, -2);
  EXPECT_STREQ(vm_to_string(L, -1), "");
}

TEST_F(SystemInfo, OpenURLGoesThroughTheHookInUtf8) {
  static std::string opened;
  platform_set_url_opener([](const char* url) { opened = url; });
  EXPECT_EQ(call("OpenURL", {S("http://example.org/caf\xe9")}).code, 0);
  EXPECT_EQ(opened, "http://example.org/caf\xc3\xa9");
  platform_set_url_opener(nullptr);
}

// While a requester is up the current display says so; afterwards its keys and buttons are
// released, so that what went to the requester reaches no handler.
TEST_F(SystemInfo, RequestersMarkTheDisplayAndResetItsInput) {
  static qmDisplay display{};
  static int32_t running_during = -1;
  display.keys[65] = 1;
  display.mouse_buttons[0] = 1;
  qmDisplay* saved = display_system().current;
  display_system().current = &display;
  platform_set_requester_responder([](std::string_view, std::string_view, std::string* reply) {
    running_during = display.win.requester_running;
    *reply = "red";
    return true;
  });
  qmtest::Outcome o = call("StringRequest", {S("T"), S("Body")});
  EXPECT_EQ(o.results, (std::vector<std::string>{"'red'", "1"}));
  EXPECT_EQ(running_during, 1);
  EXPECT_EQ(display.win.requester_running, 0);
  EXPECT_EQ(display.keys[65], 0);
  EXPECT_EQ(display.mouse_buttons[0], 0);
  platform_set_requester_responder(nullptr);
  display_system().current = saved;
}

}  // namespace
