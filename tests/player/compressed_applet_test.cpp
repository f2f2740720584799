// A compressed applet is checked while it inflates: garbage stops at its first bytes instead of
// filling the disk, and the inflated copy is no file that a killed player could leave behind.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/player/player_run.h"
#include "tools/asm/applet.h"

namespace {

class CompressedApplet : public qmtest::PlayerRun {
 protected:
  // The player's temporary files go to tmp/ in the scratch folder.
  std::string env() const { return "TMPDIR=" + quote(path("tmp")); }
  bool tmp_is_empty() const { return std::filesystem::is_empty(dir_ / "tmp"); }
  void SetUp() override {
    PlayerRun::SetUp();
    std::filesystem::create_directories(dir_ / "tmp");
  }
};

TEST_F(CompressedApplet, GarbageStopsAtItsFirstBytes) {
  // 64 MB of zeros packed as "QMZ": a few kilobytes that would inflate into 64 MB of nothing.
  std::vector<uint8_t> zeros(64u << 20, 0);
  std::vector<uint8_t> packed = qm::asmx::compress_applet(zeros);
  put("junk.qma", std::string(packed.begin(), packed.end()));
  // Under a limit of 1 MB for any file the player writes, only a check at the first bytes can
  // answer that this is no applet.
  qmtest::Outcome r = run({"-quiet", "junk.qma"}, env() + " prlimit --fsize=1048576");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is no Quillmere applet!"), std::string::npos) << r.err;
  EXPECT_TRUE(tmp_is_empty());
}

TEST_F(CompressedApplet, AKilledPlayerLeavesNoTemporaryFile) {
  // A program that never ends, killed while it runs.
  program("loop.qma", ".compress\nloop:\n  JMP @loop\n  RETURN r0 1\n");
  qmtest::Outcome r = run({"-quiet", "loop.qma"}, env() + " timeout -s KILL 3");
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(tmp_is_empty());
}

}  // namespace
