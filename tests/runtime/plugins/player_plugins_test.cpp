// The real player with test plug-ins beside it: the plug-in listing mode and a program that
// requires a plug-in.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/asm/applet.h"
#include "tools/asm/text.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A scratch folder holding a copy of the player.
fs::path player_folder(const char* test) {
  fs::path dir = fs::temp_directory_path() / ("qmp_player_" + std::to_string(getpid()) + test);
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(QM_PLAYER, dir / "quillmere");
  return dir;
}

TEST(PlayerPlugins, ExportPluginsListsThePluginsBesideThePlayer) {
  fs::path dir = player_folder("list");
  fs::copy_file(std::string(QMP_FIXTURE_DIR) + "/good.qmp", dir / "good.qmp");
  fs::copy_file(std::string(QMP_FIXTURE_DIR) + "/newer.qmp", dir / "newer.qmp");
  std::string cmd = "cd '" + dir.string() + "' && ./quillmere -exportplugins p.txt -exportcommands c.txt" +
                    " >out.txt 2>err.txt </dev/null";
  int raw = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0) << slurp((dir / "err.txt").string());
  std::string out = slurp((dir / "out.txt").string());
  EXPECT_NE(out.find("Loading plugin good.qmp...done\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Loading plugin newer.qmp...failed\n"
                     "(Reason: This plugin requires at least Quillmere 5.1!)\n"),
            std::string::npos)
      << out;
  std::string list = slurp((dir / "p.txt").string());
  EXPECT_EQ(list.rfind("::plugin\n2.0\n0x00000002\nTest plug-in good\n", 0), 0u) << list;
  EXPECT_NE(list.find("::commands\ngood.Twice\ngood.ReadFile\n"), std::string::npos) << list;
  EXPECT_EQ(list.substr(list.size() - 6), "::end\n");
  // The command listing is written before the plug-ins register.
  EXPECT_EQ(slurp((dir / "c.txt").string()).find("Twice"), std::string::npos);
  fs::remove_all(dir);
}

// An applet prints good.Twice(21): the plug-in's command reached through its global table.
TEST(PlayerPlugins, AProgramCallsALibraryPluginCommand) {
  fs::path dir = player_folder("run");
  fs::copy_file(std::string(QMP_FIXTURE_DIR) + "/good.qmp", dir / "good.qmp");
  const char* source = R"(
.maxstack 6
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "good"
  GETTABLE r1 r1 "twice"
  LOADK r2 #21
  CALL r1 2 2
  CALL r0 2 1
  RETURN r0 1
)";
  std::vector<uint8_t> chunk;
  std::string error;
  ASSERT_TRUE(qm::asmx::assemble(source, chunk, error)) << error;
  auto run = [&](const char* file, const std::vector<uint8_t>& bytes, std::string* out,
                 std::string* err) {
    std::ofstream((dir / file).string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::string cmd = "cd '" + dir.string() + "' && ./quillmere -quiet " + file +
                      " >out.txt 2>err.txt </dev/null";
    int raw = std::system(cmd.c_str());
    *out = slurp((dir / "out.txt").string());
    *err = slurp((dir / "err.txt").string());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  std::string out, err;
  EXPECT_EQ(run("prog.qmb", chunk, &out, &err), 0) << err;
  EXPECT_EQ(out, "42\n");

  // An applet that declares it requires the plug-in: 1.5 is met by good 2.0; 3.0 is not, and then
  // the run ends before any object is made.
  const char* kUnmet = "This program requires good.qmp 3.0!";
  struct Case {
    int32_t version, revision;
    bool met;
  } cases[] = {{1, 5, true}, {3, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    qm::asmx::AppletWriter w;
    w.version(5, 0);
    qm::asmx::DeclRecord req;
    req.type = 12;
    req.name = "good.qmp";
    req.arg1 = c.version;
    req.arg2 = c.revision;
    w.declarations({req});
    w.bytecode(chunk);
    int status = run("prog.qma", w.bytes(), &out, &err);
    EXPECT_EQ(err.find("This program requires") == std::string::npos, c.met) << err;
    if (!c.met) {
      EXPECT_EQ(status, 1);
      EXPECT_NE(err.find(kUnmet), std::string::npos) << err;
    }
  }
  fs::remove_all(dir);
}

}  // namespace
