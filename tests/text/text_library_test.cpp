// The text library through its commands and its layout: widths against FreeType's own, kerning,
// the inline tags, word wrap, alignment, tabs, the cursor, extents of the effects, the direct
// path against the general one, and what a failed render leaves.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "tests/text/text_harness.h"
#include "text/truetype.h"

using namespace qm;
using qmtest::Arg;
using qmtest::Nil;

namespace {

const std::string kVeraSans = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";
const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

constexpr int32_t SHADOW = 32, EDGE = 64, BOLD = 2, ANTIALIAS = 16, UNDERLINED = 8;
constexpr double LEFT = -90000, CENTER = -100000, RIGHT = -80000;

// The pen's advance over a Latin-1 text as FreeType puts it: each glyph's advance with the
// unfitted kerning to the next, in whole pixels a glyph.
int64_t freetype_advance(const std::string& file, int32_t pixel_size, const std::string& text) {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  EXPECT_EQ(FT_Init_FreeType(&lib), 0);
  EXPECT_EQ(FT_New_Face(lib, file.c_str(), 0, &face), 0) << file;
  EXPECT_EQ(FT_Set_Pixel_Sizes(face, FT_UInt(pixel_size), 0), 0);
  int64_t pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const FT_ULong c = static_cast<unsigned char>(text[i]);
    FT_Vector kern{0, 0};
    if (FT_HAS_KERNING(face) && i + 1 < text.size())
      FT_Get_Kerning(face, FT_Get_Char_Index(face, c),
                     FT_Get_Char_Index(face, static_cast<unsigned char>(text[i + 1])),
                     FT_KERNING_UNFITTED, &kern);
    EXPECT_EQ(FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_NO_AUTOHINT | FT_LOAD_MONOCHROME), 0);
    pen += (face->glyph->advance.x + kern.x) / 64;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return pen;
}

class TextLibrary : public qmtest::TextHarness {
 protected:
  // The style's flags and the laid-out characters of a job, or the layout's error.
  int32_t lay_out(qmTextJob& j, qmTextLayout* out, int32_t kind = TEXTKIND_TEXTOUT,
                  bool tags_off = false, bool again = false) {
    return text_layout(L, j, kind, tags_off, again, out);
  }
  // The lines that each run of a layout lies on, as "text@line" in run order.
  static std::vector<std::string> runs_of(const qmTextLayout& l) {
    std::vector<std::string> out;
    for (const qmTextRun& r : l.runs)
      out.push_back(l.chars.substr(r.start, r.length) + "@" + std::to_string(r.line));
    return out;
  }
};

TEST_F(TextLibrary, WidthsAreFreeTypesAdvancesWithKerning) {
  const std::vector<std::string> texts = {
      "Hello",      "AVATAR Toy",
      "Wave.",      "\xC0\xC9\xCE\xF5\xFC",
      "fi fl ff",   "The quick brown fox jumps over the lazy dog",
      "1234567890", " "};
  const struct {
    const char* name;
    std::string file;
    int32_t size;
    double engine;
  } faces[] = {{":::default_sans", kVeraSans, 16, 0}, {kDejaVuSans.c_str(), kDejaVuSans, 24, 4}};
  for (const auto& face : faces) {
    ASSERT_EQ(call_table("SetFont", {face.name, double(face.size)},
                         [&] { set_number("engine", face.engine); })
                  .code,
              0);
    const int32_t pixels = ttf_pixel_size(text_get_current_font());
    for (const std::string& t : texts)
      EXPECT_EQ(number("TextWidth", {t}), double(freetype_advance(face.file, pixels, t)))
          << face.name << " " << t;
  }
  // quill: eight pixels a character; an empty text asks the font layer nothing.
  ASSERT_EQ(code("SetFont", {":::default_bitmap", 8.0}), 0);
  EXPECT_EQ(number("TextWidth", {"abc xyz"}), 56.0);
  const int64_t measures = text_measure_count();
  EXPECT_EQ(number("TextWidth", {""}), 0.0);
  EXPECT_EQ(text_measure_count(), measures);
}

