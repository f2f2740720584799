// A write that never reaches the file is an error, also when the buffer hid it at first: under a
// file-size limit (prlimit on the player) the flush that meets the limit fails with 1005, and so
// do every later write and the close. Small writes stay in the buffer until then; a single write
// larger than the buffer fails at once.
#include <cstdlib>
#include <string>

#include "tests/player/player_run.h"

namespace {

// DebugPrint(label, GetLastError())
std::string report(const std::string& label) {
  return "  GETGLOBAL r0 \"debugprint\"\n  LOADK r1 \"" + label +
         "\"\n  GETGLOBAL r2 \"getlasterror\"\n  CALL r2 1 0\n  CALL r0 0 1\n";
}

// The writer's command on file 1 with `size` bytes: WriteString of a text, WriteTable of a table
// holding the text, or WriteMem from memory block 1.
std::string write(const std::string& writer, int size) {
  std::string text = "\"" + std::string(size_t(size), 'q') + "\"";
  if (writer == "WriteString") return "  GETGLOBAL r0 \"writestring\"\n  LOADK r1 #1\n  LOADK r2 " + text + "\n  CALL r0 3 1\n";
  if (writer == "WriteTable")
    return "  GETGLOBAL r0 \"writetable\"\n  LOADK r1 #1\n  NEWTABLE r2 0 0\n  LOADK r3 " + text +
           "\n  SETTABLE r2 #0 r3\n  CALL r0 3 1\n";
  return "  GETGLOBAL r0 \"writemem\"\n  LOADK r1 #1\n  LOADK r2 #1\n  LOADK r3 #" + std::to_string(size) +
         "\n  CALL r0 4 1\n";
}

class WriteFailures : public qmtest::PlayerRun {};

TEST_F(WriteFailures, FlushWriteAndCloseReportTheLimit) {
  if (std::system("prlimit --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "prlimit is missing";
  for (const char* writer : {"WriteString", "WriteTable", "WriteMem"}) {
    std::string source = ".maxstack 8\n"
                         "  GETGLOBAL r0 \"exitonerror\"\n  LOADK r1 #0\n  CALL r0 2 1\n"
                         "  GETGLOBAL r0 \"openfile\"\n  LOADK r1 #1\n  LOADK r2 \"out.bin\"\n  LOADK r3 #1006\n  CALL r0 4 1\n"
                         "  GETGLOBAL r0 \"allocmem\"\n  LOADK r1 #1\n  LOADK r2 #3000\n  CALL r0 3 1\n" +
                         write(writer, 3000) + report("first") + write(writer, 2000) + report("second") +
                         "  GETGLOBAL r0 \"flushfile\"\n  LOADK r1 #1\n  CALL r0 2 1\n" + report("flush") +
                         write(writer, 10) + report("again") +
                         "  GETGLOBAL r0 \"closefile\"\n  LOADK r1 #1\n  CALL r0 2 1\n" + report("close") +
                         // A single write beyond the buffer fails at once.
                         "  GETGLOBAL r0 \"openfile\"\n  LOADK r1 #1\n  LOADK r2 \"big.bin\"\n  LOADK r3 #1006\n  CALL r0 4 1\n"
                         "  GETGLOBAL r0 \"writestring\"\n  LOADK r1 #1\n  LOADK r2 \"" + std::string(9000, 'b') +
                         "\"\n  CALL r0 3 1\n" + report("large") + "  RETURN r0 1\n";
    // The limit lies between the first write and the end of the second; the program's own output
    // stays far below it.
    qmtest::Outcome r = run({"-quiet", program("prog.qmb", source)}, "prlimit --fsize=4096");
    EXPECT_EQ(r.status, 0) << writer << "\n" << r.err;
    EXPECT_EQ(r.out, "first 0\nsecond 0\nflush 1005\nagain 1005\nclose 1005\nlarge 1005\n") << writer << "\n" << r.err;
  }
}

}  // namespace
