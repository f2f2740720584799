// The command and constant listings, the console progress lines and the report with a state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace {

using namespace qm;

int32_t nop(qmState*) { return 0; }

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class Listings : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_free_all();
    char tmpl[] = "/tmp/qmlistXXXXXX";
    int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    path = tmpl;
  }
  void TearDown() override {
    std::remove(path.c_str());
    registry_free_all();
  }
  std::string path;
};

TEST_F(Listings, CommandsGolden) {
  EXPECT_EQ(export_command_list(path.c_str()), 1);
  EXPECT_EQ(read_file(path), "::end\n");

  static const qmCommand string_lib[] = {{"LeftStr", nop}, {"MidStr", nop}, {nullptr, nullptr}};
  static const qmCommand math_lib[] = {{"Abs", nop}, {nullptr, nullptr}};
  static const qmCommand empty_lib[] = {{nullptr, nullptr}};
  ASSERT_EQ(library_register_name(string_lib, "string"), 0);
  ASSERT_EQ(library_register_name(math_lib, "math"), 0);
  ASSERT_EQ(library_register_name(empty_lib, "none"), 0);
  EXPECT_EQ(export_command_list(path.c_str()), 1);
  EXPECT_EQ(read_file(path), "::string\n2\nLeftStr\nMidStr\n::math\n1\nAbs\n::none\n0\n::end\n");

  // Error positions name commands as the tables write them.
  EXPECT_STREQ(library_command_name("midstr"), "MidStr");
  EXPECT_STREQ(library_command_name("ABS"), "Abs");
  EXPECT_EQ(library_command_name("nothing"), nullptr);

  EXPECT_EQ(export_command_list("/nonexistent-dir/x/list.txt"), 0);
}

TEST_F(Listings, ConstantsOneALine) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  const qmConstant rows[] = {{"ERR_MEM", nullptr, 1000}, {"#Text", "t", 0}, {"BGPIC", nullptr, 1}, {nullptr, nullptr, 0}};
  ASSERT_EQ(vm_register_constants(L, rows, 0), 0);
  int32_t top = vm_get_top(L);
  EXPECT_EQ(export_constant_list(L, path.c_str()), 1);
  EXPECT_EQ(vm_get_top(L), top);
  std::vector<std::string> lines;
  std::stringstream ss(read_file(path));
  for (std::string line; std::getline(ss, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"#text", "bgpic", "err_mem"}));
  vm_close_state(L);
}

TEST(Console, ProgressLines) {
  registry_free_all();
  testing::internal::CaptureStdout();
  console_print_file("Loading brush %s", "/data/gfx/brush.png", true);
  console_print_done();
  console_print_file("Preparing display", nullptr, false);
  console_print_failed();
  console_print_file("Loading %s", ":::chunk0:10*logo.iff//applet", false);
  std::putchar('\n');
  runtime_flags().quiet = true;
  console_print_file("Loading %s", "x", true);
  console_print_done();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Loading brush brush.png...done\nPreparing displayfailed\nLoading logo.iff\n");
  registry_free_all();
}

std::string g_requested;

int32_t capture_request(const char* title, const char* text, const char* buttons, int32_t) {
  g_requested = std::string(title) + "|" + text + "|" + buttons;
  return 1;
}

