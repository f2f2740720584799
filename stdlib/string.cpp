// The "string" library: byte strings with 0-based positions, Latin-1 case folding, searching,
// formatting, Eval and the capture pattern commands.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "engine/vmstring.h"
#include "runtime/args.h"
#include "runtime/numparse.h"
#include "runtime/registry.h"
#include "stdlib/checksum.h"
#include "stdlib/eval.h"
#include "stdlib/stdlib.h"
#include "stdlib/strpattern.h"

using namespace qm;

namespace {

// Type constants of BinStr (the system library's INTEGER, SHORT and BYTE).
constexpr int32_t kTypeInteger = 1;
constexpr int32_t kTypeShort = 6;
constexpr int32_t kTypeByte = 7;

struct Str {
  const char* s;
  size_t len;
};

Str str_arg(qmState* L, int32_t n) {
  Str r;
  r.s = vm_arg_check_string(L, n, &r.len);
  return r;
}

int32_t int_arg(qmState* L, int32_t n) { return qm::to_i32(vm_arg_check_number(L, n)); }
int32_t opt_int_arg(qmState* L, int32_t n, int32_t def) {
  return qm::to_i32(vm_arg_opt_number(L, n, def));
}

int32_t push_str(qmState* L, const char* s, size_t len) {
  vm_push_lstring(L, s, len);
  return 1;
}

int32_t push_num(qmState* L, double v) {
  vm_push_number(L, v);
  return 1;
}

// Position of find in s at or after start, or -1; case-insensitive compares through the
// lower-case table.
int64_t find_from(const Str& s, const Str& find, size_t start, bool case_sensitive) {
  if (find.len == 0 || find.len > s.len) return -1;
  size_t last = s.len - find.len;
  if (case_sensitive) {
    const void* hit = memmem(s.s + start, s.len - start, find.s, find.len);
    return hit ? int64_t(static_cast<const char*>(hit) - s.s) : -1;
  }
  const unsigned char first = qm::char_to_lower(static_cast<unsigned char>(find.s[0]));
  for (size_t i = start; i <= last; i++) {
    if (qm::char_to_lower(static_cast<unsigned char>(s.s[i])) != first) continue;
    size_t k = 1;
    while (k < find.len && qm::char_to_lower(static_cast<unsigned char>(s.s[i + k])) ==
                               qm::char_to_lower(static_cast<unsigned char>(find.s[k])))
      k++;
    if (k == find.len) return int64_t(i);
  }
  return -1;
}

// ---- simple commands ----

int32_t cmd_addstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str a = str_arg(L, 1), b = str_arg(L, 2);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  vm_strbuf_add_lstring(&B, a.s, a.len);
  vm_strbuf_add_lstring(&B, b.s, b.len);
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_asc(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  return push_num(L, s.len ? static_cast<unsigned char>(s.s[0]) : 0);
}

int32_t cmd_binstr(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  double n = vm_arg_check_number(L, 1);
  int32_t type = opt_int_arg(L, 2, kTypeInteger);
  int digits = type == kTypeInteger ? 32 : type == kTypeShort ? 16 : type == kTypeByte ? 8 : 0;
  uint32_t v = type == kTypeInteger ? qm::to_u32_bits(n) : uint32_t(qm::to_i32(n));
  char buf[33];
  for (int i = 0; i < digits; i++) buf[i] = (v >> (digits - 1 - i)) & 1 ? '1' : '0';
  return push_str(L, buf, size_t(digits));
}

int32_t cmd_chr(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int32_t code = int_arg(L, 1);
  if (code < 0 || code > 255) return ERR_WRONGUSAGE;
  char c = char(code);
  return push_str(L, &c, code == 0 ? 0 : 1);
}

int32_t cmd_countstr(qmState* L) {
  qm::arg_check_count(L, 2, 4);
  Str s = str_arg(L, 1), find = str_arg(L, 2);
  bool cs = vm_arg_opt_number(L, 3, 1) != 0;
  int32_t start = opt_int_arg(L, 4, 0);
  if (start < 0) return ERR_WRONGUSAGE;
  int32_t count = 0;
  if (s.len && find.len && size_t(start) < s.len) {
    for (int64_t at = find_from(s, find, size_t(start), cs); at >= 0;
         at = find_from(s, find, size_t(at) + find.len, cs))
      count++;
  }
  return push_num(L, count);
}

int32_t cmd_crc32str(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  if (s.len == 0) return ERR_WRONGUSAGE;
  return push_num(L, qm::crc32_update(0, reinterpret_cast<const uint8_t*>(s.s), s.len));
}

int32_t cmd_findstr(qmState* L) {
  qm::arg_check_count(L, 2, 4);
  Str s = str_arg(L, 1), find = str_arg(L, 2);
  bool cs = vm_arg_opt_number(L, 3, 1) != 0;
  int32_t start = opt_int_arg(L, 4, 0);
  if (start < 0) return ERR_WRONGUSAGE;
  if (s.len == 0 || find.len == 0 || size_t(start) >= s.len) return push_num(L, -1);
  return push_num(L, double(find_from(s, find, size_t(start), cs)));
}

int32_t cmd_hexstr(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  uint32_t v = qm::to_u32_bits(vm_arg_check_number(L, 1));
  char buf[16];
  int n = std::snprintf(buf, sizeof buf, "$%x", v);
  for (int i = 0; i < n; i++) buf[i] = char(qm::char_to_upper(static_cast<unsigned char>(buf[i])));
  return push_str(L, buf, size_t(n));
}

int32_t cmd_insertstr(qmState* L) {
  qm::arg_check_count(L, 3, 4);
  Str s = str_arg(L, 1), ins = str_arg(L, 2);
  int32_t pos = int_arg(L, 3);
  bool overwrite = vm_arg_opt_number(L, 4, 0) != 0;
  if (pos < 0) return ERR_WRONGUSAGE;
  if (s.len == 0) return push_str(L, ins.s, ins.len);
  if (ins.len == 0) return push_str(L, s.s, s.len);
  size_t p = std::min(size_t(pos), s.len);
  size_t rest = overwrite ? std::min(s.len, p + ins.len) : p;
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  vm_strbuf_add_lstring(&B, s.s, p);
  vm_strbuf_add_lstring(&B, ins.s, ins.len);
  vm_strbuf_add_lstring(&B, s.s + rest, s.len - rest);
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_leftstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1);
  int32_t n = int_arg(L, 2);
  return push_str(L, s.s, n <= 0 ? 0 : std::min(size_t(n), s.len));
}

