// Readers shared by every command library: the argument count, object ids, optional numbers,
// percentages, constant references and the fields of option tables. Argument errors are raised
// through the engine (they never return); the few readers that report a code say so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// The sizes a shadow or border may have: an offset, blur radius or border size beyond a picture's
// largest side (or not a number) could only overflow the geometry that grows a layer by it.
bool shadow_size_allowed(int32_t size);  // 0 .. 32767
bool shadow_radius_allowed(double radius);  // 1 .. 32767
bool shadow_sigma_allowed(double sigma);  // above 0, finite
bool border_size_allowed(int32_t size);  // 1 .. 32767
// ERR_WRONGUSAGE for a shadow whose size, radius or sigma is not allowed, else 0.
int32_t shadow_check(const ShadowBlock& block);
// ERR_WRONGUSAGE for a border that is on with a size that is not allowed, else 0.
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

// ---- Readers over the script stack ---------------------------------------------------------------

// Raises ERR_TOOMANYARGS for any argument when min = max = 0, ERR_MISSINGPARAMTR for fewer than
// min, ERR_TOOMANYARGS for more than max when max >= 1 (max 0 with min > 0: no upper bound).
qmState* arg_check_count(qmState* L, int32_t min, int32_t max);

// Argument n as an object id: light user data gives a handle, anything else must be a number
// (ERR_NUMEXPECTED).
ObjectId arg_get_id(qmState* L, int32_t n);

// An optional integer argument: nil or absent reads as 0 with `absent` set.
struct OptNumber {
  int32_t value = 0;
  bool absent = true;
};
OptNumber arg_get_opt_number(qmState* L, int32_t n);

// A number, or a percent text (see percent_parse) raised as ERR_PERCENTFORMAT; nil or absent
// raises ERR_NUMEXPECTED, other types ERR_STRORNUM.
double arg_get_number_or_percent(qmState* L, int32_t n, double reference, bool allow_over_100, bool* is_fraction);

// String argument n (ERR_STREXPECTED) as a file name for the host. A name that would not reach
// the host whole (qmos_name_is_whole) ends the command with code, the name in the error's string
// slot: ERR_READFILE for a name read, ERR_WRITEFILE for a name written, ERR_WRONGUSAGE else.
const char* arg_get_file_name(qmState* L, int32_t n, int32_t code);

// String argument n as a file name to read (as arg_get_file_name) resolved through the applet's
// linked files: the name to open.
std::string arg_get_linked_file(qmState* L, int32_t n, int32_t font_kind, int32_t* is_font);

// A constant reference "#name" at the start of text. 0 with *consumed = name length + 1 and the
// value (type QM_TSTRING with text, or QM_TNUMBER with number); else ERR_WRONGUSAGE,
// ERR_SYNTAXERROR or ERR_FINDCST (raised nothing).
struct ConstantValue {
  int32_t type = 0;
  const char* text = nullptr;
  double number = 0.0;
};
int32_t constant_parse_ref(qmState* L, const char* text, size_t* consumed, ConstantValue* out);

// Setters for the table on top of the stack; the stack is left as it was.
void table_set_number(qmState* L, const char* key, int32_t value);
void table_set_double(qmState* L, const char* key, double value);
void table_set_string(qmState* L, const char* key, const char* value);
void table_set_id(qmState* L, const char* key, const ObjectId& id);

// Option-table readers: field `field` of the table at index t. An absent (nil) field leaves *out
// as the caller's default and gives 0; a present one gives 1 and sets *given (may be null). A
// field of the wrong type raises, naming the field.
int32_t opt_get_int(qmState* L, int32_t t, const char* field, int32_t* out, int32_t* given);
int32_t opt_get_uint(qmState* L, int32_t t, const char* field, uint32_t* out, int32_t* given);
int32_t opt_get_float(qmState* L, int32_t t, const char* field, double* out, int32_t* given);
// Copies the text into out (size bytes, cut to fit).
int32_t opt_get_string(qmState* L, int32_t t, const char* field, char* out, size_t size, int32_t* given);
int32_t opt_get_id(qmState* L, int32_t t, const char* field, ObjectId* out, int32_t* given);
int32_t opt_get_number_or_percent(qmState* L, int32_t t, const char* field, double reference, bool allow_over_100,
                                  double* out, bool* is_fraction, int32_t* given);
// The text, resolved through the linked files first when kind is not 0 (then *linked is set when
// it named a linked file).
int32_t opt_get_string_alloc(qmState* L, int32_t t, const char* field, int32_t kind, bool* linked, std::string* out,
                             int32_t* given);
// A layer number, or a layer name turned into its 1-based position in the current background
// picture (ERR_FINDLAYER naming it when there is none); other types raise ERR_WRONGUSAGE.
int32_t opt_get_layer_id(qmState* L, int32_t t, const char* field, int32_t* out, int32_t* given);
// A subtable of four numbers at indices 0 to 3.
int32_t opt_get_number4(qmState* L, int32_t t, const char* field, double out[4], int32_t* given);

// The ids listed in subtable `field` from index 0 up to the first nil. *count gets their number;
// when out is given, up to capacity ids are stored there. Returns 0 (also for an absent field),
// ERR_TABEXPECTED2 when the field is not a table, or ERR_NUMTABLEARG for an entry that is neither
// light user data nor a number (field names in the string slot).
int32_t opt_get_id_list(qmState* L, int32_t t, const char* field, ObjectId* out, int32_t capacity, int32_t* count);

// "shadow", "shadowcolor", "shadowdir", "shadowsize", "shadowradius", "shadowsigma"; nothing but
// "shadow" is read while the shadow is off. 0 or ERR_WRONGUSAGE (shadow_check).
int32_t opt_get_shadow(qmState* L, int32_t t, ShadowBlock* block, int32_t* given);
// "border", "bordercolor", "bordersize"; for text also "edgecolor" (colour), "edgesize" and
// "outlinethickness" (size, the last present wins). 0 or ERR_WRONGUSAGE (border_check).
int32_t opt_get_border(qmState* L, int32_t t, bool is_text, BorderBlock* block, int32_t* given);

}  // namespace qm
