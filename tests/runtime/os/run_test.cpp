#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "scratch.h"

namespace {

using qmtest::ScratchDir;

std::string g_opened;
int32_t record_open(const std::string& host_path) {
  g_opened = host_path;
  return 0;
}

// Waits for a file that another process writes; the test fails when it does not come.
bool wait_for(const std::string& path, const std::string& content) {
  for (int i = 0; i < 1000; ++i) {
    if (qmtest::read_file(path) == content) return true;
    usleep(10000);
  }
  return false;
}

TEST(RunProgram, SynchronousThroughTheShell) {
  ScratchDir dir;
  std::string out = dir / "sync.txt";
  EXPECT_EQ(qmos_run_program("/bin/sh", ("-c 'printf sync > " + out + "'").c_str(), 0), 0);
  EXPECT_EQ(qmtest::read_file(out), "sync");  // already there: the call waited
}

TEST(RunProgram, AsynchronousWithQuotedArguments) {
  ScratchDir dir;
  std::string out = dir / "async.txt";
  // The script sees "two words" as one argument ($0) because of the quotes.
  std::string args = "-c \"IFS=; printf '%s|%s' $0 $1 > " + out + "\" \"two words\" x";
  EXPECT_EQ(qmos_run_program("/bin/sh", args.c_str(), 1), 0);
  EXPECT_TRUE(wait_for(out, "two words|x"));
}

TEST(RunProgram, AsynchronousFailuresAreReported) {
  ScratchDir dir;
  EXPECT_EQ(qmos_run_program((dir / "no-such-program").c_str(), "", 1), qm::ERR_READFILE);
  EXPECT_EQ(qmos_run_program("/bin/true", "\"open", 1), qm::ERR_WRONGUSAGE);
  std::string many;
  for (int i = 0; i < 128; ++i) many += "a ";
  EXPECT_EQ(qmos_run_program("/bin/true", many.c_str(), 1), qm::ERR_WRONGUSAGE);
  many.resize(many.size() - 2);
  EXPECT_EQ(qmos_run_program("/bin/true", many.c_str(), 1), 0);
}

TEST(RunProgram, DocumentsGoToTheDesktopOpener) {
  qmOpenDocumentFn previous = qmos_set_document_opener(record_open);
  g_opened.clear();
  EXPECT_EQ(qmos_run_program("C:\\docs\\caf\xE9.pdf", "ignored", 1), 0);
  EXPECT_EQ(g_opened, "C:/docs/caf\xC3\xA9.pdf");
  g_opened.clear();
  ScratchDir dir;
  // A program by its extension is run, not opened.
  std::string prog = dir / "tool.exe";
  qmtest::write_file(prog, "#!/bin/sh\nprintf ran > \"$1\"\n");
  chmod(prog.c_str(), 0755);
  EXPECT_EQ(qmos_run_program(prog.c_str(), (dir / "ran.txt").c_str(), 0), 0);
  EXPECT_EQ(qmtest::read_file(dir / "ran.txt"), "ran");
  EXPECT_EQ(g_opened, "");
  qmos_set_document_opener(previous);
}

}  // namespace
