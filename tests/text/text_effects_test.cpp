// Text effects in the glyph runs: the soft and the hard edge judged by OpenCV's box filter and
// dilation, shadows in their directions and transparencies, text over edge over shadow, italic
// shear, underline, and the border image of a text layer.
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>
#include <random>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "layers/layer.h"
#include "tests/text/bitmap_font_writer.h"
#include "tests/text/font_test_support.h"
#include "tests/text/text_harness.h"
#include "text/edges.h"
#include "text/text_internal.h"

using namespace qm;

namespace {

constexpr int32_t BOLD = 2, ITALIC = 4, UNDERLINED = 8, ANTIALIAS = 16, SHADOW = 32, EDGE = 64;

// The coverage of an image pixel: its alpha byte, or 255 for a set mask bit.
int32_t cov(const qmTextImage& img, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height) return 0;
  if (img.alpha) return img.alpha->data[ptrdiff_t(y) * img.alpha->bytes_per_row + x];
  return mask_bit(img.mask->data + ptrdiff_t(y) * img.mask->bytes_per_row, x) ? 255 : 0;
}
uint32_t rgb(const qmTextImage& img, int32_t x, int32_t y) {
  return qmos_read_pixel(img.bitmap, x, y);
}

// The coverage of an image as an 8-bit matrix.
cv::Mat coverage_mat(const qmTextImage& img) {
  cv::Mat m(img.height, img.width, CV_8U);
  for (int32_t y = 0; y < img.height; ++y)
    for (int32_t x = 0; x < img.width; ++x) m.at<uint8_t>(y, x) = uint8_t(cov(img, x, y));
  return m;
}

// OpenCV's soft edge: the box sum over (2s + 1)^2 of the coverage padded as the run renderer lays
// it out (s before, s + 1 after), divided by 2s + 1 and limited to 255.
cv::Mat opencv_soft_edge(const cv::Mat& coverage, int32_t s) {
  cv::Mat padded;
  cv::copyMakeBorder(coverage, padded, s, s + 1, s, s + 1, cv::BORDER_CONSTANT, 0);
  cv::Mat sums;
  cv::boxFilter(padded, sums, CV_32S, cv::Size(2 * s + 1, 2 * s + 1), cv::Point(-1, -1), false,
                cv::BORDER_CONSTANT);
  cv::Mat out(sums.size(), CV_8U);
  for (int32_t y = 0; y < sums.rows; ++y)
    for (int32_t x = 0; x < sums.cols; ++x)
      out.at<uint8_t>(y, x) = uint8_t(std::min(sums.at<int32_t>(y, x) / (2 * s + 1), 255));
  return out;
}

cv::Mat opencv_hard_edge(const cv::Mat& mask, int32_t s) {
  cv::Mat padded, out;
  cv::copyMakeBorder(mask, padded, s, s + 1, s, s + 1, cv::BORDER_CONSTANT, 0);
  cv::dilate(padded, out, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(2 * s + 1, 2 * s + 1)),
             cv::Point(-1, -1), 1, cv::BORDER_CONSTANT, 0);
  return out;
}

cv::Mat our_soft_edge(const cv::Mat& coverage, int32_t s) {
  cv::Mat out(coverage.rows + 2 * s + 1, coverage.cols + 2 * s + 1, CV_8U, cv::Scalar(7));
  EXPECT_EQ(text_coverage_spread(coverage.data, int32_t(coverage.step), coverage.cols, coverage.rows, s, out.data,
                                 int32_t(out.step)),
            0);
  return out;
}

