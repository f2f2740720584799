// Image-loader plug-ins come first, and their reports are checked before the pixels are used.
#include <dlfcn.h>

#include "display/codecs/codecs.h"
#include "engine/errcodes.h"
#include "reader_tools.h"
#include "runtime/plugins/plugins.h"

using namespace pictest;

namespace {

struct LoaderPlugin : ::testing::Test {
  static void SetUpTestSuite() { plugin_load_directory(QM_LOADER_PLUGIN "/x"); }
  static void TearDownTestSuite() { plugin_unload_all(); }
  static int32_t frees() {
    void* lib = dlopen(QM_LOADER_PLUGIN "/imageloader.qmp", RTLD_NOW | RTLD_NOLOAD);
    int32_t n = lib ? *static_cast<int32_t*>(dlsym(lib, "image_frees")) : -1;
    if (lib) dlclose(lib);
    return n;
  }
  static int32_t open(const char* name, int32_t load_alpha, qm::qmImageSource** src,
                      qm::qmAlphaChannel** alpha, int32_t* w = nullptr, int32_t* ppr = nullptr) {
    return qm::imagesource_open(name, nullptr, -1, 0, load_alpha, src, alpha, nullptr, nullptr, w,
                                nullptr, ppr, nullptr, nullptr);
  }
};

TEST_F(LoaderPlugin, ReportsAreCheckedBeforeUse) {
  ASSERT_NE(plugin_list(), nullptr);
  qm::qmImageSource* src = nullptr;
  qm::qmAlphaChannel* alpha = nullptr;
  int32_t w = 0, ppr = 0;
  const int32_t before = frees();
  // Rows of 6 pixels, 4 shown; the plug-in demands alpha, so a plane comes without asking.
  ASSERT_EQ(open("plug_4_2_6_1_1_0", 0, &src, &alpha, &w, &ppr), 0);
  EXPECT_EQ(ppr, 6);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(qm::imagesource_pixels(src)[6 + 3], 0x80000103u);
  EXPECT_EQ(alpha->data[alpha->bytes_per_row + 3], 0x80);
  qm::qmos_free_alpha(alpha);
  qm::imagesource_release(src);
  EXPECT_EQ(frees(), before + 1);

  struct Case {
    const char* name;
    int32_t error;
  } cases[] = {
      {"plug_4_2_3_0_0_0", qm::ERR_LOADPICTURE2},      // rows shorter than the width
      {"plug_0_2_4_0_0_0", qm::ERR_LOADPICTURE2},      // no width
      {"plug_40000_1_40000_0_0_0", qm::ERR_LOADPICTURE2},  // beyond the cap
      {"plug_4_2_4_0_1_0", qm::ERR_NOALPHA},           // alpha demanded, none there
  };
  for (const Case& c : cases) {
    src = nullptr;
    EXPECT_EQ(open(c.name, 0, &src, &alpha), c.error) << c.name;
    EXPECT_EQ(src, nullptr) << c.name;
  }
  EXPECT_EQ(frees(), before + 1 + 4);  // every claimed picture is given back

  // Files the plug-in does not claim go to the built-in readers.
  sh("pnmtopng " + data_dir() + "/seed.ppm > " + tmp("plain.png"));
  expect_same(load_ok(tmp("plain.png")), read_pnm(data_dir() + "/seed.ppm"), 0xFFFFFFFF, "png");
}

TEST_F(LoaderPlugin, VectorPicturesRenderThroughThePlugin) {
  int32_t vec = 0, w = 0, h = 0, a = 0;
  ASSERT_EQ(qm::image_get_info("plug_8_3_8_0_0_1", &vec, &w, &h, &a), 1);
  EXPECT_EQ(vec, 1);
  EXPECT_EQ(w, 8);

  qm::qmImageSource* src = nullptr;
  ASSERT_EQ(qm::imagesource_open("plug_8_3_8_0_0_1", nullptr, -1, 0, 0, &src, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, &vec),
            0);
  EXPECT_EQ(vec, 1);
  const double m[4] = {2, 0, 0, 3};
  qm::qmBitmap* bm = nullptr;
  qm::qmMask* mask = nullptr;
  qm::qmAlphaChannel* alpha = nullptr;
  ASSERT_EQ(qm::image_render_vector(nullptr, src, m, 0, 0, 16, 9, 0, &bm, &mask, &alpha), 0);
  EXPECT_EQ(bm->width, 16);
  EXPECT_EQ(bm->height, 9);
  EXPECT_EQ(qm::qmos_read_pixel(bm, 15, 8) & 0xFFFFFF, 0xABCDEFu);
  EXPECT_EQ(alpha, nullptr);
  qm::qmos_free_bitmap(bm);
  qm::imagesource_release(src);

  // A picture of a built-in reader cannot be rendered at a transform.
  qm::qmImageSource* own = qm::imagesource_new_empty(2, 2);
  EXPECT_EQ(qm::image_render_vector(nullptr, own, m, 0, 0, 4, 4, 0, &bm, &mask, &alpha),
            qm::ERR_TFIMAGE);
  qm::imagesource_release(own);
}

}  // namespace
