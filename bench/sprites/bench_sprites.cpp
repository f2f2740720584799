// Sprites at 1920x1080: processor milliseconds per frame when every sprite of 32x32 (masked,
// four frames) moves a few pixels and steps a frame, beside the peer of one full recomposition of
// the frame (the background copied whole and every sprite drawn) in the same run: a scenario's
// time over the peer's is its cost in full recompositions. The frame moves its sprites as
// DisplaySprite does (recomposed once, at the next present) and then one by one, each move
// recomposed at once as MoveSprite's steps are; the areas recomposed per frame are counted.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/display.h"
#include "gfx/bitmap.h"
#include "layers/sprite.h"

namespace {

using namespace qm;

constexpr int32_t kW = 1920, kH = 1080, kSize = 32;

int64_t g_rects = 0;

struct Scene {
  qmBGPic pic{};
  qmDisplay* display = new qmDisplay();
  qmDisplay* previous = display_system().current;
  std::vector<qmSprite*> sprites;
  std::vector<int32_t> x, y, dx, dy;

  explicit Scene(int32_t count) {
    pic.current.bitmap = qmos_alloc_bitmap(kW, kH);
    pic.display_width = pic.width = kW;
    pic.display_height = pic.height = kH;
    for (int32_t row = 0; row < kH; ++row) qmos_fill_bitmap_rect(pic.current.bitmap, 0, row, kW, 1, uint32_t(row) * 0x10101 / 5);
    display->bgpic = &pic;
    display->buffer2 = qmos_alloc_bitmap(kW, kH);
    display->output.object_type = kOutputDisplay;
    display_system().current = display;
    display->header.next = display_system().list;
    display_system().list = &display->header;
    for (int32_t i = 0; i < count; ++i) {
      std::vector<SpriteFrame> frames;
      for (int32_t f = 0; f < 4; ++f) {
        SpriteFrame fr;
        fr.bitmap = qmos_alloc_bitmap(kSize, kSize);
        qmos_fill_bitmap_rect(fr.bitmap, 0, 0, kSize, kSize, 0xF0C020 + uint32_t(f) * 0x20);
        fr.mask = qmos_alloc_mask(kSize, kSize, 1);
        qmos_mask_rect_op(fr.mask, 4, 4, kSize - 8, kSize - 8, 0);
        frames.push_back(fr);
      }
      qmSprite* s = nullptr;
      sprite_new(ObjectId{i + 1, nullptr}, kSize, kSize, frames, &s);
      sprites.push_back(s);
      x.push_back(int32_t((uint32_t(i) * 2654435761u) % uint32_t(kW - kSize)));
      y.push_back(int32_t((uint32_t(i) * 40503u) % uint32_t(kH - kSize)));
      dx.push_back(1 + i % 5);
      dy.push_back(1 + i % 3);
      sprite_show(nullptr, s, x.back(), y.back(), 1);
    }
  }
  ~Scene() {
    sprites_clear(&pic);
    sprites_free_all(nullptr);
    display_system().current = previous;
    display_system().list = display->header.next;
    qmos_free_bitmap(display->buffer2);
    display->buffer2 = nullptr;
    display->bgpic = nullptr;
    delete display;
    qmos_free_bitmap(pic.current.bitmap);
  }
  // Every sprite moves and steps its frame, bouncing off the edges.
  void frame(bool deferred) {
    for (size_t i = 0; i < sprites.size(); ++i) {
      if (x[i] + dx[i] < 0 || x[i] + dx[i] > kW - kSize) dx[i] = -dx[i];
      if (y[i] + dy[i] < 0 || y[i] + dy[i] > kH - kSize) dy[i] = -dy[i];
      x[i] += dx[i];
      y[i] += dy[i];
      sprite_show(nullptr, sprites[i], x[i], y[i], 0, deferred);
    }
    sprites_flush_pending();
  }
  // The peer: the entries moved in place, then the whole frame recomposed once.
  void full_frame() {
    for (size_t i = 0; i < sprites.size(); ++i) {
      SpriteEntry* e = sprite_entry_of(&pic, sprites[i]);
      e->rect.x = x[i] = (x[i] + 1) % (kW - kSize);
      e->frame = e->frame % 4 + 1;
    }
    sprites_compose(&pic, display->buffer2, Rect{0, 0, kW, kH}, 0);
  }
};

void count_rect(const qmDisplay*, const Rect&) { ++g_rects; }

// The processor time of this thread: on a machine shared with other work, the time slices the
// others take fall on neither side of a ratio.
double now_ms() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Rounds of `frames` frames of each way beside the peer's, so that a change in the machine's load
// falls on both alike: the medians in processor ms per frame, and the median of each round's ratio
// to the peer.
void run(int32_t count) {
  Scene scene(count);
  constexpr int32_t kFrames = 60, kRounds = 15;
  std::vector<double> ours, one_by_one, peer, ratio, ratio_one_by_one;
  int64_t rects = 0, rects_one_by_one = 0;
  auto time = [&](auto&& f) {
    const double t0 = now_ms();
    for (int32_t i = 0; i < kFrames; ++i) f();
    return (now_ms() - t0) / kFrames;
  };
  sprites_set_refresh_observer(count_rect);
  for (int32_t r = 0; r < kRounds; ++r) {
    // Turn about which goes first, so that neither always finds the caches as the other left them.
    double full = 0;
    if (r % 2) full = time([&] { scene.full_frame(); });
    g_rects = 0;
    ours.push_back(time([&] { scene.frame(true); }));
    rects += g_rects;
    if (!(r % 2)) full = time([&] { scene.full_frame(); });
    peer.push_back(full);
    ratio.push_back(ours.back() / full);
  }
  for (int32_t r = 0; r < kRounds; ++r) {
    g_rects = 0;
    one_by_one.push_back(time([&] { scene.frame(false); }));
    rects_one_by_one += g_rects;
    const double full = time([&] { scene.full_frame(); });
    ratio_one_by_one.push_back(one_by_one.back() / full);
  }
  sprites_set_refresh_observer(nullptr);
  const double per_frame = 1.0 / (double(kRounds) * kFrames);
  std::printf("%5d sprites: %.3f ms/frame, %.0f areas/frame; one by one %.3f ms/frame, %.0f areas/frame; "
              "full recomposition %.3f ms/frame; ratio %.2f (one by one %.2f)\n",
              count, median(ours), double(rects) * per_frame, median(one_by_one), double(rects_one_by_one) * per_frame,
              median(peer), median(ratio), median(ratio_one_by_one));
}

}  // namespace

// With arguments (a count and "deferred", "immediate", "full" or "pair", deferred and full in
// turn), only that scenario runs, for a profiler; with a count alone, only that count's rounds.
int main(int argc, char** argv) {
  if (argc == 2) {
    run(std::atoi(argv[1]));
    return 0;
  }
  if (argc == 3) {
    Scene scene(std::atoi(argv[1]));
    const std::string mode = argv[2];
    for (int32_t i = 0; i < 2000; ++i) {
      if (mode == "full" || (mode == "pair" && i / 60 % 2)) scene.full_frame();
      else scene.frame(mode != "immediate");
    }
    return 0;
  }
  run(500);
  run(2000);
  return 0;
}