cv::Mat our_hard_edge(const cv::Mat& m, int32_t s) {
  qmMask* in = qmos_alloc_mask(m.cols, m.rows, 1);
  for (int32_t y = 0; y < m.rows; ++y)
    for (int32_t x = 0; x < m.cols; ++x)
      if (m.at<uint8_t>(y, x)) mask_bit_set(in->data + ptrdiff_t(y) * in->bytes_per_row, x);
  qmMask* out = qmos_alloc_mask(m.cols + 2 * s + 1, m.rows + 2 * s + 1, 0);
  EXPECT_EQ(text_mask_dilate(in, m.cols, m.rows, s, out), 0);
  cv::Mat r(out->height, out->width, CV_8U);
  for (int32_t y = 0; y < r.rows; ++y)
    for (int32_t x = 0; x < r.cols; ++x)
      r.at<uint8_t>(y, x) = mask_bit(out->data + ptrdiff_t(y) * out->bytes_per_row, x) ? 255 : 0;
  qmos_free_mask(in);
  qmos_free_mask(out);
  return r;
}

bool same(const cv::Mat& a, const cv::Mat& b) {
  return a.size() == b.size() && cv::countNonZero(a != b) == 0;
}

class TextEffects : public qmtest::TextHarness {
 protected:
  qmFont* font(const char* name, int32_t size) {
    qmFont* f = nullptr;
    EXPECT_EQ(font_open_cached(name, size, FONTENGINE_NATIVE, 1, 0, &f), 0) << name;
    return f;
  }
  // The image of a TextOut job in the font with the style's flags and colours.
  qmTextImage render(const std::string& text, qmFont* f, int32_t flags, uint32_t colour = 0xFFFFFF) {
    qmTextJob j = job(text);
    j.style.font = f;
    j.style.flags = flags;
    j.style.colour = colour;
    qmTextImage img;
    EXPECT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &img), 0) << text;
    return img;
  }
};

TEST_F(TextEffects, SoftEdgeIsOpenCVsBoxSumOverTwoSPlusOne) {
  std::mt19937 rng(45);
  cv::Mat random(23, 37, CV_8U);
  for (int32_t y = 0; y < random.rows; ++y)
    for (int32_t x = 0; x < random.cols; ++x) random.at<uint8_t>(y, x) = uint8_t(rng() % 4 ? rng() : 0);
  qmFont* vera = font(":::default_sans", 24);
  const qmTextImage plain = render("Hello, Wy!", vera, ANTIALIAS);
  for (const int32_t s : {1, 2, 8, 64}) {
    EXPECT_TRUE(same(our_soft_edge(random, s), opencv_soft_edge(random, s))) << "random, s " << s;
    // A real run: the edged text's plane is the spread of the plain text's, the text itself
    // drawn fully transparent.
    qmTextJob j = job("Hello, Wy!");
    j.style.font = vera;
    j.style.flags = ANTIALIAS | EDGE;
    j.style.colour = 0xFF000000u;
    j.style.edge_size = s;
    j.style.edge_colour = 0x00FF00;
    qmTextImage e;
    ASSERT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &e), 0);
    const cv::Mat expected = opencv_soft_edge(coverage_mat(plain), s);
    ASSERT_EQ(e.width, plain.width + 2 * s);
    ASSERT_EQ(e.height, plain.height + 2 * s);
    EXPECT_EQ(e.x, plain.x - s);
    EXPECT_TRUE(same(coverage_mat(e), expected(cv::Rect(0, 0, e.width, e.height)))) << "Vera run, s " << s;
    for (int32_t y = 0; y < e.height; ++y)
      for (int32_t x = 0; x < e.width; ++x)
        if (cov(e, x, y)) {
          ASSERT_EQ(rgb(e, x, y), 0x00FF00u) << x << "," << y;
        }
  }
}

