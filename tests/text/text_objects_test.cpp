// Text objects: scaling renders the text again (FreeType draws the same text through the same
// transform), a turn by 450 is a turn by 90, a locked object refuses every change, a failed
// render leaves the object as it was, and showing with options treats a copy.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "runtime/args.h"
#include "tests/text/font_test_support.h"
#include "tests/text/text_harness.h"
#include "text/textobject.h"
#include "text/truetype.h"

using namespace qm;

namespace {

constexpr double ANTIALIAS = 16;

// The bytes of an object's planes.
std::vector<uint8_t> planes_of(const qmTextObject* o) {
  std::vector<uint8_t> out;
  for (int32_t y = 0; y < o->height; ++y) {
    for (int32_t x = 0; x < o->width; ++x) {
      const uint32_t p = qmos_read_pixel(o->bitmap, x, y);
      out.insert(out.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    }
    if (o->mask) {
      const uint8_t* m = o->mask->data + ptrdiff_t(y) * o->mask->bytes_per_row;
      for (int32_t x = 0; x < o->width; ++x) out.push_back(mask_bit(m, x));
    }
    if (o->alpha) {
      const uint8_t* a = o->alpha->data + ptrdiff_t(y) * o->alpha->bytes_per_row;
      out.insert(out.end(), a, a + o->width);
    }
  }
  return out;
}

int32_t coverage(const qmTextObject* o, int32_t x, int32_t y) {
  if (o->alpha) return o->alpha->data[ptrdiff_t(y) * o->alpha->bytes_per_row + x];
  return mask_bit(o->mask->data + ptrdiff_t(y) * o->mask->bytes_per_row, x) ? 255 : 0;
}

// FreeType drawing a Latin-1 text at a pixel size through a uniform scale: the pen from x on the
// baseline, kerning scaled with the glyphs.
void freetype_draw(Plane& p, const char* file, int32_t pixel_size, double scale, const std::string& text,
                   int64_t x, int64_t baseline) {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&lib), 0);
  ASSERT_EQ(FT_New_Face(lib, file, 0, &face), 0);
  ASSERT_EQ(FT_Set_Pixel_Sizes(face, FT_UInt(pixel_size), 0), 0);
  FT_Matrix m{FT_Fixed(scale * 65536.0), 0, 0, FT_Fixed(scale * 65536.0)};
  FT_Set_Transform(face, &m, nullptr);
  const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_AUTOHINT | (p.aa ? 0 : FT_LOAD_MONOCHROME);
  int64_t pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const FT_ULong c = static_cast<unsigned char>(text[i]);
    FT_Vector kern{0, 0};
    if (FT_HAS_KERNING(face) && i + 1 < text.size())
      FT_Get_Kerning(face, FT_Get_Char_Index(face, c), FT_Get_Char_Index(face, static_cast<unsigned char>(text[i + 1])),
                     FT_KERNING_UNFITTED, &kern);
    ASSERT_EQ(FT_Load_Char(face, c, flags), 0);
    const FT_GlyphSlot g = face->glyph;
    for (int32_t r = 0; r < int32_t(g->bitmap.rows); ++r) {
      const uint8_t* src = g->bitmap.buffer + ptrdiff_t(r) * g->bitmap.pitch;
      for (int32_t col = 0; col < int32_t(g->bitmap.width); ++col)
        p.merge(int32_t(x + pen + g->bitmap_left + col), int32_t(baseline - g->bitmap_top + r),
                p.aa ? src[col] : (mask_bit(src, col) ? 255 : 0));
    }
    pen += (g->advance.x + FT_Pos(std::lround(double(kern.x) * scale))) / 64;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
}

class TextObjects : public qmtest::TextHarness {
 protected:
  qmTextObject* object(double id) {
    qmTextObject* o = nullptr;
    EXPECT_EQ(textobject_find(L, ObjectId{int32_t(id), nullptr}, &o, 0), 0);
    return o;
  }
};

