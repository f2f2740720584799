// The effect harness: one transition run in-process on a 220 x 220 display with a FakeClock, old
// picture A and new picture B of seeded noise that never agree in any pixel (B with a holed mask or
// an alpha ramp where the kind asks), judged frame by frame on what the window shows.
//
// A run checks that it ends within a frame cap exactly on its target, changes and presents nothing
// outside its rectangle, draws the total it reports (and the total its family's rule gives), shows
// nothing before its first frame, leaves the locks as found, and passes its family's frame checks.
// FxHarness::run_both also compares the async frames with the sync ones and, for layers, seeks with
// stepping. A family joins with one row in fx_rules.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "layers/layers.h"
#include "tests/display/display_harness.h"

namespace fxtest {

enum class Kind : int32_t {
  Picture,         // DisplayTransitionFX from A to B
  Brush,           // DisplayBrushFX, layers off: plain
  BrushMask,       //   holed mask
  BrushAlpha,      //   alpha ramp
  BrushMaskOut,    //   holed mask at (-10, -7)
  BrushAlphaOut,   //   alpha ramp at (-10, -7)
  BrushLayer,      // DisplayBrushFX with layers on (a new layer)
  Show,            // ShowLayerFX of a hidden layer
  ShowRealtime,    //   with forcerealtimelayers
  Hide,            // HideLayerFX
  Remove,          // RemoveLayerFX
  Emulated,        // ShowLayerFX with bgpicemu (two-picture effects)
};
inline constexpr Kind kAllKinds[] = {Kind::Picture,      Kind::Brush,         Kind::BrushMask,  Kind::BrushAlpha,
                                     Kind::BrushMaskOut, Kind::BrushAlphaOut, Kind::BrushLayer, Kind::Show,
                                     Kind::ShowRealtime, Kind::Hide,          Kind::Remove,     Kind::Emulated};
const char* kind_name(Kind k);
bool kind_uses_layers(Kind k);
// B has a holed mask.
bool kind_masked(Kind k);

struct FxCase {
  int32_t id = 0;
  int32_t w = 64, h = 48;
  Kind kind = Kind::Picture;
  bool async = false;
  int32_t speed = -1;
  int32_t parameter = -1;
  std::string name() const;
};

inline constexpr int32_t kSizes[][2] = {{64, 48}, {37, 23}, {5, 200}, {200, 3}, {1, 1}};
inline constexpr int32_t kSpeeds[] = {-1, -2, -3, 1, 37, 2147483647};
inline constexpr int32_t kParameters[] = {-1, 7};

// What the window showed, as 0x00RRGGBB words of the whole display.
struct Screen {
  int32_t w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t at(int32_t x, int32_t y) const { return px[size_t(y) * size_t(w) + size_t(x)]; }
};

struct Rect {
  int32_t x = 0, y = 0, w = 0, h = 0;
  bool contains(int32_t px, int32_t py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// What a family's frame check sees: the screen before the effect, the target, the current frame,
// the rectangle (clipped to the display), the frame's number (1-based), and what the check keeps
// from frame to frame.
struct FrameView {
  const FxCase& c;
  const Screen& before;
  const Screen& target;
  const Screen& now;
  Rect rect;
  int32_t frame;
  std::vector<uint8_t>& state;
};
// Where a case's picture stands on the display (its top-left corner, unclipped).
Rect picture_place(const FxCase& c);

// Returns an empty string when the frame holds, else what failed.
using FrameCheck = std::string (*)(const FrameView& v);

// Each pixel of the rectangle is the old or the new one at its own place, and stays new once new.
std::string check_in_place(const FrameView& v);
// The same outside `skip` (display coordinates), where the frame draws something else.
std::string check_in_place_except(const FrameView& v, const Rect& skip);

// One row per family: its ids, the total its speed rule gives for a case (-1: not derived), and its
// frame checks.
struct FamilyRule {
  int32_t first, last;
  int32_t (*total)(const FxCase& c);
  FrameCheck frame_check;  // nullptr: none beyond the harness's own
  // The alpha effects: the request's level after frame n (1-based) of a realtime run.
  int32_t (*level)(const FxCase& c, int32_t frame) = nullptr;
  bool travels = false;    // the picture crosses the display on its way (the scrolls)
};
const FamilyRule* family_rule(int32_t id);
// The seed of std::srand and srand48 before every run.
inline constexpr unsigned kRunSeed = 4711;
bool effect_pending(int32_t id);

struct RunResult {
  int32_t code = 0;       // the command's (or the first AsyncDrawFrame's) error
  int32_t total = -1;     // what control code 2 reports
  int32_t frames = 0;     // frames drawn
  std::vector<uint64_t> hashes;  // the rectangle's pixels after each frame
  std::string failure;    // the first check that failed
};

class FxHarness : public qmtest::DisplayHarness {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the case; realtime forces forcerealtimelayers on a layer kind.
  RunResult run(const FxCase& c, bool realtime = false);
  // Runs the case sync, and async where the kind allows it, and compares: "" when all held.
  std::string run_both(const FxCase& c);
  // Async layer runs: AsyncDrawFrame(h, k) shows what k steps showed.
  std::string check_seeks(const FxCase& c, const std::vector<uint64_t>& stepped);

  // The scene of a case: display showing A, B as brush 1 and picture 2, the layer for layer kinds.
  void reset(const FxCase& c);
  Screen screen() const;
  // The request's id and position of the case.
  Rect rect_of(const FxCase& c) const;
  // What a run may change: the rectangle, or the whole display for a picture that travels.
  Rect watched_of(const FxCase& c) const;
  // AsyncDrawFrame(handle [, frame]) through the engine: 0 with *done, or the error.
  int32_t async_frame(void* handle, int32_t frame, bool* done);

  qm::qmDisplay* d = nullptr;
  std::vector<uint32_t> a_pixels;  // picture A as made, 0xRRGGBB
};

}  // namespace fxtest
