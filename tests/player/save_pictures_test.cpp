// A picture save that the disk cannot take (prlimit's file-size limit on the player) reports its
// error and leaves the file that was there as it was, for every format, from a brush and from a
// snapshot: the limit stops the first bytes, the middle of the picture and its last byte.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/player/player_run.h"

namespace {

struct Format {
  int number;
  const char* ext;
  int error;  // what a failed save reports
};
const Format kFormats[] = {{0, "bmp", 1052}, {1, "png", 1277}, {2, "jpg", 1315}, {3, "gif", 1052}, {4, "iff", 1052}};

// A radial gradient brush, shown on the display for the snapshot, then saved; prints the error.
std::string save_program(bool snapshot, const Format& f, const std::string& name) {
  std::string save =
      snapshot ? "  GETGLOBAL r0 \"displaybrush\"\n  LOADK r1 #1\n  LOADK r2 #0\n  LOADK r3 #0\n  CALL r0 4 1\n"
                 "  GETGLOBAL r0 \"savesnapshot\"\n  LOADK r1 \"" + name + "\"\n  LOADK r2 #1\n  LOADK r3 #" +
                     std::to_string(f.number) + "\n  CALL r0 4 1\n"
               : "  GETGLOBAL r0 \"savebrush\"\n  LOADK r1 #1\n  LOADK r2 \"" + name +
                     "\"\n  LOADK r3 #4294967295\n  LOADK r4 #" + std::to_string(f.number) + "\n  CALL r0 5 1\n";
  return ".maxstack 8\n"
         "  GETGLOBAL r0 \"exitonerror\"\n  LOADK r1 #0\n  CALL r0 2 1\n"
         "  GETGLOBAL r0 \"creategradientbrush\"\n  LOADK r1 #1\n  LOADK r2 #160\n  LOADK r3 #120\n"
         "  LOADK r4 #3\n  LOADK r5 #16711680\n  LOADK r6 #255\n  CALL r0 7 1\n" +
         save + "  GETGLOBAL r0 \"debugprint\"\n  GETGLOBAL r1 \"getlasterror\"\n  CALL r1 1 0\n  CALL r0 0 1\n  RETURN r0 1\n";
}

class SavePictures : public qmtest::PlayerRun {
 protected:
  // Everything in the scratch folder: a temporary file left behind shows here.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(SavePictures, AFullDiskKeepsTheOldFile) {
  if (std::system("prlimit --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "prlimit is missing";
  const std::string old = "the picture that was here";
  for (bool snapshot : {false, true}) {
    for (const Format& f : kFormats) {
      const std::string what = std::string(snapshot ? "snapshot " : "brush ") + f.ext;
      const std::string full = std::string("full.") + f.ext, target = std::string("out.") + f.ext;
      qmtest::Outcome r = run({"-quiet", program("prog.qmb", save_program(snapshot, f, full))});
      ASSERT_EQ(r.out, "0\n") << what << "\n" << r.err;
      const auto size = int64_t(std::filesystem::file_size(path(full)));
      std::filesystem::remove(path(full));
      program("prog.qmb", save_program(snapshot, f, target));
      // The program's own output stays below the smallest limit.
      for (int64_t limit : {int64_t(32), size / 2, size - 1}) {
        put(target, old);
        r = run({"-quiet", "prog.qmb"}, "prlimit --fsize=" + std::to_string(limit));
        EXPECT_EQ(r.out, std::to_string(f.error) + "\n") << what << " limit " << limit << "\n" << r.err;
        EXPECT_TRUE(slurp(path(target)) == old) << what << " limit " << limit << ": the old file changed";
        EXPECT_EQ(names(), (std::vector<std::string>{".stderr", ".stdout", target, "prog.qmb"}))
            << what << " limit " << limit;
      }
      r = run({"-quiet", "prog.qmb"});
      EXPECT_EQ(r.out, "0\n") << what;
      EXPECT_EQ(int64_t(std::filesystem::file_size(path(target))), size) << what;
      std::filesystem::remove(path(target));
    }
  }
}

}  // namespace