int32_t cmd_rightstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1);
  int32_t n = int_arg(L, 2);
  size_t k = n <= 0 ? 0 : std::min(size_t(n), s.len);
  return push_str(L, s.s + s.len - k, k);
}

template <bool Upper>
int32_t cmd_case(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  char tmp[256];
  for (size_t i = 0; i < s.len;) {
    size_t n = std::min(sizeof tmp, s.len - i);
    for (size_t k = 0; k < n; k++) {
      unsigned char c = static_cast<unsigned char>(s.s[i + k]);
      tmp[k] = char(Upper ? qm::char_to_upper(c) : qm::char_to_lower(c));
    }
    vm_strbuf_add_lstring(&B, tmp, n);
    i += n;
  }
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_md5str(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  if (s.len == 0) return ERR_WRONGUSAGE;
  qm::qmMD5 ctx;
  qm::md5_init(&ctx);
  qm::md5_update(&ctx, reinterpret_cast<const uint8_t*>(s.s), s.len);
  uint8_t digest[16];
  char hex[33];
  qm::md5_final(&ctx, digest);
  qm::md5_hex(digest, hex);
  return push_str(L, hex, 32);
}

int32_t cmd_midstr(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  Str s = str_arg(L, 1);
  int32_t pos = int_arg(L, 2), len = int_arg(L, 3);
  if (pos < 0) return ERR_WRONGUSAGE;  // would start before the string
  if (len <= 0 || size_t(pos) >= s.len) return push_str(L, "", 0);
  return push_str(L, s.s + pos, std::min(size_t(len), s.len - size_t(pos)));
}

// Longest text PadNum and RepeatStr build (1 GiB); a count beyond it is out of memory at once
// instead of minutes of copying toward an allocation that cannot succeed.
constexpr uint64_t kMaxResult = 0x40000000u;

int32_t cmd_padnum(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  int32_t n = int_arg(L, 1), len = int_arg(L, 2);
  if (n < 0 || len < 1) return ERR_WRONGUSAGE;
  char digits[16];
  int d = std::snprintf(digits, sizeof digits, "%d", n);
  if (uint64_t(len) > kMaxResult) return ERR_MEM;
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  static const char zeros[64] = "000000000000000000000000000000000000000000000000000000000000000";
  for (int64_t pad = int64_t(len) - d; pad > 0; pad -= 63)
    vm_strbuf_add_lstring(&B, zeros, size_t(std::min<int64_t>(pad, 63)));
  vm_strbuf_add_lstring(&B, digits, size_t(d));
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_repeatstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1);
  int32_t n = int_arg(L, 2);
  if (n <= 0) return ERR_WRONGUSAGE;
  if (uint64_t(n) * s.len > kMaxResult) return ERR_MEM;
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  for (int32_t i = 0; i < n; i++) vm_strbuf_add_lstring(&B, s.s, s.len);
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_replacestr(qmState* L) {
  qm::arg_check_count(L, 3, 5);
  Str s = str_arg(L, 1), find = str_arg(L, 2), repl = str_arg(L, 3);
  bool cs = vm_arg_opt_number(L, 4, 1) != 0;
  int32_t start = opt_int_arg(L, 5, 0);
  if (start < 0) return ERR_WRONGUSAGE;
  size_t from = std::min(size_t(start), s.len);
  if (find.len == 0) return push_str(L, s.s, s.len);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  vm_strbuf_add_lstring(&B, s.s, from);
  size_t pos = from;
  for (int64_t at = find_from(s, find, pos, cs); at >= 0; at = find_from(s, find, pos, cs)) {
    vm_strbuf_add_lstring(&B, s.s + pos, size_t(at) - pos);
    vm_strbuf_add_lstring(&B, repl.s, repl.len);
    pos = size_t(at) + find.len;
  }
  vm_strbuf_add_lstring(&B, s.s + pos, s.len - pos);
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_splitstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1), sep = str_arg(L, 2);
  if (sep.len != 1) return ERR_WRONGUSAGE;
  vm_new_table(L);
  int32_t count = 0;
  size_t begin = 0;
  for (;;) {
    const void* hit = begin < s.len ? std::memchr(s.s + begin, sep.s[0], s.len - begin) : nullptr;
    size_t end = hit ? size_t(static_cast<const char*>(hit) - s.s) : s.len;
    vm_push_lstring(L, s.s + begin, end - begin);
    vm_raw_seti(L, -2, count++);
    if (!hit) break;
    begin = end + 1;
  }
  vm_push_number(L, count);
  return 2;
}

