// Vector pictures (from the test image-loader plug-in, whose TransformImage fills the asked size
// with 0xABCDEF and keeps the matrix): ScaleBrush and ScaleBGPic draw them again from the source
// under a scale against the picture's own size, instead of stretching their pixels.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "engine/errcodes.h"
#include "runtime/plugins/plugins.h"
#include "tests/display/display_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

constexpr const char* kVector = "plug_8_3_8_0_0_1";  // 8 x 3, vector
constexpr uint32_t kRendered = 0xABCDEF;

class Vector : public PictureTest {
 protected:
  static void SetUpTestSuite() { plugin_load_directory(QM_LOADER_PLUGIN "/x"); }
  static void TearDownTestSuite() { plugin_unload_all(); }
  // The matrix of the plug-in's last render.
  static std::vector<double> matrix() {
    void* lib = dlopen(QM_LOADER_PLUGIN "/imageloader.qmp", RTLD_NOW | RTLD_NOLOAD);
    if (!lib) return {};
    const auto* m = static_cast<const double*>(dlsym(lib, "image_matrix"));
    std::vector<double> out(m, m + 4);
    dlclose(lib);
    return out;
  }
};

TEST_F(Vector, ScaleBrushRendersFromTheSource) {
  ASSERT_EQ(code("LoadBrush", {1.0, kVector}), 0);
  ASSERT_EQ(brush(1)->kind, BRUSHKIND_VECTOR);
  EXPECT_EQ(code("ScaleBrush", {1.0, 8.0, 3.0}), 0);  // the same size: nothing is drawn
  EXPECT_EQ(brush(1)->transformed, 0);

  struct Step {
    int32_t brush;
    double width, height;
    std::vector<double> matrix;
  } steps[] = {
      {1, 16, 9, {2, 0, 0, 3}},
      {1, 4, 6, {0.5, 0, 0, 2}},  // against the picture's 8 x 3, not the 16 x 9 of the step before
      {2, 24, 3, {3, 0, 0, 1}},   // a copy keeps the picture's size
  };
  ASSERT_EQ(code("CopyBrush", {1.0, 2.0}), 0);
  for (const Step& s : steps) {
    ASSERT_EQ(code("ScaleBrush", {double(s.brush), s.width, s.height}), 0) << s.width;
    const qmBrush* b = brush(s.brush);
    EXPECT_EQ(b->width, s.width);
    EXPECT_EQ(b->height, s.height);
    EXPECT_EQ(b->transformed, 1);
    EXPECT_EQ(b->kind, BRUSHKIND_VECTOR);
    EXPECT_EQ(matrix(), s.matrix) << s.width;
    EXPECT_EQ(qmos_read_pixel(b->bitmap, int32_t(s.width) - 1, int32_t(s.height) - 1), kRendered);
  }
  // Pixel work still refuses vector brushes.
  EXPECT_EQ(code("InvertBrush", {1.0}), ERR_BRUSHTYPE);
}

TEST_F(Vector, ScaleBGPicRendersFromTheSource) {
  ASSERT_EQ(code("LoadBGPic", {1.0, kVector}), 0);
  ASSERT_EQ(code("ScaleBGPic", {1.0, 16.0, 6.0}), 0);
  const qmBGPic* pic = bgpic(1);
  EXPECT_EQ(pic->width, 16);
  EXPECT_EQ(matrix(), (std::vector<double>{2, 0, 0, 2}));
  EXPECT_EQ(qmos_read_pixel(pic->working.bitmap, 15, 5), kRendered);
  // Turned into a brush only at its own size.
  EXPECT_EQ(code("BGPicToBrush", {1.0, 3.0}), ERR_TFVBGPICBRUSH);
  ASSERT_EQ(code("ScaleBGPic", {1.0, 8.0, 3.0}), 0);
  ASSERT_EQ(code("BGPicToBrush", {1.0, 3.0}), 0);
  ASSERT_EQ(code("ScaleBrush", {3.0, 16.0, 3.0}), 0);
  EXPECT_EQ(matrix(), (std::vector<double>{2, 0, 0, 1}));
}

// A vector brush that ScaleBrush drew at a new size cannot become a layer; without layers it shows.
class VectorShown : public DisplayHarness {
 protected:
  static void SetUpTestSuite() { plugin_load_directory(QM_LOADER_PLUGIN "/x"); }
  static void TearDownTestSuite() { plugin_unload_all(); }
};

TEST_F(VectorShown, ATransformedVectorBrushIsNoLayer) {
  qmDisplay* d = open_display();
  ASSERT_EQ(code("LoadBrush", {1.0, kVector}), 0);
  ASSERT_EQ(code("ScaleBrush", {1.0, 16.0, 6.0}), 0);
  EXPECT_EQ(code("DisplayBrush", {1.0, 0.0, 0.0}), 0);
  d->layers = 1;
  EXPECT_EQ(code("DisplayBrush", {1.0, 0.0, 0.0}), ERR_TFVBRUSH);
  d->layers = 0;
}

}  // namespace
