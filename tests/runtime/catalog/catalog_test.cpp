#include "runtime/catalog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "catalog_fixture.h"
#include "runtime/os/qmos.h"

namespace {

using qmtest::iff_catalog;

qmCatalog* from(const std::string& bytes) {
  return catalog_from_bytes(bytes.data(), bytes.size());
}

std::string text_of(const qmCatalog* c, int32_t id) {
  return qmos_get_catalog_string(c, id, "<default>");
}

TEST(Catalog, IffEntriesByIdWithDefaults) {
  qmCatalog* c = from(iff_catalog({{1, "eins"}, {7, "sieben und mehr"}, {2, ""}, {96, "fertig"}}));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(text_of(c, 1), "eins");
  EXPECT_EQ(text_of(c, 7), "sieben und mehr");
  EXPECT_EQ(text_of(c, 2), "");
  EXPECT_EQ(text_of(c, 96), "fertig");
  EXPECT_STREQ(qmos_get_catalog_string(c, 95, "done"), "done");
  EXPECT_EQ(text_of(c, -1), "<default>");
  EXPECT_EQ(text_of(c, 0), "<default>");
  qmos_close_catalog(c);
  EXPECT_STREQ(qmos_get_catalog_string(nullptr, 1, "done"), "done");
}

TEST(Catalog, IffHeaderMustBeRight) {
  std::string good = iff_catalog({{1, "eins"}});
  std::string bad = good;
  bad[12] = 'X';  // "CTLGFXER"
  EXPECT_EQ(from(bad), nullptr);
  std::string no_strs = good;
  no_strs.replace(no_strs.find("STRS"), 4, "STRX");
  EXPECT_EQ(from(no_strs), nullptr);
  EXPECT_EQ(from(""), nullptr);
  // 100 bytes or less is never IFF: such a file is read as text.
  qmCatalog* small = from("FORM\nzwei");
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(text_of(small, 1), "zwei");
  qmos_close_catalog(small);
}

TEST(Catalog, TextLinesEscapesAndLineEnds) {
  struct Case {
    const char* file;
    std::vector<std::string> lines;
  } cases[] = {
      {"null\none\ntwo\n", {"null", "one", "two"}},
      {"null\r\none\r\ntwo", {"null", "one", "two"}},
      {"x\ry\rz", {"x", "y", "z"}},  // a lone CR keeps the character after it
      {"a\\nb\nc\\\\d\ne\\qf\n\\t\\r", {"a\nb", "c\\d", "e\\f", "\t\r"}},
      {"first\n\nthird", {"first", "", "third"}},
      {"end\\", {"end\\"}},
  };
  for (const auto& c : cases) {
    qmCatalog* cat = from(c.file);
    ASSERT_NE(cat, nullptr) << c.file;
    for (size_t i = 0; i < c.lines.size(); ++i)
      EXPECT_EQ(text_of(cat, int32_t(i)), c.lines[i]) << c.file;
    EXPECT_EQ(text_of(cat, int32_t(c.lines.size())), "<default>") << c.file;
    EXPECT_EQ(text_of(cat, -5), c.lines[0]) << c.file;
    qmos_close_catalog(cat);
  }
}

// Each malformed catalog answers with the texts that lie wholly inside its chunk and its data,
// and with defaults for the rest; ASan watches every read.
TEST(Catalog, MalformedIffFallsBackToDefaults) {
  const std::string good = iff_catalog({{1, "eins"}, {2, "zwei"}, {3, "drei"}});
  const size_t strs = good.find("STRS");
  const size_t first = strs + 8;  // entry {1, 5, "eins\0" + 3 zeros}
  auto patch32 = [](std::string s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
    return s;
  };
  struct Case {
    const char* what;
    std::string file;
    std::string id1, id3;
  } cases[] = {
      {"chunk longer than the file", patch32(good, strs + 4, 0xFFFFFFF0u), "eins", "drei"},
      {"chunk shorter than its entries", patch32(good, strs + 4, 16), "eins", "<default>"},
      {"text longer than the chunk", patch32(good, first + 4, 0x7FFFFFFFu), "<default>",
       "<default>"},
      {"length wraps the step", patch32(good, first + 4, 0xFFFFFFFFu), "<default>", "<default>"},
      {"unterminated text", patch32(good, first + 8, 0x65696E73u).replace(first + 12, 4, "sXXX"),
       "<default>", "drei"},
      {"end mark inside", patch32(good, first + 16, 0xFFFFFFFFu), "eins", "<default>"},
      {"cut inside an entry", good.substr(0, first + 4), "<default>", "<default>"},
  };
  for (auto& c : cases) {
    if (c.file.size() <= 100) c.file.resize(101, '\0');
    qmCatalog* cat = from(c.file);
    ASSERT_NE(cat, nullptr) << c.what;
    EXPECT_EQ(text_of(cat, 1), c.id1) << c.what;
    EXPECT_EQ(text_of(cat, 3), c.id3) << c.what;
    EXPECT_EQ(text_of(cat, 99), "<default>") << c.what;
    qmos_close_catalog(cat);
  }
  // STRS as the last four bytes, with no room for its length: no catalog.
  std::string tail = good.substr(0, strs) + std::string(120, '\0');
  tail.resize(tail.size() - 4);
  tail += "STRS";
  EXPECT_EQ(from(tail), nullptr);
}

// The language folders next to the executable, chosen by LANG.
class LanguageFolders : public ::testing::Test {
 protected:
  std::string root = qmos_executable_folder() + "/Catalogs";
  std::string saved_lang;
  bool had_lang = false;
  void SetUp() override {
    if (const char* l = std::getenv("LANG")) {
      had_lang = true;
      saved_lang = l;
    }
  }
  void TearDown() override {
    std::system(("rm -rf '" + root + "'").c_str());
    if (had_lang)
      setenv("LANG", saved_lang.c_str(), 1);
    else
      unsetenv("LANG");
  }
  void put(const std::string& folder, const std::string& bytes) {
    mkdir(root.c_str(), 0755);
    mkdir((root + "/" + folder).c_str(), 0755);
    std::ofstream(root + "/" + folder + "/QmTest.catalog", std::ios::binary) << bytes;
  }
};

TEST_F(LanguageFolders, FirstThenSecondFolderName) {
  put("german", iff_catalog({{5, "f\xFCnf"}}));
  setenv("LANG", "de_AT.UTF-8", 1);
  qmCatalog* c = qmos_open_catalog("QmTest.catalog");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(text_of(c, 5), "f\xFCnf");
  qmos_close_catalog(c);

  put("fran\u00e7ais", "z\xE9ro\nun\n");  // folder name in UTF-8, catalog text in Latin-1
  setenv("LANG", "fr_FR", 1);
  c = qmos_open_catalog("QmTest.catalog");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(text_of(c, 1), "un");
  qmos_close_catalog(c);

  put("\u010ce\u0161tina", "nula\n");
  setenv("LANG", "cs_CZ", 1);
  c = qmos_open_catalog("QmTest.catalog");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(text_of(c, 0), "nula");
  qmos_close_catalog(c);
}

TEST_F(LanguageFolders, EnglishOrNoLanguageOpensNothing) {
  put("german", "eins\n");
  put("unknown", "x\n");
  for (const char* lang : {"en_GB.UTF-8", "ja_JP", "C"}) {
    setenv("LANG", lang, 1);
    EXPECT_EQ(qmos_open_catalog("QmTest.catalog"), nullptr) << lang;
  }
  unsetenv("LANG");
  EXPECT_EQ(qmos_open_catalog("QmTest.catalog"), nullptr);
  setenv("LANG", "nl_NL", 1);  // no Dutch folder
  EXPECT_EQ(qmos_open_catalog("QmTest.catalog"), nullptr);
  catalog_open_runtime();
  EXPECT_STREQ(catalog_text(1045, "Cannot read file %s !"), "Cannot read file %s !");
  catalog_close_runtime();
}

}  // namespace
