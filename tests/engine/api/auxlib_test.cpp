// References, string buffers, registration of commands and constants, labels, and the plug-in
// script table.
#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "tests/engine/core/fixture.h"

namespace {

using namespace qm;

using AuxTest = EngineTest;

// ---- registry by name -------------------------------------------------------------------------

TEST_F(AuxTest, RegistryFieldsByName) {
  vm_set_top(L, 0);
  int local = 0;
  vm_reg_set_pointer(L, "applet", &local);
  EXPECT_EQ(vm_reg_get_userdata(L, "applet"), &local);
  EXPECT_EQ(vm_reg_get_string(L, "applet"), nullptr);
  EXPECT_EQ(vm_reg_get_userdata(L, "absent"), nullptr);
  reg_set_string(L, "title", "Demo");
  EXPECT_STREQ(vm_reg_get_string(L, "title"), "Demo");
  EXPECT_EQ(vm_reg_get_number(L, "title"), 0);
  vm_push_string(L, "version");
  vm_push_number(L, 2.5);
  vm_raw_set(L, QM_REGISTRYINDEX);
  const char* text = vm_reg_get_string(L, "version");
  vm_collect(L);  // the text stays referenced after the call
  EXPECT_STREQ(text, "2.5");
  EXPECT_EQ(vm_reg_get_number(L, "version"), 2.5);
  vm_reg_push(L, "title");
  EXPECT_STREQ(vm_to_string(L, -1), "Demo");
  EXPECT_EQ(vm_get_top(L), 1);
}

// ---- references -------------------------------------------------------------------------------

TEST_F(AuxTest, ReferencesStartAtThreeAndReuseFreedOnes) {
  vm_set_top(L, 0);
  vm_new_table(L);
  for (int32_t want : {3, 4, 5}) {
    vm_push_number(L, want * 10);
    EXPECT_EQ(vm_ref_new(L, 1), want);
  }
  EXPECT_EQ(vm_get_top(L), 1);
  vm_raw_geti(L, 1, 4);
  EXPECT_EQ(vm_to_number(L, -1), 40);
  vm_pop(L, 1);

  vm_ref_free(L, 1, 4);
  vm_push_string(L, "again");
  EXPECT_EQ(vm_ref_new(L, -2), 4);  // a relative table index
  vm_raw_geti(L, 1, 4);
  EXPECT_STREQ(vm_to_string(L, -1), "again");
  vm_pop(L, 1);
  vm_push_number(L, 1);
  EXPECT_EQ(vm_ref_new(L, 1), 6);

  // nil is not stored and gets no reference; a negative reference is ignored
  vm_push_nil(L);
  EXPECT_EQ(vm_ref_new(L, 1), -1);
  EXPECT_EQ(vm_get_top(L), 1);
  vm_ref_free(L, 1, -1);
  vm_raw_geti(L, 1, 1);
  EXPECT_EQ(vm_type(L, -1), QM_TNIL);  // free list still empty
}

TEST_F(AuxTest, RegistryReferencesLeaveTheSizeTableAlone) {
  // the registry is the usual reference table; its element 2 holds the size table
  vm_set_top(L, 0);
  vm_push_string(L, "callback");
  EXPECT_EQ(vm_ref_new(L, QM_REGISTRYINDEX), 3);
  vm_new_table(L);
  EXPECT_EQ(vm_ref_new(L, QM_REGISTRYINDEX), 4);
  vm_raw_geti(L, QM_REGISTRYINDEX, 3);
  EXPECT_STREQ(vm_to_string(L, -1), "callback");
  vm_raw_geti(L, QM_REGISTRYINDEX, 2);
  EXPECT_EQ(vm_type(L, -1), QM_TTABLE);
  EXPECT_EQ(vm_get_metatable(L, -1), 1);  // its own metatable, weakly keyed
  vm_push_string(L, "__mode");
  vm_raw_get(L, -2);
  EXPECT_STREQ(vm_to_string(L, -1), "k");
  vm_set_top(L, 0);
  vm_collect(L);
  vm_push_number(L, 1);
  EXPECT_EQ(vm_ref_new(L, QM_REGISTRYINDEX), 5);
}

TEST_F(AuxTest, ReferencesHonourANumericCountField) {
  vm_set_top(L, 0);
  vm_new_table(L);
  vm_push_string(L, "n");
  vm_push_number(L, 10);
  vm_raw_set(L, 1);
  vm_push_number(L, 1);
  EXPECT_EQ(vm_ref_new(L, 1), 11);
  vm_push_string(L, "n");
  vm_raw_get(L, 1);
  EXPECT_EQ(vm_to_number(L, -1), 11);
}

// ---- string buffers ---------------------------------------------------------------------------

TEST_F(AuxTest, StringBufferJoinsManySmallPieces) {
  vm_set_top(L, 0);
  qmStrBuf b;
  vm_strbuf_init(L, &b);
  std::string want;
  for (int i = 0; i < 3000; i++) {
    char c = static_cast<char>('a' + i % 26);
    vm_strbuf_add_lstring(&b, &c, 1);
    want += c;
  }
  vm_strbuf_push_result(&b);
  ASSERT_EQ(vm_get_top(L), 1);
  ASSERT_EQ(vm_string_length(L, 1), 3000u);
  EXPECT_EQ(std::string(vm_to_string(L, 1), 3000), want);
}

TEST_F(AuxTest, StringBufferKeepsTheStackShallowForLargeValues) {
  vm_set_top(L, 0);
  qmStrBuf b;
  vm_strbuf_init(L, &b);
  std::string want;
  int32_t deepest = 0;
  for (int i = 0; i < 200; i++) {
    // alternate values that fit into the area with ones that do not
    std::string piece(i % 3 == 0 ? 10 : 1500 + i, static_cast<char>('A' + i % 26));
    vm_strbuf_add_string(&b, "<");
    vm_push_lstring(L, piece.data(), piece.size());
    vm_strbuf_add_value(&b);
    want += "<" + piece;
    deepest = std::max(deepest, vm_get_top(L));
  }
  vm_push_number(L, 42);
  vm_strbuf_add_value(&b);  // numbers are converted
  want += "42";
  vm_strbuf_push_result(&b);
  EXPECT_LE(deepest, 11);
  ASSERT_EQ(vm_get_top(L), 1);
  EXPECT_EQ(std::string(vm_to_string(L, 1), vm_string_length(L, 1)), want);
}

TEST_F(AuxTest, StringBufferPrepHandsOutAnEmptyArea) {
  vm_set_top(L, 0);
  qmStrBuf b;
  vm_strbuf_init(L, &b);
  vm_strbuf_add_string(&b, "head-");
  char* area = vm_strbuf_prep(&b);
  EXPECT_EQ(area, b.area);
  std::memcpy(area, "tail", 4);
  b.pos = area + 4;
  vm_strbuf_push_result(&b);
  EXPECT_STREQ(vm_to_string(L, -1), "head-tail");

  vm_strbuf_init(L, &b);  // an untouched buffer gives the empty string
  vm_strbuf_push_result(&b);
  EXPECT_EQ(vm_string_length(L, -1), 0u);
  EXPECT_EQ(vm_type(L, -1), QM_TSTRING);
}

// ---- registration -----------------------------------------------------------------------------

int32_t cmd_answer(qmState* L) {
  vm_push_number(L, 42);
  return 1;
}

int32_t cmd_first_upvalue(qmState* L) {
  vm_push_value(L, vm_upvalue_index(1));
  return 1;
}

class RegisterTest : public EngineTest {
 protected:
  // Type of globals[lib][key] (raw), or -1 when the library table is missing.
  int32_t field_type(const char* lib, const char* key) {
    int32_t top = vm_get_top(L);
    vm_push_string(L, lib);
    vm_raw_get(L, QM_GLOBALSINDEX);
    int32_t t = -1;
    if (vm_type(L, -1) == QM_TTABLE) {
      vm_push_string(L, key);
      vm_raw_get(L, -2);
      t = vm_type(L, -1);
    }
    vm_set_top(L, top);
    return t;
  }
};

TEST_F(RegisterTest, CommandsGoUnderLowerCasedNamesIntoTheLibraryTable) {
  vm_set_top(L, 0);
  const qmCommand rows[] = {{"GetAnswer", cmd_answer}, {"\xC4RGER", cmd_answer}, {nullptr, nullptr}};
  EXPECT_EQ(vm_register_commands(L, "MyLib", rows, 0), 0);
  ASSERT_EQ(vm_get_top(L), 1);  // the library table stays on the stack
  EXPECT_EQ(vm_type(L, 1), QM_TTABLE);
  EXPECT_EQ(field_type("MyLib", "getanswer"), QM_TFUNCTION);
  EXPECT_EQ(field_type("MyLib", "GetAnswer"), QM_TNIL);
  EXPECT_EQ(field_type("MyLib", "\xE4rger"), QM_TFUNCTION);  // Latin-1 letters fold too

  // a second table for the same library joins the existing one
  const qmCommand more[] = {{"Second", cmd_answer}, {nullptr, nullptr}};
  vm_register_commands(L, "MyLib", more, 0);
  EXPECT_TRUE(vm_raw_equal(L, 1, 2));
  EXPECT_EQ(field_type("MyLib", "second"), QM_TFUNCTION);
  EXPECT_EQ(field_type("MyLib", "getanswer"), QM_TFUNCTION);
}

TEST_F(RegisterTest, UpvaluesAreSharedByEveryCommandAndPopped) {
  vm_set_top(L, 0);
  vm_new_table(L);           // target without a library name
  vm_push_string(L, "up");   // one upvalue
  const qmCommand rows[] = {{"A", cmd_first_upvalue}, {"B", cmd_first_upvalue}, {nullptr, nullptr}};
  vm_register_commands(L, nullptr, rows, 1);
  ASSERT_EQ(vm_get_top(L), 1);
  for (const char* key : {"a", "b"}) {
    vm_push_string(L, key);
    vm_raw_get(L, 1);
    ASSERT_EQ(vm_pcall(L, 0, 1, 0), 0);
    EXPECT_STREQ(vm_to_string(L, -1), "up");
    vm_pop(L, 1);
  }
}

TEST_F(RegisterTest, OverlongNamesAreRefusedNotCut) {
  vm_set_top(L, 0);
  std::string fits(VM_NAME_MAX - 1, 'x');
  std::string too_long = fits + "Y";
  const qmCommand rows[] = {{too_long.c_str(), cmd_answer}, {fits.c_str(), cmd_answer}, {nullptr, nullptr}};
  EXPECT_EQ(vm_register_commands(L, "lib", rows, 0), ERR_NAMETOOLONG);
  EXPECT_EQ(field_type("lib", fits.c_str()), QM_TFUNCTION);
  EXPECT_EQ(field_type("lib", std::string(too_long).c_str()), QM_TNIL);

  // two constants that differ only beyond the buffer must not become one
  std::string a = std::string(200, 'c') + "A", b = std::string(200, 'c') + "B";
  const qmConstant consts[] = {{a.c_str(), nullptr, 1}, {b.c_str(), nullptr, 2}, {nullptr, nullptr, 0}};
  EXPECT_EQ(vm_register_constants(L, consts, 0), ERR_NAMETOOLONG);
  EXPECT_EQ(vm_find_constant(L, a.c_str(), nullptr, nullptr), 0);
  EXPECT_EQ(vm_get_top(L), 1);
}

TEST_F(RegisterTest, ConstantsResolveCaseInsensitivelyBuiltInsFirst) {
  vm_set_top(L, 0);
  const char* text = "unset";
  double num = -1;
  EXPECT_EQ(vm_find_constant(L, "anything", &text, &num), 0);  // no tables yet

  const qmConstant builtin[] = {{"SHARED", nullptr, 1}, {"Greeting", "hello", 0}, {nullptr, nullptr, 0}};
  const qmConstant user[] = {{"shared", nullptr, 2}, {"MINE", nullptr, 3}, {nullptr, nullptr, 0}};
  EXPECT_EQ(vm_register_constants(L, builtin, 0), 0);
  EXPECT_EQ(vm_register_constants(L, user, 1), 0);
  EXPECT_EQ(vm_get_top(L), 0);

  EXPECT_EQ(vm_find_constant(L, "Shared", &text, &num), 1);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(num, 1);
  EXPECT_EQ(vm_find_constant(L, "mine", &text, &num), 1);
  EXPECT_EQ(num, 3);
  EXPECT_EQ(vm_find_constant(L, "GREETING", &text, nullptr), 1);
  EXPECT_STREQ(text, "hello");
  EXPECT_EQ(vm_find_constant(L, "absent", &text, &num), 0);
  EXPECT_EQ(vm_get_top(L), 0);

  // the tables are keyed by lower-cased names in the registry
  vm_push_string(L, "constants");
  vm_raw_get(L, QM_REGISTRYINDEX);
  vm_push_string(L, "greeting");
  vm_raw_get(L, -2);
  EXPECT_STREQ(vm_to_string(L, -1), "hello");
}

// ---- labels -----------------------------------------------------------------------------------

TEST_F(AuxTest, LabelsAreCaseInsensitiveAndLeaveTheStackAlone) {
  vm_set_top(L, 0);
  vm_push_string(L, "marker");
  EXPECT_EQ(vm_label_find(L, "MyLabel"), -1);  // no "labels" table yet
  EXPECT_EQ(vm_label_set(L, "MyLabel", 42), 0);
  EXPECT_EQ(vm_label_find(L, "mylabel"), 42);
  EXPECT_EQ(vm_label_find(L, "MYLABEL"), 42);
  EXPECT_EQ(vm_label_find(L, "other"), -1);
  EXPECT_EQ(vm_label_set(L, "mylabel", 7), 0);  // overwrites
  EXPECT_EQ(vm_label_find(L, "MyLabel"), 7);
  EXPECT_EQ(vm_label_set(L, std::string(VM_NAME_MAX, 'l').c_str(), 1), ERR_NAMETOOLONG);
  EXPECT_EQ(vm_label_find(L, std::string(VM_NAME_MAX, 'l').c_str()), -1);
  EXPECT_EQ(vm_get_top(L), 1);
}

TEST_F(AuxTest, LabelReferencesCountFromZero) {
  vm_set_top(L, 0);
  EXPECT_EQ(vm_labelref_add(L, "Start", 10), 0);
  EXPECT_EQ(vm_labelref_add(L, "LOOP", 20), 1);
  EXPECT_EQ(vm_get_top(L), 0);

  vm_push_string(L, "labelrefs");
  vm_raw_get(L, QM_REGISTRYINDEX);
  vm_push_string(L, "n");
  vm_raw_get(L, 1);
  EXPECT_EQ(vm_to_number(L, -1), 2);
  vm_raw_geti(L, 1, 1);  // the second entry
  vm_push_string(L, "name");
  vm_raw_get(L, -2);
  EXPECT_STREQ(vm_to_string(L, -1), "loop");
  vm_push_string(L, "pc");
  vm_raw_get(L, -3);
  EXPECT_EQ(vm_to_number(L, -1), 20);
  vm_raw_geti(L, 1, 0);  // the first one has the key 0
  EXPECT_EQ(vm_type(L, -1), QM_TTABLE);
}

// ---- plug-in script table ---------------------------------------------------------------------

TEST(PluginScriptTable, SixtySevenSlotsInTheirFixedOrderThenNull) {
  for (int32_t i = 0; i < VM_PLUGIN_SCRIPT_SLOTS; i++) EXPECT_NE(vm_plugin_script_table[i], nullptr) << i;
  EXPECT_EQ(vm_plugin_script_table[67], nullptr);
  auto at = [](int32_t i) { return reinterpret_cast<void*>(vm_plugin_script_table[i]); };
  EXPECT_EQ(at(0), reinterpret_cast<void*>(vm_get_top));
  EXPECT_EQ(at(29), reinterpret_cast<void*>(vm_new_table));
  EXPECT_EQ(at(35), reinterpret_cast<void*>(vm_pcall));
  EXPECT_EQ(at(44), reinterpret_cast<void*>(vm_raise_error));
  EXPECT_EQ(at(45), reinterpret_cast<void*>(vm_arg_check_string));
  EXPECT_EQ(at(53), reinterpret_cast<void*>(arg_check_type));
  EXPECT_EQ(at(56), reinterpret_cast<void*>(plugin_arg_get_id));
  EXPECT_EQ(at(60), reinterpret_cast<void*>(vm_strbuf_init));
  EXPECT_EQ(at(66), reinterpret_cast<void*>(vm_find_string));
}

TEST_F(AuxTest, PluginIdReaderTakesHandlesOrNumbers) {
  vm_set_top(L, 0);
  vm_push_lightuserdata(L, this);
  vm_push_number(L, 12.7);
  vm_push_string(L, "x");
  qmPluginObjectId id{-1, nullptr};
  plugin_arg_get_id(L, 1, &id);
  EXPECT_EQ(id.number, 0);
  EXPECT_EQ(id.handle, this);
  plugin_arg_get_id(L, 2, &id);
  EXPECT_EQ(id.number, 12);
  EXPECT_EQ(id.handle, nullptr);
  EXPECT_EQ(raises([&] { plugin_arg_get_id(L, 3, &id); }), ERR_NUMEXPECTED);
}

}  // namespace
