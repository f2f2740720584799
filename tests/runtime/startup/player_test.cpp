// The real player binary, run as a child: listings, the compile request, the usage, faults of the
// program file, the error report forms and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/player/player_run.h"
#include "tools/asm/applet.h"
#include "tools/asm/text.h"

namespace {

using qmtest::Outcome;
using PlayerTest = qmtest::PlayerRun;

// Prints "hello", then calls a function that does not exist on line 3.
const char* kFailing = R"(
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hello"
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "nosuchcommand"
  CALL r0 1 1
  RETURN r0 1
)";

const char* kHello = R"(
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hello"
  LOADK r2 #42
  CALL r0 3 1
  RETURN r0 1
)";

TEST_F(PlayerTest, RunsAProgramQuietlyAndEndsWithZero) {
  std::string prog = program("hello.qmb", kHello);
  Outcome r = run({"-quiet", prog});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "hello 42\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(PlayerTest, RunsAnAppletFileQuietly) {
  std::vector<uint8_t> chunk;
  std::string error;
  ASSERT_TRUE(qm::asmx::assemble(kHello, chunk, error)) << error;
  for (bool compressed : {false, true}) {
    qm::asmx::AppletWriter w;
    w.version(5, 0);
    w.text(11, "Hello");
    w.bytecode(chunk);
    std::vector<uint8_t> bytes = compressed ? qm::asmx::compress_applet(w.bytes()) : w.bytes();
    std::ofstream(path("hello.qma"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    // No -quiet: the banner shows, but an applet runs without progress texts.
    Outcome r = run({path("hello.qma")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Loading applet"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("hello 42\n"), std::string::npos) << r.out;
  }
  std::ofstream(path("junk.qma")) << "neither a chunk nor an applet";
  Outcome bad = run({"-quiet", path("junk.qma")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("QuillmerePlayer: "), std::string::npos) << bad.err;
}

TEST_F(PlayerTest, BannerAndProgressUnlessQuiet) {
  std::string prog = program("hello.qmb", kHello);
  Outcome r = run({prog});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("QuillmerePlayer 5.0 [Linux]", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("hello.qmb...done\nPreparing display...done\nAnd Action!\nhello 42\n"), std::string::npos) << r.out;
}

TEST_F(PlayerTest, IniFileOverridesTheCommandLine) {
  std::string prog = program("hello.qmb", kHello);
  std::ofstream(path("hello.ini")) << "# settings\nQuiet = no\n";
  Outcome r = run({"-quiet", prog});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("QuillmerePlayer", 0), 0u) << r.out;
  std::ofstream(path("hello.ini")) << "quiet\n";
  Outcome bad = run({prog});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("Syntax error in configuration file!"), std::string::npos) << bad.err;
}

TEST_F(PlayerTest, ErrorReportForms) {
  std::string prog = program("failing.qmb", kFailing);
  // Without a debug device: the requester with the file and line.
  Outcome r = run({"-quiet", prog});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "hello\n");
  EXPECT_NE(r.err.find("QuillmerePlayer: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("File: failing.qmb (current line: 3)"), std::string::npos) << r.err;

  // With one: "file:line: message" on the debug output, no requester.
  Outcome d = run({"-quiet", "-debugdevice", "stdout", prog});
  EXPECT_EQ(d.status, 1);
  EXPECT_EQ(d.err, "");
  EXPECT_NE(d.out.find("hello\n" + prog + ":3: "), std::string::npos) << d.out;

  // An error without a script position: "Error: " and the message.
  Outcome n = run({"-quiet", "-debugdevice", "stdout", path("missing.qmb")});
  EXPECT_EQ(n.status, 1);
  EXPECT_EQ(n.out, "Error: File " + path("missing.qmb") + " does not exist!\n");
}

TEST_F(PlayerTest, WrongArgumentsAreReported) {
  for (std::vector<std::string> args : {std::vector<std::string>{"-fullscreen", "-ownscreen", "x.qmb"},
                                        std::vector<std::string>{"-exportcommands"},
                                        std::vector<std::string>{"a.qmb", "b.qmb"}}) {
    Outcome r = run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_NE(r.err.find("Wrong arguments specified!"), std::string::npos) << r.err;
  }
}

TEST_F(PlayerTest, NoProgramOrHelpShowsTheUsage) {
  for (std::vector<std::string> args :
       {std::vector<std::string>{}, std::vector<std::string>{"-quiet"},
        std::vector<std::string>{"-h"}, std::vector<std::string>{"--help", "x.qmb"}}) {
    Outcome r = run(args);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Usage: quillmere [options] <applet or bytecode file>\n", 0), 0u)
        << r.err;
    EXPECT_NE(r.err.find("\n  -DEBUGDEVICE <dev>        set device for debug output\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("-COMPILE"), std::string::npos) << r.err;
  }
}

// Faults of the program file name the file; a listing that cannot be written fails.
TEST_F(PlayerTest, FileFaultsNameTheFile) {
  std::filesystem::create_directory(path("dir.qma"));
  Outcome d = run({"-quiet", path("dir.qma")});
  EXPECT_EQ(d.status, 1);
  EXPECT_NE(d.err.find("QuillmerePlayer: dir.qma is no Quillmere applet!"), std::string::npos)
      << d.err;

  std::vector<uint8_t> chunk;
  std::string error;
  ASSERT_TRUE(qm::asmx::assemble(kHello, chunk, error)) << error;
  qm::asmx::AppletWriter w;
  w.version(5, 0);
  w.bytecode(chunk);
  std::ofstream(path("cut.qma"), std::ios::binary)
      .write(reinterpret_cast<const char*>(w.bytes().data()), std::streamsize(w.size() - 20));
  Outcome c = run({"-quiet", path("cut.qma")});
  EXPECT_EQ(c.status, 1);
  EXPECT_NE(c.err.find("QuillmerePlayer: Unexpected end of file!\nFile: cut.qma"),
            std::string::npos)
      << c.err;

  for (const char* option : {"-exportcommands", "-exportconstants", "-exportplugins"}) {
    Outcome e = run({"-quiet", option, path("no/such/folder/list.txt")});
    EXPECT_EQ(e.status, 1) << option;
    EXPECT_NE(e.err.find("Cannot write to file " + path("no/such/folder/list.txt") + " !"),
              std::string::npos)
        << option << ": " << e.err;
  }
}

TEST_F(PlayerTest, CompileIsRefusedAfterLoading) {
  std::string prog = program("hello.qmb", kHello);
  Outcome r = run({"-quiet", "-compile", "out", prog});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");  // the program never ran
  EXPECT_NE(r.err.find("Compilation is not possible with QuillmerePlayer!"), std::string::npos) << r.err;
}

TEST_F(PlayerTest, ListingsEndTheRunWithoutReadingTheProgram) {
  // The named program does not exist: a listing run never reads it.
  Outcome c = run({"-quiet", "-exportcommands", path("c.txt"), path("missing.qmb")});
  EXPECT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.err, "");
  std::string commands = slurp(path("c.txt"));
  for (const char* lib : {"::string\n", "::math\n", "::dos\n", "::system\n", "::memblock\n"}) {
    EXPECT_NE(commands.find(lib), std::string::npos) << lib;
  }
  EXPECT_NE(commands.find("\nDebugPrint\n"), std::string::npos);
  EXPECT_EQ(commands.substr(commands.size() - 6), "::end\n");
  EXPECT_LT(commands.find("::string\n"), commands.find("::math\n"));
  EXPECT_LT(commands.find("::math\n"), commands.find("::system\n"));

  Outcome k = run({"-quiet", "-exportconstants", path("k.txt"), path("missing.qmb")});
  EXPECT_EQ(k.status, 0) << k.err;
  std::string constants = slurp(path("k.txt"));
  EXPECT_NE(constants.find("milliseconds\n"), std::string::npos);
  EXPECT_NE(constants.find("err_args\n"), std::string::npos);

  // No program at all: the listing is written just the same.
  Outcome bare = run({"-exportcommands", path("c2.txt")});
  EXPECT_EQ(bare.status, 0) << bare.err;
  EXPECT_EQ(slurp(path("c2.txt")), commands);

  Outcome p = run({"-quiet", "-exportplugins", path("p.txt"), path("missing.qmb")});
  EXPECT_EQ(p.status, 0) << p.err;
  EXPECT_EQ(p.err, "");
}

}  // namespace
