// Linked files through the real player: one lookup over the project record serves every name
// reader, in a separate applet file and in an applet appended to a player copy; names match in
// any case and with "\" for "/"; an entry may keep its data elsewhere in the applet; FileToString
// does no lookup and reads the real file.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/player/player_run.h"
#include "tools/qmappend/append.h"

namespace {

const char* kProgram = R"(
.link "Data\\Notes.txt" "notes_src.txt"
.link "Pics/Elsewhere.bin" "far_src.bin" elsewhere
.maxstack 6
  GETGLOBAL r0 "openfile"
  LOADK r1 #1
  LOADK r2 "data/notes.txt"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "opened"
  GETGLOBAL r2 "readline"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
  GETGLOBAL r0 "openfile"
  LOADK r1 #2
  LOADK r2 "DATA\\notes.TXT"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "other case"
  GETGLOBAL r2 "readline"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
  GETGLOBAL r0 "openfile"
  LOADK r1 #3
  LOADK r2 "pics\\elsewhere.BIN"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "elsewhere"
  GETGLOBAL r2 "readline"
  LOADK r3 #3
  CALL r2 2 0
  CALL r0 0 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no lookup"
  GETGLOBAL r2 "filetostring"
  LOADK r3 "data/notes.txt"
  CALL r2 2 0
  CALL r0 0 1
  RETURN r0 1
)";

const char* kExpected = "opened linked notes\nother case linked notes\nelsewhere far data\nno lookup real file 9\n";

class LinkedFiles : public qmtest::PlayerRun {
 protected:
  void SetUp() override {
    PlayerRun::SetUp();
    put("notes_src.txt", "linked notes\n");
    put("far_src.bin", "far data\n");
    put("data/notes.txt", "real file");
  }
};

TEST_F(LinkedFiles, FoundInAnAppletFile) {
  qmtest::Outcome r = run({"-quiet", program("prog.qma", kProgram)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpected) << r.err;
}

TEST_F(LinkedFiles, FoundInACompressedApplet) {
  qmtest::Outcome r = run({"-quiet", program("prog.qma", std::string(".compress\n") + kProgram)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpected) << r.err;
}

TEST_F(LinkedFiles, FoundInAnAppendedApplet) {
  std::string applet = slurp(program("prog.qma", kProgram));
  std::string player = slurp(QM_PLAYER);
  std::string error;
  std::vector<uint8_t> joined = qm::append_applet(std::vector<uint8_t>(player.begin(), player.end()),
                                                  std::vector<uint8_t>(applet.begin(), applet.end()), &error);
  ASSERT_FALSE(joined.empty()) << error;
  put("game", std::string(joined.begin(), joined.end()));
  ASSERT_EQ(chmod(path("game").c_str(), 0755), 0);
  qmtest::Outcome r = run({}, "", path("game"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kExpected) << r.err;
}

}  // namespace
