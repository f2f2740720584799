#include "runtime/args.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/applet.h"
#include "runtime/errors.h"
#include "runtime/vfile.h"

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

[[noreturn]] void arg_error(qmState* L, int32_t n, int32_t code) {
  vm_set_error_number(L, n);
  vm_raise_error(L, code);
}

[[noreturn]] void field_error(qmState* L, const char* field, int32_t code) {
  err_set_string_arg(field);
  vm_raise_error(L, code);
}

std::string resolve_linked(qmState* L, const char* name, int32_t font_kind, int32_t* is_font) {
  return linked_file_lookup(L, name, font_kind, is_font);
}

// Pushes field of the table at t. True when it is present; an absent field is popped again.
bool push_field(qmState* L, int32_t t, const char* field, int32_t* given) {
  t = vm_abs_index(L, t);
  vm_push_string(L, field);
  vm_get_table(L, t);
  if (vm_type(L, -1) == QM_TNIL) {
    vm_pop(L, 1);
    return false;
  }
  if (given) *given = 1;
  return true;
}

ObjectId id_from_value(qmState* L, int32_t idx, const char* field) {
  if (vm_type(L, idx) == QM_TLIGHTUSERDATA) return {0, vm_to_userdata(L, idx)};
  return {to_i32(vm_arg_check_number_field(L, idx, field)), nullptr};
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

bool shadow_size_allowed(int32_t size) { return size >= 0 && size <= kPictureMaxSide; }
bool shadow_radius_allowed(double radius) { return radius >= 1.0 && radius <= double(kPictureMaxSide); }
bool shadow_sigma_allowed(double sigma) { return sigma > 0.0 && std::isfinite(sigma); }
bool border_size_allowed(int32_t size) { return size >= 1 && size <= kPictureMaxSide; }

int32_t shadow_check(const ShadowBlock& b) {
  return shadow_radius_allowed(b.radius) && shadow_size_allowed(b.size) && shadow_sigma_allowed(b.sigma) ? 0
                                                                                                        : ERR_WRONGUSAGE;
}

int32_t border_check(const BorderBlock& b) { return (b.on != 0 && !border_size_allowed(b.size)) ? ERR_WRONGUSAGE : 0; }

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

qmState* arg_check_count(qmState* L, int32_t min, int32_t max) {
  int32_t n = vm_get_top(L);
  if (n >= 1 && min == 0 && max == 0) vm_raise_error(L, ERR_TOOMANYARGS);
  if (n < min) vm_raise_error(L, ERR_MISSINGPARAMTR);
  if (max >= 1 && n > max) vm_raise_error(L, ERR_TOOMANYARGS);
  return L;
}

ObjectId arg_get_id(qmState* L, int32_t n) {
  if (vm_type(L, n) == QM_TLIGHTUSERDATA) return {0, vm_to_userdata(L, n)};
  return {to_i32(vm_arg_check_number(L, n)), nullptr};
}

OptNumber arg_get_opt_number(qmState* L, int32_t n) {
  int32_t type = vm_type(L, n);
  if (type == QM_TNIL || type == QM_TNONE) return {0, true};
  return {to_i32(vm_arg_check_number(L, n)), false};
}

double arg_get_number_or_percent(qmState* L, int32_t n, double reference, bool allow_over_100, bool* is_fraction) {
  *is_fraction = false;
  switch (vm_type(L, n)) {
    case QM_TNUMBER: return vm_to_number(L, n);
    case QM_TSTRING: {
      vm_set_error_number(L, n);
      double value = 0.0;
      int32_t code = percent_parse(vm_to_string(L, n), reference, allow_over_100, &value, is_fraction);
      if (code != 0) vm_raise_error(L, code);
      return value;
    }
    case QM_TNIL:
    case QM_TNONE: return vm_arg_check_number(L, n);
    default: arg_error(L, n, ERR_STRORNUM);
  }
}

const char* arg_get_file_name(qmState* L, int32_t n, int32_t code) {
  size_t length = 0;
  const char* name = vm_arg_check_string(L, n, &length);
  if (!qmos_name_is_whole(name, length)) {
    err_set_string_arg(name);
    vm_command_fail(L, code);
  }
  return name;
}

std::string arg_get_linked_file(qmState* L, int32_t n, int32_t font_kind, int32_t* is_font) {
  const char* name = arg_get_file_name(L, n, ERR_READFILE);
  return resolve_linked(L, name, font_kind, is_font);
}

int32_t constant_parse_ref(qmState* L, const char* text, size_t* consumed, ConstantValue* out) {
  char name[CONSTANT_NAME_MAX + 1];
  size_t length = 0;
  int32_t code = constant_scan_name(text, name, &length);
  if (code != 0) return code;
  const char* str = nullptr;
  double number = 0.0;
  if (!vm_find_constant(L, name, &str, &number)) return ERR_FINDCST;
  *consumed = length + 1;
  *out = str ? ConstantValue{QM_TSTRING, str, 0.0} : ConstantValue{QM_TNUMBER, nullptr, number};
  return 0;
}

void table_set_number(qmState* L, const char* key, int32_t value) { table_set_double(L, key, value); }

void table_set_double(qmState* L, const char* key, double value) {
  vm_push_string(L, key);
  vm_push_number(L, value);
  vm_set_table(L, -3);
}

void table_set_string(qmState* L, const char* key, const char* value) {
  vm_push_string(L, key);
  vm_push_string(L, value);
  vm_set_table(L, -3);
}

void table_set_id(qmState* L, const char* key, const ObjectId& id) {
  vm_push_string(L, key);
  if (id.handle != nullptr) {
    vm_push_lightuserdata(L, id.handle);
  } else {
    vm_push_number(L, id.number);
  }
  vm_set_table(L, -3);
}

int32_t opt_get_int(qmState* L, int32_t t, const char* field, int32_t* out, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  *out = to_i32(vm_arg_check_number_field(L, -1, field));
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_uint(qmState* L, int32_t t, const char* field, uint32_t* out, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  *out = vm_arg_check_integer_field(L, -1, field);
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_float(qmState* L, int32_t t, const char* field, double* out, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  *out = vm_arg_check_number_field(L, -1, field);
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_string(qmState* L, int32_t t, const char* field, char* out, size_t size, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  copy_bounded(out, size, vm_arg_check_string_field(L, -1, nullptr, field));
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_id(qmState* L, int32_t t, const char* field, ObjectId* out, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  *out = id_from_value(L, -1, field);
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_number_or_percent(qmState* L, int32_t t, const char* field, double reference, bool allow_over_100,
                                  double* out, bool* is_fraction, int32_t* given) {
  *is_fraction = false;
  if (!push_field(L, t, field, given)) return 0;
  if (vm_type(L, -1) == QM_TSTRING) {
    int32_t code = percent_parse(vm_to_string(L, -1), reference, allow_over_100, out, is_fraction);
    // The percent message names an argument: the option table's.
    if (code != 0) arg_error(L, vm_abs_index(L, t), code);
  } else {
    *out = vm_arg_check_number_field(L, -1, field);
  }
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_string_alloc(qmState* L, int32_t t, const char* field, int32_t kind, bool* linked, std::string* out,
                             int32_t* given) {
  if (linked) *linked = false;
  if (!push_field(L, t, field, given)) return 0;
  size_t length = 0;
  const char* text = vm_arg_check_string_field(L, -1, &length, field);
  if (kind != 0) {
    // kind 1 resolves a plain file name, higher kinds a font name (font kind = kind - 1).
    std::string resolved = resolve_linked(L, text, kind - 1, nullptr);
    if (linked) *linked = resolved != text;
    *out = std::move(resolved);
  } else {
    out->assign(text, length);
  }
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_layer_id(qmState* L, int32_t t, const char* field, int32_t* out, int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  int32_t type = vm_type(L, -1);
  if (type == QM_TNUMBER) {
    *out = to_i32(vm_to_number(L, -1));
  } else if (type == QM_TSTRING) {
    const char* name = vm_to_string(L, -1);
    int32_t position = 0;
    int32_t code = g_services.layer_find_by_name(name, &position);
    if (code != 0) vm_raise_error(L, code);
    if (position == 0) field_error(L, name, ERR_FINDLAYER);
    *out = position;
  } else {
    vm_raise_error(L, ERR_WRONGUSAGE);
  }
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_number4(qmState* L, int32_t t, const char* field, double out[4], int32_t* given) {
  if (!push_field(L, t, field, given)) return 0;
  err_set_string_arg(field);
  if (vm_type(L, -1) != QM_TTABLE) vm_raise_error(L, ERR_TABEXPECTED2);
  for (int32_t i = 0; i < 4; ++i) {
    vm_raw_geti(L, -1, i);
    if (vm_type(L, -1) == QM_TNIL) vm_raise_error(L, ERR_MISSINGPARAMTR);
    out[i] = vm_arg_check_number_field(L, -1, field);
    vm_pop(L, 1);
  }
  vm_pop(L, 1);
  return 1;
}

int32_t opt_get_id_list(qmState* L, int32_t t, const char* field, ObjectId* out, int32_t capacity, int32_t* count) {
  *count = 0;
  if (!push_field(L, t, field, nullptr)) return 0;
  int32_t code = 0;
  if (vm_type(L, -1) != QM_TTABLE) {
    err_set_string_arg(field);
    code = ERR_TABEXPECTED2;
  }
  for (int32_t i = 0; code == 0; ++i) {
    vm_raw_geti(L, -1, i);
    int32_t type = vm_type(L, -1);
    if (type == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    if (out != nullptr && i < capacity) {
      if (type == QM_TLIGHTUSERDATA) {
        out[i] = {0, vm_to_userdata(L, -1)};
      } else if (vm_is_number(L, -1)) {
        out[i] = {to_i32(vm_to_number(L, -1)), nullptr};
      } else {
        err_set_string_arg(field);
        code = ERR_NUMTABLEARG;
      }
    }
    vm_pop(L, 1);
    if (code == 0) ++*count;
  }
  vm_pop(L, 1);
  return code;
}

int32_t opt_get_shadow(qmState* L, int32_t t, ShadowBlock* b, int32_t* given) {
  opt_get_int(L, t, "shadow", &b->on, given);
  if (b->on == 0) return 0;
  opt_get_uint(L, t, "shadowcolor", &b->color, given);
  opt_get_int(L, t, "shadowdir", &b->direction, given);
  opt_get_int(L, t, "shadowsize", &b->size, given);
  opt_get_float(L, t, "shadowradius", &b->radius, given);
  opt_get_float(L, t, "shadowsigma", &b->sigma, given);
  return shadow_check(*b);
}

int32_t opt_get_border(qmState* L, int32_t t, bool is_text, BorderBlock* b, int32_t* given) {
  opt_get_int(L, t, "border", &b->on, given);
  opt_get_uint(L, t, "bordercolor", &b->color, given);
  opt_get_int(L, t, "bordersize", &b->size, given);
  if (is_text) {
    opt_get_uint(L, t, "edgecolor", &b->color, given);
    opt_get_int(L, t, "edgesize", &b->size, given);
    opt_get_int(L, t, "outlinethickness", &b->size, given);
  }
  return border_check(*b);
}

int32_t text_transform_get_current(void* block, size_t size) {
  return g_services.text_transform_get_current(block, size);
}

int32_t text_drawtags_get_current(void* block, size_t size) {
  return g_services.text_drawtags_get_current(block, size);
}

}  // namespace qm