TEST_F(TextObjects, ScalingRendersTheTextAgain) {
  const char* vera = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";
  ASSERT_EQ(call("SetFont", {":::default_sans", 16.0}).code, 0);
  for (const bool aa : {false, true}) {
    ASSERT_EQ(call("SetFontStyle", {aa ? ANTIALIAS : 1.0}).code, 0);
    ASSERT_EQ(call("CreateTextObject", {1.0, "Hello"}).code, 0);
    const qmTextObject* o = object(1);
    const std::vector<uint8_t> created = planes_of(o);
    const int32_t w = o->width, h = o->height;
    ASSERT_EQ(call("ScaleTextObject", {1.0, "300%", "300%"}).code, 0);
    // FreeType at the same pixel size through a 3.0 transform, the pen at the text's origin and
    // the baseline where the engine puts it at that scale.
    qmFont* font = text_get_current_font();
    font_set_scale(font, 3.0, 3.0);
    const int32_t baseline = font->baseline;
    font_set_scale(font, 1.0, 1.0);
    const int32_t ox = 50, oy = 50;
    Plane theirs(o->width + 100, o->height + 100, aa);
    freetype_draw(theirs, vera, ttf_pixel_size(font), 3.0, "Hello", ox, oy + baseline);
    int32_t differ = 0, inked = 0;
    for (int32_t y = 0; y < theirs.h; ++y)
      for (int32_t x = 0; x < theirs.w; ++x) {
        const int32_t ix = x - ox - o->x_offset, iy = y - oy - o->y_offset;
        const bool inside = ix >= 0 && iy >= 0 && ix < o->width && iy < o->height;
        const int32_t ours = inside ? coverage(o, ix, iy) : 0;
        differ += ours != theirs.at(x, y);
        inked += ours != 0;
      }
    EXPECT_EQ(differ, 0) << (aa ? "antialiased" : "mono");
    EXPECT_GT(inked, 300);
    EXPECT_GT(o->width, 3 * w - 6);
    EXPECT_EQ(font->x_scale, 1.0);
    // Back at the size of creation, the planes are those of creation, byte for byte.
    ASSERT_EQ(call("ScaleTextObject", {1.0, double(w), double(h)}).code, 0);
    EXPECT_TRUE(planes_of(object(1)) == created);
  }
}

TEST_F(TextObjects, TurnsAndTheirOffsets) {
  ASSERT_EQ(call("SetFontStyle", {64.0, double(0xFF0000), 2.0}).code, 0);  // an edge: offsets of -2
  ASSERT_EQ(call("CreateTextObject", {1.0, "Turn"}).code, 0);
  ASSERT_EQ(call("CreateTextObject", {2.0, "Turn"}).code, 0);
  const qmTextObject* a = object(1);
  EXPECT_EQ(a->x_offset, -2);
  EXPECT_EQ(a->y_offset, -2);
  ASSERT_EQ(call("RotateTextObject", {1.0, 450.0}).code, 0);
  ASSERT_EQ(call("RotateTextObject", {2.0, 90.0}).code, 0);
  EXPECT_TRUE(planes_of(object(1)) == planes_of(object(2)));
  EXPECT_EQ(object(1)->x_offset, 0);
  EXPECT_EQ(object(1)->width, object(2)->width);
  ASSERT_EQ(call("RotateTextObject", {1.0, 360.0}).code, 0);
  EXPECT_EQ(object(1)->x_offset, -2);
  EXPECT_EQ(object(1)->y_offset, -2);
}

