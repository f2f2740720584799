#include <cctype>
#include <cmath>
#include <cstdint>
#include <charconv>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/memory.h"
#include "engine/vm.h"
#include "engine/vmstring.h"

uint32_t vm_string_hash(const char* s, size_t len) {
  uint32_t h = static_cast<uint32_t>(len);
  size_t step = (len >> 5) + 1;
  for (size_t l = len; l >= step; l -= step)
    h = h ^ ((h >> 2) + (h << 5) + static_cast<unsigned char>(s[l - 1]));
  return h;
}

void vm_string_table_resize(qmState* L, int32_t newsize) {
  qmStringTable* tb = &L->g->strt;
  qmGCObject** newhash = vm_new_array<qmGCObject*>(L, static_cast<size_t>(newsize));
  for (int32_t i = 0; i < newsize; i++) newhash[i] = nullptr;
  for (int32_t i = 0; i < tb->size; i++) {
    qmGCObject* p = tb->hash[i];
    while (p) {
      qmGCObject* next = p->next;
      uint32_t h = static_cast<qmTString*>(p)->hash;
      int32_t slot = static_cast<int32_t>(h & static_cast<uint32_t>(newsize - 1));
      p->next = newhash[slot];
      newhash[slot] = p;
      p = next;
    }
  }
  vm_free_array(L, tb->hash, static_cast<size_t>(tb->size));
  tb->size = newsize;
  tb->hash = newhash;
}

qmTString* vm_find_interned(qmState* L, const char* s, size_t len) {
  uint32_t h = vm_string_hash(s, len);
  qmStringTable* tb = &L->g->strt;
  for (qmGCObject* o = tb->hash[h & static_cast<uint32_t>(tb->size - 1)]; o; o = o->next) {
    qmTString* ts = static_cast<qmTString*>(o);
    if (ts->len == len && std::memcmp(s, ts->data(), len) == 0) return ts;
  }
  return nullptr;
}

namespace {

// Links a new string into the table's chain for its hash.
void string_link(qmState* L, qmTString* ts) {
  qmStringTable* tb = &L->g->strt;
  uint32_t slot = ts->hash & static_cast<uint32_t>(tb->size - 1);
  ts->next = tb->hash[slot];
  tb->hash[slot] = ts;
  tb->nuse++;
  if (tb->nuse > static_cast<uint32_t>(tb->size) && tb->size < 1073741823)
    vm_string_table_resize(L, tb->size * 2);
}

void string_header(qmTString* ts, uint32_t h, size_t len) {
  ts->tt = QM_TSTRING;
  ts->marked = 0;
  ts->reserved = 0;
  ts->hash = h;
  ts->len = static_cast<uint32_t>(len);
  ts->data()[len] = '\0';
}

}  // namespace

qmTString* vm_new_string(qmState* L, const char* s, size_t len) {
  uint32_t h = vm_string_hash(s, len);
  qmStringTable* tb = &L->g->strt;
  for (qmGCObject* o = tb->hash[h & static_cast<uint32_t>(tb->size - 1)]; o; o = o->next) {
    qmTString* ts = static_cast<qmTString*>(o);
    if (ts->len == len && std::memcmp(s, ts->data(), len) == 0) return ts;
  }
  if (len > 4294967292u - sizeof(qmTString)) vm_realloc(L, nullptr, 0, 4294967293u);  // raises 1000
  qmTString* ts = static_cast<qmTString*>(vm_malloc(L, vm_string_size(static_cast<uint32_t>(len))));
  if (len) std::memcpy(ts->data(), s, len);
  string_header(ts, h, len);
  string_link(L, ts);
  return ts;
}

namespace {

qmTString* storage_string(char* data) { return reinterpret_cast<qmTString*>(data) - 1; }

}  // namespace

bool vm_storage_reserve(qmState* L, qmStringStorage* s, size_t capacity) {
  if (capacity <= s->capacity) return true;
  if (capacity > 4294967292u - sizeof(qmTString) - 1) return false;
  void* old = s->data ? storage_string(s->data) : nullptr;
  const size_t old_size = s->data ? vm_string_size(static_cast<uint32_t>(s->capacity)) : 0;
  void* p = vm_try_realloc(L, old, old_size, vm_string_size(static_cast<uint32_t>(capacity)));
  if (!p) return false;
  s->data = static_cast<qmTString*>(p)->data();
  s->capacity = capacity;
  return true;
}

