// The font driver: opening by engine, the default font, linked font chunks, the font cache, the
// plug-in table's font services and UTF-8 decoding.
#include "text/font_driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "platform/fonts.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"
#include "runtime/vfile.h"
#include "tests/text/bitmap_font_writer.h"
#include "tests/text/font_test_support.h"

using namespace qm;

namespace {

std::string error_text(int32_t code) {
  char text[1024];
  err_get_text(code, text, sizeof text);
  return text;
}

class Driver : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(font_init(), 0); }
  void TearDown() override {
    font_cache_free_all();
    font_shutdown();
  }
  TempFolder folder_{"font_driver"};
  const std::string& dir_ = folder_.path;
};

TEST_F(Driver, QuillIsTheDefaultFontWhateverTheCase) {
  qmFont *a = nullptr, *b = nullptr;
  ASSERT_EQ(font_open("QUILL", 8, FONTENGINE_NATIVE, 0, 0, &a), 0);
  ASSERT_EQ(font_open("quill", 8, FONTENGINE_NATIVE, 0, 0, &b), 0);
  EXPECT_EQ(a, font_default());
  EXPECT_EQ(a, b);
  EXPECT_STREQ(a->name, "quill");
  EXPECT_EQ(a->kind, FONTKIND_BITMAP);
  EXPECT_EQ(a->height, 8);
  EXPECT_EQ(a->baseline, 6);
  font_close(a);
  qmFontExtent e;
  EXPECT_EQ(font_measure(b, "Hi", 2, 0, FONTENCODING_LATIN1, &e), 0);
  EXPECT_EQ(e.advance, 16);
}

TEST_F(Driver, OtherSizesOfQuillAreBitmapFontFiles) {
  qmFont* f = nullptr;
  EXPECT_EQ(font_open("quill", 9, FONTENGINE_NATIVE, 0, 0, &f), ERR_OPENFONT);
  // A "quill.font" in a font folder answers size 9.
  write_bytes(dir_ + "/quill.font", bitmap_font_contents({{"quill/9", 9}}));
  ASSERT_EQ(system(("mkdir -p '" + dir_ + "/quill'").c_str()), 0);
  write_bytes(dir_ + "/quill/9", bitmap_font_file(small_mono_font()));
  ASSERT_TRUE(font_path_add(dir_));
  ASSERT_EQ(font_open("quill", 9, FONTENGINE_NATIVE, 0, 0, &f), 0);
  EXPECT_NE(f, font_default());
  EXPECT_EQ(f->kind, FONTKIND_BITMAP);
  EXPECT_STREQ(f->name, "quill");
  EXPECT_EQ(f->height, 4);
  font_close(f);
}

TEST_F(Driver, UnknownEnginesAndFontsNameTheFontAndSize) {
  qmFont* f = nullptr;
  EXPECT_EQ(font_open("quill", 8, 2, 0, 0, &f), ERR_OPENFONT);
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(error_text(ERR_OPENFONT), "Cannot open font quill with size 8!");
  EXPECT_EQ(font_open("No Such Font At All", 12, FONTENGINE_NATIVE, 0, 0, &f), ERR_OPENFONT);
  EXPECT_EQ(error_text(ERR_OPENFONT), "Cannot open font No Such Font At All with size 12!");
  // Sizes no line may have, with any engine: DejaVu Sans is a platform font at any other size.
  for (int32_t size : {0, -3, 32768, 40000}) {
    EXPECT_EQ(font_open("DejaVu Sans", size, FONTENGINE_NATIVE, 0, 0, &f), ERR_OPENFONT) << size;
  }
  ASSERT_EQ(font_open("DejaVu Sans", 32767, FONTENGINE_NATIVE, 0, 0, &f), 0);
  font_close(f);
}

// A font linked into an applet: a flags word, then a bitmap font's contents or platform font data.
class Linked : public Driver {
 protected:
  // The chunk's virtual name over a host file holding "head" + chunk.
  std::string link(const std::vector<uint8_t>& chunk, const char* display) {
    const std::string host = dir_ + "/applet";
    std::vector<uint8_t> bytes = {'h', 'e', 'a', 'd'};
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    write_bytes(host, bytes);
    char name[VFILE_NAME_SIZE];
    EXPECT_EQ(vfile_make_chunk_name(display, name, sizeof name, 4, chunk.size(), 0, host.c_str()),
              1);
    return name;
  }
  static std::vector<uint8_t> flagged(uint32_t flags, std::vector<uint8_t> rest) {
    std::vector<uint8_t> out(4);
    put_be32(out.data(), flags);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
  }
  void SetUp() override {
    Driver::SetUp();
    write_bytes(dir_ + "/small-4", bitmap_font_file(small_mono_font()));
    platform_set_font_data_reader(file_read_whole);  // as the player's start-up does
  }
};