int32_t cmd_strlen(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  return push_num(L, double(str_arg(L, 1).len));
}

int32_t cmd_strstr(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  double n = vm_arg_check_number(L, 1);
  int32_t decimals = opt_int_arg(L, 2, 2);
  char buf[64];
  size_t len = size_t(vm_number_to_text(n, buf));
  const char* dot = static_cast<const char*>(std::memchr(buf, '.', len));
  if (dot) {
    size_t point = size_t(dot - buf);
    if (decimals == 0) {
      len = point;
    } else if (decimals < 0) {
      len = point + 1;
    } else {
      len = std::min(len, point + 1 + size_t(decimals));
    }
  }
  return push_str(L, buf, len);
}

int32_t cmd_strtoarray(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  vm_new_table(L);
  for (size_t i = 0; i < s.len; i++) {
    vm_push_number(L, static_cast<unsigned char>(s.s[i]));
    vm_raw_seti(L, -2, int32_t(i));
  }
  vm_push_number(L, 0);
  vm_raw_seti(L, -2, int32_t(s.len));
  return 1;
}

int32_t cmd_tonumber(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  int32_t base = opt_int_arg(L, 2, 10);
  if (base == 10) {
    double v = 0;
    if (vm_is_number(L, 1)) v = vm_to_number(L, 1);
    return push_num(L, v);
  }
  if (base < 2 || base > 36) return ERR_WRONGUSAGE;
  Str s = str_arg(L, 1);
  char* end = nullptr;
  errno = 0;
  // Read in 64 bits and reduce to the 32-bit unsigned value a 32-bit strtoul gave: overflow
  // saturates at 4294967295 and a negative value wraps modulo 2^32.
  unsigned long long v = std::strtoull(s.s, &end, base);
  const char* p = s.s;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) p++;
  bool negative = *p == '-';
  uint32_t r;
  if (errno == ERANGE) {
    r = 4294967295u;
  } else if (negative) {
    unsigned long long mag = 0ULL - v;  // strtoull negated the magnitude
    r = mag > 0xFFFFFFFFull ? 4294967295u : uint32_t(0u - uint32_t(mag));
  } else {
    r = v > 0xFFFFFFFFull ? 4294967295u : uint32_t(v);
  }
  if (end == s.s) return push_num(L, 0);
  while (*end == ' ' || (*end >= '\t' && *end <= '\r')) end++;
  if (size_t(end - s.s) != s.len) return push_num(L, 0);
  return push_num(L, r);
}