TEST_F(TextLibrary, KerningPairs) {
  ASSERT_EQ(code("SetFont", {":::default_sans", 64.0}), 0);
  EXPECT_LT(number("GetKerningPair", {"A", "V"}), 0.0);
  EXPECT_EQ(number("GetKerningPair", {"A", ""}), 0.0);
  ASSERT_EQ(code("SetFont", {":::default_mono", 64.0}), 0);
  EXPECT_EQ(number("GetKerningPair", {"A", "V"}), 0.0);
  EXPECT_EQ(code("GetKerningPair", {"A", "V", 2.0}), ERR_WRONGUSAGE);
}

TEST_F(TextLibrary, InlineTags) {
  const uint32_t base = text_get_style().colour;
  const struct {
    const char* text;
    int32_t error;
    const char* chars;
  } cases[] = {
      {"[[x]]", 0, "[x]"},
      {"a]b", ERR_TEXTSYNTAX, ""},
      {"[bold]x", ERR_UNKTEXTFMT, ""},
      {"[ink=1]x", ERR_UNKTEXTFMT, ""},
      {"[shadow=$FF,65]x", ERR_WRONGUSAGE, ""},
      {"[edge=0,9]x", ERR_WRONGUSAGE, ""},
      {"[color]x", ERR_TEXTARG, ""},
      {"[color=\"1\"]x", ERR_VALUEEXPECTED, ""},
      {"[color=#NOSUCHCOLOUR]x", ERR_FINDCST, ""},
      {"[b x", ERR_SQBRACKETCLOSE, ""},
      {"[color=1,2]x", ERR_SQBRACKETCLOSE, ""},
      {"[ b ]bold[/b]", 0, "bold"},
      {"[U]a[ / u ]b", 0, "ab"},
      {"[color=$10][color=$20]a[/color][/color]b", 0, "ab"},
      {"[color=$10][color=$20]a[/color][/color][/color]b", ERR_TEXTSYNTAX, ""},
  };
  for (const auto& c : cases) {
    qmTextJob j = job(c.text);
    qmTextLayout l;
    EXPECT_EQ(lay_out(j, &l), c.error) << c.text;
    if (c.error == 0) {
      EXPECT_EQ(l.chars, c.chars) << c.text;
    }
  }
  // Colours nest and come back to the style's colour; a constant gives its value; a shadow tag
  // without values only switches the shadow on.
  qmTextJob j = job("[color=$10][color=#RED]a[/color]b[/color]c[shadow]d");
  qmTextLayout l;
  ASSERT_EQ(lay_out(j, &l), 0);
  ASSERT_EQ(l.runs.size(), 4u);
  EXPECT_EQ(l.runs[0].style.colour, 0xFF0000u);
  EXPECT_EQ(l.runs[1].style.colour, 0x10u);
  EXPECT_EQ(l.runs[2].style.colour, base);
  EXPECT_EQ(l.runs[3].style.flags, SHADOW);
  EXPECT_EQ(l.runs[3].style.shadow_colour, text_get_style().shadow_colour);
  // With tags off only the doubled brackets are read.
  qmTextJob off = job("[b]] [[x");
  ASSERT_EQ(lay_out(off, &l, TEXTKIND_TEXTOUT, true), 0);
  EXPECT_EQ(l.chars, "[b] [x");
}