TEST(Report, FormsWithTheScriptPosition) {
  registry_free_all();
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  err_set_request_fn(capture_request);
  err_reset_position();
  ScriptOrigin& origin = err_script_origin();
  origin = ScriptOrigin{};
  reg_set_string(L, "script", "/games/demo.qms");
  vm_push_string(L, "beginline");
  vm_push_number(L, 2);
  vm_raw_set(L, QM_REGISTRYINDEX);
  err_context().line = 11;

  // Before the script runs there is no position: the text alone, no file, line 0.
  EXPECT_EQ(err_report(L, "Out of memory!", false, "OK"), 1);
  EXPECT_EQ(g_requested, "QuillmerePlayer|Out of memory!|OK");
  char text[ERR_TEXT_SIZE];
  std::string file = "x";
  int32_t line = -1;
  err_get_text_and_position(L, ERR_MEM, text, sizeof text, &file, &line);
  EXPECT_STREQ(text, "Out of memory!");
  EXPECT_EQ(file, "");
  EXPECT_EQ(line, 0);

  const TagItem running[] = {{ATTR_SCRIPT_RUNNING, 1}, {0, 0}};
  runtime_set_attrs(L, running);
  err_get_text_and_position(L, ERR_MEM, text, sizeof text, &file, &line);
  EXPECT_EQ(file, "/games/demo.qms");
  EXPECT_EQ(line, 10);
  err_report(L, "Out of memory!", false, "OK");
  EXPECT_EQ(g_requested, "QuillmerePlayer|Out of memory!\nFile: demo.qms (current line: 10)|OK");
  std::snprintf(err_context().function_name, sizeof err_context().function_name, "%s", "p_Main");
  err_report(L, "Out of memory!", false, "OK");
  EXPECT_EQ(g_requested, "QuillmerePlayer|Out of memory!\nFile: demo.qms (current line: 10 - In function: p_Main)|OK");
  err_report(L, "Out of memory!", true, "OK");
  EXPECT_EQ(g_requested, "QuillmerePlayer|Out of memory!|OK");

  // From an applet the include ranges give the file and its own line.
  reg_set_string(L, "script", ":none:");
  origin.applet_file = "/games/demo.qma";
  origin.includes = {{0, 5, 0, "inc.qms"}, {6, 20, 40, "main.qms"}};
  std::snprintf(err_context().source_name, sizeof err_context().source_name, "%s", "main.qms");
  err_get_text_and_position(L, ERR_MEM, text, sizeof text, &file, &line);
  EXPECT_EQ(file, "main.qms");
  EXPECT_EQ(line, 11 - 6 + 40 + 1);

  err_set_request_fn(nullptr);
  origin = ScriptOrigin{};
  err_reset_position();
  vm_close_state(L);
  registry_free_all();
}

}  // namespace

namespace {

TEST(RefList, CopyMakesNewReferencesToTheSameValues) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  vm_push_string(L, "first");
  int32_t r1 = vm_ref_new(L, QM_REGISTRYINDEX);
  vm_push_number(L, 42);
  int32_t r2 = vm_ref_new(L, QM_REGISTRYINDEX);
  char n1[] = "a", n2[] = "b";
  RefNode second{nullptr, n2, r2};
  RefNode first{&second, n1, r1};
  RefNode* copy = reflist_copy(L, &first);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy->next, nullptr);
  EXPECT_EQ(copy->next->next, nullptr);
  EXPECT_STREQ(copy->name, "a");
  EXPECT_NE(copy->name, first.name);
  EXPECT_NE(copy->ref, r1);
  vm_raw_geti(L, QM_REGISTRYINDEX, copy->ref);
  EXPECT_STREQ(vm_to_string(L, -1), "first");
  vm_raw_geti(L, QM_REGISTRYINDEX, copy->next->ref);
  EXPECT_EQ(vm_to_number(L, -1), 42);
  vm_pop(L, 2);
  int32_t copied[2] = {copy->ref, copy->next->ref};
  reflist_free(L, copy);
  // The copies' references are free again: the next reference reuses one of them.
  vm_push_number(L, 1);
  int32_t reused = vm_ref_new(L, QM_REGISTRYINDEX);
  EXPECT_TRUE(reused == copied[0] || reused == copied[1]) << reused;
  EXPECT_EQ(reflist_copy(L, nullptr), nullptr);
  vm_close_state(L);
}

TEST(ErrorConstants, EveryNamedCodeIsAScriptConstant) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  ASSERT_EQ(err_register_constants(L), 0);
  double v = -1;
  EXPECT_EQ(vm_find_constant(L, "err_mem", nullptr, &v), 1);
  EXPECT_EQ(v, 1000);
  EXPECT_EQ(vm_find_constant(L, "ERR_QMBRUSHFUNC", nullptr, &v), 1);
  EXPECT_EQ(v, 1498);
  EXPECT_EQ(vm_find_constant(L, "ERR_NONE", nullptr, &v), 1);
  EXPECT_EQ(v, 0);
  vm_close_state(L);
}

}  // namespace