void vm_storage_free(qmState* L, qmStringStorage* s) {
  if (s->data) vm_free(L, storage_string(s->data), vm_string_size(static_cast<uint32_t>(s->capacity)));
  *s = qmStringStorage{};
}

qmTString* vm_string_from_storage(qmState* L, qmStringStorage* s) {
  if (!s->data) return vm_new_string(L, "", 0);
  const size_t len = s->size;
  if (qmTString* same = vm_find_interned(L, s->data, len)) {
    vm_storage_free(L, s);
    return same;
  }
  void* block = storage_string(s->data);
  if (len != s->capacity) {
    // Shrinking in place, or into the pool for a short string.
    void* p = vm_try_realloc(L, block, vm_string_size(static_cast<uint32_t>(s->capacity)),
                             vm_string_size(static_cast<uint32_t>(len)));
    if (!p) {
      vm_storage_free(L, s);
      vm_throw(L, qm::ERR_MEM);
    }
    block = p;
  }
  *s = qmStringStorage{};
  auto* ts = static_cast<qmTString*>(block);
  string_header(ts, vm_string_hash(ts->data(), len), len);
  string_link(L, ts);
  return ts;
}

qmTString* vm_new_string_filled(qmState* L, size_t len, size_t (*fill)(char* dest, size_t len, void* ctx),
                                void* ctx) {
  qmStringStorage s;
  if (!vm_storage_reserve(L, &s, std::max<size_t>(len, 1))) return nullptr;
  s.size = std::min(fill(s.data, len, ctx), len);
  return vm_string_from_storage(L, &s);
}

qmTString* vm_new_cstring(qmState* L, const char* s) { return vm_new_string(L, s, std::strlen(s)); }

void vm_string_free(qmState* L, qmTString* ts) {
  L->g->strt.nuse--;
  vm_free(L, ts, vm_string_size(ts->len));
}

namespace {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// strtod honours LC_NUMERIC; number text never depends on the locale, so parse in "C".
locale_t c_locale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
  return loc;
}

}  // namespace

bool vm_str_to_number(const char* s, double* result) {
  if (*s == '\0') return false;
  const char* p;
  if (s[0] == '$' || (s[0] == '0' && s[1] == 'x' && s[2] != '\0')) {
    p = s + (s[0] == '$' ? 1 : 2);
    uint64_t v = 0;
    const char* digits = p;
    int d;
    while ((d = hex_digit(*p)) >= 0) {
      v = v * 16 + static_cast<uint64_t>(d);
      if (v > 4294967295u) v = 4294967296u;  // keeps saturating without overflow
      p++;
    }
    if (p == digits) return false;
    *result = static_cast<double>(v > 4294967295u ? 4294967295u : v);
  } else {
    char* end;
    double d = strtod_l(s, &end, c_locale());
    if (end == s) return false;
    p = end;
    *result = d;
  }
  while (is_space(*p)) p++;
  return *p == '\0';
}

// std::to_chars with a precision formats exactly as printf's "%.14g" in the C locale, whatever
// the process locale is, and without switching locales per call. Whole numbers below 1e14 in
// magnitude print as "%.14g" prints them, all their digits and no exponent; they are the common
// case (counters, indices in concatenated keys) and take the short way.
int vm_number_to_text(double n, char* buf) {
  if (n > -1e14 && n < 1e14) {
    int64_t whole = static_cast<int64_t>(n);  // in range, so the conversion is defined
    if (static_cast<double>(whole) == n && (whole != 0 || !std::signbit(n))) {
      char digits[16];
      int count = 0;
      uint64_t u = whole < 0 ? uint64_t(-whole) : uint64_t(whole);
      do {
        digits[count++] = char('0' + u % 10);
        u /= 10;
      } while (u != 0);
      int len = 0;
      if (whole < 0) buf[len++] = '-';
      while (count > 0) buf[len++] = digits[--count];
      buf[len] = '\0';
      return len;
    }
  }
  std::to_chars_result r = std::to_chars(buf, buf + 31, n, std::chars_format::general, 14);
  *r.ptr = '\0';
  return static_cast<int>(r.ptr - buf);
}
