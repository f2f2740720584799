#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "stdlib/checksum.h"

namespace {

std::string run(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[256];
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string md5_of(const std::vector<uint8_t>& data, size_t piece) {
  qm::qmMD5 ctx;
  qm::md5_init(&ctx);
  for (size_t i = 0; i < data.size(); i += piece)
    qm::md5_update(&ctx, data.data() + i, std::min(piece, data.size() - i));
  uint8_t d[16];
  char hex[33];
  qm::md5_final(&ctx, d);
  qm::md5_hex(d, hex);
  return hex;
}

// The digests are checked against coreutils md5sum and python's zlib over the same bytes, for the
// empty file, "abc" and a 1 MB random file fed in awkward piece sizes.
TEST(Checksum, AgreesWithOutsideTools) {
  std::mt19937 rng(7);
  std::vector<std::vector<uint8_t>> inputs = {{}, {'a', 'b', 'c'}, std::vector<uint8_t>(1 << 20)};
  for (auto& b : inputs[2]) b = uint8_t(rng());
  for (const auto& data : inputs) {
    char path[] = "/tmp/qm_checksum_XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    FILE* f = fdopen(fd, "wb");
    if (!data.empty()) fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    std::string want_md5 = run(std::string("md5sum ") + path + " | cut -d' ' -f1");
    std::string want_crc = run(std::string("python3 -c \"import zlib,sys;print(zlib.crc32(open('") +
                               path + "','rb').read()))\"");
    for (size_t piece : {size_t(1), size_t(63), size_t(64), size_t(65536)})
      EXPECT_EQ(md5_of(data, piece), want_md5) << data.size() << " bytes, pieces of " << piece;
    uint32_t crc = 0;
    for (size_t i = 0; i < data.size(); i += 1000)
      crc = qm::crc32_update(crc, data.data() + i, std::min<size_t>(1000, data.size() - i));
    EXPECT_EQ(std::to_string(crc), want_crc) << data.size() << " bytes";
    std::remove(path);
  }
}

TEST(Pattern, MatchTable) {
  struct Case { const char* pattern; const char* str; int want; } cases[] = {
      {"img#.png", "img12.png", 0},   {"img##.png", "img12.png", 1}, {"abc*", "abc", 1},
      {"*", "", 1},                   {"?", "", 0},                  {"a?c", "abc", 1},
      {"[!a-c]", "d", 1},             {"[!a-c]", "b", 0},            {"[]]", "]", 1},
      {"[-a]", "-", 1},               {"[c-a]", "-", 1},             {"[c-a]", "b", 0},
      {"ABC", "abc", 0},              {"*.jpg", "x.jpg", 1},         {"*.jpg", "x.jpeg", 0},
      {"*?x", "ax", 1},               {"*?x", "x", 0},               {"a*b*c", "aXbYc", 1},
      {"a*b*c", "aXbY", 0},           {"*#.png", "img1.png", 1},     {"*[0-9]", "ab7", 1},
      {"[abc", "a", 0},  // a class without "]" is refused
      {"", "", 1},                    {"", "a", 0},                  {"abc", "ab", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(qm::match_pattern(c.pattern, c.str), c.want) << c.pattern << " ~ " << c.str;
}

TEST(Pattern, ListsAndBounds) {
  EXPECT_EQ(qm::match_pattern_list("*.jpg;img##.png", "img12.png"), 1);
  EXPECT_EQ(qm::match_pattern_list(";*", "x"), 0);  // an empty first pattern ends the list
  EXPECT_EQ(qm::match_pattern_list("a;;*", "x"), 0);
  EXPECT_EQ(qm::match_pattern_list(std::string(2000, '*').c_str(), "x"), 0);  // overlong list
  // Many stars against a long string: no stack growth and no exponential search.
  std::string stars;
  for (int i = 0; i < 400; i++) stars += "*a";
  EXPECT_EQ(qm::match_pattern((stars + "b").c_str(), std::string(3000, 'a').c_str()), 0);
  EXPECT_EQ(qm::match_pattern(stars.c_str(), std::string(3000, 'a').c_str()), 1);
}

}  // namespace