int32_t cmd_tostring(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  if (vm_call_meta(L, 1, "__tostring")) return 1;
  char buf[64];
  switch (vm_type(L, 1)) {
    case QM_TNIL: vm_push_string(L, "Nil"); break;
    case QM_TBOOLEAN: vm_push_string(L, vm_to_boolean(L, 1) ? "true" : "false"); break;
    case QM_TNUMBER: {
      int n = vm_number_to_text(vm_to_number(L, 1), buf);
      vm_push_lstring(L, buf, size_t(n));
      break;
    }
    case QM_TSTRING: vm_push_value(L, 1); break;
    case QM_TTABLE: std::snprintf(buf, sizeof buf, "Table: %p", vm_to_pointer(L, 1)); vm_push_string(L, buf); break;
    case QM_TFUNCTION: std::snprintf(buf, sizeof buf, "Function: %p", vm_to_pointer(L, 1)); vm_push_string(L, buf); break;
    case QM_TTHREAD: std::snprintf(buf, sizeof buf, "Thread: %p", vm_to_pointer(L, 1)); vm_push_string(L, buf); break;
    default: std::snprintf(buf, sizeof buf, "UserData: %p", vm_to_pointer(L, 1)); vm_push_string(L, buf); break;
  }
  return 1;
}

int32_t cmd_trimstr(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  Str s = str_arg(L, 1), c = str_arg(L, 2);
  bool right = vm_arg_check_number(L, 3) != 0;
  if (c.len != 1) return ERR_WRONGUSAGE;
  size_t b = 0, e = s.len;
  if (right) {
    while (e > 0 && s.s[e - 1] == c.s[0]) e--;
  } else {
    while (b < e && s.s[b] == c.s[0]) b++;
  }
  return push_str(L, s.s + b, e - b);
}

int32_t cmd_unleftstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1);
  int32_t n = int_arg(L, 2);
  if (n < 0) return ERR_WRONGUSAGE;
  return push_str(L, s.s, s.len - std::min(size_t(n), s.len));
}

int32_t cmd_unrightstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  Str s = str_arg(L, 1);
  int32_t n = int_arg(L, 2);
  if (n < 0) return ERR_WRONGUSAGE;
  size_t k = std::min(size_t(n), s.len);
  return push_str(L, s.s + k, s.len - k);
}

