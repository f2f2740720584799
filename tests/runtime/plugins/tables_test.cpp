// The tables handed to plug-ins: their sizes and ends, and the adapters that exist only for them.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/vm.h"
#include "runtime/plugins/plugins.h"

namespace {

TEST(PluginTables, BaseTableAndItsEnds) {
  const qmPluginBase& b = plugin_base_table;
  EXPECT_EQ(b.version, 5);
  EXPECT_EQ(b.revision, 0);
  EXPECT_EQ(b.script, vm_plugin_script_table);
  EXPECT_NE(b.script[QMPLUGIN_SCRIPT_SLOTS - 1], nullptr);
  EXPECT_EQ(b.script[QMPLUGIN_SCRIPT_SLOTS], nullptr);
  for (int i = 0; i < 23; ++i) EXPECT_EQ(b.strings[i], nullptr) << i;
  for (int i = 23; i < 29; ++i) EXPECT_NE(b.strings[i], nullptr) << i;
  EXPECT_EQ(b.default_fonts[0].address, nullptr);
  for (int i = 0; i < QMPLUGIN_FREETYPE_SLOTS; ++i) EXPECT_NE(b.freetype[i], nullptr) << i;
}

TEST(PluginTables, StringServicesFoldLatin1) {
  const qmPluginFunction* s = plugin_base_table.strings;
  auto cmp = reinterpret_cast<int (*)(const char*, const char*)>(s[QMPLUGIN_STR_CASE_CMP]);
  auto upper = reinterpret_cast<void (*)(char*)>(s[QMPLUGIN_STR_UPPER]);
  EXPECT_EQ(cmp("\xe9t\xe9", "\xc9T\xc9"), 0);
  char text[] = "abc\xe9\xf7";
  upper(text);
  EXPECT_STREQ(text, "ABC\xc9\xf7");
}

TEST(PluginTables, SystemAdapters) {
  const qmPluginFunction* sys = plugin_base_table.system;
  auto count = reinterpret_cast<int32_t (*)(qmPluginTag*)>(sys[QMPLUGIN_SYS_TAG_COUNT]);
  qmPluginTag tags[] = {{25, 7}, {3, 9}, {25, 8}, {0, 0}, {25, 1}};
  EXPECT_EQ(count(tags), 2);
  EXPECT_EQ(tags[0].data, 0);
  EXPECT_EQ(tags[1].data, 9);
  EXPECT_EQ(tags[2].data, 0);
  EXPECT_EQ(tags[4].data, 1);  // after the end

  auto alloc = reinterpret_cast<void* (*)(size_t, uint32_t)>(sys[QMPLUGIN_SYS_ALLOC]);
  auto release = reinterpret_cast<void (*)(void*)>(sys[QMPLUGIN_SYS_FREE]);
  auto* block = static_cast<unsigned char*>(alloc(4096, 1));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 4096; ++i) ASSERT_EQ(block[i], 0) << i;
  release(block);
}

// Before the graphics library runs (and after it ended) the graphics slots answer nothing and
// leave no stale values in what the plug-in handed in.
TEST(PluginTables, GraphicsSlotsFailCleanlyWithoutTheGraphicsLibrary) {
  const qmPluginFunction* g = plugin_base_table.graphics;
  auto info = reinterpret_cast<int32_t (*)(const char*, int32_t*, int32_t*, int32_t*)>(g[QMPLUGIN_GFX_PICTURE_INFO]);
  auto load = reinterpret_cast<void* (*)(const char*, int32_t*, int32_t*, int32_t*)>(g[QMPLUGIN_GFX_PICTURE_LOAD]);
  auto lock = reinterpret_cast<int32_t (*)(int32_t, uint32_t, qmPluginBrushLock*)>(g[QMPLUGIN_GFX_BRUSH_LOCK]);
  int32_t w = 7, h = 7, a = 7;
  EXPECT_EQ(info("pic.png", &w, &h, &a), 0);
  EXPECT_EQ(w + h + a, 0);
  EXPECT_EQ(load("pic.png", &w, &h, &a), nullptr);
  qmPluginBrushLock record;
  std::memset(&record, 0xAB, sizeof record);
  EXPECT_EQ(lock(1, 0, &record), 0);
  EXPECT_EQ(record.pixels, nullptr);
  EXPECT_EQ(record.brush, nullptr);
  auto sample = reinterpret_cast<int32_t (*)(int32_t, int32_t, uint32_t, void*)>(plugin_base_table.sound[0]);
  EXPECT_EQ(sample(1, 0, 0, nullptr), 0);
}

}  // namespace
