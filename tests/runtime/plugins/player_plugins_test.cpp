// The real player with test plug-ins beside it: the plug-in listing mode, a program that
// requires a plug-in, and the graphics and requester tables as a plug-in command meets them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <zlib.h>

#include "display/codecs/codecs.h"
#include "tests/player/player_run.h"
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

// Pictures read through the graphics table equal what LoadBrush makes of the same files (a
// palette PNG, a JPEG, an ILBM linked into the applet, a PNG with alpha loaded with its alpha);
// a locked brush's record agrees with GetAttribute and holds a known pixel at its row stride; an
// unlocked brush can be freed again; the file and folder requesters answer through the scripted
// responder into the plug-in's buffer. The player runs under the sanitizers: a picture block or
// brush lock left behind fails the run.
class PluginGraphicsTables : public qmtest::PlayerRun {
 protected:
  void SetUp() override {
    PlayerRun::SetUp();
    fs::copy_file(QM_PLAYER, dir_ / "quillmere");
    fs::copy_file(std::string(QMP_FIXTURE_DIR) + "/good.qmp", dir_ / "good.qmp");
  }
  void magick(const std::string& args) {
    std::string cmd = "cd " + quote(dir_.string()) + " && convert " + args;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  }
};

// A PNG that holds only its header, claiming a picture of side x side pixels.
std::string png_header_only(uint32_t side) {
  auto be32 = [](std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char((v >> shift) & 0xFF);
  };
  std::string ihdr = "IHDR";
  be32(ihdr, side);
  be32(ihdr, side);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  be32(png, 13);
  png += ihdr;
  be32(png, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(ihdr.data()), uInt(ihdr.size()))));
  return png;
}

// good.<command>(args...) printed with debugprint; every result of the call is printed.
std::string print_call(const std::string& command, const std::vector<std::string>& args) {
  std::string s = "  GETGLOBAL r0 \"debugprint\"\n  GETGLOBAL r1 \"good\"\n  GETTABLE r1 r1 \"" + command + "\"\n";
  int reg = 2;
  for (const std::string& a : args) s += "  LOADK r" + std::to_string(reg++) + " " + a + "\n";
  return s + "  CALL r1 " + std::to_string(args.size() + 1) + " 0\n  CALL r0 0 1\n";
}

std::string load_brush(int id, const std::string& file, bool alpha = false) {
  std::string s = "  GETGLOBAL r0 \"loadbrush\"\n  LOADK r1 #" + std::to_string(id) + "\n  LOADK r2 \"" + file + "\"\n";
  if (!alpha) return s + "  CALL r0 3 1\n";
  return s + "  NEWTABLE r3 0 1\n  LOADBOOL r4 1 0\n  SETTABLE r3 \"loadalpha\" r4\n  CALL r0 4 1\n";
}

