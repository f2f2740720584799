// The effect table: every effect id with its constant's name, the family's step and release
// functions, the speed divisors and the sets the driver reads, built once at compile time from the
// family rows and the set ranges below; and the 145 constants the library registers.
#include <array>
#include <cstdlib>

#include "engine/vm.h"
#include "fx/internal.h"
#include "fx/steps.h"

namespace qm {

namespace {

constexpr const char* kNames[FX_EFFECTS] = {
    "HSTRIPES", "HSTRIPES2", "HSTRIPES4", "HSTRIPES8", "HSTRIPES16", "HSTRIPES32", "HSTRIPES64",  // 0
    "VSTRIPES", "VSTRIPES2", "VSTRIPES4", "VSTRIPES8", "VSTRIPES16", "VSTRIPES32", "VSTRIPES64",  // 7
    "HBLINDS8", "HBLINDS16", "HBLINDS32", "HBLINDS64", "HBLINDS128",                              // 14
    "VBLINDS8", "VBLINDS16", "VBLINDS32", "VBLINDS64", "VBLINDS128",                              // 19
    "VOPENCURTAIN", "VCLOSECURTAIN", "HOPENCURTAIN", "HCLOSECURTAIN",                              // 24
    "BARS", "QUARTERS",                                                                            // 28
    "REVEALLEFT", "REVEALRIGHT", "REVEALTOP", "REVEALBOTTOM",                                      // 30
    "VLINES2", "HLINES2", "HLINES", "VLINES",                                                      // 34
    "RECTCENTER", "RECTNORTH", "RECTNORTHEAST", "RECTEAST", "RECTSOUTHEAST", "RECTSOUTH",          // 38
    "RECTSOUTHWEST", "RECTWEST", "RECTNORTHWEST",                                                  //
    "SCROLLLEFT", "SCROLLRIGHT", "SCROLLTOP", "SCROLLBOTTOM", "SCROLLNORTHEAST", "SCROLLSOUTHEAST",  // 47
    "SCROLLSOUTHWEST", "SCROLLNORTHWEST",                                                          //
    "STRETCHLEFT", "STRETCHRIGHT", "STRETCHTOP", "STRETCHBOTTOM", "HSTRETCHCENTER",                // 55
    "VSTRETCHCENTER", "ZOOMCENTER", "ZOOMNORTH", "ZOOMNORTHEAST", "ZOOMEAST", "ZOOMSOUTHEAST",      // 60
    "ZOOMSOUTH", "ZOOMSOUTHWEST", "ZOOMWEST", "ZOOMNORTHWEST",                                     // 66
    "HFLOWTOP", "HFLOWBOTTOM", "VFLOWLEFT", "VFLOWRIGHT",                                          // 70
    "HOPENGATE", "HCLOSEGATE", "VOPENGATE", "VCLOSEGATE",                                          // 74
    "PUSHLEFT", "PUSHRIGHT", "PUSHTOP", "PUSHBOTTOM",                                              // 78
    "PUZZLE", "DIAGONAL",                                                                          // 82
    "ROLLTOP", "ROLLLEFT", "WALLPAPERTOP", "WALLPAPERLEFT",                                        // 84
    "RECTBACKCENTER", "RECTBACKNORTH", "RECTBACKNORTHEAST", "RECTBACKEAST", "RECTBACKSOUTHEAST",   // 88
    "RECTBACKSOUTH", "RECTBACKSOUTHWEST", "RECTBACKWEST", "RECTBACKNORTHWEST",                     // 93
    "CLOCKWIPE", "STAR",                                                                           // 97
    "HSTRANGEPUSH", "VSTRANGEPUSH",                                                                // 99
    "SLIDELEFT", "SLIDERIGHT", "SLIDETOP", "SLIDEBOTTOM",                                          // 101
    "SPIRAL", "SWISS", "QUADRECT", "HSPLIT", "VSPLIT", "UPNDOWN",                                  // 105
    "CARDTOP", "CARDBOTTOM",                                                                       // 111
    nullptr,                                                                                       // 113
    "SUN", "CROSSFADE", "FADE", "BLEND",                                                           // 114
    "ZOOMIN", "ZOOMOUT",                                                                           // 118
    "CRUSHLEFT", "CRUSHRIGHT", "CRUSHTOP", "CRUSHBOTTOM",                                          // 120
    "VFLIPCOIN", "VLOWFLIPCOIN", "HFLIPCOIN", "HLOWFLIPCOIN",                                      // 124
    "TURNDOWNTOP", "TURNDOWNBOTTOM", "TURNDOWNLEFT", "TURNDOWNRIGHT",                              // 128
    "PIXELZOOM1", "PIXELZOOM2",                                                                    // 132
    "WATER1", "WATER2", "WATER3", "WATER4",                                                        // 134
    "STRUDEL", "DISSOLVE",                                                                         // 138
};

// One row per step function: the ids it draws, its release and its speed divisors (0: the family
// paces itself). A family not built yet has no step.
struct FamilyRow {
  int32_t first, last;
  FxStepFn step;
  FxReleaseFn release;
  uint16_t div_normal, div_fast, div_slow;
};

constexpr FamilyRow kFamilies[] = {
    {0, 6, fx_hstripes, nullptr, 70, 30, 200},    // stripes
    {7, 13, fx_vstripes, nullptr, 70, 30, 200},   //
    {14, 18, fx_hblinds, nullptr, 8, 3, 20},         // blinds
    {19, 23, fx_vblinds, nullptr, 8, 3, 20},         //
    {24, 24, fx_vopencurtain, nullptr, 140, 60, 320},     // curtains
    {25, 25, fx_vclosecurtain, nullptr, 140, 60, 320},     //
    {26, 26, fx_hopencurtain, nullptr, 140, 60, 320},     //
    {27, 27, fx_hclosecurtain, nullptr, 140, 60, 320},     //
    {28, 28, fx_bars, nullptr, 16, 8, 40},        // BARS
    {29, 29, fx_quarters, nullptr, 70, 30, 200},      // QUARTERS
    {30, 30, fx_revealleft, nullptr, 70, 30, 200},      // reveals
    {31, 31, fx_revealright, nullptr, 70, 30, 200},      //
    {32, 32, fx_revealtop, nullptr, 70, 30, 200},      //
    {33, 33, fx_revealbottom, nullptr, 70, 30, 200},      //
    {34, 34, fx_vlines2, nullptr, 0, 0, 0},          // lines
    {35, 35, fx_hlines2, nullptr, 0, 0, 0},          //
    {36, 36, fx_hlines, nullptr, 0, 0, 0},          //
    {37, 37, fx_vlines, nullptr, 0, 0, 0},          //
    {38, 46, fx_rect_step, nullptr, 70, 30, 200},      // RECT
    {47, 54, fx_scroll_step, fx_scroll_free, 0, 0, 0},          // SCROLL
    {55, 69, fx_stretch_step, fx_stretch_free, 30, 10, 80},       // STRETCH and ZOOM
    {70, 70, fx_flow_step, fx_flow_free, 50, 20, 120},      // flows
    {71, 71, fx_flow_step, fx_flow_free, 50, 20, 120},      //
    {72, 72, fx_flow_step, fx_flow_free, 30, 10, 80},       //
    {73, 73, fx_flow_step, fx_flow_free, 30, 10, 80},       //
    {74, 74, fx_opengate_step, nullptr, 80, 30, 200},      // gates
    {75, 75, fx_closegate_step, nullptr, 80, 30, 200},      //
    {76, 76, fx_opengate_step, nullptr, 80, 30, 200},      //
    {77, 77, fx_closegate_step, nullptr, 80, 30, 200},      //
    {78, 81, fx_push_step, nullptr, 40, 10, 100},      // PUSH
    {82, 82, fx_puzzle_step, fx_puzzle_free, 20, 10, 30},       // PUZZLE
    {83, 83, fx_diagonal_step, nullptr, 60, 20, 130},      // DIAGONAL
    {84, 87, fx_roll, fx_roll_free, 0, 0, 0},  // ROLL and WALLPAPER
    {88, 96, fx_rectback_step, nullptr, 70, 30, 200},      // RECTBACK
    {97, 97, fx_clockwipe, fx_clockwipe_free, 0, 0, 0},  // CLOCKWIPE
    {98, 98, fx_star, fx_star_free, 12, 6, 24},  // STAR
    {99, 100, fx_strangepush_step, fx_strangepush_free, 60, 30, 120},     // strange pushes
    {101, 104, fx_slide_step, nullptr, 60, 30, 120},    // SLIDE
    {105, 105, fx_spiral_step, nullptr, 0, 0, 0},        // SPIRAL
    {106, 106, fx_swiss_step, nullptr, 120, 60, 240},   // SWISS
    {107, 107, fx_quadrect_step, nullptr, 120, 60, 240},   // QUADRECT
    {108, 109, fx_split_step, nullptr, 120, 60, 240},   // SPLIT
    {110, 110, fx_upndown_step, nullptr, 60, 30, 120},    // UPNDOWN
    {111, 112, fx_card_step, nullptr, 60, 30, 120},    // CARD
    {114, 114, fx_sun, fx_sun_free, 12, 6, 24},  // SUN
    {115, 115, fx_crossfade, fx_crossfade_free, 0, 0, 0},  // CROSSFADE
    {116, 117, fx_fade, fx_fade_free, 0, 0, 0},  // FADE and BLEND
    {118, 119, fx_zoominout_step, nullptr, 60, 30, 120},    // ZOOMIN and ZOOMOUT
    {120, 123, fx_crush, nullptr, 60, 30, 120},  // CRUSH
    {124, 127, fx_coinflip, nullptr, 60, 30, 120},  // coin flips
    {128, 131, fx_turndown_step, nullptr, 60, 30, 120},    // TURNDOWN
    {132, 133, fx_pixelzoom, fx_pixelzoom_free, 0, 0, 0},  // PIXELZOOM
    {134, 137, fx_water, fx_water_free, 0, 0, 0},  // WATER
    {138, 138, fx_strudel, fx_strudel_free, 0, 0, 0},  // STRUDEL
    {139, 139, fx_dissolve, fx_dissolve_free, 0, 0, 0},  // DISSOLVE
};

struct SetRange {
  int32_t first, last;
  uint32_t set;
};

constexpr SetRange kSets[] = {
    {74, 81, FXSET_TWOPICTURE}, {101, 104, FXSET_TWOPICTURE}, {111, 112, FXSET_TWOPICTURE},
    {118, 131, FXSET_TWOPICTURE}, {133, 133, FXSET_TWOPICTURE},

    {115, 117, FXSET_ALPHA}, {134, 138, FXSET_ALPHA},

    {55, 73, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE | FXSET_OLDPIC},
    {84, 87, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE | FXSET_OLDPIC},
    {99, 100, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE | FXSET_OLDPIC},
    {116, 117, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE | FXSET_OLDPIC},
    {132, 132, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE | FXSET_OLDPIC},
    {133, 133, FXSET_HIDEREALTIME | FXSET_NOMASKCOMPOSITE},
    {47, 54, FXSET_NOMASKCOMPOSITE | FXSET_SCROLL},

    {97, 98, FXSET_OLDPIC}, {114, 114, FXSET_OLDPIC}, {134, 139, FXSET_OLDPIC},
    {75, 75, FXSET_OLDPICREALTIME}, {77, 77, FXSET_OLDPICREALTIME},

    {55, 81, FXSET_DIRECTSEEK}, {84, 87, FXSET_DIRECTSEEK}, {97, 104, FXSET_DIRECTSEEK},
    {111, 112, FXSET_DIRECTSEEK}, {114, 139, FXSET_DIRECTSEEK},
};

// Hiding runs the effect of the opposite direction.
constexpr int16_t hide_swap_of(int32_t id) {
  switch (id) {
    case 24: return 25;
    case 25: return 24;
    case 26: return 27;
    case 27: return 26;
    case 30: return 31;
    case 31: return 30;
    case 32: return 33;
    case 33: return 32;
    default:
      if (id >= 38 && id <= 46) return int16_t(id + 50);
      if (id >= 88 && id <= 96) return int16_t(id - 50);
      return -1;
  }
}

constexpr std::array<FxEffect, FX_EFFECTS> build_table() {
  std::array<FxEffect, FX_EFFECTS> t{};
  for (int32_t id = 0; id < FX_EFFECTS; ++id) t[size_t(id)] = {kNames[id], nullptr, nullptr, 0, 0, 0, 0, hide_swap_of(id)};
  for (const FamilyRow& f : kFamilies)
    for (int32_t id = f.first; id <= f.last; ++id) {
      FxEffect& e = t[size_t(id)];
      e.step = f.step;
      e.release = f.release;
      e.div_normal = f.div_normal, e.div_fast = f.div_fast, e.div_slow = f.div_slow;
    }
  for (const SetRange& s : kSets)
    for (int32_t id = s.first; id <= s.last; ++id) t[size_t(id)].sets |= s.set;
  return t;
}

constexpr std::array<FxEffect, FX_EFFECTS> kEffects = build_table();

static_assert(kEffects[FX_UNUSED_ID].name == nullptr && kEffects[FX_UNUSED_ID].step == nullptr);
static_assert(kEffects[139].sets == (FXSET_OLDPIC | FXSET_DIRECTSEEK));

constexpr int32_t two_picture_count() {
  int32_t n = 0;
  for (const FxEffect& e : kEffects) n += (e.sets & FXSET_TWOPICTURE) ? 1 : 0;
  return n;
}
static_assert(two_picture_count() == 29);

// The effect names, the four scroll aliases, RANDOMEFFECT and RANDOMPARAMETER, and the end row.
constexpr std::array<qmConstant, FX_EFFECTS - 1 + 4 + 2 + 1> build_constants() {
  std::array<qmConstant, FX_EFFECTS - 1 + 4 + 2 + 1> c{};
  size_t n = 0;
  for (int32_t id = 0; id < FX_EFFECTS; ++id)
    if (kNames[id]) c[n++] = {kNames[id], nullptr, double(id)};
  c[n++] = {"SCROLLWEST", nullptr, 47};
  c[n++] = {"SCROLLEAST", nullptr, 48};
  c[n++] = {"SCROLLNORTH", nullptr, 49};
  c[n++] = {"SCROLLSOUTH", nullptr, 50};
  c[n++] = {"RANDOMEFFECT", nullptr, double(FX_RANDOMEFFECT)};
  c[n++] = {"RANDOMPARAMETER", nullptr, double(FX_RANDOMPARAMETER)};
  c[n] = {nullptr, nullptr, 0};
  return c;
}

}  // namespace

constexpr auto kFxConstants = build_constants();
static_assert(kFxConstants.size() == 146 && kFxConstants[144].name != nullptr);

const qmConstant* fx_constants() { return kFxConstants.data(); }

const FxEffect* fx_effect(int32_t id) { return id >= 0 && id < FX_EFFECTS ? &kEffects[size_t(id)] : nullptr; }

bool fx_in_set(int32_t id, uint32_t set) {
  const FxEffect* e = fx_effect(id);
  return e && (e->sets & set) != 0;
}

int32_t fx_random_effect(bool exclude_two_picture) {
  for (;;) {
    const int32_t n = int32_t(drand48() * 141);
    if (n == FX_UNUSED_ID || n == FX_RANDOMEFFECT || n == 141) continue;
    if (exclude_two_picture && fx_in_set(n, FXSET_TWOPICTURE)) continue;
    return n;
  }
}

}  // namespace qm
