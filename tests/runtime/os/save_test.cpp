// Saving a file whole, and the files that reading refuses.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/os/qmos.h"
#include "scratch.h"

namespace {

using qmtest::ScratchDir;

std::vector<std::string> folder_names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t mode_of(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool write_text(qmFileHandle* h, const std::string& text) {
  return qmos_write(h, text.data(), int64_t(text.size())) == int64_t(text.size());
}

TEST(Save, CommitReplacesTheTargetWithItsPermissionsAndNothingBeside) {
  ScratchDir dir;
  qmtest::write_file(dir / "old.txt", "old contents");
  chmod((dir / "old.txt").c_str(), 0640);
  qmFileHandle* h = qmos_save_open((dir / "old.txt").c_str());
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(write_text(h, "new"));
  // Nothing reaches the target before the commit.
  EXPECT_EQ(qmtest::read_file(dir / "old.txt"), "old contents");
  EXPECT_EQ(qmos_save_commit(h), 1);
  EXPECT_EQ(qmtest::read_file(dir / "old.txt"), "new");
  EXPECT_EQ(mode_of(dir / "old.txt"), 0640u);
  EXPECT_EQ(folder_names(dir.path()), std::vector<std::string>{"old.txt"});

  // A new file gets the bits that creating it would give.
  const mode_t mask = umask(022);
  h = qmos_save_open((dir / "new.txt").c_str());
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(write_text(h, "x"));
  EXPECT_EQ(qmos_save_commit(h), 1);
  umask(mask);
  EXPECT_EQ(mode_of(dir / "new.txt"), 0644u);
}

// A save cut short by the file-size limit, at the first write, in the middle and at the final
// flush, and one dropped by closing without a commit: the old file stays whole and the temporary
// file goes.
TEST(Save, AFailedSaveKeepsTheOldFileAndLeavesNothing) {
  ScratchDir dir;
  const std::string target = dir / "pic.bin", old(100, 'o');
  // Larger than the stream's buffer, in pieces: the limits below stop the first write that
  // reaches the file, one in the middle and the final flush.
  const std::string data(20000, 'n');
  auto saved = [&](rlim_t limit, bool commit) {
    qmtest::write_file(target, old);
    qmFileHandle* h = qmos_save_open(target.c_str());
    if (!h) return -1;
    struct rlimit was;
    getrlimit(RLIMIT_FSIZE, &was);
    struct rlimit lowered = was;
    lowered.rlim_cur = limit;
    auto* before = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &lowered);
    bool ok = true;
    for (size_t at = 0; ok && at < data.size(); at += 5000) ok = write_text(h, data.substr(at, 5000));
    int32_t result = commit ? qmos_save_commit(h) : (qmos_close(h), 0);
    setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, before);
    return ok && result ? 1 : 0;
  };
  for (rlim_t limit : {rlim_t(0), rlim_t(10000), rlim_t(19999)}) {
    EXPECT_EQ(saved(limit, true), 0) << limit;
    EXPECT_EQ(qmtest::read_file(target), old) << limit;
    EXPECT_EQ(folder_names(dir.path()), std::vector<std::string>{"pic.bin"}) << limit;
  }
  EXPECT_EQ(saved(RLIM_INFINITY, false), 0);
  EXPECT_EQ(qmtest::read_file(target), old);
  EXPECT_EQ(folder_names(dir.path()), std::vector<std::string>{"pic.bin"});
  EXPECT_EQ(saved(20000, true), 1);
  EXPECT_EQ(qmtest::read_file(target), data);
}

TEST(Save, ALinkStaysALinkToTheNewFile) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "real");
  qmtest::write_file(dir / "real/pic.bin", "old");
  ASSERT_EQ(symlink("real/pic.bin", (dir / "link.bin").c_str()), 0);
  qmFileHandle* h = qmos_save_open((dir / "link.bin").c_str());
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(write_text(h, "new"));
  ASSERT_EQ(qmos_save_commit(h), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.bin"));
  EXPECT_EQ(qmtest::read_file(dir / "real/pic.bin"), "new");
  EXPECT_EQ(folder_names(dir / "real"), std::vector<std::string>{"pic.bin"});
}

TEST(Save, DevicesAreWrittenInPlaceAndOtherTargetsRefused) {
  ScratchDir dir;
  qmFileHandle* h = qmos_save_open("/dev/null");
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(write_text(h, "gone"));
  EXPECT_EQ(qmos_save_commit(h), 1);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(qmos_save_open((dir / "pipe").c_str()), nullptr);  // no reader: no wait for one
  EXPECT_EQ(qmos_save_open(dir.path().c_str()), nullptr);
  EXPECT_EQ(qmos_save_open((dir / "no/such/folder.bin").c_str()), nullptr);
  if (geteuid() != 0) {
    qmtest::write_file(dir / "locked.bin", "keep");
    chmod((dir / "locked.bin").c_str(), 0444);
    EXPECT_EQ(qmos_save_open((dir / "locked.bin").c_str()), nullptr);
  }
}

}  // namespace
