// A command fixture with the dos and memblock libraries open, a scratch folder that is removed
// afterwards, and helpers to call commands with values the plain harness cannot pass (tables,
// functions).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "stdlib/stdlib.h"
#include "tests/stdlib/command_harness.h"

namespace qmtest {

class DosTest : public CommandTest {
 protected:
  void SetUp() override {
    open({dos_open, memblock_open});
    const char* tmp = std::getenv("TMPDIR");
    std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmdosXXXXXX";
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir = tmpl;
  }
  void TearDown() override {
    if (L) {
      dos_cleanup(L);
      memblock_cleanup(L);
    }
    CommandTest::TearDown();
    std::error_code ec;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir, ec);
  }

  std::string path(const std::string& name) const { return dir + "/" + name; }

  static void put_file(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  static std::string get_file(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Calls command name with arguments pushed by push (returning their count).
  Outcome callv(const char* name, const std::function<int32_t()>& push) {
    vm_set_top(L, 0);
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    vm_push_string(L, lower.c_str());
    vm_get_table(L, QM_GLOBALSINDEX);
    int32_t n = push();
    Outcome o;
    o.code = vm_pcall(L, n, QM_MULTRET, 0);
    if (o.code == 0)
      for (int32_t i = 1; i <= vm_get_top(L); i++) o.results.push_back(describe(L, i));
    return o;
  }

  std::string dir;
};

}  // namespace qmtest
