// The layer against the host: attributes checked with coreutils, UTF-8 names, absolute paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "scratch.h"

namespace {

using qmtest::ScratchDir;
using qmtest::shell;

TEST(Host, ProtectionBitsBothWays) {
  ScratchDir dir;
  std::string f = dir / "p.txt";
  qmtest::write_file(f, "x");
  struct Case {
    const char* octal;
    uint32_t bits;
  } cases[] = {
      {"400", QMOS_PROT_READ},
      {"640", QMOS_PROT_READ | QMOS_PROT_WRITE | QMOS_PROT_GROUP_READ},
      {"751", QMOS_PROT_READ | QMOS_PROT_WRITE | QMOS_PROT_EXECUTE | QMOS_PROT_GROUP_READ |
                  QMOS_PROT_GROUP_EXECUTE | QMOS_PROT_OTHER_EXECUTE},
      {"777", 0x7E0Bu},
  };
  for (const auto& c : cases) {
    shell("chmod " + std::string(c.octal) + " '" + f + "'");
    qmLock* lock = qmos_lock(f.c_str(), QMOS_LOCK_READ);
    ASSERT_NE(lock, nullptr);
    qmFileInfo info;
    ASSERT_EQ(qmos_examine(lock, &info), 1);
    EXPECT_EQ(info.protection, c.bits) << c.octal;
    qmos_unlock(lock);
    shell("chmod 000 '" + f + "'");
    ASSERT_EQ(qmos_set_protection(f.c_str(), c.bits), 1);
    EXPECT_EQ(shell("stat -c %a '" + f + "'"), c.octal);
  }
  ASSERT_EQ(qmos_set_protection(f.c_str(), QMOS_PROT_DEFAULT | QMOS_PROT_EXECUTE), 1);
  EXPECT_EQ(shell("stat -c %a '" + f + "'"), "644");
}

TEST(Host, DatesAgreeWithTouchAndStat) {
  ScratchDir dir;
  std::string f = dir / "d.txt";
  qmtest::write_file(f, "12345");
  shell("touch -d '2019-03-04 05:06:07' '" + f + "'");
  qmLock* lock = qmos_lock(f.c_str(), QMOS_LOCK_READ);
  ASSERT_NE(lock, nullptr);
  qmFileInfo info;
  ASSERT_EQ(qmos_examine(lock, &info), 1);
  qmos_unlock(lock);
  EXPECT_EQ(info.size, 5);
  EXPECT_EQ(info.is_dir, 0);
  qmDate d;
  qmos_time_to_date(info.modify_time, &d);
  EXPECT_EQ(d.year, 2019);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 4);
  EXPECT_EQ(d.hour, 5);
  EXPECT_EQ(d.minute, 6);
  EXPECT_EQ(d.second, 7);
  EXPECT_EQ(qmos_date_to_time(&d), info.modify_time);

  qmDate set;
  set.year = 2001;
  set.month = 12;
  set.day = 31;
  set.hour = 23;
  set.minute = 58;
  set.second = 1;
  ASSERT_EQ(qmos_set_file_date(f.c_str(), &set), 1);
  EXPECT_EQ(shell("date -d @$(stat -c %Y '" + f + "') '+%Y-%m-%d %H:%M:%S'"),
            "2001-12-31 23:58:01");
  EXPECT_EQ(qmos_set_file_date((dir / "missing").c_str(), &set), 0);
}