TEST_F(TextEffects, HardEdgeIsOpenCVsDilation) {
  std::mt19937 rng(8);
  cv::Mat random(19, 70, CV_8U);
  for (int32_t y = 0; y < random.rows; ++y)
    for (int32_t x = 0; x < random.cols; ++x) random.at<uint8_t>(y, x) = rng() % 13 == 0 ? 255 : 0;
  for (const int32_t s : {0, 1, 2, 8, 31, 32, 64}) {
    EXPECT_TRUE(same(our_hard_edge(random, s), opencv_hard_edge(random, s))) << "s " << s;
    // A quill run with a hard edge: the edge colour shows exactly where the dilated glyphs are.
    qmTextJob j = job("Quill #8");
    j.style.flags = EDGE;
    j.style.edge_size = std::max(s, 1);
    j.style.edge_colour = 0xFF0000;
    qmTextImage e;
    ASSERT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &e), 0);
    ASSERT_EQ(e.mask != nullptr, true);
    const qmTextImage plain = render("Quill #8", nullptr, 1);
    const int32_t g = std::max(s, 1);
    const cv::Mat expected = opencv_hard_edge(coverage_mat(plain), g)(cv::Rect(0, 0, e.width, e.height));
    EXPECT_TRUE(same(coverage_mat(e), expected)) << "quill, s " << g;
  }
}

TEST_F(TextEffects, LargeEdgesStayOpaqueInsideTheGlyphs) {
  // The sums of an edge of 64 reach 129 x 129 x 255: cells that wrapped at 16 bits left holes
  // and rings inside bold glyphs. The text is drawn fully transparent, so the edge alone shows.
  qmFont* vera = font(":::default_sans", 120);
  const qmTextImage plain = render("H", vera, ANTIALIAS | BOLD);
  for (const char* text : {"H", "[edge=0,8]H"}) {
    qmTextJob j = job(text);
    j.style.font = vera;
    j.style.flags = ANTIALIAS | BOLD | (text[0] == 'H' ? EDGE : 0);
    j.style.edge_size = 64;
    j.style.colour = 0xFF000000u;
    qmTextImage e;
    ASSERT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &e), 0);
    const int32_t s = text[0] == 'H' ? 64 : 8;
    int32_t inside = 0, holes = 0;
    for (int32_t y = 0; y < plain.height; ++y)
      for (int32_t x = 0; x < plain.width; ++x) {
        if (cov(plain, x, y) < 255) continue;
        ++inside;
        if (cov(e, x + s, y + s) < 255) ++holes;
      }
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(holes, 0) << text;
  }
}

TEST_F(TextEffects, ShadowDirectionsAndTransparency) {
  // Each direction moves the shadow by the distance; a direction above 7 (from a tag) is south-east.
  const int32_t kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  const qmTextImage plain = render("I", nullptr, 1);
  for (int32_t dir = 0; dir < 8; ++dir) {
    const std::string text = "[shadow=$FF0000,3," + std::to_string(dir) + "]I";
    const qmTextImage img = render(text, nullptr, 1);
    for (int32_t y = 0; y < plain.height; ++y)
      for (int32_t x = 0; x < plain.width; ++x) {
        if (!cov(plain, x, y)) continue;
        // The glyph's pixel in the image, and where its shadow falls.
        const int32_t gx = x + plain.x - img.x, gy = y + plain.y - img.y;
        EXPECT_EQ(rgb(img, gx, gy), 0xFFFFFFu);
        const int32_t sx = gx + 3 * kStepX[dir], sy = gy + 3 * kStepY[dir];
        if (!cov(plain, sx + img.x - plain.x, sy + img.y - plain.y)) {
          EXPECT_EQ(rgb(img, sx, sy), 0xFF0000u) << dir << " at " << sx << "," << sy;
        }
      }
  }
  const qmTextImage nine = render("[shadow=$FF0000,3,9]I", nullptr, 1);
  const qmTextImage three = render("[shadow=$FF0000,3,3]I", nullptr, 1);
  ASSERT_EQ(nine.width, three.width);
  ASSERT_EQ(nine.height, three.height);
  EXPECT_TRUE(same(coverage_mat(nine), coverage_mat(three)));
  // A shadow colour's top byte is its transparency: 0x80 draws it half covered, 0 opaque.
  for (const auto& [colour, alpha] : {std::pair<uint32_t, int32_t>{0x80FF0000u, 127}, {0x00FF0000u, 255}}) {
    qmTextJob j = job("I");
    j.style.flags = SHADOW;
    j.style.shadow_colour = colour;
    j.style.shadow_distance = 5;
    j.style.shadow_direction = 2;  // east, clear of the glyph
    qmTextImage img;
    ASSERT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &img), 0);
    int32_t x = img.width - 1, y = 3;
    while (x > 0 && !cov(img, x, y)) --x;  // the shadow's right-most pixel on row 3
    EXPECT_NEAR(cov(img, x, y), alpha, 1) << std::hex << colour;
    EXPECT_EQ(rgb(img, x, y), 0xFF0000u);
  }
}

