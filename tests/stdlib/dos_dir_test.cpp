// The dos library's commands on names and trees: path parts, dates judged by coreutils, listings,
// DeleteFile and CopyFile with their callback answers, programs, the environment and ApplyPatch.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "runtime/args.h"
#include "stdlib/dos_names.h"
#include "tests/stdlib/dos_fixture.h"

using namespace qmtest;
namespace fs = std::filesystem;

namespace {

// The callback of the walk tests: records "action:field" per call and answers from a script.
std::vector<std::string> g_calls;
std::vector<double> g_answers;
bool g_fail = false;

int32_t recorder(qmState* L) {
  vm_push_string(L, "action");
  vm_raw_get(L, 1);
  std::string entry = std::to_string(int(vm_to_number(L, -1)));
  vm_pop(L, 1);
  for (const char* field : {"file", "destination"}) {
    vm_push_string(L, field);
    vm_raw_get(L, 1);
    if (vm_type(L, -1) == QM_TSTRING) entry += std::string(":") + fs::path(vm_to_string(L, -1)).filename().string();
    vm_pop(L, 1);
  }
  vm_push_string(L, "userdata");
  vm_raw_get(L, 1);
  if (vm_type(L, -1) == QM_TSTRING) entry += std::string(" ud=") + vm_to_string(L, -1);
  vm_pop(L, 1);
  g_calls.push_back(entry);
  if (g_fail) return 1499;
  double answer = g_answers.empty() ? 2 : g_answers.front();
  if (!g_answers.empty()) g_answers.erase(g_answers.begin());
  vm_push_number(L, answer);
  return 1;
}

class DosDir : public DosTest {
 protected:
  void SetUp() override {
    DosTest::SetUp();
    g_calls.clear();
    g_answers.clear();
    g_fail = false;
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    cwd = buf;
  }
  void TearDown() override {
    char buf[4096];
    EXPECT_EQ(std::string(getcwd(buf, sizeof buf)), cwd);  // every walk restores it
    DosTest::TearDown();
  }

  // Calls name with string arguments, the recorder, then a user data text.
  Outcome with_callback(const char* name, std::vector<std::string> before, std::vector<Arg> after) {
    return callv(name, [&] {
      for (const std::string& s : before) vm_push_string(L, s.c_str());
      vm_push_cfunction(L, recorder);
      for (const Arg& a : after) push(a);
      return int32_t(before.size() + 1 + after.size());
    });
  }

  static std::string sh(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  }