TEST_F(TextLibrary, WordWrapMovesWholeWordsAndReplaysThem) {
  // quill: every character 8 pixels.
  qmTextJob j = job("aaa bbb cccc dd", 56);
  qmTextLayout l;
  ASSERT_EQ(lay_out(j, &l), 0);
  EXPECT_EQ(runs_of(l), (std::vector<std::string>{"aaa bbb @0", "cccc dd@1"}));
  EXPECT_EQ(j.word_breaks, std::vector<int32_t>{2});
  // A first word wider than the width stays on its line.
  qmTextJob wide = job("abcdefghij k", 40);
  ASSERT_EQ(lay_out(wide, &l), 0);
  EXPECT_EQ(runs_of(l), (std::vector<std::string>{"abcdefghij @0", "k@1"}));
  // A word-wrap table breaks before its words whatever the width.
  qmTextJob table = job("one two three four");
  table.word_breaks = {1, 3};
  table.wrap_table = true;
  ASSERT_EQ(lay_out(table, &l), 0);
  EXPECT_EQ(runs_of(l), (std::vector<std::string>{"one @0", "two three @1", "four@2"}));

  // A render again at another scale breaks at the same words, where a fresh layout would not.
  ASSERT_EQ(code("SetFont", {":::default_sans", 16.0}), 0);
  qmTextJob scaled = job("one two three four five six seven eight", 120);
  ASSERT_EQ(lay_out(scaled, &l), 0);
  const std::vector<int32_t> breaks = scaled.word_breaks;
  ASSERT_FALSE(breaks.empty());
  font_set_scale(scaled.style.font, 2.0, 2.0);
  qmTextLayout fresh, again;
  qmTextJob copy = scaled;
  ASSERT_EQ(lay_out(copy, &fresh), 0);
  EXPECT_NE(copy.word_breaks, breaks);
  ASSERT_EQ(lay_out(scaled, &again, TEXTKIND_TEXTOUT, false, true), 0);
  font_set_scale(scaled.style.font, 1.0, 1.0);
  EXPECT_EQ(scaled.word_breaks, breaks);
  EXPECT_EQ(again.lines, l.lines);
  for (size_t i = 0; i < again.runs.size(); ++i) EXPECT_EQ(again.runs[i].line, l.runs[i].line);
}

TEST_F(TextLibrary, TrailingBlanksAndAlignment) {
  // Left-aligned lines keep their trailing blanks unless underlined; centred and right-aligned
  // ones drop them.
  const struct {
    double align;
    int32_t flags;
    size_t kept;
  } cases[] = {{LEFT, 1, 4}, {LEFT, UNDERLINED, 2}, {CENTER, 1, 2}, {RIGHT, 1, 2}};
  for (const auto& c : cases) {
    qmTextJob j = job("ab  \ncd");
    j.align = int32_t(c.align);
    j.style.flags = c.flags;
    qmTextLayout l;
    ASSERT_EQ(lay_out(j, &l), 0);
    EXPECT_EQ(l.runs[0].length, c.kept) << c.align << " " << c.flags;
  }
  // Each line is aligned on the widest; an odd free space leaves its extra pixel on the right.
  for (const double align : {CENTER, RIGHT}) {
    qmTextJob j = job("abcd\nab\nabc");
    j.align = int32_t(align);
    qmTextLayout l;
    ASSERT_EQ(lay_out(j, &l), 0);
    qmTextBlock b;
    text_block_geometry(l, j, &b);
    EXPECT_EQ(b.width, 32);
    EXPECT_EQ(b.runs[0].x, 0);
    EXPECT_EQ(b.runs[1].x, align == CENTER ? 8 : 16);
    EXPECT_EQ(b.runs[2].x, align == CENTER ? 4 : 8);
  }
}

TEST_F(TextLibrary, TabsInPrintAndTextOut) {
  qmTextJob p = job("a\tb\tc");
  p.right_margin = 639;
  p.tabs = {40};
  qmTextLayout l;
  ASSERT_EQ(lay_out(p, &l, TEXTKIND_PRINT), 0);
  EXPECT_EQ(runs_of(l), (std::vector<std::string>{"a@0", "b@0", "c@1"}));
  EXPECT_EQ(l.runs[1].x, 40);
  EXPECT_EQ(p.tab_choices, (std::vector<int32_t>{0, -1}));
  qmTextJob t = job("a\tb");
  ASSERT_EQ(lay_out(t, &l), 0);
  EXPECT_EQ(runs_of(l), std::vector<std::string>{"a b@0"});
}

