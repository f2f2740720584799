// Files that a program leaves open are closed at exit newest first. The C library keeps its open
// streams newest first in a list that every close searches, so closing the oldest first took time
// growing with the square of their number (seconds for thousands). The trace of the player's
// system calls shows the order.
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/player/player_run.h"

namespace {

class OpenFilesAtExit : public qmtest::PlayerRun {};

TEST_F(OpenFilesAtExit, CloseNewestFirst) {
  if (std::system("strace -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace is missing";
  put("data.txt", "x");
  // for i = 1, 300 do OpenFile(i, "data.txt") end
  const std::string source = ".maxstack 8\n"
                             "  LOADK r0 #1\n  LOADK r1 #300\n  LOADK r2 #1\n  SUB r0 r0 r2\n  JMP @test\n"
                             "body:\n  GETGLOBAL r4 \"openfile\"\n  MOVE r5 r0\n  LOADK r6 \"data.txt\"\n  CALL r4 3 1\n"
                             "test:\n  FORLOOP r0 @body\n  RETURN r0 1\n";
  program("prog.qmb", source);
  // The leak check cannot run under a tracer.
  qmtest::Outcome r = run({"-quiet", "prog.qmb"},
                          "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=openat,close -o trace.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<int> opened, closed;
  std::istringstream trace(slurp(path("trace.txt")));
  for (std::string line; std::getline(trace, line);) {
    const size_t result = line.rfind(") = ");
    if (line.find("openat(") != std::string::npos && line.find("\"data.txt\"") != std::string::npos &&
        result != std::string::npos) {
      opened.push_back(std::atoi(line.c_str() + result + 4));
    } else if (const size_t call = line.find("close("); call != std::string::npos) {
      const int fd = std::atoi(line.c_str() + call + 6);
      if (std::find(opened.begin(), opened.end(), fd) != opened.end()) closed.push_back(fd);
    }
  }
  ASSERT_EQ(opened.size(), 300u);
  std::reverse(opened.begin(), opened.end());
  EXPECT_EQ(closed, opened);
}

}  // namespace