  std::string cwd;
};

TEST_F(DosDir, PathParts) {
  struct Case {
    const char* cmd;
    std::string a, b, want;
  };
  const Case cases[] = {
      {"PathPart", "a/b/c.txt", "", "'a/b/'"},
      {"PathPart", "a\\b\\c.txt", "", "'a\\b\\'"},
      {"PathPart", "c.txt", "", "''"},
      {"PathPart", "vol:c.txt", "", "'vol:'"},
      {"PathPart", ":::chunk0:4*x/y", "", "error 1055"},
      {"FilePart", "a/b/c.txt", "", "'c.txt'"},
      {"FilePart", "a/b/", "", "''"},
      {"FilePart", "x", "", "'x'"},
      {"FilePart", "vol:c.txt", "", "'c.txt'"},
      {"FullPath", "a", "b", "'a/b'"},
      {"FullPath", "a/", "b", "'a/b'"},
      {"FullPath", "", "b", "'b'"},
  };
  for (const Case& c : cases) {
    std::string got = c.cmd[0] == 'F' && c.cmd[1] == 'u' ? first(c.cmd, {c.a, c.b}) : first(c.cmd, {c.a});
    EXPECT_EQ(got, c.want) << c.cmd << " " << c.a;
  }
}

TEST_F(DosDir, NamesSizesRenameAndDirectories) {
  put_file(path("a.txt"), "12345");
  EXPECT_EQ(first("Exists", {path("a.txt")}), "1");
  EXPECT_EQ(first("Exists", {std::string()}), "0");
  EXPECT_EQ(first("Exists", {path("nope")}), "0");
  EXPECT_EQ(first("FileSize", {path("a.txt")}), "5");
  EXPECT_EQ(first("FileSize", {path("nope")}), "-1");
  EXPECT_EQ(first("IsDirectory", {dir}), "1");
  EXPECT_EQ(first("IsDirectory", {path("a.txt")}), "0");
  EXPECT_EQ(first("IsDirectory", {path("nope")}), "error 1286");
  // A rename never moves: only the new name's file part counts.
  ASSERT_EQ(call("Rename", {path("a.txt"), std::string("c/d.txt")}).code, 0);
  EXPECT_TRUE(fs::exists(path("d.txt")));
  EXPECT_EQ(call("Rename", {path("nope"), std::string("x")}).code, 1145);
  ASSERT_EQ(call("MakeDirectory", {path("m/n/o")}).code, 0);
  EXPECT_TRUE(fs::is_directory(path("m/n/o")));
  EXPECT_EQ(call("MakeDirectory", {path("d.txt/x")}).code, 1084);
  EXPECT_EQ(call("MakeDirectory", {std::string()}).code, 1055);
  ASSERT_EQ(call("ChangeDirectory", {path("m")}).code, 0);
  EXPECT_EQ(first("GetCurrentDirectory", {}), "'" + fs::canonical(path("m")).string() + "'");
  ASSERT_EQ(call("ChangeDirectory", {cwd}).code, 0);
}

TEST_F(DosDir, ReadDirectorySortsAndEndsEachListWithAnEmptyString) {
  for (const char* f : {"b", "C", "a"}) put_file(path(f), "");
  fs::create_directory(path("z"));
  fs::create_directory(path("y"));
  ASSERT_EQ(callv("ReadDirectory", [&] {
              vm_push_string(L, dir.c_str());
              vm_new_table(L);
              vm_new_table(L);
              return 3;
            }).code,
            0);
  EXPECT_EQ(vm_to_number(L, 1), 3);
  EXPECT_EQ(vm_to_number(L, 2), 2);
  // The tables were arguments 2 and 3 of the call; fetch them again through a second listing.
  vm_set_top(L, 0);
  vm_new_table(L);
  vm_new_table(L);
  int32_t files = 1, dirs = 2;
  vm_push_string(L, "readdirectory");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_string(L, dir.c_str());
  vm_push_value(L, files);
  vm_push_value(L, dirs);
  ASSERT_EQ(vm_pcall(L, 3, 0, 0), 0);
  auto list = [&](int32_t t, int32_t n) {
    std::vector<std::string> out;
    for (int32_t i = 0; i <= n; i++) {
      vm_raw_geti(L, t, i);
      out.push_back(vm_to_string(L, -1));
      vm_pop(L, 1);
    }
    return out;
  };
  EXPECT_EQ(list(files, 3), (std::vector<std::string>{"C", "a", "b", ""}));
  EXPECT_EQ(list(dirs, 2), (std::vector<std::string>{"y", "z", ""}));
  EXPECT_EQ(callv("ReadDirectory", [&] {
              vm_push_string(L, path("a").c_str());
              vm_new_table(L);
              vm_new_table(L);
              return 3;
            }).code,
            1250);
}

TEST_F(DosDir, DirectoryObjects) {
  put_file(path("f"), "abc");
  ASSERT_EQ(call("OpenDirectory", {1.0, dir}).code, 0);
  Outcome o = call("NextDirectoryEntry", {1.0});
  ASSERT_EQ(o.results, std::vector<std::string>{"table"});
  vm_push_string(L, "name");
  vm_raw_get(L, 1);
  EXPECT_STREQ(vm_to_string(L, -1), "f");
  EXPECT_TRUE(call("NextDirectoryEntry", {1.0}).results.empty());
  EXPECT_TRUE(call("NextDirectoryEntry", {1.0}).results.empty());
  EXPECT_EQ(call("CloseDirectory", {1.0}).code, 0);
  EXPECT_EQ(call("CloseDirectory", {1.0}).code, 1318);
  EXPECT_EQ(call("OpenDirectory", {1.0, path("f")}).code, 1250);
  EXPECT_EQ(call("OpenDirectory", {1.0, path("nope")}).code, 1286);
}

// Dates are local time; with TZ=UTC coreutils judges them.
TEST_F(DosDir, DatesAgreeWithCoreutils) {
  setenv("TZ", "UTC", 1);
  tzset();
  put_file(path("d"), "x");
  ASSERT_EQ(std::system(("TZ=UTC touch -d '2010-03-05 14:07:09' '" + path("d") + "'").c_str()), 0);
  ASSERT_EQ(call("GetFileAttributes", {path("d")}).code, 0);
  vm_push_string(L, "time");
  vm_raw_get(L, 1);
  EXPECT_STREQ(vm_to_string(L, -1), "05-Mar-2010 14:07:09");

  vm_set_top(L, 0);
  ASSERT_EQ(callv("SetFileAttributes", [&] {
              vm_push_string(L, path("d").c_str());
              vm_new_table(L);
              qm::table_set_string(L, "time", "31-dec-1999 23:59:58");
              return 2;
            }).code,
            0);
  EXPECT_EQ(sh("TZ=UTC stat -c %y '" + path("d") + "'").substr(0, 19), "1999-12-31 23:59:58");

  for (const char* bad : {"5-Mar-2010 14:07:09", "05-Mrz-2010 14:07:09", "05-Mar-2010 24:07:09", "05/Mar/2010 14:07:09"}) {
    qmDate d;
    EXPECT_FALSE(dos::date_parse(bad, &d)) << bad;
    EXPECT_EQ(callv("SetFileAttributes", [&] {
                vm_push_string(L, path("d").c_str());
                vm_new_table(L);
                qm::table_set_string(L, "time", bad);
                return 2;
              }).code,
              1285)
        << bad;
  }
  unsetenv("TZ");
  tzset();
}

TEST_F(DosDir, DeleteFileCallbacksAndKeptDirectories) {
  fs::create_directories(path("t/sub"));
  put_file(path("t/a.txt"), "a");
  put_file(path("t/b.dat"), "b");
  put_file(path("t/sub/c.txt"), "c");
  // A trailing '/' empties the directory and keeps it; a pattern filters the files.
  ASSERT_EQ(call("DeleteFile", {path("t/"), Nil{}, Nil{}, std::string("*.txt")}).code, 0);
  EXPECT_FALSE(fs::exists(path("t/a.txt")));
  EXPECT_TRUE(fs::exists(path("t/b.dat")));
  EXPECT_TRUE(fs::exists(path("t/sub/c.txt")));  // "sub" does not match the pattern
  EXPECT_EQ(call("DeleteFile", {path("t/b.dat"), Nil{}, Nil{}, std::string("*")}).code, 1481);

  // Status answer 1 aborts, and the command reports success.
  g_answers = {1};
  ASSERT_EQ(with_callback("DeleteFile", {path("t")}, {std::string("u")}).code, 0);
  EXPECT_EQ(g_calls, std::vector<std::string>{"0:b.dat ud=u"});
  EXPECT_TRUE(fs::exists(path("t/b.dat")));

  // A protected file: unprotect answer 0 skips it, anything else deletes it after a status call.
  chmod(path("t/b.dat").c_str(), 0444);
  g_calls.clear();
  g_answers = {0, 2, 2, 2};
  ASSERT_EQ(with_callback("DeleteFile", {path("t/")}, {}).code, 0);
  EXPECT_TRUE(fs::exists(path("t/b.dat")));
  EXPECT_FALSE(fs::exists(path("t/sub")));
  EXPECT_EQ(g_calls, (std::vector<std::string>{"1:b.dat", "0:c.txt", "0:sub"}));
  // Without a callback a protected file is skipped silently.
  ASSERT_EQ(call("DeleteFile", {path("t/b.dat")}).code, 0);
  EXPECT_TRUE(fs::exists(path("t/b.dat")));
  g_calls.clear();
  ASSERT_EQ(with_callback("DeleteFile", {path("t")}, {}).code, 0);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"1:b.dat", "0:b.dat", "0:t"}));
  EXPECT_FALSE(fs::exists(path("t")));
  EXPECT_EQ(call("DeleteFile", {path("t")}).code, 0);  // nothing there: no error
  // A link to a folder outside the tree is removed, never walked into.
  fs::create_directories(path("outside"));
  put_file(path("outside/precious"), "p");
  fs::create_directories(path("l"));
  fs::create_directory_symlink(path("outside"), path("l/link"));
  ASSERT_EQ(call("DeleteFile", {path("l")}).code, 0);
  EXPECT_FALSE(fs::exists(path("l")));
  EXPECT_EQ(get_file(path("outside/precious")), "p");
  // A failing callback ends the command with its error.
  fs::create_directory(path("e"));
  put_file(path("e/x"), "");
  g_fail = true;
  EXPECT_EQ(with_callback("DeleteFile", {path("e")}, {}).code, 1499);
  EXPECT_TRUE(fs::exists(path("e/x")));
}

