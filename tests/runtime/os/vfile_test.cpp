#include "runtime/vfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "scratch.h"

namespace {

using qmtest::ScratchDir;

TEST(VirtualName, BuildsAndParsesBothForms) {
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("Pic.png", name, sizeof name, 5000000000LL, 77, 12, "/a/b.qma"),
            1);
  EXPECT_STREQ(name, ":::chunk5000000012:77*Pic.png//a/b.qma");
  qmVirtualName v;
  ASSERT_TRUE(vfile_parse_name(name, &v));
  EXPECT_FALSE(v.memory);
  EXPECT_EQ(v.offset, 5000000012u);
  EXPECT_EQ(v.length, 77u);
  EXPECT_EQ(v.display, "Pic.png");
  EXPECT_EQ(v.host, "/a/b.qma");

  // A display name with a folder keeps the first '/' after '*' for the host part.
  ASSERT_EQ(vfile_make_chunk_name("data/pic.png", name, sizeof name, 0, 1, 0, "/x"), 1);
  EXPECT_STREQ(name, ":::chunk0:1*data\\pic.png//x");
  ASSERT_TRUE(vfile_parse_name(name, &v));
  EXPECT_EQ(v.host, "/x");

  const char* block = reinterpret_cast<const char*>(uintptr_t(0xabc123));
  ASSERT_EQ(vfile_make_chunk_name("s", name, sizeof name, -1, 9, 42, block), 1);
  EXPECT_STREQ(name, ":::chunkS42:9*s/abc123");
  ASSERT_TRUE(vfile_parse_name(name, &v));
  EXPECT_TRUE(v.memory);
  EXPECT_EQ(v.segment, 42);
  EXPECT_EQ(v.address, uintptr_t(0xabc123));

  // Too long for the field: refused, never cut.
  std::string host(2000, 'h');
  EXPECT_EQ(vfile_make_chunk_name("x", name, sizeof name, 0, 1, 0, host.c_str()), 0);
  EXPECT_EQ(vfile_make_chunk_name("x", name, sizeof name, -5, 1, 0, "/x"), 0);
}