TEST_F(Linked, BitmapChunkOpensOnlyAsABitmapFont) {
  const std::string name = link(flagged(0, bitmap_font_contents({{"small-4", 4}})), "small");
  qmFont* f = nullptr;
  ASSERT_EQ(font_open(name.c_str(), 4, FONTENGINE_NATIVE, 0, 1, &f), 0);
  EXPECT_EQ(f->kind, FONTKIND_BITMAP);
  EXPECT_STREQ(f->name, "small");
  font_close(f);
  EXPECT_EQ(font_open(name.c_str(), 4, FONTENGINE_INBUILT, 0, 1, &f), ERR_OPENFONT);
  EXPECT_EQ(error_text(ERR_OPENFONT), "Cannot open font small with size 4!");
}

TEST_F(Linked, PlatformChunkNeverReachesTheBitmapReader) {
  // The same contents behind flag 2 are platform font data, which no platform font is.
  const std::string name = link(flagged(2, bitmap_font_contents({{"small-4", 4}})), "small");
  qmFont* f = nullptr;
  EXPECT_EQ(font_open(name.c_str(), 4, FONTENGINE_NATIVE, 0, 1, &f), ERR_OPENFONT);
}

TEST_F(Linked, PlatformDataLengthMustLieInTheChunk) {
  std::vector<uint8_t> length(4);
  put_be32(length.data(), 5);
  std::vector<uint8_t> rest = length;
  rest.insert(rest.end(), {1, 2, 3, 4, 5});
  std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
  rest.insert(rest.end(), std::istreambuf_iterator<char>(in), {});
  qmFont* f = nullptr;
  const std::string good = link(flagged(6, rest), "sans.ttf");
  ASSERT_EQ(font_open(good.c_str(), 20, FONTENGINE_NATIVE, 0, 1, &f), 0);
  EXPECT_EQ(f->kind, FONTKIND_PLATFORM);
  EXPECT_STREQ(f->name, "DejaVu Sans Book");  // the face's own name
  font_close(f);
  for (uint32_t bad : {0xFFFFFFFFu, uint32_t(rest.size())}) {
    put_be32(rest.data(), bad);
    const std::string name = link(flagged(6, rest), "sans.ttf");
    EXPECT_EQ(font_open(name.c_str(), 20, FONTENGINE_NATIVE, 0, 1, &f), ERR_READFILE) << bad;
  }
  EXPECT_EQ(font_open(link({0, 0}, "cut").c_str(), 20, FONTENGINE_NATIVE, 0, 1, &f), ERR_READFILE);
}

TEST_F(Driver, CacheMapsPseudoNamesAndSharesFonts) {
  qmFont *quill, *sans, *truetype, *other_case, *uncached, *serif, *mono;
  ASSERT_EQ(font_open_cached(":::default_bitmap", 8, FONTENGINE_NATIVE, 1, 0, &quill), 0);
  EXPECT_EQ(quill, font_default());
  ASSERT_EQ(font_open_cached(":::default_sans", 16, FONTENGINE_NATIVE, 1, 0, &sans), 0);
  ASSERT_EQ(font_open_cached(":::default_truetype", 16, FONTENGINE_NATIVE, 1, 0, &truetype), 0);
  EXPECT_EQ(sans, truetype);
  EXPECT_EQ(sans->kind, FONTKIND_INBUILT);
  EXPECT_STREQ(sans->name, "Bitstream Vera Sans");
  font_set_scale(sans, 2.0, 2.0);
  ASSERT_EQ(font_open_cached("BITSTREAM vera sans", 16, FONTENGINE_INBUILT, 1, 0, &other_case), 0);
  EXPECT_EQ(other_case, sans);
  EXPECT_EQ(sans->x_scale, 1.0);  // a hit is reset to scale 1
  EXPECT_EQ(sans->height, 16);
  ASSERT_EQ(font_open_cached(":::default_sans", 16, FONTENGINE_NATIVE, 0, 0, &uncached), 0);
  EXPECT_NE(uncached, sans);
  ASSERT_EQ(font_open_cached(":::default_serif", 16, FONTENGINE_NATIVE, 1, 0, &serif), 0);
  ASSERT_EQ(font_open_cached(":::default_mono", 16, FONTENGINE_NATIVE, 1, 0, &mono), 0);
  EXPECT_STREQ(serif->name, "Bitstream Vera Serif");
  EXPECT_STREQ(mono->name, "Bitstream Vera Sans Mono");
}

