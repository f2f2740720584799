// What the player hands a vector-graphics plug-in, seen by a recording plug-in: the blocks, the
// operations of the shapes in path mode, and what becomes of the plug-in's answers.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/draw/fixtures/recorder.h"
#include "tests/draw/path_harness.h"

namespace qmtest {
namespace {

using namespace qm;

class PathPlugin : public PathHarness {
 protected:
  void SetUp() override {
    PathHarness::SetUp();
    load_plugins(RECORDER_DIR);
    ASSERT_NE(plugin_vector_graphics(), nullptr);
    void* library = plugin_list()->handle->library;
    log = reinterpret_cast<RecorderLog* (*)()>(dlsym(library, "recorder_log"))();
    control = reinterpret_cast<RecorderControl* (*)()>(dlsym(library, "recorder_control"))();
    RecorderLog fresh{};
    std::copy(log->offsets, log->offsets + 12, fresh.offsets);
    *log = fresh;
    *control = RecorderControl{{0, 0, 20, 10}, 0};
  }
  std::vector<uint32_t> picture() {
    const qmBitmap* b = d->bgpic->current.bitmap;
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < b->height; ++y)
      for (int32_t x = 0; x < b->width; ++x) out.push_back(qmos_read_pixel(b, x, y));
    return out;
  }
  uint32_t pixel(int32_t x, int32_t y) { return qmos_read_pixel(d->bgpic->current.bitmap, x, y) & 0xFFFFFF; }
  int32_t calls() {
    int32_t n = 0;
    for (int32_t c : log->calls) n += c;
    return n;
  }
  RecorderLog* log = nullptr;
  RecorderControl* control = nullptr;
};

// The blocks as both compilers lay them out, each with its size word, and the values of a drawing.
TEST_F(PathPlugin, BlocksCarryTheirSizeAndTheDrawingsValues) {
  EXPECT_EQ(log->offsets[0], offsetof(qmVecStroke, dash_offset));
  EXPECT_EQ(log->offsets[1], offsetof(qmVecStroke, dashes));
  EXPECT_EQ(log->offsets[2], offsetof(qmVecStroke, dash_count));
  EXPECT_EQ(log->offsets[3], offsetof(qmVecExtents, stroke));
  EXPECT_EQ(log->offsets[4], offsetof(qmVecExtents, x));
  EXPECT_EQ(log->offsets[5], offsetof(qmVecExtents, bottom));
  EXPECT_EQ(log->offsets[6], offsetof(qmVecRender, plane));
  EXPECT_EQ(log->offsets[7], offsetof(qmVecRender, origin_y));
  EXPECT_EQ(log->offsets[8], offsetof(qmVecRender, transform));
  EXPECT_EQ(log->offsets[9], offsetof(qmVecRender, stroke_block));
  EXPECT_EQ(log->offsets[10], offsetof(qmVecTranslate, x));
  EXPECT_EQ(log->offsets[11], sizeof(qmVecRender));

  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 3.0, 4.0}), 0);
  ASSERT_EQ(code("SetDash", {1.5, 4.0, 2.0}), 0);
  ASSERT_EQ(code("SetLineJoin", {1.0}), 0);
  ASSERT_EQ(code("SetLineWidth", {3.0}), 0);
  ASSERT_EQ(code("SetFormStyle", {16.0}), 0);
  control->extents[0] = 4.5, control->extents[1] = -2.25;  // whole pixels: 4 .. 20, -3 .. 10
  ASSERT_EQ(code("DrawPath", {1.0, 100.0, 50.0, double(0x40FF0000)}), 0);
  EXPECT_EQ(log->extents.size, sizeof(qmVecExtents));
  EXPECT_EQ(log->extents.filled, 0);
  EXPECT_EQ(log->extents.line_width, 3);
  EXPECT_EQ(log->stroke.size, sizeof(qmVecStroke));
  EXPECT_EQ(log->stroke.line_join, 1);
  EXPECT_EQ(log->stroke.antialias, 1);
  EXPECT_EQ(log->stroke.dash_offset, 1.5);
  EXPECT_EQ(log->stroke.dash_count, 2);
  const qmVecRender& r = log->render;
  EXPECT_EQ(r.size, sizeof(qmVecRender));
  EXPECT_TRUE(log->stroke_inside);
  EXPECT_EQ(r.stroke_block.size, sizeof(qmVecStroke));
  EXPECT_EQ(r.filled, 0);
  EXPECT_EQ(r.line_width, 3);
  EXPECT_EQ(r.colour, 0x40FF0000u);
  EXPECT_EQ(r.width, 16);
  EXPECT_EQ(r.height, 13);
  EXPECT_EQ(r.bytes_per_row % 4, 0);
  EXPECT_GE(r.bytes_per_row, r.width);
  EXPECT_EQ(r.origin_x, 4.0);
  EXPECT_EQ(r.origin_y, -3.0);
  EXPECT_EQ(std::vector<double>(log->transform, log->transform + 6), (std::vector<double>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(log->ops[0], uint32_t(QMVEC_OP_MOVE));
  // The path's corner lands at its extents' corner: (100 + 4, 50 - 3).
  EXPECT_EQ(pixel(103, 47), 0u);
  EXPECT_NE(pixel(104, 47), 0u);
  EXPECT_NE(pixel(119, 59), 0u);
  EXPECT_EQ(pixel(120, 59), 0u);

  ASSERT_EQ(code("TranslatePath", {1.0, 2.0, -1.0}), 0);
  EXPECT_EQ(log->translate.size, sizeof(qmVecTranslate));
  EXPECT_EQ(log->translate.x, 2.0);
  EXPECT_EQ(log->translate.y, -1.0);
  EXPECT_EQ(call("GetCurrentPoint", {1.0}).results, (std::vector<std::string>{"12.5", "-3"}));
  log->calls[RECORD_EXTENTS] = 0;
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"4.5", "-2.25", "20", "10"}));
  EXPECT_EQ(log->stroke.antialias, 0);
}

