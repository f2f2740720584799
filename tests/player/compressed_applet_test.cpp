// A compressed applet is checked while it inflates: garbage stops at its first bytes instead of
// filling the disk, the stream is inflated only as far as the applet reaches, and the inflated
// copy is no file that a killed player could leave behind.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/player/player_run.h"
#include "tools/asm/applet.h"
#include "tools/asm/text.h"

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

TEST_F(CompressedApplet, WhatFollowsTheAppletIsNeverInflated) {
  // A working applet with 64 MB of zeros behind it in the same stream.
  program("plain.qma", ".applet\n.maxstack 4\n  GETGLOBAL r0 \"debugprint\"\n  LOADK r1 \"ran\"\n  CALL r0 2 1\n"
                       "  RETURN r0 1\n");
  std::string plain = slurp(path("plain.qma"));
  plain.resize(plain.size() + (64u << 20), '\0');
  std::vector<uint8_t> packed = qm::asmx::compress_applet(std::vector<uint8_t>(plain.begin(), plain.end()));
  put("padded.qma", std::string(packed.begin(), packed.end()));
  qmtest::Outcome r = run({"-quiet", "padded.qma"}, env() + " prlimit --fsize=1048576");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ran\n");
}

TEST_F(CompressedApplet, AnAppletReachingPastTheLimitIsRefusedAtOnce) {
  // A linked file said to lie 2 GB into the applet: the stream would have to inflate that far.
  qm::asmx::AppletWriter w;
  w.u8(26);
  w.u32(1);
  w.u32(0);
  w.cstring("far.png");
  w.u32(0xFFFFFFFFu);
  w.u32(16);
  w.u32(0x7FFFFFF0u);
  std::vector<uint8_t> chunk;
  std::string error;
  bool is_applet = false;
  ASSERT_TRUE(qm::asmx::assemble_program("  RETURN r0 1\n", dir_.string(), chunk, is_applet, error)) << error;
  w.bytecode(chunk);
  std::vector<uint8_t> packed = qm::asmx::compress_applet(w.bytes());
  put("far.qma", std::string(packed.begin(), packed.end()));
  qmtest::Outcome r = run({"-quiet", "far.qma"}, env());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("far.qma is no Quillmere applet!"), std::string::npos) << r.err;
  EXPECT_TRUE(tmp_is_empty());
}

}  // namespace