TEST_F(TextEffects, TextOverEdgeOverShadowShapedLikeTheEdgedText) {
  // Every pixel of a quill text with both effects, against the plain glyphs dilated by OpenCV:
  // the text where the glyphs are, else the edge where the dilated glyphs are, else the shadow
  // where the dilated glyphs moved by the shadow are.
  const std::string text = "Lit 4";
  const qmTextImage plain = render(text, nullptr, 1);
  qmTextJob j = job(text);
  j.style.flags = SHADOW | EDGE;
  j.style.edge_size = 2, j.style.edge_colour = 0x00FF00;
  j.style.shadow_distance = 3, j.style.shadow_direction = 3, j.style.shadow_colour = 0x0000FF;
  qmTextImage img;
  ASSERT_EQ(text_render_image(L, j, TEXTKIND_TEXTOUT, false, 0, &img), 0);
  const cv::Mat grown = opencv_hard_edge(coverage_mat(plain), 2);  // plain pixel (x, y) at (x + 2, y + 2)
  auto at = [](const cv::Mat& m, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < m.cols && y < m.rows && m.at<uint8_t>(y, x) != 0;
  };
  // The image's pixel (x, y) is plain's (x + img.x - plain.x, ...).
  const int32_t ox = img.x - plain.x, oy = img.y - plain.y;
  int32_t counts[4] = {};
  for (int32_t y = 0; y < img.height; ++y)
    for (int32_t x = 0; x < img.width; ++x) {
      const int32_t px = x + ox, py = y + oy;
      uint32_t want = 0;
      bool covered = true;
      if (at(coverage_mat(plain), px, py)) want = 0xFFFFFF, ++counts[0];
      else if (at(grown, px + 2, py + 2)) want = 0x00FF00, ++counts[1];
      else if (at(grown, px + 2 - 3, py + 2 - 3)) want = 0x0000FF, ++counts[2];
      else covered = false, ++counts[3];
      ASSERT_EQ(cov(img, x, y), covered ? 255 : 0) << x << "," << y;
      if (covered) {
        ASSERT_EQ(rgb(img, x, y), want) << x << "," << y;
      }
    }
  EXPECT_GT(counts[0], 20);
  EXPECT_GT(counts[1], 20);
  EXPECT_GT(counts[2], 20);
  EXPECT_EQ(img.width, plain.width + 4 + 3);
}

TEST_F(TextEffects, ItalicShearFollowsTheRowShifts) {
  // quill: height 8, baseline 6; row y moves right by 3 - y / 2.
  const qmTextImage plain = render("Hi|", nullptr, 1);
  const qmTextImage italic = render("Hi|", nullptr, ITALIC);
  int32_t set = 0;
  for (int32_t y = 0; y < plain.height; ++y)
    for (int32_t x = 0; x < plain.width; ++x) {
      const int32_t shift = 6 / 2 - y / 2;
      const int32_t ix = x + plain.x - italic.x + shift;
      EXPECT_EQ(cov(italic, ix, y), cov(plain, x, y)) << x << "," << y;
      set += cov(plain, x, y) != 0;
    }
  EXPECT_GT(set, 20);
}