TEST_F(Driver, CacheRefusesFilesForNativeFontsAndFallsBackFromInbuilt) {
  qmFont* f = nullptr;
  EXPECT_EQ(font_open_cached("fonts/Vera.ttf", 12, FONTENGINE_NATIVE, 1, 0, &f), ERR_FONTPATH);
  EXPECT_EQ(font_open_cached("/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf", 12,
                             FONTENGINE_INBUILT, 1, 0, &f),
            0);
  EXPECT_EQ(f->kind, FONTKIND_INBUILT);
  // An unknown family on engine 4 is looked for as a native font, which fails too.
  EXPECT_EQ(font_open_cached("No Such Family", 12, FONTENGINE_INBUILT, 1, 0, &f), ERR_OPENFONT);
  // quill is no TrueType face: engine 4 ends with the default font.
  ASSERT_EQ(font_open_cached("quill.font", 8, FONTENGINE_INBUILT, 1, 0, &f), 0);
  EXPECT_EQ(f, font_default());
}

TEST_F(Driver, PluginsGetTheFontOpenAndTheEmbeddedFaces) {
  const qmPluginBase& b = plugin_base_table;
  const size_t sizes[] = {65932, 49224, 60280};
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(b.default_fonts[i].address, nullptr);
    EXPECT_EQ(b.default_fonts[i].size, sizes[i]);
  }
  EXPECT_EQ(b.default_fonts[3].address, nullptr);
  auto open =
      reinterpret_cast<int32_t (*)(const char*, int32_t, int32_t, int32_t, int32_t, void**)>(
          b.font[QMPLUGIN_FONT_OPEN]);
  void* font = nullptr;
  ASSERT_EQ(open(":::default_mono", 12, 0, 1, 0, &font), 0);
  EXPECT_EQ(static_cast<qmFont*>(font)->kind, FONTKIND_INBUILT);
  font_cache_free_all();
  font_shutdown();
  EXPECT_EQ(b.default_fonts[0].address, nullptr);
  EXPECT_EQ(open(":::default_mono", 12, 0, 1, 0, &font), ERR_OPENFONT);
  ASSERT_EQ(font_init(), 0);
}

struct Utf8Case {
  const char* text;
  std::vector<uint32_t> points;  // empty: taken byte by byte
};

TEST(Utf8, DecodesOrRefuses) {
  const Utf8Case cases[] = {
      {"A\xc3\xa9", {'A', 0xE9}},
      {"\xe2\x82\xac", {0x20AC}},
      {"\xf0\x9f\x98\x80z", {0x1F600, 'z'}},
      {"a\x80", {}},         // a stray continuation byte
      {"\xc3(", {}},         // a continuation byte that is none
      {"\xc3\xc3\xa9", {}},  // a lead byte where a continuation belongs
      {"\xfe\x80\x80\x80\x80\x80", {}},
      {"\xff", {}},
      {"\xfc\x80\x80\x80\x80\x80", {}},
      {"\xe2\x82", {}},  // cut by the end
      {"\xf0\x9f\x98", {}},
  };
  for (const Utf8Case& c : cases) {
    uint32_t buffer[8];
    uint32_t* points = nullptr;
    size_t count = 0;
    bool allocated = true;
    const int32_t r =
        utf8_decode(c.text, std::strlen(c.text), 1, buffer, 8, &points, &count, &allocated);
    if (c.points.empty()) {
      EXPECT_EQ(r, ERR_USERABORT) << c.text;
      continue;
    }
    ASSERT_EQ(r, 0) << c.text;
    EXPECT_FALSE(allocated);
    EXPECT_EQ(std::vector<uint32_t>(points, points + count), c.points) << c.text;
  }
  uint32_t buffer[2];
  uint32_t* points = nullptr;
  size_t count = 0;
  bool allocated = false;
  EXPECT_EQ(utf8_decode("abc", 3, 0, buffer, 2, &points, &count, &allocated), ERR_USERABORT);
  ASSERT_EQ(utf8_decode("abc\xc3\xa9", 5, 1, buffer, 2, &points, &count, &allocated), 0);
  EXPECT_TRUE(allocated);
  EXPECT_EQ(std::vector<uint32_t>(points, points + count),
            (std::vector<uint32_t>{'a', 'b', 'c', 0xE9}));
  utf8_decode_free(points);
}

TEST_F(Driver, TextThatDoesNotDecodeIsMeasuredByteByByte) {
  qmFontExtent utf8, bytes;
  ASSERT_EQ(font_measure(nullptr, "a\x80z", 3, 0, FONTENCODING_UTF8, &utf8), 0);
  ASSERT_EQ(font_measure(nullptr, "a\x80z", 3, 0, FONTENCODING_LATIN1, &bytes), 0);
  EXPECT_EQ(utf8.advance, 24);
  EXPECT_EQ(bytes.advance, 24);
  ASSERT_EQ(font_measure(nullptr, "\xc3\xa9", 2, 0, FONTENCODING_UTF8, &utf8), 0);
  EXPECT_EQ(utf8.advance, 8);
}

// fontconfig's memory goes at the platform's exit, here at the end of the run.
struct Fontconfig : ::testing::Environment {
  void TearDown() override { platform_fontconfig_finish(); }
};
const auto* const kFontconfig = ::testing::AddGlobalTestEnvironment(new Fontconfig);

}  // namespace