TEST_F(TextObjects, LockedObjectsRefuseChangesAndBadInputChangesNothing) {
  ASSERT_EQ(call("SetFont", {":::default_sans", 16.0}).code, 0);
  ASSERT_EQ(call("CreateTextObject", {1.0, "Locked"}).code, 0);
  ASSERT_EQ(call("CreateTextObject", {2.0, "Other"}).code, 0);
  qmTextObject* o = object(1);
  const std::vector<uint8_t> before = planes_of(o);
  ++o->locked;
  const struct {
    const char* command;
    std::initializer_list<qmtest::Arg> args;
  } changes[] = {
      {"RotateTextObject", {1.0, 90.0}},     {"ScaleTextObject", {1.0, 20.0, 20.0}},
      {"FreeTextObject", {1.0}},             {"CreateTextObject", {1.0, "again"}},
      {"CopyTextObject", {2.0, 1.0}},
  };
  for (const auto& c : changes) EXPECT_EQ(call(c.command, c.args).code, ERR_LOCKEDOBJ) << c.command;
  qmTextObject* found = nullptr;
  EXPECT_EQ(textobject_find(L, ObjectId{1, nullptr}, &found, TEXTOBJFIND_CHANGE), ERR_LOCKEDOBJ);
  EXPECT_EQ(textobject_find(L, ObjectId{1, nullptr}, &found, 0), 0);
  --o->locked;
  // Bad input: each leaves the list and the images as they were.
  const struct {
    const char* command;
    std::initializer_list<qmtest::Arg> args;
    int32_t code;
  } bad[] = {
      {"RotateTextObject", {9.0, 90.0}, ERR_FINDTEXTOBJECT},
      {"CopyTextObject", {1.0, 1.0}, ERR_WRONGUSAGE},
      {"CreateTextObject", {1.0, "x", -90000.0, -1.0}, ERR_WRONGUSAGE},
      {"CreateTextObject", {1.0, "x", -90000.0, 0.0, 2.0}, ERR_WRONGUSAGE},
      {"ScaleTextObject", {1.0, 0.0, 10.0}, ERR_BADDIMENSIONS},
      {"ScaleTextObject", {1.0, 99999.0, 99999.0}, ERR_MEM},
      {"ScaleTextObject", {1.0, 99999.0, 99999.0}, ERR_MEM},
      {"CreateTextObject", {1.0, "[x]"}, ERR_UNKTEXTFMT},
  };
  for (const auto& c : bad) EXPECT_EQ(call(c.command, c.args).code, c.code) << c.command;
  EXPECT_EQ(object(1), o);
  EXPECT_TRUE(planes_of(o) == before);
  EXPECT_EQ(text_get_current_font()->x_scale, 1.0);
  EXPECT_EQ(objlist_count_type(OBJ_TEXTOBJECT), 2);
  char other = 0;
  EXPECT_EQ(textobject_find(L, ObjectId{0, &other}, &found, 0), ERR_FINDARRAY);
}

TEST_F(TextObjects, ShowingWithOptionsTreatsACopy) {
  ASSERT_EQ(call("SetFontColor", {double(0xFFFFFF)}).code, 0);
  ASSERT_EQ(call("CreateTextObject", {1.0, "Copy"}).code, 0);
  const std::vector<uint8_t> planes = planes_of(object(1));
  // DisplayTextObject(1, 10, 10, {transparency = 128, rotate = 180}) with layers off.
  auto show_faded = [&] {
    vm_set_top(L, 0);
    vm_push_string(L, "displaytextobject");
    vm_get_table(L, QM_GLOBALSINDEX);
    for (double v : {1.0, 10.0, 10.0}) vm_push_number(L, v);
    vm_new_table(L);
    table_set_number(L, "transparency", 128);
    table_set_number(L, "rotate", 180);
    return vm_pcall(L, 4, QM_MULTRET, 0);
  };
  std::vector<uint32_t> shown[2];
  for (auto& s : shown) {
    ASSERT_EQ(call("Cls", {}).code, 0);
    ASSERT_EQ(show_faded(), 0);
    s = picture();
  }
  EXPECT_TRUE(shown[0] == shown[1]);
  EXPECT_TRUE(planes_of(object(1)) == planes);
  // Half covered: no pixel of the text is white, some are half white.
  int32_t half = 0, white = 0;
  for (uint32_t p : shown[0]) half += (p & 0xFF) >= 120 && (p & 0xFF) <= 135, white += (p & 0xFFFFFF) == 0xFFFFFF;
  EXPECT_GT(half, 20);
  EXPECT_EQ(white, 0);
}

}  // namespace