TEST_F(DosDir, CopyFileAnswersAndTrees) {
  const std::string big(40000, 'q');
  fs::create_directories(path("src/deep"));
  put_file(path("src/big"), big);
  put_file(path("src/deep/x.txt"), "x");
  put_file(path("dst/big"), "old");
  chmod(path("src/big").c_str(), 0640);

  // Without a callback a writable target is overwritten and gets the source's mode.
  ASSERT_EQ(call("CopyFile", {path("src/big"), path("dst")}).code, 0);
  EXPECT_EQ(get_file(path("dst/big")), big);
  EXPECT_EQ(fs::status(path("dst/big")).permissions(), fs::perms(0640));
  // Overwrite answer 0 skips; status answer 1 aborts and deletes the partial target.
  g_answers = {0};
  ASSERT_EQ(with_callback("CopyFile", {path("src/big"), path("dst"), "new"}, {}).code, 0);
  // No target yet: only the status calls, one per 16384-byte piece.
  EXPECT_EQ(g_calls, (std::vector<std::string>{"0:new", "0:new", "0:new"}));
  put_file(path("dst/new"), "keep");
  g_calls.clear();
  g_answers = {0};
  ASSERT_EQ(with_callback("CopyFile", {path("src/big"), path("dst"), "new"}, {}).code, 0);
  EXPECT_EQ(get_file(path("dst/new")), "keep");
  g_calls.clear();
  g_answers = {2, 1};
  ASSERT_EQ(with_callback("CopyFile", {path("src/big"), path("dst"), "part"}, {}).code, 0);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"0:part", "0:part"}));
  EXPECT_FALSE(fs::exists(path("dst/part")));
  // A protected target is skipped without a callback, overwritten after the unprotect answer.
  chmod(path("dst/new").c_str(), 0444);
  ASSERT_EQ(call("CopyFile", {path("src/big"), path("dst"), std::string("new")}).code, 0);
  EXPECT_EQ(get_file(path("dst/new")), "keep");
  g_calls.clear();
  g_answers = {2, 2};
  ASSERT_EQ(with_callback("CopyFile", {path("src/big"), path("dst"), "new"}, {}).code, 0);
  EXPECT_EQ(get_file(path("dst/new")), big);
  EXPECT_EQ(g_calls[0], "1:new");
  EXPECT_EQ(g_calls[1], "2:new");

  // Trees: the contents go into the target, which is made with its parents.
  ASSERT_EQ(call("CopyFile", {path("src"), path("tree/copy")}).code, 0);
  EXPECT_EQ(get_file(path("tree/copy/deep/x.txt")), "x");
  EXPECT_EQ(get_file(path("tree/copy/big")), big);
  // Into its own subtree: refused instead of growing without end.
  EXPECT_EQ(call("CopyFile", {path("src"), path("src/deep/again")}).code, 1055);
  EXPECT_EQ(call("CopyFile", {path("src"), path("src")}).code, 1055);
  EXPECT_EQ(call("CopyFile", {path("src"), path("x"), std::string("n")}).code, 1055);
  EXPECT_EQ(call("CopyFile", {path("nope"), path("x")}).code, 1286);
}

