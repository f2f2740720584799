// Readers shared by every command library: the argument count, object ids, optional numbers,
// percentages, constant references and the fields of option tables. Argument errors are raised
// through the engine (they never return); the few readers that report a code say so.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/registry.h"

struct qmState;

namespace qm {

// ---- Work functions without the script stack ---------------------------------------------------

// A percent text: a decimal number from the start of text, optionally followed by '%'. Without
// '%' the number is the result, whatever follows. With '%' it is reference x value / 100, or,
// when reference is 0, value / 100 with *is_fraction set. 0, or ERR_PERCENTFORMAT when no number
// can be read, the percentage is negative, or over 100 while that is not allowed.
int32_t percent_parse(const char* text, double reference, bool allow_over_100, double* out, bool* is_fraction);

inline constexpr size_t CONSTANT_NAME_MAX = 64;

// The name of a constant reference "#name" (letters, digits, '_', '$', '!'; the first a letter or
// '_'; at most 64 characters) into name (at least CONSTANT_NAME_MAX + 1 bytes), its length into
// *length. 0, ERR_WRONGUSAGE when text does not begin with '#', ERR_SYNTAXERROR when no name
// follows.
int32_t constant_scan_name(const char* text, char* name, size_t* length);

// Option blocks filled by opt_get_shadow and opt_get_border.
struct ShadowBlock {
  int32_t on = 0;
  uint32_t color = 0;  // $RRGGBB
  int32_t size = 0;
  int32_t direction = 0;
  double radius = 0.0;
  double sigma = 0.0;
};

struct BorderBlock {
  int32_t on = 0;
  uint32_t color = 0;
  int32_t size = 0;
};

// ERR_WRONGUSAGE for a shadow with radius < 1, size < 0 or sigma <= 0, else 0.
int32_t shadow_check(const ShadowBlock& block);
// ERR_WRONGUSAGE for a border that is on with a size not greater than 0, else 0.
int32_t border_check(const BorderBlock& block);

// Services of later subsystems that some readers need. Until a subsystem installs its entry, the
// default fails with ERR_WRONGUSAGE.
struct ArgServices {
  // Position (1-based) of the layer named name in the current background picture, 0 when none.
  int32_t (*layer_find_by_name)(const char* name, int32_t* position);
  // Copy the text library's current transform or draw-tag block into block (size bytes).
  int32_t (*text_transform_get_current)(void* block, size_t size);
  int32_t (*text_drawtags_get_current)(void* block, size_t size);
  // The size that the current display cached for a frame of w x h scaled by sx, sy; false when
  // it holds none for exactly these values.
  bool (*cached_scaled_size)(double sx, double sy, int32_t w, int32_t h, int32_t* out_w, int32_t* out_h);
  // Extent of a w x h rectangle under the 2x2 matrix m.
  int32_t (*rect_transform_corners)(const double m[4], int32_t w, int32_t h, int32_t* out_w, int32_t* out_h,
                                    double* min_x, double* min_y);
};

ArgServices& arg_services();
void arg_services_reset();

// The size of a w x h frame under the matrix m = {sx, a, b, sy}. 0, or the code of a missing
// transform service.
int32_t anim_scaled_size(const double m[4], int32_t w, int32_t h, int32_t* out_w, int32_t* out_h);

int32_t text_transform_get_current(void* block, size_t size);
int32_t text_drawtags_get_current(void* block, size_t size);

}  // namespace qm
