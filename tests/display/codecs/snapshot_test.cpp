// SaveSnapshot's work function with a fake capture, the written file judged by pngtopam.
#include "display/snapshot.h"

#include <gtest/gtest.h>

#include "display/codecs/export.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "picture_tools.h"

namespace qm {
namespace {

int32_t g_captured_type = -1;

// A 3 x 2 picture whose pixels carry stray top bytes, as a screen copy may.
int32_t fake_capture(int32_t type, qmBitmap** out) {
  g_captured_type = type;
  *out = qmos_alloc_bitmap(3, 2);
  if (!*out) return ERR_MEM;
  for (int32_t i = 0; i < 6; ++i) qmos_write_pixel(*out, i % 3, i / 3, uint32_t(i) * 0x203040u);
  return 0;
}

TEST(Snapshot, WritesTheCapturedPictureOpaque) {
  snapshot_hooks().capture = fake_capture;
  test::Scratch dir;
  const std::string path = dir.file("shot.png");
  ASSERT_EQ(snapshot_save(path.c_str(), SNAPDISPLAY, IMGFMT_PNG, 90, 256, 0), 0);
  EXPECT_EQ(g_captured_type, SNAPDISPLAY);
  const auto pam = test::parse_pnm_stream(test::run_tool("pngtopam -alphapam '" + path + "'"));
  ASSERT_EQ(pam.size(), 1u);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(pam[0].argb(i % 3, i / 3), 0xFF000000u | uint32_t(i) * 0x203040u) << i;
  EXPECT_EQ(snapshot_save(dir.file("x").c_str(), SNAPWINDOW, 5, 90, 256, 0), ERR_UNKNOWNIMGOUT);
  snapshot_hooks_reset();
}

TEST(Snapshot, TypesAndCaptureErrors) {
  snapshot_hooks_reset();
  test::Scratch dir;
  const std::string path = dir.file("s.bmp");
  struct Case {
    int32_t type, error;
  } cases[] = {{3, ERR_WRONGUSAGE}, {-1, ERR_WRONGUSAGE}, {SNAPWINDOW, ERR_CLOSEDDISPDRAW},
               {SNAPDISPLAY, ERR_CLOSEDDISPDRAW}, {SNAPDESKTOP, ERR_MEM}};
  for (const Case& c : cases) EXPECT_EQ(snapshot_save(path.c_str(), c.type, IMGFMT_BMP, 90, 256, 0), c.error) << c.type;
}

}  // namespace
}  // namespace qm
