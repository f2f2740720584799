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

// good.Twice(21) printed by the program: the plug-in's command reached through its global table.
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
  std::ofstream((dir / "prog.qmb").string(), std::ios::binary)
      .write(reinterpret_cast<const char*>(chunk.data()), std::streamsize(chunk.size()));
  std::string cmd = "cd '" + dir.string() + "' && ./quillmere -quiet prog.qmb >out.txt 2>err.txt </dev/null";
  int raw = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0) << slurp((dir / "err.txt").string());
  EXPECT_EQ(slurp((dir / "out.txt").string()), "42\n");
  fs::remove_all(dir);
}

}  // namespace