TEST_F(TextLibrary, PrintMovesTheCursorByItsLines) {
  ASSERT_EQ(code("SetMargins", {10.0, 600.0}), 0);
  ASSERT_EQ(code("Locate", {5.0, 30.0}), 0);
  EXPECT_EQ(d->cursor_x, 10);
  ASSERT_EQ(code("Print", {"a\nbb\nccc"}), 0);
  EXPECT_EQ(d->cursor_x, 10 + 24);
  EXPECT_EQ(d->cursor_y, 30 + 16);
  ASSERT_EQ(code("SetFont", {":::default_serif", 20.0}), 0);
  const double w = number("TextWidth", {"ccc"});
  ASSERT_EQ(code("Print", {"a\nbb\nccc"}), 0);
  EXPECT_EQ(d->cursor_x, 10 + int32_t(w));
  EXPECT_EQ(d->cursor_y, 30 + 16 + 40);
}

TEST_F(TextLibrary, ExtentsOfEdgeAndShadow) {
  // quill "A": ink 0..7 across, -6..1 around the baseline.
  auto extent = [&](std::vector<double>* out) {
    ASSERT_EQ(call("TextExtent", {"A"}).code, 0);
    out->clear();
    for (const char* key : {"minx", "maxx", "miny", "maxy", "width", "height"}) {
      vm_push_string(L, key);
      vm_get_table(L, 1);
      out->push_back(vm_to_number(L, -1));
      vm_pop(L, 1);
    }
  };
  std::vector<double> e;
  extent(&e);
  EXPECT_EQ(e, (std::vector<double>{0, 7, -6, 1, 8, 8}));
  ASSERT_EQ(code("SetFontStyle", {double(EDGE), 0.0, 3.0}), 0);
  extent(&e);
  EXPECT_EQ(e, (std::vector<double>{-3, 10, -9, 4, 8, 8}));
  const std::vector<std::vector<double>> shadows = {
      {0, 7, -11, 1}, {0, 12, -11, 1}, {0, 12, -6, 1}, {0, 12, -6, 6},
      {0, 7, -6, 6},  {-5, 7, -6, 6},  {-5, 7, -6, 1}, {-5, 7, -11, 1},
  };
  for (int32_t dir = 0; dir < 8; ++dir) {
    ASSERT_EQ(code("SetFontStyle", {1.0}), 0);
    ASSERT_EQ(code("SetFontStyle", {double(SHADOW), 0.0, 5.0, double(dir)}), 0);
    extent(&e);
    EXPECT_EQ(std::vector<double>(e.begin(), e.begin() + 4), shadows[size_t(dir)]) << dir;
  }
  // Edge and shadow add up; a direction past 7 is south-east.
  ASSERT_EQ(code("SetFontStyle", {double(SHADOW), 0.0, 5.0, 9.0}), 0);
  ASSERT_EQ(code("SetFontStyle", {double(EDGE), 0.0, 3.0}), 0);
  extent(&e);
  EXPECT_EQ(std::vector<double>(e.begin(), e.begin() + 4), (std::vector<double>{-3, 15, -9, 9}));
}