TEST(Host, Utf8NamesRoundTripThroughListings) {
  ScratchDir dir;
  // "café.txt" made by the host in UTF-8, and a name that is no UTF-8 at all.
  qmtest::write_file(dir / "caf\xC3\xA9.txt", "cafe");
  qmtest::write_file(dir / "raw\xFF.bin", "raw");
  qmLock* lock = qmos_lock(dir.path().c_str(), QMOS_LOCK_READ);
  ASSERT_NE(lock, nullptr);
  std::vector<std::string> names;
  std::string name;
  int32_t is_dir;
  qmFileInfo info;
  while (qmos_next_entry(lock, &name, &is_dir, &info)) names.push_back(name);
  qmos_unlock(lock);
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "caf\xE9.txt");  // Latin-1 inside
  EXPECT_EQ(names[1], "raw\xFF.bin");  // left as it was: it has no Latin-1 reading
  for (const auto& n : names) {
    qmFileHandle* h = qmos_open((dir.path() + "/" + n).c_str(), QMOS_MODE_READ);
    ASSERT_NE(h, nullptr) << n;
    qmos_close(h);
  }
  // A Latin-1 name made by the player appears in UTF-8 on the host.
  qmFileHandle* h = qmos_open((dir.path() + "/na\xEFve").c_str(), QMOS_MODE_WRITE);
  ASSERT_NE(h, nullptr);
  qmos_close(h);
  EXPECT_TRUE(qmtest::exists(dir / "na\xC3\xAFve"));
  char full[4096];
  ASSERT_EQ(qmos_full_path((dir.path() + "/./na\xEFve").c_str(), full, sizeof full), 1);
  EXPECT_EQ(std::string(full), dir.path() + "/na\xEFve");
}

TEST(Host, FullPathNeverCutsAndHandlesLongPaths) {
  ScratchDir dir;
  // A real path beyond 1024 bytes: no fixed buffer on the way.
  std::string deep = dir.path();
  for (int i = 0; i < 12; ++i) {
    deep += "/" + std::string(100, char('a' + i));
    ASSERT_EQ(qmos_mkdir(deep.c_str()), 1);
  }
  std::string out(4096, '\0');
  ASSERT_EQ(qmos_full_path((deep + "/..").c_str(), out.data(), out.size()), 1);
  EXPECT_EQ(std::string(out.c_str()), deep.substr(0, deep.rfind('/')));
  EXPECT_EQ(qmos_full_path(deep.c_str(), out.data(), 1024), 0);

  char small[8];
  EXPECT_EQ(qmos_full_path("/nonexistent/x", small, sizeof small), 0);
  char buf[1024];
  ASSERT_EQ(qmos_full_path("/nonexistent/x", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "/nonexistent/x");
  ASSERT_EQ(qmos_full_path("PROGDIR:sub\\missing.txt", buf, sizeof buf), 1);
  EXPECT_EQ(std::string(buf), qmos_executable_folder() + "/sub/missing.txt");

  char* previous = qmos_change_dir(dir.path().c_str());
  ASSERT_NE(previous, nullptr);
  ASSERT_EQ(qmos_full_path("missing.txt", buf, sizeof buf), 1);
  EXPECT_EQ(std::string(buf), dir / "missing.txt");
  char* back = qmos_change_dir(previous);
  EXPECT_EQ(std::string(back), dir.path());
  qmos_free(back);
  qmos_free(previous);
  EXPECT_EQ(qmos_change_dir((dir / "missing").c_str()), nullptr);
}

TEST(Host, LocksRefuseWritingAndKnowFilesFromFolders) {
  ScratchDir dir;
  qmtest::write_file(dir / "f", "x");
  testing::internal::CaptureStdout();
  EXPECT_EQ(qmos_lock(dir.path().c_str(), QMOS_LOCK_WRITE), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "QMOS_LOCK_WRITE unsupported.\n");
  qmLock* file = qmos_lock((dir / "f").c_str(), QMOS_LOCK_READ);
  ASSERT_NE(file, nullptr);
  int32_t is_dir = -1;
  EXPECT_EQ(qmos_lock_is_dir(file, &is_dir), qm::ERR_NOTADIR);
  EXPECT_EQ(is_dir, 0);
  EXPECT_EQ(std::string(qm::err_context().string_arg), dir / "f");
  qmos_unlock(file);
  EXPECT_EQ(qmos_lock("/dev/null", QMOS_LOCK_READ), nullptr);  // neither file nor folder
  char* cwd = qmos_change_dir(dir.path().c_str());
  qmLock* here = qmos_lock("", QMOS_LOCK_READ);
  ASSERT_NE(here, nullptr);
  EXPECT_EQ(qmos_lock_name(here), dir.path());
  qmos_unlock(here);
  qmos_free(qmos_change_dir(cwd));
  qmos_free(cwd);
}

}  // namespace
