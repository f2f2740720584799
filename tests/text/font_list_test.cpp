// Font discovery, judged by fontconfig: every scalable face fc-list knows is in our list at the
// same file and face index with one of fc-list's family and style names, and faces opened by name
// are the ones fc-match picks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "platform/fonts.h"
#include "tests/text/bitmap_font_writer.h"
#include "tests/text/font_test_support.h"
#include "text/font_driver.h"
#include "text/truetype.h"

using namespace qm;

namespace {

std::string run(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buf[4096];
  while (p && fgets(buf, sizeof buf, p.get())) out += buf;
  return out;
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> out;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, sep);) out.push_back(part);
  return out;
}

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class FontList : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(font_init(), 0); }
  void TearDown() override { font_shutdown(); }
};

TEST_F(FontList, HoldsEveryFaceFcListKnows) {
  const std::vector<qmFontListEntry>& list = font_list_build(false);
  int checked = 0;
  for (const std::string& line :
       split(run("fc-list -f '%{file}|%{index}|%{family}|%{style}\\n' :scalable=true"), '\n')) {
    const std::vector<std::string> f = split(line, '|');
    ASSERT_EQ(f.size(), 4u) << line;
    if (!ends_with(f[0], ".ttf") && !ends_with(f[0], ".otf") && !ends_with(f[0], ".ttc")) continue;
    const std::vector<std::string> families = split(f[2], ','), styles = split(f[3], ',');
    bool found = false;
    for (const qmFontListEntry& e : list) {
      if (e.path != f[0] || e.index != std::stoi(f[1])) continue;
      for (const std::string& family : families) {
        for (const std::string& style : styles)
          found = found || (e.family == family && e.name == family + " " + style);
      }
    }
    EXPECT_TRUE(found) << line;
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

TEST_F(FontList, StylesGiveWeightAndSlant) {
  const std::vector<qmFontListEntry>& list = font_list_build(false);
  bool seen = false;
  for (const qmFontListEntry& e : list) {
    if (e.name != "DejaVu Sans Bold Oblique") continue;
    EXPECT_EQ(e.family, "DejaVu Sans");
    EXPECT_EQ(e.weight, 200);
    EXPECT_EQ(e.slant, 110);
    EXPECT_FALSE(e.bitmap);
    seen = true;
  }
  EXPECT_TRUE(seen);
}

TEST_F(FontList, FacesOpenedByNameAreFcMatchs) {
  // The inbuilt engine by full name.
  qmFont* bold = nullptr;
  ASSERT_EQ(font_open("DejaVu Sans Bold", 20, FONTENGINE_INBUILT, 0, 0, &bold), 0);
  std::string path;
  int32_t index = -1;
  ASSERT_TRUE(ttf_font_source(bold, &path, &index));
  EXPECT_EQ(path + "|" + std::to_string(index),
            run("fc-match -f '%{file}|%{index}' 'DejaVu Sans:bold'"));
  EXPECT_STREQ(bold->name, "DejaVu Sans Bold");
  font_close(bold);
  // The platform engine, through engine 0 when no bitmap font has the name.
  qmFont* serif = nullptr;
  ASSERT_EQ(font_open("DejaVu Serif", 20, FONTENGINE_NATIVE, 0, 0, &serif), 0);
  EXPECT_EQ(serif->kind, FONTKIND_PLATFORM);
  ASSERT_TRUE(platform_font_source(serif, &path, &index));
  EXPECT_EQ(path, run("fc-match -f '%{file}' 'DejaVu Serif'"));
  font_close(serif);
}

TEST_F(FontList, FontFoldersComeFirstAndListBitmapFonts) {
  TempFolder folder("font_list");
  const std::string& dir = folder.path;
  ASSERT_EQ(system(("mkdir -p '" + dir + "/sub'").c_str()), 0);
  write_bytes(dir + "/Pixel.font",
              bitmap_font_contents({{"Pixel/8", 8}, {"::incomplete", 9}, {"Pixel/12", 12}}));
  write_bytes(dir + "/broken.font", {1, 2, 3});
  ASSERT_EQ(system(("cp /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf '" + dir + "/mono.ttf'")
                       .c_str()),
            0);
  ASSERT_EQ(
      system(("cp /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf '" + dir + "/sub/serif.ttf'")
                 .c_str()),
      0);
  const size_t before = font_list_build(false).size();
  ASSERT_TRUE(font_path_add(dir));
  ASSERT_TRUE(font_path_add(dir));  // listed once
  EXPECT_EQ(font_paths().size(), 1u);
  const std::vector<qmFontListEntry>& list = font_list_build(false);
  ASSERT_GE(list.size(), 3u);
  // The folder's own files first, in name order; its subfolders are not scanned.
  EXPECT_EQ(list[0].name, "Pixel");
  EXPECT_TRUE(list[0].bitmap);
  EXPECT_EQ(list[0].sizes, (std::vector<int32_t>{8, 12}));
  EXPECT_EQ(list[1].name, "DejaVu Sans Mono Book");
  EXPECT_EQ(list[1].path, dir + "/mono.ttf");
  EXPECT_EQ(list[2].name, "DejaVu Sans Mono");
  // The system's copy of the same face is not listed again.
  EXPECT_EQ(list.size(), before + 1);
  std::string path;
  int32_t index;
  qmFont* f = nullptr;
  ASSERT_EQ(font_open("DejaVu Sans Mono", 12, FONTENGINE_INBUILT, 0, 0, &f), 0);
  ASSERT_TRUE(ttf_font_source(f, &path, &index));
  EXPECT_EQ(path, dir + "/mono.ttf");
  font_close(f);
  EXPECT_EQ(font_open("Pixel", 12, FONTENGINE_INBUILT, 0, 0, &f),
            ERR_OPENFONT);  // no TrueType face
}

struct Fontconfig : ::testing::Environment {
  void TearDown() override { platform_fontconfig_finish(); }
};
const auto* const kFontconfig = ::testing::AddGlobalTestEnvironment(new Fontconfig);

}  // namespace
