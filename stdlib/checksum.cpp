#include "stdlib/checksum.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace qm {

namespace {

constexpr std::array<uint32_t, 256> make_crc_table() {
  std::array<uint32_t, 256> t{};
  for (uint32_t n = 0; n < 256; n++) {
    uint32_t c = n;
    for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[n] = c;
  }
  return t;
}

constexpr std::array<uint32_t, 256> kCrcTable = make_crc_table();

}  // namespace

const uint32_t* crc32_table() { return kCrcTable.data(); }

uint32_t crc32_update(uint32_t crc, const uint8_t* data, size_t len) {
  if (len == 0) return crc;
  uint32_t c = crc ^ 0xFFFFFFFFu;
  for (size_t i = 0; i < len; i++) c = kCrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

// ---- MD5 ----

namespace {

inline uint32_t rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

constexpr uint32_t kMD5K[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
// The 64 steps written out: constant shifts and message indices let the compiler keep every word
// in a register, which the table-driven loop could not.
#define QM_MD5_STEP(f, a, b, c, d, x, k, s) \
  a += f(b, c, d) + (x) + (k);              \
  a = rotl(a, s) + b
inline uint32_t md5_f(uint32_t x, uint32_t y, uint32_t z) { return z ^ (x & (y ^ z)); }
inline uint32_t md5_g(uint32_t x, uint32_t y, uint32_t z) { return y ^ (z & (x ^ y)); }
inline uint32_t md5_h(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
inline uint32_t md5_i(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

void md5_transform(uint32_t state[4], const uint8_t block[64]) {
  uint32_t m[16];
  for (int i = 0; i < 16; i++) {
    const uint8_t* p = block + 4 * i;
    m[i] = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  }
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  const uint32_t* K = kMD5K;
  QM_MD5_STEP(md5_f, a, b, c, d, m[0], K[0], 7);   QM_MD5_STEP(md5_f, d, a, b, c, m[1], K[1], 12);
  QM_MD5_STEP(md5_f, c, d, a, b, m[2], K[2], 17);  QM_MD5_STEP(md5_f, b, c, d, a, m[3], K[3], 22);
  QM_MD5_STEP(md5_f, a, b, c, d, m[4], K[4], 7);   QM_MD5_STEP(md5_f, d, a, b, c, m[5], K[5], 12);
  QM_MD5_STEP(md5_f, c, d, a, b, m[6], K[6], 17);  QM_MD5_STEP(md5_f, b, c, d, a, m[7], K[7], 22);
  QM_MD5_STEP(md5_f, a, b, c, d, m[8], K[8], 7);   QM_MD5_STEP(md5_f, d, a, b, c, m[9], K[9], 12);
  QM_MD5_STEP(md5_f, c, d, a, b, m[10], K[10], 17); QM_MD5_STEP(md5_f, b, c, d, a, m[11], K[11], 22);
  QM_MD5_STEP(md5_f, a, b, c, d, m[12], K[12], 7);  QM_MD5_STEP(md5_f, d, a, b, c, m[13], K[13], 12);
  QM_MD5_STEP(md5_f, c, d, a, b, m[14], K[14], 17); QM_MD5_STEP(md5_f, b, c, d, a, m[15], K[15], 22);
  QM_MD5_STEP(md5_g, a, b, c, d, m[1], K[16], 5);   QM_MD5_STEP(md5_g, d, a, b, c, m[6], K[17], 9);
  QM_MD5_STEP(md5_g, c, d, a, b, m[11], K[18], 14); QM_MD5_STEP(md5_g, b, c, d, a, m[0], K[19], 20);
  QM_MD5_STEP(md5_g, a, b, c, d, m[5], K[20], 5);   QM_MD5_STEP(md5_g, d, a, b, c, m[10], K[21], 9);
  QM_MD5_STEP(md5_g, c, d, a, b, m[15], K[22], 14); QM_MD5_STEP(md5_g, b, c, d, a, m[4], K[23], 20);
  QM_MD5_STEP(md5_g, a, b, c, d, m[9], K[24], 5);   QM_MD5_STEP(md5_g, d, a, b, c, m[14], K[25], 9);
  QM_MD5_STEP(md5_g, c, d, a, b, m[3], K[26], 14);  QM_MD5_STEP(md5_g, b, c, d, a, m[8], K[27], 20);
  QM_MD5_STEP(md5_g, a, b, c, d, m[13], K[28], 5);  QM_MD5_STEP(md5_g, d, a, b, c, m[2], K[29], 9);
  QM_MD5_STEP(md5_g, c, d, a, b, m[7], K[30], 14);  QM_MD5_STEP(md5_g, b, c, d, a, m[12], K[31], 20);
  QM_MD5_STEP(md5_h, a, b, c, d, m[5], K[32], 4);   QM_MD5_STEP(md5_h, d, a, b, c, m[8], K[33], 11);
  QM_MD5_STEP(md5_h, c, d, a, b, m[11], K[34], 16); QM_MD5_STEP(md5_h, b, c, d, a, m[14], K[35], 23);
  QM_MD5_STEP(md5_h, a, b, c, d, m[1], K[36], 4);   QM_MD5_STEP(md5_h, d, a, b, c, m[4], K[37], 11);
  QM_MD5_STEP(md5_h, c, d, a, b, m[7], K[38], 16);  QM_MD5_STEP(md5_h, b, c, d, a, m[10], K[39], 23);
  QM_MD5_STEP(md5_h, a, b, c, d, m[13], K[40], 4);  QM_MD5_STEP(md5_h, d, a, b, c, m[0], K[41], 11);
  QM_MD5_STEP(md5_h, c, d, a, b, m[3], K[42], 16);  QM_MD5_STEP(md5_h, b, c, d, a, m[6], K[43], 23);
  QM_MD5_STEP(md5_h, a, b, c, d, m[9], K[44], 4);   QM_MD5_STEP(md5_h, d, a, b, c, m[12], K[45], 11);
  QM_MD5_STEP(md5_h, c, d, a, b, m[15], K[46], 16); QM_MD5_STEP(md5_h, b, c, d, a, m[2], K[47], 23);
  QM_MD5_STEP(md5_i, a, b, c, d, m[0], K[48], 6);   QM_MD5_STEP(md5_i, d, a, b, c, m[7], K[49], 10);
  QM_MD5_STEP(md5_i, c, d, a, b, m[14], K[50], 15); QM_MD5_STEP(md5_i, b, c, d, a, m[5], K[51], 21);
  QM_MD5_STEP(md5_i, a, b, c, d, m[12], K[52], 6);  QM_MD5_STEP(md5_i, d, a, b, c, m[3], K[53], 10);
  QM_MD5_STEP(md5_i, c, d, a, b, m[10], K[54], 15); QM_MD5_STEP(md5_i, b, c, d, a, m[1], K[55], 21);
  QM_MD5_STEP(md5_i, a, b, c, d, m[8], K[56], 6);   QM_MD5_STEP(md5_i, d, a, b, c, m[15], K[57], 10);
  QM_MD5_STEP(md5_i, c, d, a, b, m[6], K[58], 15);  QM_MD5_STEP(md5_i, b, c, d, a, m[13], K[59], 21);
  QM_MD5_STEP(md5_i, a, b, c, d, m[4], K[60], 6);   QM_MD5_STEP(md5_i, d, a, b, c, m[11], K[61], 10);
  QM_MD5_STEP(md5_i, c, d, a, b, m[2], K[62], 15);  QM_MD5_STEP(md5_i, b, c, d, a, m[9], K[63], 21);
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}
#undef QM_MD5_STEP

}  // namespace

void md5_init(qmMD5* ctx) {
  ctx->count[0] = ctx->count[1] = 0;
  ctx->state[0] = 0x67452301u;
  ctx->state[1] = 0xefcdab89u;
  ctx->state[2] = 0x98badcfeu;
  ctx->state[3] = 0x10325476u;
}

void md5_update(qmMD5* ctx, const uint8_t* data, size_t len) {
  if (len == 0) return;
  size_t have = (ctx->count[0] >> 3) & 63;
  uint64_t bits = (uint64_t(ctx->count[1]) << 32 | ctx->count[0]) + (uint64_t(len) << 3);
  ctx->count[0] = uint32_t(bits);
  ctx->count[1] = uint32_t(bits >> 32);
  size_t i = 0;
  if (have) {
    size_t need = 64 - have;
    if (len < need) {
      std::memcpy(ctx->buffer + have, data, len);
      return;
    }
    std::memcpy(ctx->buffer + have, data, need);
    md5_transform(ctx->state, ctx->buffer);
    i = need;
  }
  for (; i + 64 <= len; i += 64) md5_transform(ctx->state, data + i);
  std::memcpy(ctx->buffer, data + i, len - i);
}

void md5_final(qmMD5* ctx, uint8_t out[16]) {
  uint8_t bits[8];
  for (int i = 0; i < 4; i++) {
    bits[i] = uint8_t(ctx->count[0] >> (8 * i));
    bits[4 + i] = uint8_t(ctx->count[1] >> (8 * i));
  }
  static const uint8_t fill[64] = {0x80};
  size_t have = (ctx->count[0] >> 3) & 63;
  md5_update(ctx, fill, have < 56 ? 56 - have : 120 - have);
  md5_update(ctx, bits, 8);
  for (int i = 0; i < 4; i++)
    for (int k = 0; k < 4; k++) out[4 * i + k] = uint8_t(ctx->state[i] >> (8 * k));
}

void md5_hex(const uint8_t digest[16], char out[33]) {
  static const char hex[] = "0123456789abcdef";
  for (int i = 0; i < 16; i++) {
    out[2 * i] = hex[digest[i] >> 4];
    out[2 * i + 1] = hex[digest[i] & 15];
  }
  out[32] = '\0';
}

// ---- Wildcard patterns ----

namespace {

// Longer pattern lists are refused (no match), as is a class without its closing "]".
constexpr size_t kPatternListMax = 1048;

// Matches one class starting after "["; returns the pattern position after "]" or nullptr when the
// class has no closing bracket. *hit tells whether c is a member (after negation).
const unsigned char* match_class(const unsigned char* p, unsigned char c, bool* hit) {
  bool negate = false;
  if (*p == '!') {
    negate = true;
    p++;
  }
  bool member = false;
  bool first = true;
  while (*p && (first || *p != ']')) {
    unsigned char lo = *p;
    if (p[1] == '-' && p[2] && p[2] != ']' && lo < p[2]) {
      if (c >= lo && c <= p[2]) member = true;
      p += 3;
    } else {
      if (c == lo) member = true;
      p++;
    }
    first = false;
  }
  if (*p != ']') return nullptr;
  *hit = member != negate;
  return p + 1;
}

// Every pattern element but "*" consumes exactly one character, so the match needs no recursion:
// on a mismatch the last "*" takes one more character and the rest is tried again. That gives the
// same answers as trying every position for every star, in O(pattern x string) time and constant
// stack, whatever a program passes in.
int match_here(const unsigned char* p, const unsigned char* s) {
  const unsigned char* star_p = nullptr;
  const unsigned char* star_s = nullptr;
  while (*s) {
    if (*p == '*') {
      while (*p == '*') p++;
      if (!*p) return 1;
      star_p = p;
      star_s = s;
      continue;
    }
    bool ok;
    const unsigned char* next = p + 1;
    if (*p == '#') {
      ok = *s >= '0' && *s <= '9';
    } else if (*p == '?') {
      ok = true;
    } else if (*p == '[') {
      next = match_class(p + 1, *s, &ok);
      if (!next) return 0;
    } else {
      ok = *p && *p == *s;
    }
    if (ok) {
      p = next;
      s++;
    } else if (star_p) {
      p = star_p;
      s = ++star_s;
    } else {
      return 0;
    }
  }
  while (*p == '*') p++;
  return *p == 0;
}

}  // namespace

int match_pattern(const char* pattern, const char* str) {
  return match_here(reinterpret_cast<const unsigned char*>(pattern),
                    reinterpret_cast<const unsigned char*>(str));
}

int match_pattern_list(const char* patterns, const char* str) {
  size_t n = std::strlen(patterns);
  if (n + 2 > kPatternListMax) return 0;
  char buf[kPatternListMax];
  std::memcpy(buf, patterns, n);
  buf[n] = buf[n + 1] = '\0';
  for (size_t i = 0; i < n; i++)
    if (buf[i] == ';') buf[i] = '\0';
  for (const char* p = buf; *p; p += std::strlen(p) + 1)
    if (match_pattern(p, str)) return 1;
  return 0;
}

}  // namespace qm
