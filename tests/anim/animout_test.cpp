// The frame writer behind anim streams and SaveAnim: what anim-saver plug-ins are handed, GIF
// frames through the quantiser read back by our reader, and a replacing save that fails.
#include "anim/animout.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "display/codecs/gif.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/errors.h"
#include "gfx/bitmap.h"
#include "runtime/plugins/plugins.h"
#include "tests/anim/anim_test_tools.h"

using namespace animtest;
using namespace qm;

namespace {

// The saver plug-ins 301 (palette frames) and 302 (ARGB frames with alpha) are registered.
class AnimOutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    L = vm_open();
    err_install(L);
    testing::internal::CaptureStdout();
    ASSERT_EQ(register_plugin_formats(L, QM_ANIM_PLUGIN "/player"), 0);
    testing::internal::GetCapturedStdout();
  }
  static void TearDownTestSuite() {
    plugin_unload_all();
    vm_close_state(L);
  }
  static qmState* L;
};
qmState* AnimOutTest::L = nullptr;

// Colour words within a few steps per channel: the quantiser gives its boxes' means.
bool near(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want) {
  if (got.size() != want.size()) return false;
  for (size_t i = 0; i < got.size(); ++i)
    for (int s = 0; s < 24; s += 8)
      if (std::abs(int((got[i] >> s) & 255) - int((want[i] >> s) & 255)) > 8) return false;
  return true;
}

// Left half red, right half blue, 4 x 2.
qmBitmap* two_colours() {
  qmBitmap* bm = qmos_alloc_bitmap(4, 2);
  qmos_fill_bitmap_rect(bm, 0, 0, 2, 2, 0xFF0000);
  qmos_fill_bitmap_rect(bm, 2, 0, 2, 2, 0x0000FF);
  return bm;
}

std::vector<std::string> lines_of(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST_F(AnimOutTest, PluginsGetPaletteOrArgbFrames) {
  qmBitmap* bm = two_colours();
  qmMask* mask = qmos_alloc_mask(4, 2, 0);
  qmos_mask_rect_op(mask, 0, 0, 4, 2, 0);
  qmos_mask_rect_op(mask, 3, 0, 1, 2, 1);  // the last column hidden
  qmAlphaChannel* alpha = qmos_alloc_alpha(4, 2, 0);
  std::memset(alpha->data, 0x80, size_t(alpha->bytes_per_row) * 2);

  // Format 301 takes palette frames: the transparency colour has the last entry.
  AnimOut out;
  const std::string pal = tmp("pal.txt");
  ASSERT_EQ(animout_open(pal.c_str(), "pal", 4, 2, 301, 75, 12, false, &out), 0);
  EXPECT_TRUE(out.palette);
  AnimFrameOptions o;
  o.transparency = 0x0000FF;
  o.delay = 120;
  EXPECT_EQ(animout_write(&out, bm, mask, alpha, o), 0);
  o.delay = 666;
  EXPECT_EQ(animout_write(&out, bm, mask, alpha, o), ERR_SAVEANIM);
  EXPECT_EQ(animout_close(&out), 0);
  const auto pal_lines = lines_of(pal);
  ASSERT_EQ(pal_lines.size(), 3u);
  EXPECT_EQ(pal_lines[0], "begin 4 2 1 75 12");
  EXPECT_EQ(pal_lines[2], "finish");
  // The transparent entry is exact; the others are the quantiser's.
  const std::string head = "frame 4 2 1 120 2";
  ASSERT_EQ(pal_lines[1].substr(0, head.size()), head);
  std::istringstream words(pal_lines[1].substr(head.size()));
  std::vector<uint32_t> colours;
  for (std::string w; words >> w;) colours.push_back(uint32_t(std::stoul(w, nullptr, 16)));
  EXPECT_TRUE(near(colours, {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000,
                             0x0000FF, 0x0000FF}));
  EXPECT_EQ(colours[2], 0x0000FFu);

  // Format 302 takes ARGB with alpha: the mask hides, the alpha plane gives the rest.
  const std::string argb = tmp("argb.txt");
  ASSERT_EQ(animout_open(argb.c_str(), "argb", 4, 2, 302, 90, 25, false, &out), 0);
  EXPECT_FALSE(out.palette);
  EXPECT_EQ(animout_write(&out, bm, nullptr, alpha, AnimFrameOptions{}), 0);
  EXPECT_EQ(animout_write(&out, bm, mask, nullptr, AnimFrameOptions{}), 0);
  EXPECT_EQ(animout_close(&out), 0);
  const auto lines = lines_of(argb);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "frame 16 0 0 0 1 80FF0000 80FF0000 800000FF 800000FF 80FF0000 80FF0000 "
                      "800000FF 800000FF");
  EXPECT_EQ(lines[2], "frame 16 0 0 0 0 FFFF0000 FFFF0000 FF0000FF 000000FF FFFF0000 FFFF0000 "
                      "FF0000FF 000000FF");

  // Refusals: a format no plug-in registered, a plug-in that does not begin.
  EXPECT_EQ(animout_open(tmp("x").c_str(), "x", 4, 2, 7, 90, 25, false, &out), ERR_UNKNOWNANMOUT);
  EXPECT_EQ(animout_open(tmp("refuse").c_str(), "x", 4, 2, 301, 90, 25, false, &out),
            ERR_SAVEANIM);
  qmos_free_alpha(alpha);
  qmos_free_mask(mask);
  qmos_free_bitmap(bm);
}

