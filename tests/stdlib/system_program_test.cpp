// GetProgramInfo and GetCommandLine in the real player: a bare chunk (script), an applet file and
// an applet appended to the player, with options the player does not know.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/runtime/applet/applet_fixture.h"
#include "tools/asm/text.h"

namespace {

// t1, t2 = GetProgramInfo()  DebugPrint(t1, t2)
// l, n, w = GetCommandLine()  DebugPrint(n, w, l[0].arg, l[0].param)
const char* kProgram = R"(
.maxstack 8
.lineno 1
  GETGLOBAL r0 "getprograminfo"
  CALL r0 1 3
  GETGLOBAL r2 "debugprint"
  MOVE r3 r0
  MOVE r4 r1
  CALL r2 3 1
.lineno 2
  GETGLOBAL r0 "getcommandline"
  CALL r0 1 4
  GETGLOBAL r3 "debugprint"
  MOVE r4 r1
  MOVE r5 r2
  LOADK r6 #0
  GETTABLE r6 r0 r6
  GETTABLE r7 r6 "param"
  GETTABLE r6 r6 "arg"
  CALL r3 5 1
  RETURN r0 1
)";

std::string run(const std::string& command, const qmtest::ScratchDir& dir) {
  std::string out = dir / "out.txt";
  int raw = std::system(("cd '" + dir.path() + "' && " + command + " >'" + out + "' 2>&1 </dev/null").c_str());
  std::vector<uint8_t> bytes = qmtest::read_bytes(out);
  std::string text(bytes.begin(), bytes.end());
  if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0) text += "(failed)";
  return text;
}

std::vector<uint8_t> assemble(bool applet) {
  std::vector<uint8_t> bytes;
  bool is_applet = false;
  std::string error;
  std::string text = std::string(applet ? ".applet\n" : "") + kProgram;
  EXPECT_TRUE(qm::asmx::assemble_program(text, "", bytes, is_applet, error)) << error;
  return bytes;
}

TEST(ProgramInfo, ScriptAppletAndAppendedPlayer) {
  qmtest::ScratchDir dir;
  qmtest::write_bytes(dir / "prog.qmb", assemble(false));
  qmtest::write_bytes(dir / "prog.qma", assemble(true));
  const std::string player = std::string("'") + QM_PLAYER + "' -quiet";
  EXPECT_EQ(run(player + " -zoom 2 prog.qmb", dir), "0 prog.qmb\n1 0 zoom 2\n");
  EXPECT_EQ(run(player + " -fast on prog.qma", dir), "1 prog.qma\n1 0 fast on\n");
  // Appended: the executable's own path alone.
  ASSERT_EQ(run(std::string("'") + QM_APPEND + "' '" + QM_PLAYER + "' prog.qma -o game", dir), "");
  EXPECT_EQ(run("./game -quiet -x y", dir), "2 " + (dir / "game") + "\n1 0 x y\n");
}

// DebugPrompt prints its prompt, reads one line and drops the line end.
TEST(ProgramInfo, DebugPromptReadsALine) {
  qmtest::ScratchDir dir;
  std::vector<uint8_t> bytes;
  bool is_applet = false;
  std::string error;
  ASSERT_TRUE(qm::asmx::assemble_program(R"(
.maxstack 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "["
  GETGLOBAL r2 "debugprompt"
  LOADK r3 "name? "
  CALL r2 2 2
  LOADK r3 "]"
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "debugprompt"
  LOADK r2 ""
  CALL r1 2 0
  CALL r0 0 1
  RETURN r0 1
)", "", bytes, is_applet, error)) << error;
  qmtest::write_bytes(dir / "prompt.qmb", bytes);
  std::string out = dir / "prompt.txt";
  std::system(("cd '" + dir.path() + "' && printf 'Ada\\r\\nlast' | '" + QM_PLAYER + "' -quiet prompt.qmb > '" + out + "' 2>&1")
                  .c_str());
  bytes = qmtest::read_bytes(out);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "name? [ Ada ]\nlast\n");
}

// The listing shows the requesters, the clipboard and the program information in their order,
// after the rest of the system library.
TEST(ProgramInfo, ListingOrder) {
  qmtest::ScratchDir dir;
  ASSERT_EQ(run(std::string("'") + QM_PLAYER + "' -quiet -EXPORTCOMMANDS list.txt", dir), "");
  std::vector<uint8_t> bytes = qmtest::read_bytes(dir / "list.txt");
  const std::string listing(bytes.begin(), bytes.end());
  const std::string want =
      "FileRequest\nPathRequest\nStringRequest\nFontRequest\nListRequest\nColorRequest\nSetClipboard\n"
      "GetClipboard\nPeekClipboard\nClearClipboard\nGetVersion\nGetCommandLine\nGetProgramInfo\n"
      "GetFileArgument\nGetSystemLanguage\nGetSystemCountry\nCompareDates\nOpenURL\nDebugPrompt\nAssert\n"
      "GetObjectType\nSetObjectData\nGetObjectData\nClearObjectData\nCopyObjectData\n::";
  const size_t system = listing.find("::system\n");
  ASSERT_NE(system, std::string::npos) << listing;
  const size_t at = listing.find(want, system);
  ASSERT_NE(at, std::string::npos) << listing.substr(system);
  EXPECT_EQ(listing.find("\n::", system + 1), at + want.size() - 3);  // the section's end
}

}  // namespace