TEST_F(PathPlugin, AnEmptyPathIsRefusedWithoutACall) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  EXPECT_EQ(code("DrawPath", {1.0, 0.0, 0.0}), ERR_EMPTYPATH);
  ASSERT_EQ(code("MoveTo", {1.0, 3.0, 4.0}), 0);
  ASSERT_EQ(code("ClearPath", {1.0}), 0);
  EXPECT_EQ(code("DrawPath", {1.0, 0.0, 0.0}), ERR_EMPTYPATH);
  EXPECT_EQ(call("GetPathExtents", {1.0}).results, (std::vector<std::string>{"0", "0", "0", "0"}));
  EXPECT_EQ(call("GetCurrentPoint", {1.0}).results, (std::vector<std::string>{"0", "0"}));
  EXPECT_EQ(code("NormalizePath", {1.0}), 0);
  EXPECT_EQ(calls(), 0);
}

// Extents the image cannot be made of: too small is an empty path, beyond reach or not a number
// is memory.
TEST_F(PathPlugin, ExtentsBeyondReachAreRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Case {
    double box[4];
    int32_t code;
  };
  const Case cases[] = {
      {{0, 0, 0.4, 10}, ERR_EMPTYPATH}, {{0, 0, 10, 0.49}, ERR_EMPTYPATH}, {{5, 5, 4, 9}, ERR_EMPTYPATH},
      {{0, 0, 0.5, 0.5}, 0},            {{nan, 0, 10, 10}, ERR_MEM},       {{0, 0, inf, 10}, ERR_MEM},
      {{0, 0, 40000, 10}, ERR_MEM},     {{0, 0, 20000, 20000}, ERR_MEM},   {{-1e300, 0, 10, 10}, ERR_MEM},
  };
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 3.0, 4.0}), 0);
  for (const Case& c : cases) {
    std::copy(c.box, c.box + 4, control->extents);
    log->calls[RECORD_DRAW] = 0;
    EXPECT_EQ(code("DrawPath", {1.0, 0.0, 0.0}), c.code) << c.box[0] << " " << c.box[2];
    EXPECT_EQ(log->calls[RECORD_DRAW], c.code ? 0 : 1);
  }
}

// A plug-in that fails leaves the output as it was, with every form of the drawing.
TEST_F(PathPlugin, AFailedDrawingLeavesTheOutput) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 3.0, 4.0}), 0);
  ASSERT_EQ(code("Cls", {double(0x123456)}), 0);
  const std::vector<uint32_t> before = picture();
  control->fail = 1;
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  const std::function<int32_t()> styles[] = {
      [] { return 0; },
      [&] { return code("SetFormStyle", {64.0, double(0xFF00), 3.0}); },
      [&] { return code("SetFormStyle", {32.0, double(0xFF), 4.0, 3.0}); },
  };
  for (const auto& style : styles) {
    ASSERT_EQ(style(), 0);
    EXPECT_EQ(code("DrawPath", {1.0, 10.0, 10.0, double(0xFF0000)}), ERR_DRAWPATH);
    EXPECT_EQ(picture(), before);
  }
  ASSERT_EQ(code("ForcePathUse", {1.0}), 0);
  EXPECT_EQ(code("Circle", {50.0, 50.0, 8.0}), ERR_DRAWPATH);
  EXPECT_EQ(picture(), before);
  EXPECT_EQ(objlist_count_type(OBJ_VECTORPATH), 1);
}

