#include "gfx/filters.h"

#include <string_view>

#include "engine/latin1.h"
#include "engine/numconv.h"
#include "gfx/effects.h"

namespace qm {

namespace {
constexpr qmFilterArg I(double d) {
  return {FILTERARG_INTEGER, d};
}
constexpr qmFilterArg N(double d) {
  return {FILTERARG_NUMBER, d};
}
constexpr qmFilterArg R(double d) {
  return {FILTERARG_REAL, d};
}
}  // namespace

// In alphabetical order; the names are what programs pass.
const qmLayerFilter kLayerFilters[kLayerFilterCount] = {
    {"blur", 1, {R(5)}},
    {"charcoal", 1, {R(2)}},
    {"contrast", 2, {I(1), I(1)}},
    {"edge", 1, {R(5)}},
    {"emboss", 1, {R(5)}},
    {"gamma", 3, {R(1), R(1), R(1)}},
    {"grayscale", 0, {}},
    {"invert", 0, {}},
    {"modulate", 3, {R(100), R(100), R(100)}},
    {"monochrome", 1, {I(1)}},
    {"oilpaint", 1, {R(2)}},
    {"pixelate", 1, {I(10)}},
    {"sepiatone", 1, {N(204)}},
    {"sharpen", 1, {R(5)}},
    {"solarize", 1, {N(128)}},
    {"swirl", 1, {I(180)}},
    {"tint", 2, {I(0xFFFFFF), N(128)}},
    {"waterripple", 5, {I(32), I(1), I(0), R(0.5), R(0.5)}},
    {"xflip", 0, {}},
    {"yflip", 0, {}},
};

const qmLayerFilter* layer_filter_find(const char* name) {
  for (const qmLayerFilter& f : kLayerFilters)
    if (name != nullptr && str_case_cmp(f.name, name) == 0) return &f;
  return nullptr;
}

int32_t layer_filter_apply(const qmLayerFilter& filter, const double* a, qmBitmap* bitmap,
                           qmMask* mask, qmAlphaChannel* alpha, int32_t width, int32_t height) {
  const std::string_view n = filter.name;
  auto i = [&](int k) { return to_i32(a[k]); };
  if (n == "blur")
    return bitmap_convolve(CONVOLVE_BLUR, bitmap, alpha, width, height, a[0], a[0] / 3.0, nullptr);
  if (n == "charcoal") return bitmap_charcoal(bitmap, alpha, width, height, a[0], 1.0);
  if (n == "contrast") return bitmap_contrast(bitmap, width, height, i(0), i(1), nullptr);
  if (n == "edge")
    return bitmap_convolve(CONVOLVE_EDGE, bitmap, nullptr, width, height, a[0], 0.0, nullptr);
  if (n == "emboss")
    return bitmap_convolve(CONVOLVE_EMBOSS, bitmap, nullptr, width, height, a[0], 1.0, nullptr);
  if (n == "gamma") return bitmap_gamma(bitmap, width, height, a[0], a[1], a[2]);
  if (n == "grayscale") return bitmap_to_gray(bitmap, width, height, 0, nullptr);
  if (n == "invert") return bitmap_invert(bitmap, width, height, nullptr);
  if (n == "modulate")
    return bitmap_modulate(bitmap, width, height, a[0] / 100.0, a[1] / 100.0, a[2] / 100.0);
  if (n == "monochrome") return bitmap_monochrome(bitmap, width, height, i(0));
  if (n == "oilpaint") return bitmap_oilpaint(bitmap, width, height, a[0]);
  if (n == "pixelate") return bitmap_pixelate(bitmap, mask, alpha, width, height, i(0));
  if (n == "sepiatone") return bitmap_sepiatone(bitmap, width, height, i(0));
  if (n == "sharpen")
    return bitmap_convolve(CONVOLVE_SHARPEN, bitmap, nullptr, width, height, a[0], 1.0, nullptr);
  if (n == "solarize") return bitmap_solarize(bitmap, width, height, i(0));
  if (n == "swirl") return bitmap_swirl(bitmap, mask, alpha, width, height, i(0));
  if (n == "tint")
    return bitmap_tint(bitmap, 0, 0, width, height, to_u32_bits(a[0]) & 0xFFFFFF, i(1));
  if (n == "waterripple")
    return bitmap_waterripple(bitmap, mask, alpha, width, height, i(0), i(1), i(2), a[3], a[4]);
  if (n == "xflip") return bitmap_flip(bitmap, mask, alpha, width, height, 1);
  if (n == "yflip") return bitmap_flip(bitmap, mask, alpha, width, height, 0);
  return 0;
}

}  // namespace qm