int32_t cmd_unmidstr(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  Str s = str_arg(L, 1);
  int32_t pos = int_arg(L, 2), len = int_arg(L, 3);
  if (pos < 0 || len < 0) return ERR_WRONGUSAGE;
  size_t p = std::min(size_t(pos), s.len);
  size_t k = std::min(size_t(len), s.len - p);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  vm_strbuf_add_lstring(&B, s.s, p);
  vm_strbuf_add_lstring(&B, s.s + p + k, s.len - p - k);
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_val(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  Str s = str_arg(L, 1);
  double v = 0;
  size_t used = 0;
  if (parse_option_number(s.s, &v, &used) != 0) v = 0, used = 0;
  vm_push_number(L, v);
  vm_push_number(L, double(used));
  return 2;
}

// ---- FormatStr ----

// Formats with the C locale whatever the process locale is, so number texts never change with
// the user's settings.
class CLocale {
 public:
  CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    old_ = uselocale(c);
  }
  ~CLocale() { uselocale(old_); }

 private:
  locale_t old_;
};

void add_quoted(qmStrBuf* B, const char* s, size_t len) {
  vm_strbuf_add_lstring(B, "\"", 1);
  for (size_t i = 0; i < len; i++) {
    char c = s[i];
    if (c == '"' || c == '\\' || c == '\n') {
      vm_strbuf_add_lstring(B, "\\", 1);
      vm_strbuf_add_lstring(B, &c, 1);
    } else if (c == '\0') {
      vm_strbuf_add_lstring(B, "\\000", 4);
    } else {
      vm_strbuf_add_lstring(B, &c, 1);
    }
  }
  vm_strbuf_add_lstring(B, "\"", 1);
}

int32_t cmd_formatstr(qmState* L) {
  qm::arg_check_count(L, 1, 0);
  Str fmt = str_arg(L, 1);
  int32_t arg = 1;
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  CLocale c_locale;
  const char* p = fmt.s;
  const char* end = fmt.s + fmt.len;
  while (p < end) {
    if (*p != '%') {
      const char* q = static_cast<const char*>(std::memchr(p, '%', size_t(end - p)));
      if (!q) q = end;
      vm_strbuf_add_lstring(&B, p, size_t(q - p));
      p = q;
      continue;
    }
    if (p + 1 < end && p[1] == '%') {
      vm_strbuf_add_lstring(&B, "%", 1);
      p += 2;
      continue;
    }
    // Read the conversion: flags, two width digits, "." and two precision digits.
    const char* spec = p++;
    while (p < end && std::strchr("-+ #0", *p) && *p) p++;
    for (int i = 0; i < 2 && p < end && *p >= '0' && *p <= '9'; i++) p++;
    bool has_point = false;
    if (p < end && *p == '.') {
      has_point = true;
      p++;
      for (int i = 0; i < 2 && p < end && *p >= '0' && *p <= '9'; i++) p++;
    }
    if (p >= end || (*p >= '0' && *p <= '9') || p - spec + 1 > 20) return ERR_WRONGUSAGE;
    char conv = *p++;
    char form[32];
    size_t flen = size_t(p - spec);
    std::memcpy(form, spec, flen);
    form[flen] = '\0';
    char out[512];
    int n = 0;
    arg++;
    switch (conv) {
      case 'e': case 'E': case 'f': case 'g': case 'G':
        n = std::snprintf(out, sizeof out, form, vm_arg_check_number(L, arg));
        break;
      case 'c': {
        int32_t v = qm::to_i32(vm_arg_check_number(L, arg));
        n = std::snprintf(out, sizeof out, form, v);  // a NUL character stays in the text
        break;
      }
      case 'd': case 'i':
        n = std::snprintf(out, sizeof out, form, qm::to_i32(vm_arg_check_number(L, arg)));
        break;
      case 'o': case 'u': case 'x': case 'X':
        n = std::snprintf(out, sizeof out, form, vm_arg_check_integer(L, arg));
        break;
      case 's': {
        Str s = str_arg(L, arg);
        if (!has_point && s.len >= 100) {
          vm_strbuf_add_lstring(&B, s.s, s.len);
          continue;
        }
        n = std::snprintf(out, sizeof out, form, s.s);
        break;
      }
      case 'q': {
        Str s = str_arg(L, arg);
        add_quoted(&B, s.s, s.len);
        continue;
      }
      default:
        return ERR_WRONGUSAGE;
    }
    if (n > 0) vm_strbuf_add_lstring(&B, out, std::min(size_t(n), sizeof out - 1));
  }
  vm_strbuf_push_result(&B);
  return 1;
}

