// The real player with an applet appended by qmappend: player and program are one executable.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/runtime/applet/applet_fixture.h"
#include "tools/asm/text.h"

namespace {

const char* kProgram = R"(
.meta title "Appended"
.constant #ANSWER 42
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "appended"
  LOADK r2 #42
  CALL r0 3 1
  RETURN r0 1
)";

struct RunResult {
  int status = -1;
  std::string out;
};

RunResult run(const std::string& command, const qmtest::ScratchDir& dir) {
  std::string out = dir / "out.txt";
  int raw = std::system((command + " >'" + out + "' 2>&1 </dev/null").c_str());
  RunResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::vector<uint8_t> bytes = qmtest::read_bytes(out);
  r.out.assign(bytes.begin(), bytes.end());
  return r;
}

// Appended plain and compressed: the program runs, and a file named on the command line is
// ignored in favour of the applet the executable carries.
TEST(AppendedPlayer, RunsItsAppletAndIgnoresANamedFile) {
  qmtest::ScratchDir dir;
  for (bool compress : {false, true}) {
    std::vector<uint8_t> applet;
    bool is_applet = false;
    std::string error;
    std::string text = std::string(compress ? ".compress\n" : "") + kProgram;
    ASSERT_TRUE(qm::asmx::assemble_program(text, "", applet, is_applet, error)) << error;
    ASSERT_TRUE(is_applet);
    std::string applet_path = dir / "prog.qma";
    std::string exe = dir / "game";
    qmtest::write_bytes(applet_path, applet);
    RunResult append = run(std::string("'") + QM_APPEND + "' '" + QM_PLAYER + "' '" + applet_path +
                         "' -o '" + exe + "'",
                     dir);
    ASSERT_EQ(append.status, 0) << append.out;
    RunResult r = run("'" + exe + "' '" + (dir / "no-such-file.qma") + "'", dir);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "appended 42\n");
  }
  // An executable that already carries an applet is refused.
  RunResult again = run(std::string("'") + QM_APPEND + "' '" + (dir / "game") + "' '" + (dir / "prog.qma") +
                      "' -o '" + (dir / "game2") + "'",
                  dir);
  EXPECT_EQ(again.status, 1);
}

}  // namespace