TEST_F(AnimOutTest, GifFramesKeepTheirColoursAndDelays) {
  qmBitmap* bm = two_colours();
  qmBitmap* green = qmos_alloc_bitmap(4, 2);
  qmos_fill_bitmap_rect(green, 0, 0, 4, 2, 0x00FF00);
  const std::string path = tmp("frames.gif");
  AnimOut out;
  ASSERT_EQ(animout_open(path.c_str(), "frames", 4, 2, ANMFMT_GIF, 90, 25, false, &out), 0);
  AnimFrameOptions o;
  o.delay = 130;
  ASSERT_EQ(animout_write(&out, bm, nullptr, nullptr, o), 0);
  ASSERT_EQ(animout_write(&out, green, nullptr, nullptr, o), 0);  // optimised: only changes
  o.colors = 2;
  o.optimize = 0;
  o.delay = 20;
  ASSERT_EQ(animout_write(&out, bm, nullptr, nullptr, o), 0);
  ASSERT_EQ(animout_close(&out), 0);

  int32_t w = 0, h = 0, frames = 0;
  qmGifReader* r = gifanim_open(path.c_str(), &w, &h, &frames, 0);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(frames, 3);
  const std::vector<uint32_t> rb = {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF,
                                    0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF};
  for (int32_t i = 0; i < 3; ++i) {
    uint32_t* px = gifanim_load_frame(r, i);
    ASSERT_NE(px, nullptr);
    const std::vector<uint32_t> got(px, px + 8);
    EXPECT_TRUE(near(got, i == 1 ? std::vector<uint32_t>(8, 0x00FF00) : rb)) << i;
    qmos_free_pixels(px);
    EXPECT_EQ(gifanim_frame_delay(r, i), i == 2 ? 20 : 130);
  }
  gifanim_close(r);
  qmos_free_bitmap(green);
  qmos_free_bitmap(bm);
}

// A save that fails half-way (the file-size limit in a child) leaves the old file as it was and no
// temporary file beside it, for every writer, also when the writing would keep a partial file.
TEST_F(AnimOutTest, FailedReplaceKeepsTheOldFile) {
  const std::string dir = tmp("full");
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  for (const int32_t format : {int32_t(ANMFMT_GIF), int32_t(ANMFMT_MJPEG), 302}) {
    const std::string target = dir + "/keep" + std::to_string(format);
    write_file(target, old);
    const pid_t pid = fork();
    if (pid == 0) {
      signal(SIGXFSZ, SIG_IGN);
      rlimit lim{60000, 60000};
      setrlimit(RLIMIT_FSIZE, &lim);
      qmBitmap* bm = qmos_alloc_bitmap(64, 64);
      for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x) qmos_write_pixel(bm, x, y, uint32_t(x * 4 << 16 | y * 1031));
      AnimOut out;
      if (animout_open(target.c_str(), "keep", 64, 64, format, 100, 25, format == ANMFMT_GIF, &out)) _exit(1);
      AnimFrameOptions o;
      o.optimize = 0;
      int32_t rc = 0;
      for (int i = 0; i < 100 && !rc; ++i) rc = animout_write(&out, bm, nullptr, nullptr, o);
      if (rc) {
        animout_abandon(&out);
        _exit(0);
      }
      _exit(animout_close(&out) ? 0 : 2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << format;
    EXPECT_EQ(read_file(target), old) << format;
  }
  std::string listing;
  FILE* p = popen(("ls -A " + dir).c_str(), "r");
  char buf[256];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) listing.append(buf, n);
  pclose(p);
  EXPECT_EQ(listing, "keep0\nkeep1\nkeep302\n");
}

}  // namespace