// ---- Eval ----

bool valid_variable_name(const char* s, size_t len) {
  if (len == 0 || len > 64) return false;
  unsigned char c0 = static_cast<unsigned char>(s[0]);
  if (!qm::char_is_alpha(c0) && c0 != '_') return false;
  for (size_t i = 0; i < len; i++) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (!qm::char_is_alnum(c) && c != '_' && c != '$' && c != '!') return false;
  }
  return true;
}

int32_t cmd_eval(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  Str expr = str_arg(L, 1);
  std::vector<qmEvalVariable> vars;
  if (vm_get_top(L) >= 2) {
    vm_arg_check_table(L, 2);
    vm_push_string(L, "variables");
    vm_get_table(L, 2);
    if (vm_type(L, -1) == QM_TTABLE) {
      int32_t list = vm_get_top(L);
      for (int32_t i = 0;; i++) {
        vm_raw_geti(L, list, i);
        if (vm_type(L, -1) == QM_TNIL) {
          vm_set_top(L, -2);
          break;
        }
        if (vm_type(L, -1) != QM_TTABLE) return ERR_WRONGUSAGE;
        int32_t entry = vm_get_top(L);
        vm_push_string(L, "name");
        vm_get_table(L, entry);
        if (vm_type(L, -1) == QM_TNIL) return ERR_WRONGUSAGE;
        size_t nlen = 0;
        const char* name = vm_arg_check_string_field(L, -1, &nlen, "name");
        if (!valid_variable_name(name, nlen)) return ERR_WRONGUSAGE;
        qmEvalVariable v{std::string(name, nlen), 0};
        vm_push_string(L, "value");
        vm_get_table(L, entry);
        if (vm_type(L, -1) != QM_TNIL) v.value = vm_arg_check_number_field(L, -1, "value");
        vars.push_back(std::move(v));
        vm_set_top(L, entry - 1);
      }
    }
    vm_set_top(L, -2);
  }
  double result = 0;
  int32_t err = eval_expression(expr.s, vars, &result);
  if (err) return err;
  return push_num(L, result);
}

// ---- pattern commands ----

int32_t pattern_iterate(qmState* L) {
  size_t slen = 0, plen = 0;
  const char* s = vm_to_string(L, vm_upvalue_index(1));
  slen = vm_string_length(L, vm_upvalue_index(1));
  const char* p = vm_to_string(L, vm_upvalue_index(2));
  plen = vm_string_length(L, vm_upvalue_index(2));
  double start = vm_to_number(L, vm_upvalue_index(3));
  qmPatternMatch ms;
  pattern_begin(&ms, L, s, slen, p, plen);
  for (const char* src = s + size_t(start); src <= ms.src_end; src++) {
    const char* e = pattern_match(&ms, src, p);
    if (e) {
      size_t next = size_t(e - s);
      if (e == src) next++;  // an empty match moves on by one
      vm_push_number(L, double(next));
      vm_replace(L, vm_upvalue_index(3));
      return pattern_push_captures(&ms, src, e);
    }
  }
  return 0;
}

int32_t cmd_patternfindstr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  str_arg(L, 1);
  str_arg(L, 2);
  vm_set_top(L, 2);
  vm_push_number(L, 0);
  vm_push_cclosure(L, pattern_iterate, 3);
  return 1;
}

