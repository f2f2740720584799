#include "engine/latin1.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Latin1, FoldingPairsAndFixedPoints) {
  struct Case {
    int lower, upper;
  };
  const Case pairs[] = {{'a', 'A'}, {'z', 'Z'}, {0xE0, 0xC0}, {0xE9, 0xC9}, {0xFD, 0xDD}};
  for (const Case& c : pairs) {
    EXPECT_EQ(qm::char_to_upper(static_cast<unsigned char>(c.lower)), c.upper) << c.lower;
    EXPECT_EQ(qm::char_to_lower(static_cast<unsigned char>(c.upper)), c.lower) << c.upper;
  }
  // The arithmetic signs sit inside the accented ranges but have no case.
  EXPECT_EQ(qm::char_to_upper(0xF7), 0xF7);
  EXPECT_EQ(qm::char_to_lower(0xD7), 0xD7);
  EXPECT_EQ(qm::char_to_upper(0xFE), 0xFE);
  EXPECT_EQ(qm::char_to_upper(0xFF), 0xFF);
  EXPECT_EQ(qm::char_to_lower(0xDF), 0xDF);
  for (int c = 0; c < 256; ++c) {
    if (c < 'A' || (c > 'Z' && c < 'a') || (c > 'z' && c < 0xC0)) {
      EXPECT_EQ(qm::char_to_upper(static_cast<unsigned char>(c)), c) << c;
    }
  }
}

TEST(Latin1, CaseInsensitiveCompare) {
  EXPECT_EQ(qm::str_case_cmp("ABC", "abc"), 0);
  EXPECT_LT(qm::str_case_cmp("abc", "abd"), 0);
  EXPECT_GT(qm::str_case_cmp("abcd", "ABC"), 0);
  EXPECT_EQ(qm::str_case_cmp("caf\xE9", "CAF\xC9"), 0);
  // 0xF7 does not fold to 0xD7.
  EXPECT_NE(qm::str_case_cmp("\xF7", "\xD7"), 0);
  // High bytes compare as unsigned: an accented letter sorts after ASCII.
  EXPECT_GT(qm::str_case_cmp("\xC9", "Z"), 0);
  EXPECT_EQ(qm::str_case_ncmp("LoadBrushX", "loadbrushY", 9), 0);
  EXPECT_NE(qm::str_case_ncmp("LoadBrushX", "loadbrushY", 10), 0);
  EXPECT_EQ(qm::str_case_ncmp("ab", "AB", 50), 0);
  EXPECT_EQ(qm::str_case_ncmp("x", "y", 0), 0);
}

TEST(Latin1, ToLowerInPlace) {
  std::string s = "LoadBGPic \xC9T\xC9 \xD7\xDE";
  qm::str_to_lower(s.data());
  EXPECT_EQ(s, "loadbgpic \xE9t\xE9 \xD7\xDE");
}

TEST(Latin1, CharacterClasses) {
  struct Case {
    int c, alpha, alnum, graph;
  };
  const Case cases[] = {{'a', 1, 1, 1}, {'Z', 1, 1, 1}, {'5', 0, 1, 1},     {' ', 0, 0, 0},  {'!', 0, 0, 1},
                        {0xC9, 1, 1, 1}, {0xD7, 0, 0, 1}, {0xF7, 0, 0, 1}, {0xA0, 0, 0, 0}, {0x7F, 0, 0, 0},
                        {256, 0, 0, 0},  {-1, 0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(qm::char_is_alpha(c.c), c.alpha) << c.c;
    EXPECT_EQ(qm::char_is_alnum(c.c), c.alnum) << c.c;
    EXPECT_EQ(qm::char_is_graph(c.c), c.graph) << c.c;
  }
}

}  // namespace
