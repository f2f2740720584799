// A write that never reaches the file is an error, also when the buffer hid it at first: under a
// file-size limit (prlimit on the player) the flush that meets the limit fails with 1005, and so
// do every later write and the close. Small writes stay in the buffer until then; a single write
// larger than the buffer fails at once.
#include <cstdlib>
#include <filesystem>
#include <set>
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

// Anim files under a file-size limit: a stream whose frames met the limit and a SaveAnim that met
// it report 1052 at their end, the file saved over keeps its old bytes and nothing is left beside
// it; a SaveAnim of a new file leaves no file. Within the limit, the same programs save readable
// files over the old one.
TEST_F(WriteFailures, AnimFilesTakeTheirPlaceOnlyWhenComplete) {
  if (std::system("prlimit --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "prlimit is missing";
  for (const int format : {0, 1}) {
    // CreateGradientBrush(1, 640, 240, 2, $FF2000, $1040FF)  CreateAnim(1, 1, 320, 240, 2, 2)
    // BeginAnimStream(1, "s.anim", 320, 240, format)  For i = 1 To 30 WriteAnimFrame(1, 1) Next
    // FinishAnimStream(1)  SaveAnim(1, "a.anim", format, {fps = 1})  SaveAnim(1, "n.anim", ...)
    const std::string f = std::to_string(format);
    const std::string source =
        ".maxstack 12\n"
        "  GETGLOBAL r0 \"exitonerror\"\n  LOADK r1 #0\n  CALL r0 2 1\n"
        "  GETGLOBAL r0 \"creategradientbrush\"\n  LOADK r1 #1\n  LOADK r2 #640\n  LOADK r3 #240\n"
        "  LOADK r4 #2\n  LOADK r5 #16719872\n  LOADK r6 #1065215\n  CALL r0 7 1\n"
        "  GETGLOBAL r0 \"createanim\"\n  LOADK r1 #1\n  LOADK r2 #1\n  LOADK r3 #320\n  LOADK r4 #240\n"
        "  LOADK r5 #2\n  LOADK r6 #2\n  CALL r0 7 1\n"
        "  GETGLOBAL r0 \"beginanimstream\"\n  LOADK r1 #1\n  LOADK r2 \"s.anim\"\n  LOADK r3 #320\n"
        "  LOADK r4 #240\n  LOADK r5 #" + f + "\n  CALL r0 6 1\n" + report("begin") +
        "  LOADK r8 #1\n  LOADK r9 #30\n  LOADK r10 #1\n  SUB r8 r8 r10\n  JMP @L1\nL2:\n"
        "  GETGLOBAL r0 \"writeanimframe\"\n  LOADK r1 #1\n  LOADK r2 #1\n  CALL r0 3 1\n"
        "L1:\n  FORLOOP r8 @L2\n"
        "  GETGLOBAL r0 \"finishanimstream\"\n  LOADK r1 #1\n  CALL r0 2 1\n" + report("finish");
    std::string saves;
    for (const char* name : {"a.anim", "n.anim"})
      saves += std::string("  GETGLOBAL r0 \"saveanim\"\n  LOADK r1 #1\n  LOADK r2 \"") + name +
               "\"\n  LOADK r3 #" + f + "\n  NEWTABLE r4 0 1\n  LOADK r5 #1\n  SETTABLE r4 \"fps\" r5\n"
               "  CALL r0 4 1\n" + report(name);
    const std::string prog = program("prog.qmb", source + saves + "  RETURN r0 1\n");
    put("s.anim", "old stream");
    put("a.anim", "old anim");
    // Limits between the header and the first few frames of each writer.
    qmtest::Outcome r = run({"-quiet", prog}, format ? "prlimit --fsize=60000" : "prlimit --fsize=4000");
    EXPECT_EQ(r.status, 0) << format << "\n" << r.err;
    EXPECT_EQ(r.out, "begin 0\nfinish 1052\na.anim 1052\nn.anim 1052\n") << format << "\n" << r.err;
    EXPECT_EQ(slurp(path("s.anim")), "old stream") << format;
    EXPECT_EQ(slurp(path("a.anim")), "old anim") << format;
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path(".")))
      if (e.path().filename() != ".stdout" && e.path().filename() != ".stderr") names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"a.anim", "prog.qmb", "s.anim"})) << format;

    r = run({"-quiet", prog});
    EXPECT_EQ(r.out, "begin 0\nfinish 0\na.anim 0\nn.anim 0\n") << format << "\n" << r.err;
    for (const char* name : {"s.anim", "a.anim", "n.anim"}) {
      const std::string probe = "ffprobe -v error -show_entries stream=codec_name -of csv=p=0 " + quote(path(name));
      FILE* p = popen(probe.c_str(), "r");
      char buf[64] = {};
      const size_t n = fread(buf, 1, sizeof buf - 1, p);
      pclose(p);
      EXPECT_NE(std::string(buf, n).find(format ? "mjpeg" : "gif"), std::string::npos) << name;
    }
    std::filesystem::remove(path("n.anim"));
  }
}

}  // namespace