void add_replacement(qmPatternMatch* ms, qmStrBuf* B, const char* s, const char* e, int32_t repl) {
  qmState* L = ms->L;
  int32_t type = vm_type(L, repl);
  if (type == QM_TSTRING || type == QM_TNUMBER) {
    size_t len = 0;
    const char* r = vm_to_string(L, repl);
    len = vm_string_length(L, repl);
    for (size_t i = 0; i < len; i++) {
      if (r[i] != '%' || i + 1 >= len) {
        vm_strbuf_add_lstring(B, r + i, 1);
        continue;
      }
      i++;
      if (r[i] >= '1' && r[i] <= '9') {
        pattern_push_capture(ms, r[i] - '1', s, e);
        vm_strbuf_add_value(B);
      } else {
        vm_strbuf_add_lstring(B, r + i, 1);
      }
    }
    return;
  }
  // A function: called with the captures; a string or number result is appended.
  vm_push_value(L, repl);
  int32_t n = pattern_push_captures(ms, s, e);
  vm_call(L, n, 1);
  int32_t t = vm_type(L, -1);
  if (t == QM_TSTRING || t == QM_TNUMBER)
    vm_strbuf_add_value(B);
  else
    vm_set_top(L, -2);
}

int32_t cmd_patternreplacestr(qmState* L) {
  qm::arg_check_count(L, 3, 4);
  Str src = str_arg(L, 1);
  Str pat = str_arg(L, 2);
  int32_t t = vm_type(L, 3);
  if (t != QM_TSTRING && t != QM_TNUMBER && t != QM_TFUNCTION) return ERR_WRONGUSAGE;
  int32_t max = opt_int_arg(L, 4, int32_t(std::min<size_t>(src.len + 1, 0x7FFFFFFF)));
  // The buffer's pieces sit on top of the stack; keep the arguments below them fixed.
  vm_set_top(L, 4);
  const char* p = pat.s;
  size_t plen = pat.len;
  bool anchor = plen > 0 && *p == '^';
  if (anchor) {
    p++;
    plen--;
  }
  qmPatternMatch ms;
  pattern_begin(&ms, L, src.s, src.len, p, plen);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  const char* s = src.s;
  int32_t count = 0;
  while (count < max) {
    const char* e = pattern_match(&ms, s, p);
    if (e) {
      count++;
      add_replacement(&ms, &B, s, e, 3);
    }
    if (e && e > s) {
      s = e;
    } else if (s < ms.src_end) {
      vm_strbuf_add_lstring(&B, s++, 1);
    } else {
      break;
    }
    if (anchor) break;
  }
  vm_strbuf_add_lstring(&B, s, size_t(ms.src_end - s));
  vm_strbuf_push_result(&B);
  vm_push_number(L, count);
  return 2;
}

const qmCommand kStringCommands[] = {
    {"AddStr", cmd_addstr},
    {"Asc", cmd_asc},
    {"BinStr", cmd_binstr},
    {"Chr", cmd_chr},
    {"CountStr", cmd_countstr},
    {"CRC32Str", cmd_crc32str},
    {"Eval", cmd_eval},
    {"FindStr", cmd_findstr},
    {"FormatStr", cmd_formatstr},
    {"HexStr", cmd_hexstr},
    {"InsertStr", cmd_insertstr},
    {"LeftStr", cmd_leftstr},
    {"LowerStr", cmd_case<false>},
    {"MD5Str", cmd_md5str},
    {"MidStr", cmd_midstr},
    {"PadNum", cmd_padnum},
    {"PatternFindStr", cmd_patternfindstr},
    {"PatternReplaceStr", cmd_patternreplacestr},
    {"RepeatStr", cmd_repeatstr},
    {"ReplaceStr", cmd_replacestr},
    {"RightStr", cmd_rightstr},
    {"SplitStr", cmd_splitstr},
    {"StrLen", cmd_strlen},
    {"StrStr", cmd_strstr},
    {"StrToArray", cmd_strtoarray},
    {"ToNumber", cmd_tonumber},
    {"ToString", cmd_tostring},
    {"TrimStr", cmd_trimstr},
    {"UnleftStr", cmd_unleftstr},
    {"UnmidStr", cmd_unmidstr},
    {"UnrightStr", cmd_unrightstr},
    {"UpperStr", cmd_case<true>},
    {"Val", cmd_val},
    {nullptr, nullptr},
};

}  // namespace

int32_t string_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, kStringCommands, 0);
  vm_set_top(L, 0);
  return qm::library_register_name(kStringCommands, "string");
}
