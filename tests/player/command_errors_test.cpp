// A command's own error is its result: stored as the last error and ending the program only while
// ExitOnError is on, however deep inside the command it was found. An error raised inside a
// script callback keeps its own route: a protected callback (ForEach, ForEachI and the dos
// commands' progress callbacks) hands its code to the command, which returns it; Sort calls its
// order function unprotected, so the raise ends the program either way.
#include <string>

#include "tests/player/player_run.h"

namespace {

// ExitOnError(flag), the files the dos commands work on opened as 1 (read), 2 (read) and
// 3 (write), the case's body, then DebugPrint("after", GetLastError()).
std::string error_program(bool exit_on_error, const std::string& body) {
  return std::string(".maxstack 12\n") +
         "  GETGLOBAL r0 \"exitonerror\"\n  LOADK r1 #" + (exit_on_error ? "1" : "0") + "\n  CALL r0 2 1\n" +
         "  GETGLOBAL r0 \"openfile\"\n  LOADK r1 #1\n  LOADK r2 \"a.txt\"\n  CALL r0 3 1\n"
         "  GETGLOBAL r0 \"openfile\"\n  LOADK r1 #2\n  LOADK r2 \"a.txt\"\n  CALL r0 3 1\n"
         "  GETGLOBAL r0 \"openfile\"\n  LOADK r1 #3\n  LOADK r2 \"t.bin\"\n  LOADK r3 #1006\n  CALL r0 4 1\n" +
         body +
         "  GETGLOBAL r0 \"debugprint\"\n  LOADK r1 \"after\"\n  GETGLOBAL r2 \"getlasterror\"\n"
         "  CALL r2 1 0\n  CALL r0 0 1\n  RETURN r0 1\n"
         // An order function that always answers "before", and a callback that calls a missing
         // function (1133, raised).
         ".function always\n.params 2\n  LOADK r0 #1\n  RETURN r0 2\n.end\n"
         ".function raises\n.params 2\n.maxstack 4\n  GETGLOBAL r2 \"nosuchfunction\"\n  CALL r2 1 1\n"
         "  RETURN r0 1\n.end\n";
}

class CommandErrors : public qmtest::PlayerRun {};

TEST_F(CommandErrors, OwnCodesReturnAndCallbackRaisesKeepTheirRoute) {
  const char* kSortAlways =
      "  GETGLOBAL r0 \"sort\"\n  NEWTABLE r1 0 0\n  LOADK r2 #3\n  SETTABLE r1 #0 r2\n  LOADK r2 #1\n"
      "  SETTABLE r1 #1 r2\n  LOADK r2 #2\n  SETTABLE r1 #2 r2\n  LOADK r2 #5\n  SETTABLE r1 #3 r2\n"
      "  LOADK r2 #4\n  SETTABLE r1 #4 r2\n  CLOSURE r2 f:always\n  CALL r0 3 1\n";
  const char* kTableOfOne = "  NEWTABLE r1 0 0\n  LOADK r2 #1\n  SETTABLE r1 #0 r2\n  CLOSURE r2 f:raises\n  CALL r0 3 1\n";
  struct Case {
    const char* name;
    std::string body;
    int32_t code;       // the last error when ExitOnError is off; 0: the program ends either way
  } cases[] = {
      {"ReadChr", "  GETGLOBAL r0 \"readchr\"\n  LOADK r1 #99\n  CALL r0 2 1\n", 1179},
      {"FileLength", "  GETGLOBAL r0 \"filelength\"\n  LOADK r1 #99\n  CALL r0 2 1\n", 1179},
      {"ReadChr on a write-only file", "  GETGLOBAL r0 \"readchr\"\n  LOADK r1 #3\n  CALL r0 2 1\n", 1142},
      {"Peek", "  GETGLOBAL r0 \"peek\"\n  LOADK r1 #99\n  LOADK r2 #0\n  CALL r0 3 1\n", 1180},
      {"Sort with an order that always answers before", kSortAlways, 1362},
      {"ApplyPatch", "  GETGLOBAL r0 \"applypatch\"\n  LOADK r1 #99\n  LOADK r2 #98\n  LOADK r3 #97\n  CALL r0 4 1\n",
       1179},
      {"PatternReplaceStr", "  GETGLOBAL r0 \"patternreplacestr\"\n  LOADK r1 \"abc\"\n  LOADK r2 \"a%\"\n"
                            "  LOADK r3 \"x\"\n  CALL r0 4 1\n", 1463},
      {"ForEach callback", std::string("  GETGLOBAL r0 \"foreach\"\n") + kTableOfOne, 1133},
      {"ForEachI callback", std::string("  GETGLOBAL r0 \"foreachi\"\n") + kTableOfOne, 1133},
      {"Sort order function", "  GETGLOBAL r0 \"sort\"\n  NEWTABLE r1 0 0\n  LOADK r2 #2\n  SETTABLE r1 #0 r2\n"
                              "  LOADK r2 #1\n  SETTABLE r1 #1 r2\n  CLOSURE r2 f:raises\n  CALL r0 3 1\n", 0},
      {"CopyFile callback", "  GETGLOBAL r0 \"copyfile\"\n  LOADK r1 \"a.txt\"\n  LOADK r2 \"out\"\n"
                            "  LOADNIL r3 r3\n  CLOSURE r4 f:raises\n  CALL r0 5 1\n", 1133},
      {"DeleteFile callback", "  GETGLOBAL r0 \"deletefile\"\n  LOADK r1 \"d\"\n  CLOSURE r2 f:raises\n  CALL r0 3 1\n",
       1133},
      {"ApplyPatch callback", "  GETGLOBAL r0 \"applypatch\"\n  LOADK r1 #1\n  LOADK r2 #2\n  LOADK r3 #3\n"
                              "  CLOSURE r4 f:raises\n  CALL r0 5 1\n", 1133},
  };
  for (const Case& c : cases) {
    for (bool on : {false, true}) {
      put("a.txt", "some text");
      put("d/x.txt", "x");
      std::filesystem::remove_all(dir_ / "out");
      std::filesystem::create_directories(dir_ / "out");
      qmtest::Outcome r = run_program(error_program(on, c.body));
      if (on || c.code == 0) {
        EXPECT_EQ(r.status, 1) << c.name << (on ? " with" : " without") << " ExitOnError\n" << r.out << r.err;
        EXPECT_EQ(r.out.find("after"), std::string::npos) << c.name << "\n" << r.out;
      } else {
        EXPECT_EQ(r.status, 0) << c.name << "\n" << r.err;
        EXPECT_EQ(r.out, "after " + std::to_string(c.code) + "\n") << c.name << "\n" << r.err;
      }
    }
  }
}

}  // namespace