TEST_F(TextEffects, UnderlineRowsFollowTheDescent) {
  // A generated font of 4 rows whose baseline is its last row (descent 0) underlines the row below
  // the glyphs, one pixel thick; quill (descent 2) underlines row 6 + max(2 / 3, 1) = 7.
  TempFolder folder("underline");
  BitmapFontSpec spec = small_mono_font();
  spec.baseline = 4;
  write_bytes(folder / "u-4", bitmap_font_file(spec));
  write_bytes(folder / "u.font", bitmap_font_contents({{"u-4", 4}}));
  qmFont* flat = nullptr;
  ASSERT_EQ(font_open((folder / "u").c_str(), 4, FONTENGINE_NATIVE, 0, 0, &flat), 0);
  ASSERT_EQ(flat->height - flat->baseline, 0);
  const struct {
    qmFont* font;
    int32_t row;
  } cases[] = {{flat, flat->baseline}, {nullptr, 7}};
  for (const auto& c : cases) {
    const qmTextImage u = render("CC", c.font, UNDERLINED);
    const qmTextImage plain = render("CC", c.font, 1);
    ASSERT_EQ(u.height, plain.height);
    int32_t advance = 0;
    {
      qmTextExtent e;
      qmTextStyle s = text_get_style();
      s.font = c.font;
      ASSERT_EQ(text_measure_line("CC", 2, 0, s, &e), 0);
      advance = e.advance;
    }
    for (int32_t y = 0; y < u.height; ++y)
      for (int32_t x = 0; x < u.width; ++x) {
        const bool bar = y == c.row && x + u.x >= 0 && x + u.x < advance;
        EXPECT_EQ(cov(u, x, y), bar ? 255 : cov(plain, x, y)) << x << "," << y;
      }
  }
  font_close(flat);
}

TEST_F(TextEffects, TextLayerBorderIsTheEdgeOfItsImage) {
  // A TextOut layer with an edge keeps it as its border; the border image is the layer's image
  // grown by the size, (w + 2s + 1) x (h + 2s + 1) at -s.
  ASSERT_EQ(call("EnableLayers", {}).code, 0);
  ASSERT_EQ(call("SetFont", {":::default_sans", 20.0}).code, 0);
  ASSERT_EQ(call("SetFontStyle", {double(ANTIALIAS)}).code, 0);
  ASSERT_EQ(call("SetFontStyle", {double(EDGE), double(0xFF0000), 3.0}).code, 0);
  ASSERT_EQ(call("TextOut", {10.0, 10.0, "Border"}).code, 0);
  qmLayer* layer = layers_top(d->bgpic);
  ASSERT_NE(layer, nullptr);
  ASSERT_TRUE(layer->border);
  qmLayerState* t = layer->content;
  LayerImage border;
  Rect at{};
  ASSERT_EQ(text_layer_render(L, layer, t, 0xFF0000, 3, &border, &at), 0);
  EXPECT_EQ(at.x, 3);
  EXPECT_EQ(at.y, 3);
  EXPECT_EQ(at.width, t->width + 7);
  EXPECT_EQ(at.height, t->height + 7);
  ASSERT_NE(border.alpha, nullptr);
  cv::Mat content(t->height, t->width, CV_8U);
  for (int32_t y = 0; y < t->height; ++y)
    for (int32_t x = 0; x < t->width; ++x)
      content.at<uint8_t>(y, x) = t->content.alpha->data[ptrdiff_t(y) * t->content.alpha->bytes_per_row + x];
  const cv::Mat expected = opencv_soft_edge(content, 3);
  cv::Mat got(at.height, at.width, CV_8U);
  for (int32_t y = 0; y < at.height; ++y)
    for (int32_t x = 0; x < at.width; ++x)
      got.at<uint8_t>(y, x) = border.alpha->data[ptrdiff_t(y) * border.alpha->bytes_per_row + x];
  EXPECT_TRUE(same(got, expected));
  EXPECT_EQ(qmos_read_pixel(border.bitmap, 0, 0), 0xFF0000u);
  layer_image_free(border);
  // Sizes of 8 and more are the layers' own growing.
  EXPECT_EQ(layer_services().drawn_border(L, layer, t, OBJ_TEXTOUT, 8, &border, &at), ERR_UNSUPPORTEDFEAT);
}

}  // namespace