TEST(VirtualName, DisplayNamesAndPathParts) {
  struct Case {
    const char* path;
    const char* base;
  } cases[] = {
      {":::chunk1:2*Pic.png//a/b", "Pic.png"},
      {":::chunk1:2*/a/b", ""},
      {"/a/b/c.txt", "c.txt"},
      {"a\\b\\c.txt", "c.txt"},
      {"/a/b/", ""},
      {"x", "x"},
      {"Work:file", "file"},
      {"plain", "plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(vfile_basename(c.path), c.base) << c.path;

  char buf[16] = "a";
  EXPECT_EQ(path_add_part(buf, sizeof buf, "b"), 1);
  EXPECT_STREQ(buf, "a/b");
  std::strcpy(buf, "a/");
  EXPECT_EQ(path_add_part(buf, sizeof buf, "b"), 1);
  EXPECT_STREQ(buf, "a/b");
  buf[0] = 0;
  EXPECT_EQ(path_add_part(buf, sizeof buf, "b"), 1);
  EXPECT_STREQ(buf, "b");
  EXPECT_EQ(path_add_part(buf, sizeof buf, "0123456789abcdef"), 0);
  EXPECT_STREQ(buf, "b");
  EXPECT_STREQ(path_file_part("Work:dir/x\\y.z"), "y.z");
}

TEST(LinkedFiles, LookupByNameAndFontKind) {
  static const uint8_t mem[4] = {1, 2, 3, 4};
  qmLinkedFiles linked;
  linked.base = 1000;
  linked.applet_path = "/apps/prog.qma";
  linked.files = {
      {"::font:vera.ttf", "", 10, 5, nullptr},
      {"Data\\Pic.PNG", "", 20, 6, nullptr},
      {"::font:Arial", "/fonts/host.bin", 30, 7, nullptr},
      {"vera.ttf", "", 40, 8, nullptr},
      {"\xC9t\xE9.txt", "", 50, 9, nullptr},
      {"mem.bin", "", -1, 4, mem},
  };
  char memname[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("mem.bin", memname, sizeof memname, -1, 4, 1000,
                                  reinterpret_cast<const char*>(mem)),
            1);
  struct Case {
    const char* name;
    int32_t kind;
    std::string out;
    int32_t font;
  } cases[] = {
      {"data/pic.png", 0, ":::chunk1020:6*Data\\Pic.PNG//apps/prog.qma", 0},
      {"DATA\\PIC.png", 0, ":::chunk1020:6*Data\\Pic.PNG//apps/prog.qma", 0},
      {"Arial.font", 1, ":::chunk1030:7*Arial//fonts/host.bin", 1},
      {"arial", 1, ":::chunk1030:7*Arial//fonts/host.bin", 1},
      {"vera.ttf", 1, ":::chunk1040:8*vera.ttf//apps/prog.qma", 0},
      {"Arial", 0, "Arial", 0},
      {"\xE9t\xC9.TXT", 0, ":::chunk1050:9*\xC9t\xE9.txt//apps/prog.qma", 0},
      {"mem.bin", 0, memname, 0},
      {"other.png", 0, "other.png", 0},
  };
  for (const auto& c : cases) {
    int32_t font = -1;
    EXPECT_EQ(linked_file_resolve(linked, c.name, c.kind, &font), c.out) << c.name;
    EXPECT_EQ(font, c.font) << c.name;
  }
  int32_t font = -1;
  EXPECT_EQ(linked_file_resolve(qmLinkedFiles{}, "any.png", 0, &font), "any.png");
  EXPECT_EQ(font, 0);
}

TEST(VirtualFiles, CopyToARealTemporaryFile) {
  ScratchDir dir;
  std::string host = dir / "applet.bin";
  std::string bytes(40000, 'z');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  qmtest::write_file(host, bytes);
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("clip.avi", name, sizeof name, 100, 35000, 0, host.c_str()), 1);
  char temp[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_temp_name(temp, sizeof temp, name), 1);
  std::string t = temp;
  EXPECT_EQ(t.substr(t.size() - 4), ".avi");
  EXPECT_TRUE(qmtest::exists(t));  // reserved by creating it: no other process can take the name
  EXPECT_EQ(file_copy(name, temp), 0);
  EXPECT_EQ(qmtest::read_file(t), bytes.substr(100, 35000));
  std::remove(temp);

  qmtest::write_file(dir / "empty", "");
  EXPECT_EQ(file_copy((dir / "empty").c_str(), (dir / "copy").c_str()), 0);
  EXPECT_TRUE(qmtest::exists(dir / "copy"));
  EXPECT_EQ(qmtest::read_file(dir / "copy"), "");

  EXPECT_EQ(file_copy((dir / "missing").c_str(), (dir / "copy").c_str()), qm::ERR_READFILE);
  EXPECT_EQ(std::string(qm::err_context().string_arg), dir / "missing");
  EXPECT_EQ(file_copy(name, (dir / "no/dir/x").c_str()), qm::ERR_WRITEFILE);
  EXPECT_EQ(std::string(qm::err_context().string_arg), dir / "no/dir/x");
}

TEST(VirtualFiles, LocksOnVirtualAndRealNames) {
  ScratchDir dir;
  char name[VFILE_NAME_SIZE];
  std::string host = dir / "applet.bin";
  qmtest::write_file(host, "x");
  ASSERT_EQ(vfile_make_chunk_name("Pic.png", name, sizeof name, 0, 1234, 0, host.c_str()), 1);
  qmVLock* v = vfile_lock(name, QMOS_LOCK_READ);
  ASSERT_NE(v, nullptr);
  qmFileInfo info;
  ASSERT_EQ(vfile_examine(v, &info), 1);
  EXPECT_EQ(info.is_dir, 0);
  EXPECT_EQ(info.size, 1234);
  EXPECT_EQ(info.protection, 15u);
  qmDate d;
  qmos_time_to_date(info.modify_time, &d);
  EXPECT_EQ(d.day, 16);
  EXPECT_EQ(d.month, 8);
  EXPECT_EQ(d.year, 1982);
  EXPECT_EQ(d.hour, 0);
  int32_t is_dir = -1;
  EXPECT_EQ(vfile_lock_is_dir(v, &is_dir), qm::ERR_NOTADIR);
  EXPECT_STREQ(qm::err_context().string_arg, name);
  char full[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_lock_name(v, full, sizeof full), 1);
  EXPECT_EQ(std::string(full), dir / "Pic.png");
  vfile_unlock(v);

  qmVLock* real = vfile_lock(dir.path().c_str(), QMOS_LOCK_READ);
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(vfile_lock_is_dir(real, &is_dir), 0);
  EXPECT_EQ(is_dir, 1);
  std::string entry;
  ASSERT_EQ(dir_next_entry(real, &entry, &is_dir, &info), 1);
  EXPECT_EQ(entry, "applet.bin");
  EXPECT_EQ(dir_next_entry(real, &entry, &is_dir, &info), 0);
  vfile_unlock(real);
  EXPECT_EQ(vfile_lock((dir / "missing").c_str(), QMOS_LOCK_READ), nullptr);
}

}  // namespace
