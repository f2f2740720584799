#include "runtime/args.h"

#include <charconv>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/numconv.h"

namespace qm {
namespace {

int32_t no_layer_service(const char*, int32_t*) { return ERR_WRONGUSAGE; }
int32_t no_block_service(void*, size_t) { return ERR_WRONGUSAGE; }
bool no_cached_size(double, double, int32_t, int32_t, int32_t*, int32_t*) { return false; }
int32_t no_transform_service(const double*, int32_t, int32_t, int32_t*, int32_t*, double*, double*) {
  return ERR_WRONGUSAGE;
}

constexpr ArgServices kNoServices = {no_layer_service, no_block_service, no_block_service, no_cached_size,
                                     no_transform_service};
ArgServices g_services = kNoServices;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
         c == '!';
}

}  // namespace

int32_t percent_parse(const char* text, double reference, bool allow_over_100, double* out, bool* is_fraction) {
  *is_fraction = false;
  const char* p = text;
  const char* end = text + std::strlen(text);
  while (p < end && is_space(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p < end && (*p == '+' || *p == '-')) return ERR_PERCENTFORMAT;
  // from_chars reads the C locale's decimal form only, which is what scripts write.
  double value = 0.0;
  auto [next, ec] = std::from_chars(p, end, value, std::chars_format::general);
  if (ec != std::errc()) return ERR_PERCENTFORMAT;
  if (negative) value = -value;
  if (*next != '%') {
    *out = value;
    return 0;
  }
  if (value < 0.0 || (value > 100.0 && !allow_over_100)) return ERR_PERCENTFORMAT;
  if (reference != 0.0) {
    *out = reference * value / 100.0;
  } else {
    *out = value / 100.0;
    *is_fraction = true;
  }
  return 0;
}

int32_t constant_scan_name(const char* text, char* name, size_t* length) {
  if (text[0] != '#') return ERR_WRONGUSAGE;
  char first = text[1];
  if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z') || first == '_')) return ERR_SYNTAXERROR;
  size_t n = 0;
  while (n < CONSTANT_NAME_MAX && is_name_char(text[1 + n])) {
    name[n] = text[1 + n];
    ++n;
  }
  name[n] = '\0';
  *length = n;
  return 0;
}

int32_t shadow_check(const ShadowBlock& b) {
  return (b.radius < 1.0 || b.size < 0 || !(b.sigma > 0.0)) ? ERR_WRONGUSAGE : 0;
}

int32_t border_check(const BorderBlock& b) { return (b.on != 0 && b.size <= 0) ? ERR_WRONGUSAGE : 0; }

ArgServices& arg_services() { return g_services; }
void arg_services_reset() { g_services = kNoServices; }

int32_t anim_scaled_size(const double m[4], int32_t w, int32_t h, int32_t* out_w, int32_t* out_h) {
  double sx = m[0], a = m[1], b = m[2], sy = m[3];
  if (a == 0.0 && b == 0.0 && sx >= 0.0 && sy >= 0.0) {
    if (sx == 1.0 && sy == 1.0) {
      *out_w = w;
      *out_h = h;
    } else if (!g_services.cached_scaled_size(sx, sy, w, h, out_w, out_h)) {
      *out_w = to_i32(sx * w);
      *out_h = to_i32(sy * h);
      if (*out_w < 1) *out_w = 1;
      if (*out_h < 1) *out_h = 1;
    }
    return 0;
  }
  double min_x = 0.0, min_y = 0.0;
  return g_services.rect_transform_corners(m, w, h, out_w, out_h, &min_x, &min_y);
}

int32_t text_transform_get_current(void* block, size_t size) {
  return g_services.text_transform_get_current(block, size);
}

int32_t text_drawtags_get_current(void* block, size_t size) {
  return g_services.text_drawtags_get_current(block, size);
}

}  // namespace qm