TEST_F(TextLibrary, DirectPathEqualsTheGeneralPath) {
  const struct {
    const char* font;
    double size;
    int32_t style;
  } fonts[] = {
      {":::default_bitmap", 8, 1}, {":::default_sans", 16, 1}, {":::default_sans", 16, ANTIALIAS}};
  for (const auto& f : fonts) {
    std::vector<uint32_t> pictures[2];
    int64_t measures[2] = {0, 0};
    for (int32_t general = 0; general < 2; ++general) {
      text_force_general_path(general != 0);
      const int64_t before = text_measure_count();
      ASSERT_EQ(code("Cls", {0.0}), 0);
      ASSERT_EQ(code("SetFont", {f.font, f.size}), 0);
      ASSERT_EQ(code("SetFontStyle", {double(f.style)}), 0);
      ASSERT_EQ(code("SetFontColor", {double(0xC08040)}), 0);
      ASSERT_EQ(code("TextOut", {5.0, 7.0, "Hello, AVAWAY To!"}), 0);
      ASSERT_EQ(code("TextOut", {-3.0, 40.0, "two\nlines\n\nand \xC5ngstr\xF6m"}), 0);
      ASSERT_EQ(code("TextOut", {20.0, 150.0, "fits the width", LEFT, 400.0}), 0);
      ASSERT_EQ(code("Locate", {33.0, 200.0}), 0);
      ASSERT_EQ(code("Print", {"at the cursor"}), 0);
      ASSERT_EQ(code("Print", {" and on"}), 0);
      ASSERT_EQ(code("TextOut", {600.0, 470.0, "off the edges"}), 0);
      pictures[general] = picture();
      measures[general] = text_measure_count() - before;
    }
    EXPECT_TRUE(pictures[0] == pictures[1]) << f.font << " " << f.style;
    EXPECT_GT(std::count(pictures[0].begin(), pictures[0].end(), 0xC08040u), 50) << f.font;
    // The direct path measures each line once; the layout measures its pieces and runs.
    EXPECT_LT(measures[0], measures[1]);
  }
}

TEST_F(TextLibrary, AFailedRenderLeavesTheFontAndCursorAsTheyWere) {
  ASSERT_EQ(code("SetFont", {":::default_sans", 16.0}), 0);
  const double width = number("TextWidth", {"Hello"});
  const int32_t x = d->cursor_x, y = d->cursor_y;
  EXPECT_EQ(call_table("TextOut", {0.0, 0.0, "fine [bad] text"},
                       [&] {
                         set_number("scalex", 2);
                         set_number("scaley", 3);
                       })
                .code,
            ERR_UNKTEXTFMT);
  EXPECT_EQ(number("TextWidth", {"Hello"}), width);
  EXPECT_EQ(text_get_current_font()->x_scale, 1.0);
  EXPECT_EQ(code("Print", {"[color]"}), ERR_TEXTARG);
  EXPECT_EQ(d->cursor_x, x);
  EXPECT_EQ(d->cursor_y, y);
}

TEST_F(TextLibrary, FontObjectsShareTheCache) {
  ASSERT_EQ(code("OpenFont", {1.0, ":::default_sans", 20.0}), 0);
  qmFontObject* one = nullptr;
  ASSERT_EQ(fontobj_find(ObjectId{1, nullptr}, &one), 0);
  qmFont* font = font_of(one->font);
  ASSERT_EQ(code("CloseFont", {1.0}), 0);
  EXPECT_EQ(code("CloseFont", {1.0}), ERR_FINDFONT2);
  // Closed, the font stays in the cache: the next open finds it.
  ASSERT_EQ(code("OpenFont", {2.0, ":::default_truetype", 20.0}), 0);
  qmFontObject* two = nullptr;
  ASSERT_EQ(fontobj_find(ObjectId{2, nullptr}, &two), 0);
  EXPECT_EQ(font_of(two->font), font);
  // An id taken again loses its old font object even when the new font does not open.
  EXPECT_EQ(code("OpenFont", {2.0, "No Such Font", 20.0}), ERR_OPENFONT);
  EXPECT_EQ(fontobj_find(ObjectId{2, nullptr}, &two), ERR_FINDFONT2);
  qmtest::Outcome automatic = call("OpenFont", {Nil{}, ":::default_bitmap", 8.0});
  ASSERT_EQ(automatic.code, 0);
  EXPECT_EQ(automatic.results.size(), 1u);
  EXPECT_EQ(code("UseFont", {3.0}), ERR_FINDFONT2);
}

TEST_F(TextLibrary, InKeyStrNeedsAnOpenDisplay) {
  display_close(d);
  EXPECT_EQ(code("InKeyStr", {0.0}), ERR_CLOSEDDISPDRAW);
}

}  // namespace