// In path mode a circle is one arc and a close, drawn with the path's (0, 0) at the position; the
// temporary path is gone afterwards, on success as on failure.
TEST_F(PathPlugin, ShapesInPathModeUseATemporaryPath) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("ForcePathUse", {1.0}), 0);
  ASSERT_EQ(code("SetFillStyle", {1.0}), 0);
  const double r = 7;
  std::copy_n(std::initializer_list<double>{0, 0, 2 * r, 2 * r}.begin(), 4, control->extents);
  ASSERT_EQ(code("Circle", {30.0, 40.0, r, double(0xFF0000)}), 0);
  std::vector<uint32_t> want = {QMVEC_OP_ARC};
  for (double v : {r, r, r, r, 0.0, 360.0}) put_real(want, v);
  want.insert(want.end(), {1, QMVEC_OP_CLOSE, QMVEC_OP_END});
  EXPECT_EQ(std::vector<uint32_t>(log->ops, log->ops + want.size()), want);
  EXPECT_EQ(log->render.filled, 1);
  EXPECT_EQ(pixel(29, 40), 0u);
  EXPECT_EQ(pixel(30, 40), 0xFF0000u);
  EXPECT_EQ(pixel(43, 53), 0xFF0000u);
  EXPECT_EQ(pixel(44, 53), 0u);
  EXPECT_EQ(objlist_count_type(OBJ_VECTORPATH), 1);

  // A box with its corners and a polygon from its first point.
  ASSERT_EQ(code("Box", {0.0, 0.0, 20.0, 10.0, 0.0, 30.0}), 0);
  want = {QMVEC_OP_BOX};
  for (double v : {0.0, 0.0, 20.0, 10.0}) put_real(want, v);
  want.insert(want.end(), {30, 30, 30, 30, QMVEC_OP_CLOSE, QMVEC_OP_END});
  EXPECT_EQ(std::vector<uint32_t>(log->ops, log->ops + want.size()), want);

  control->fail = 1;
  EXPECT_EQ(code("Ellipse", {30.0, 40.0, 5.0, 6.0}), ERR_DRAWPATH);
  EXPECT_EQ(objlist_count_type(OBJ_VECTORPATH), 1);
  // The shapes' own limits do not hold for paths: the plug-in has the say.
  control->fail = 0;
  EXPECT_EQ(code("Circle", {30.0, 40.0, 0.0}), 0);
}

// AddTextToPath makes one vector font per font, from a face of its own, and the clean-up frees
// it through the plug-in.
TEST_F(PathPlugin, VectorFontsAreMadeOnceAndFreed) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  EXPECT_EQ(code("AddTextToPath", {1.0, std::string("Hi")}), ERR_VFONTTYPE);
  ASSERT_EQ(code("SetFont", {std::string(":::default_sans"), 20.0}), 0);
  EXPECT_EQ(code("AddTextToPath", {1.0, std::string("Hi")}), 0);
  EXPECT_EQ(code("AddTextToPath", {1.0, std::string("\xE9")}), 0);
  EXPECT_EQ(code("AddTextToPath", {1.0, std::string("x"), Nil{}}), 0);
  EXPECT_EQ(log->calls[RECORD_CREATE_FONT], 1);
  // A move to (0, 0) first, then the texts: handle, size, UTF-8.
  std::vector<uint32_t> want = {QMVEC_OP_MOVE, 0};
  put_real(want, 0);
  put_real(want, 0);
  want.insert(want.end(), {QMVEC_OP_TEXT, 77, 20, 'H' | 'i' << 8, QMVEC_OP_TEXT, 77, 20, 0xC3 | 0xA9 << 8});
  const std::vector<uint32_t> w = words(1);
  EXPECT_EQ(std::vector<uint32_t>(w.begin(), w.begin() + std::min(w.size(), want.size())), want);
  EXPECT_EQ(code("AddTextToPath", {1.0, std::string("x"), 2.0}), ERR_TABEXPECTED);
  path_free_all(L);
  EXPECT_EQ(log->calls[RECORD_FREE_FONT], 1);
  EXPECT_EQ(log->freed_font, 77u);
}

}  // namespace
}  // namespace qmtest
