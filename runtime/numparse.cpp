#include "runtime/numparse.h"

#include <clocale>
#include <cstdlib>

#include "engine/errcodes.h"

using namespace qm;

namespace {

int digit_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// Unsigned 32-bit digits in base; values beyond 32 bits saturate at 4294967295 as the
// conversion of a 32-bit unsigned long did. Returns the number of digits read.
size_t read_unsigned(const char* p, int base, double* out) {
  uint64_t v = 0;
  size_t n = 0;
  while (digit_value(static_cast<unsigned char>(p[n])) < base) {
    v = v * base + digit_value(static_cast<unsigned char>(p[n]));
    if (v > 0xFFFFFFFFu) v = 0x100000000u;  // sticky: stays saturated
    n++;
  }
  *out = v > 0xFFFFFFFFu ? 4294967295.0 : double(v);
  return n;
}

}  // namespace

int32_t parse_option_number(const char* text, double* value, size_t* used) {
  const char* p = text;
  bool negative = false;
  if (*p == '-') {
    negative = true;
    p++;
  }
  double v = 0;
  if (*p == '$') {
    p++;
    if (*p == '-') {
      negative = !negative;
      p++;
    }
    size_t n = read_unsigned(p, 16, &v);
    if (n == 0) return ERR_SYNTAXERROR;
    p += n;
  } else if (*p == '%') {
    p++;
    p += read_unsigned(p, 2, &v);
  } else if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    p += 2;
    size_t n = read_unsigned(p, 16, &v);
    if (n == 0) return ERR_SYNTAXERROR;
    p += n;
  } else if (*p >= '0' && *p <= '9') {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    v = strtod_l(p, &end, c_locale);
    p = end;
  } else {
    return ERR_VALUEEXPECTED;
  }
  *value = negative ? -v : v;
  *used = size_t(p - text);
  return 0;
}