TEST_F(DosDir, ExecuteWaitsAndRunDoesNot) {
  const std::string mark = path("mark");
  put_file(path("prog"), "#!/bin/sh\nsleep 0.3\necho done > \"$1\"\n");
  chmod(path("prog").c_str(), 0755);
  ASSERT_EQ(call("Execute", {"\"" + path("prog") + "\" " + mark}).code, 0);
  EXPECT_EQ(get_file(mark), "done\n");
  fs::remove(mark);
  ASSERT_EQ(call("Run", {path("prog") + " " + mark}).code, 0);
  EXPECT_FALSE(fs::exists(mark));
  for (int i = 0; i < 100 && !fs::exists(mark); i++) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(fs::exists(mark));
  EXPECT_EQ(call("Execute", {std::string()}).code, 1055);
  EXPECT_EQ(call("Execute", {std::string("\"unclosed")}).code, 1055);
}

TEST_F(DosDir, EnvironmentAndTemporaryNames) {
  ASSERT_EQ(call("SetEnv", {std::string("QM_DOS_TEST"), std::string("v")}).code, 0);
  EXPECT_EQ(call("GetEnv", {std::string("QM_DOS_TEST")}).results, (std::vector<std::string>{"'v'", "1"}));
  ASSERT_EQ(call("UnsetEnv", {std::string("QM_DOS_TEST")}).code, 0);
  EXPECT_EQ(call("GetEnv", {std::string("QM_DOS_TEST")}).results, (std::vector<std::string>{"''", "0"}));
  std::string tmp = first("GetTempFileName", {});
  tmp = tmp.substr(1, tmp.size() - 2);
  EXPECT_TRUE(fs::exists(tmp));
  dos_cleanup(L);  // the library's clean-up deletes it
  EXPECT_FALSE(fs::exists(tmp));
}

TEST_F(DosDir, ApplyPatchXorsAndComplementsBeyondThePatch) {
  put_file(path("s"), std::string("\x0f\xf0\x55\xaa", 4));
  put_file(path("p"), std::string("\xff\x0f", 2));
  ASSERT_EQ(call("OpenFile", {1.0, path("s")}).code, 0);
  ASSERT_EQ(call("OpenFile", {2.0, path("p")}).code, 0);
  ASSERT_EQ(call("OpenFile", {3.0, path("t"), 1006.0}).code, 0);
  ASSERT_EQ(call("ApplyPatch", {1.0, 2.0, 3.0}).code, 0);  // no callback: none is called
  EXPECT_EQ(first("FileLength", {3.0}), "4");
  ASSERT_EQ(call("CloseFile", {3.0}).code, 0);
  EXPECT_EQ(get_file(path("t")), std::string("\xf0\xff\xaa\x55", 4));
  EXPECT_EQ(call("ApplyPatch", {1.0, 2.0, 3.0}).code, 1179);
}

}  // namespace