TEST_F(PluginGraphicsTables, PicturesBrushesAndRequestersReachAPlugin) {
  magick("-size 9x6 xc:#102030 -fill '#C0FFEE' -draw 'point 3,2' pic.png");
  magick("-size 16x8 gradient:red-blue -quality 90 pic.jpg");
  magick("-size 4x3 xc:'rgba(200,100,50,0.5)' -fill 'rgba(0,255,0,0.25)' -draw 'point 1,1' alpha.png");
  const uint32_t iff[] = {0x010203, 0xFFFFFF, 0x000000, 0x80FF40, 0x123456,  //
                          0xABCDEF, 0x00FF00, 0xFF0000, 0x0000FF, 0x7F7F7F};
  ASSERT_EQ(qm::ilbm_save(path("src.iff").c_str(), iff, 5, 2), 0);
  put("cut.png", slurp(path("pic.png")).substr(0, 60));
  put("huge.png", png_header_only(40000));
  put("text.png", "not a picture at all\n");
  put("replies.txt", "/data/pics/chosen.png\n/data/pics/chosen.png\n\n/data/folder\n");

  std::string src = ".link \"Pics/Linked.iff\" \"src.iff\"\n.maxstack 12\n";
  src += load_brush(1, "pic.png") + load_brush(2, "pic.jpg") + load_brush(3, "pics/linked.iff") +
         load_brush(4, "alpha.png", true);
  const char* pictures[][2] = {{"pic.png", "#1"}, {"pic.jpg", "#2"}, {"pics/linked.iff", "#3"}, {"alpha.png", "#4"}};
  for (const auto& p : pictures) {
    src += print_call("pictureinfo", {std::string("\"") + p[0] + "\""});
    src += print_call("comparepicture", {std::string("\"") + p[0] + "\"", p[1]});
  }
  // The record against GetAttribute's width and height, and the pixel drawn at 3, 2.
  src += "  GETGLOBAL r0 \"debugprint\"\n"
         "  GETGLOBAL r1 \"getattribute\"\n  LOADK r2 #3\n  LOADK r3 #1\n  LOADK r4 #0\n  CALL r1 4 2\n"
         "  GETGLOBAL r2 \"getattribute\"\n  LOADK r3 #3\n  LOADK r4 #1\n  LOADK r5 #1\n  CALL r2 4 2\n"
         "  GETGLOBAL r3 \"good\"\n  GETTABLE r3 r3 \"brushpixel\"\n  LOADK r4 #1\n  LOADK r5 #3\n  LOADK r6 #2\n"
         "  CALL r3 4 0\n  CALL r0 0 1\n";
  // Bad input: nothing to read, a picture too large, a brush that is not there.
  for (const char* bad : {"\"missing.png\"", "\"cut.png\"", "\"huge.png\"", "\"text.png\""}) {
    src += print_call("pictureinfo", {bad});
    src += print_call("comparepicture", {bad, "#1"});
  }
  src += print_call("brushpixel", {"#99", "#0", "#0"});
  // Every lock was taken back: the brush can be freed, and is gone then.
  src += "  GETGLOBAL r0 \"freebrush\"\n  LOADK r1 #1\n  CALL r0 2 1\n";
  src += print_call("brushpixel", {"#1", "#0", "#0"});
  // A full answer, the same path into a buffer too small for it, a cancel, a folder.
  src += print_call("filerequest", {"\"Pick\"", "#64"});
  src += print_call("filerequest", {"\"Pick\"", "#21"});
  src += print_call("filerequest", {"\"Pick\"", "#64"});
  src += print_call("pathrequest", {"\"Folder\"", "#64"});
  src += "  RETURN r0 1\n";

  qmtest::Outcome r = run({"-quiet", program("prog.qma", src)},
                          "env QM_REQUESTER_REPLIES=" + quote(path("replies.txt")), path("quillmere"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "1 9 6 0\n0\n"
            "1 16 8 0\n0\n"
            "1 5 2 0\n0\n"
            "1 4 3 1\n0\n"
            "9 6 9 6 12648430\n"
            "0 0 0 0\n-1\n"
            "0 0 0 0\n-1\n"
            "0 0 0 0\n-1\n"
            "0 0 0 0\n-1\n"
            "-1\n"
            "-1\n"
            "1 /data/pics/chosen.png\n"
            "0 \n"
            "0 \n"
            "1 /data/folder\n")
      << r.err;
}

// Samples locked through the sound table (tests/runtime/plugins/fixtures/sample_lock.q): under
// the sanitizers a copy that is not freed or a lock on freed frames fails the run.
TEST_F(PluginGraphicsTables, SamplesLockForAPlugin) {
  const std::string src = slurp(std::string(QMP_SOURCE_DIR) + "/fixtures/sample_lock.qasm");
  qmtest::Outcome r = run({"-quiet", program("prog.qmb", src)}, "", path("quillmere"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "2 8 2 2 2 8000 102\n"
            "2 8 2 2 2 8000 102\n"
            "2 8 2 2 2 8000 102\n"
            "-1\n"
            "3 3 1 1 2 11025 18\n"
            "-1\n"
            "1\n"
            "free 1314\n"
            "insert 1314\n"
            "replace 1314\n"
            "5 20 2 2 2 8000 9318\n"
            "free 0 1\n")
      << r.err;
}

}  // namespace
