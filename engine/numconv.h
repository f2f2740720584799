// Number conversions shared by the whole player. Script numbers are doubles; every place that
// needs an integer goes through these helpers so that NaN, infinities and out-of-range values
// have one defined result instead of undefined behaviour.
#pragma once

#include <emmintrin.h>

#include <cmath>
#include <cstdint>

namespace qm {

// Truncates toward zero to a signed 32-bit integer. NaN and values outside the int32 range give
// INT32_MIN (the bit pattern 0x80000000), as the original 32-bit conversion instruction did.
inline int32_t to_i32(double d) {
  if (!(d > -2147483649.0 && d < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(d);
}

// Truncates toward zero like to_i32, but saturates at the int32 range and gives 0 for NaN: for
// geometry, where a result beyond the range only has to stay beyond everything shown.
inline int32_t to_i32_sat(double d) {
  if (!(d == d)) return 0;
  if (d <= -2147483648.0) return INT32_MIN;
  if (d >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(d);
}

// A 64-bit sum or product saturated at the int32 range.
inline int32_t sat_i32(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

// Saturating unsigned conversion: NaN and negative values give 0, values at or above 2^32 - 1
// give 4294967295, the rest truncates toward zero.
inline uint32_t to_u32_sat(double d) {
  if (!(d > 0.0)) return 0;
  if (d >= 4294967295.0) return 4294967295u;
  return static_cast<uint32_t>(d);
}

// The 32-bit operand rule of the bitwise operators and the unsigned argument reader: a negative
// number is truncated to int32 and its two's-complement bits are taken; a non-negative number
// saturates at 4294967295.
inline uint32_t to_u32_bits(double d) {
  if (d < 0.0) return static_cast<uint32_t>(to_i32(d));
  return to_u32_sat(d);
}

// Truncates toward zero to int64; NaN and out-of-range values give INT64_MIN.
inline int64_t to_i64(double d) {
  if (!(d > -9223372036854775808.0 && d < 9223372036854775808.0)) return INT64_MIN;
  return static_cast<int64_t>(d);
}

// to_i64 in one instruction: the processor's truncating conversion gives INT64_MIN for NaN and
// for values out of range, exactly as to_i64 does.
inline int64_t to_i64_fast(double d) { return _mm_cvttsd_si64(_mm_set_sd(d)); }

}  // namespace qm
