// The anim driver: detection by the first bytes, anim-loader plug-ins before the built-in readers,
// the missing file reported before any plug-in is asked, IsAnim's count, and the delays of each
// kind in milliseconds.
#include <dlfcn.h>

#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"
#include "tests/anim/anim_test_tools.h"

using namespace animtest;

namespace {

struct Driver : ::testing::Test {
  static void SetUpTestSuite() { plugin_load_directory(QM_ANIM_PLUGIN "/x"); }
  static void TearDownTestSuite() { plugin_unload_all(); }
  static int32_t counter(const char* name) {
    void* lib = dlopen(QM_ANIM_PLUGIN "/animloader.qmp", RTLD_NOW | RTLD_NOLOAD);
    int32_t n = lib ? *static_cast<int32_t*>(dlsym(lib, name)) : -1;
    if (lib) dlclose(lib);
    return n;
  }
  static int32_t open(const std::string& path, int32_t* frames = nullptr) {
    qm::qmAnimFile* a = nullptr;
    int32_t f = 0;
    int32_t err = qm::qmos_open_anim(path.c_str(), &a, nullptr, nullptr, &f);
    if (frames) *frames = f;
    qm::qmos_close_anim(a);
    return err;
  }
};

TEST_F(Driver, DetectsByFirstBytesAndReportsTheName) {
  ASSERT_EQ(sh("convert -size 8x6 xc:red " + tmp("one.gif")), 0);
  ASSERT_EQ(sh("convert -size 8x6 xc:red ppm:- | ppmtoilbm > " + tmp("pic.iff")), 0);  // FORM ILBM
  write_file(tmp("junk.bin"), std::vector<uint8_t>(100, 'x'));
  write_file(tmp("short.bin"), {'R', 'I', 'F', 'F'});

  struct Case {
    std::string file;
    int32_t error, frames, info;
  } cases[] = {
      {tmp("one.gif"), 0, 1, 0},  // a picture, not an anim, for IsAnim
      {tmp("pic.iff"), qm::ERR_OPENANIM2, 0, 0},
      {tmp("junk.bin"), qm::ERR_OPENANIM2, 0, 0},
      {tmp("short.bin"), qm::ERR_OPENANIM2, 0, 0},
      {tmp("missing.gif"), qm::ERR_READFILE, 0, 0},
  };
  for (const Case& c : cases) {
    int32_t frames = 0;
    EXPECT_EQ(open(c.file, &frames), c.error) << c.file;
    EXPECT_EQ(frames, c.frames) << c.file;
    EXPECT_EQ(qm::qmos_anim_info(c.file.c_str()), c.info) << c.file;
    if (c.error) {
      EXPECT_EQ(std::string(qm::err_context().string_arg), c.file) << "the message names the file";
    }
  }
}

TEST_F(Driver, PluginsComeFirstButNotForMissingFiles) {
  ASSERT_NE(plugin_list(), nullptr);
  const int32_t before = counter("open_calls");
  EXPECT_EQ(open(tmp("absent.plug")), qm::ERR_READFILE);
  EXPECT_EQ(counter("open_calls"), before) << "no plug-in is asked for a missing file";

  // A real GIF under the plug-in's name goes to the plug-in.
  ASSERT_EQ(sh("convert -delay 7 -size 4x3 xc:red xc:blue " + tmp("two.gif") + " && cp " +
               tmp("two.gif") + " " + tmp("a.plug") + " && cp " + tmp("two.gif") + " " +
               tmp("a-wrongsize.plug")),
            0);
  qm::qmAnimFile* a = nullptr;
  int32_t w = 0, h = 0, frames = 0;
  ASSERT_EQ(qm::qmos_open_anim(tmp("a.plug").c_str(), &a, &w, &h, &frames), 0);
  EXPECT_EQ(counter("open_calls"), before + 1);
  EXPECT_EQ(a->kind, qm::ANIMKIND_PLUGIN);
  EXPECT_EQ(frames, 5);
  uint32_t* px = qm::qmos_load_frame(a, 3);
  ASSERT_NE(px, nullptr);
  EXPECT_EQ(px[11], 0x030303u);
  const int32_t frees = counter("frame_frees");
  qm::qmos_free_anim_frame(a, px);
  EXPECT_EQ(counter("frame_frees"), frees + 1) << "plug-in frames go back to the plug-in";
  EXPECT_EQ(qm::qmos_anim_frame_delay(a, 4), 40);
  qm::qmos_close_anim(a);

  // A frame of another size than reported is handed back, not passed on.
  ASSERT_EQ(qm::qmos_open_anim(tmp("a-wrongsize.plug").c_str(), &a, &w, &h, &frames), 0);
  EXPECT_EQ(qm::qmos_load_frame(a, 0), nullptr);
  EXPECT_EQ(counter("frame_frees"), frees + 2);
  qm::qmos_close_anim(a);

  // Files the plug-in declines reach the built-in readers.
  ASSERT_EQ(qm::qmos_open_anim(tmp("two.gif").c_str(), &a, &w, &h, &frames), 0);
  EXPECT_EQ(a->kind, qm::ANIMKIND_GIF);
  qm::qmos_close_anim(a);
}

TEST_F(Driver, DelaysInMilliseconds) {
  // IFF ANIM: jiffies of 1/60 s, truncated; known once the frame has been read.
  animgen::Options o;
  o.width = 8, o.height = 2, o.planes = 1;
  std::vector<animgen::Frame> frames(3);
  for (auto& f : frames) f.pixels.assign(16, 0);
  frames[1].pixels[3] = 1;
  frames[0].jiffies = 3, frames[1].jiffies = 1, frames[2].jiffies = 120;
  frames[0].cmap = {0, 0xFFFFFF};
  write_file(tmp("d.anim"), animgen::write(o, frames));
  ASSERT_EQ(sh("convert -delay 7 -size 4x3 xc:red -delay 12 xc:blue " + tmp("d.gif")), 0);
  ASSERT_EQ(sh("ffmpeg -v error -y -f lavfi -i testsrc=size=16x16:rate=25 -t 0.2 -c:v mjpeg " +
               tmp("d.avi")),
            0);

  struct Case {
    std::string file;
    std::vector<int32_t> delays;
  } cases[] = {
      {tmp("d.anim"), {50, 16, 2000}},
      {tmp("d.gif"), {70, 120}},
      {tmp("d.avi"), {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    qm::qmAnimFile* a = nullptr;
    int32_t n = 0;
    ASSERT_EQ(qm::qmos_open_anim(c.file.c_str(), &a, nullptr, nullptr, &n), 0) << c.file;
    ASSERT_EQ(size_t(n), c.delays.size()) << c.file;
    for (int32_t i = 0; i < n; ++i) qm::qmos_free_anim_frame(a, qm::qmos_load_frame(a, i));
    for (int32_t i = 0; i < n; ++i)
      EXPECT_EQ(qm::qmos_anim_frame_delay(a, i), c.delays[i]) << c.file << " " << i;
    qm::qmos_close_anim(a);
  }
}

}  // namespace
