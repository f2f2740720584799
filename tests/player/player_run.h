// Runs the real player as a child in a scratch folder of its own, over a program assembled from
// text (a bare chunk, or an applet when the text carries applet directives).
#pragma once

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

namespace qmtest {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class PlayerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qm_run_" + std::to_string(getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  static std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void put(const std::string& name, const std::string& bytes) {
    fs::create_directories((dir_ / name).parent_path());
    std::ofstream(path(name), std::ios::binary) << bytes;
  }

  static std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }

  // Assembles source into the scratch folder as name (linked files are read from there).
  std::string program(const std::string& name, const std::string& source) {
    std::vector<uint8_t> bytes;
    std::string error;
    bool is_applet = false;
    EXPECT_TRUE(qm::asmx::assemble_program(source, dir_.string(), bytes, is_applet, error)) << error << "\n" << source;
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path(name);
  }

  // Runs `prefix player -quiet args` in the scratch folder; prefix may set limits (prlimit ...).
  Outcome run(const std::vector<std::string>& args, const std::string& prefix = "",
              const std::string& player = QM_PLAYER) {
    std::string cmd = "cd " + quote(dir_.string()) + " && " + prefix + " " + quote(player);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " >" + quote(path(".stdout")) + " 2>" + quote(path(".stderr")) + " </dev/null";
    Outcome r;
    int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(path(".stdout"));
    r.err = slurp(path(".stderr"));
    return r;
  }

  Outcome run_program(const std::string& source) { return run({"-quiet", program("prog.qmb", source)}); }

  fs::path dir_;
};

}  // namespace qmtest
