// The "math" library: number commands on the engine's doubles, 32-bit bit operations with
// rotations and casts, and random numbers from drand48.
#include <cmath>
#include <cstdint>
#include <ctime>
#include <cstdlib>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/random.h"
#include "runtime/registry.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace {

// Integer types of Ror, Rol and Cast, as the system library's constants name them.
constexpr int32_t kTypeInteger = 1;
constexpr int32_t kTypeShort = 6;
constexpr int32_t kTypeByte = 7;

constexpr double kDegToRad = 0.017453292519943295;

double num(qmState* L, int32_t n) { return vm_arg_check_number(L, n); }
uint32_t u32(qmState* L, int32_t n) { return vm_arg_check_integer(L, n); }
int32_t i32(qmState* L, int32_t n) { return qm::to_i32(vm_arg_check_number(L, n)); }

int32_t push(qmState* L, double v) {
  vm_push_number(L, v);
  return 1;
}

// One-argument commands that map a double to a double.
template <double (*F)(double)>
int32_t unary(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  return push(L, F(num(L, 1)));
}

template <double (*F)(double, double)>
int32_t binary(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  return push(L, F(num(L, 1), num(L, 2)));
}

double f_abs(double x) { return std::fabs(x); }
double f_sin(double x) { return std::sin(x); }
double f_cos(double x) { return std::cos(x); }
double f_tan(double x) { return std::tan(x); }
double f_asin(double x) { return std::asin(x); }
double f_acos(double x) { return std::acos(x); }
double f_atan(double x) { return std::atan(x); }
double f_ceil(double x) { return std::ceil(x); }
double f_floor(double x) { return std::floor(x); }
double f_sqrt(double x) { return std::sqrt(x); }
double f_ld(double x) { return std::log10(x) / std::log10(2.0); }
double f_ln(double x) { return std::log(x); }
double f_exp(double x) { return std::exp(x); }
double f_deg(double x) { return x / kDegToRad; }
double f_rad(double x) { return x * kDegToRad; }
double f_int(double x) { return qm::to_i32(x); }
// lrint to a 32-bit long: the processor's rounding mode, out-of-range values give INT32_MIN.
double f_round(double x) { return qm::to_i32(std::nearbyint(x)); }
double f_frac(double x) {
  double ip;
  return std::modf(x, &ip);
}
double f_sgn(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }
double f_atan2(double y, double x) { return std::atan2(y, x); }
double f_pow(double x, double y) { return std::pow(x, y); }
double f_log(double x, double base) { return std::log10(x) / std::log10(base); }
double f_add(double a, double b) { return a + b; }
double f_sub(double a, double b) { return a - b; }
double f_mul(double a, double b) { return a * b; }
double f_hypot(double x, double y) { return std::hypot(x, y); }

int32_t cmd_mod(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  double x = num(L, 1), y = num(L, 2);
  if (y == 0) return ERR_ZERODIVISION;
  return push(L, std::fmod(x, y));
}

int32_t cmd_div(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  double a = num(L, 1), b = num(L, 2);
  if (b == 0) return ERR_ZERODIVISION;
  return push(L, a / b);
}

int32_t cmd_rt(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  double x = num(L, 1), n = num(L, 2);
  if (n == 0) return ERR_ZERODIVISION;
  if (n < 0) return ERR_WRONGUSAGE;
  return push(L, std::pow(x, 1.0 / n));
}

// Left to right; a later argument replaces the current one only when strictly smaller (larger),
// so a NaN after the first is passed over.
template <bool Max>
int32_t minmax(qmState* L) {
  qm::arg_check_count(L, 2, 0);
  int32_t n = vm_get_top(L);
  double best = num(L, 1);
  for (int32_t i = 2; i <= n; i++) {
    double v = num(L, i);
    if (Max ? v > best : v < best) best = v;
  }
  return push(L, best);
}

int32_t cmd_frexp(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int e = 0;
  double m = std::frexp(num(L, 1), &e);
  vm_push_number(L, m);
  vm_push_number(L, e);
  return 2;
}

int32_t cmd_ldexp(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  double m = num(L, 1);
  return push(L, std::ldexp(m, i32(L, 2)));
}

int32_t cmd_wrap(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  double x = num(L, 1), low = num(L, 2), high = num(L, 3);
  if (low > x) return push(L, x - low + high);
  if (x >= high) return push(L, x - high + low);
  return push(L, x);
}

int32_t cmd_limit(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  double x = num(L, 1), low = num(L, 2), high = num(L, 3);
  if (x < low) return push(L, low);
  if (high < x) return push(L, high);
  return push(L, x);
}

int32_t cmd_rnd(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int32_t n = i32(L, 1);
  if (n == 0) return ERR_ZERODIVISION;
  if (n < 0) return ERR_WRONGUSAGE;
  return push(L, qm::to_i32(n * drand48()));
}

int32_t cmd_rndf(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  return push(L, drand48());
}

int32_t cmd_shl(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  uint32_t v = u32(L, 1);
  return push(L, v << (uint32_t(i32(L, 2)) & 31));
}

int32_t cmd_shr(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  uint32_t v = u32(L, 1);
  return push(L, v >> (uint32_t(i32(L, 2)) & 31));
}

int32_t cmd_sar(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  int32_t v = static_cast<int32_t>(u32(L, 1));
  return push(L, v >> (uint32_t(i32(L, 2)) & 31));
}

// Bit commands share the bit-number check.
enum class BitOp { Set, Clear, Test };
template <BitOp Op>
int32_t bitop(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  uint32_t v = u32(L, 1);
  int32_t bit = i32(L, 2);
  if (bit < 0 || bit > 31) return ERR_WRONGUSAGE;
  uint32_t m = 1u << bit;
  if (Op == BitOp::Set) return push(L, v | m);
  if (Op == BitOp::Clear) return push(L, v & ~m);
  return push(L, (v & m) ? 1 : 0);
}

int32_t cmd_bitxor(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  uint32_t a = u32(L, 1);
  return push(L, a ^ u32(L, 2));
}

int32_t cmd_bitcomplement(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  return push(L, ~u32(L, 1));
}

// Rotation within the type's width; the count is taken to its low 8 bits and every shift is done
// modulo 32 in unsigned arithmetic, so counts beyond the width give the same bits as the original.
bool rotate(uint32_t v, uint32_t n, int32_t type, bool right, uint32_t* out) {
  auto shl = [](uint32_t x, uint32_t s) { return x << (s & 31); };
  auto shr = [](uint32_t x, uint32_t s) { return x >> (s & 31); };
  n &= 0xFF;
  if (type == kTypeInteger) {
    *out = right ? (shr(v, n) | shl(v, 32 - n)) : (shl(v, n) | shr(v, 32 - n));
  } else if (type == kTypeShort) {
    uint32_t w = v & 0xFFFF;
    *out = right ? (shr(w, n) | (shl(w, 16 - n) & 0xFFFF)) : ((shl(w, n) | shr(w, 16 - n)) & 0xFFFF);
  } else if (type == kTypeByte) {
    uint32_t b = v & 0xFF;
    *out = (right ? (shr(b, n) | shl(b, 8 - n)) : (shl(b, n) | shr(b, 8 - n))) & 0xFF;
  } else {
    return false;
  }
  return true;
}

template <bool Right>
int32_t cmd_rotate(qmState* L) {
  qm::arg_check_count(L, 2, 3);
  uint32_t v = u32(L, 1);
  uint32_t n = uint32_t(i32(L, 2));
  int32_t type = vm_get_top(L) >= 3 ? i32(L, 3) : kTypeInteger;
  uint32_t r;
  if (!rotate(v, n, type, Right, &r)) return ERR_WRONGUSAGE;
  return push(L, r);
}

int32_t cmd_cast(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  uint32_t v = u32(L, 1);
  bool is_signed = num(L, 2) != 0;
  int32_t type = i32(L, 3);
  if (type == kTypeInteger) return push(L, is_signed ? double(int32_t(v)) : double(v));
  if (type == kTypeShort) return push(L, is_signed ? double(int16_t(v & 0xFFFF)) : double(v & 0xFFFF));
  if (type == kTypeByte) return push(L, is_signed ? double(int8_t(v & 0xFF)) : double(v & 0xFF));
  return ERR_WRONGUSAGE;
}

const qmCommand kMathCommands[] = {
    {"Abs", unary<f_abs>},
    {"ACos", unary<f_acos>},
    {"Add", binary<f_add>},
    {"ASin", unary<f_asin>},
    {"ATan", unary<f_atan>},
    {"ATan2", binary<f_atan2>},
    {"BitClear", bitop<BitOp::Clear>},
    {"BitComplement", cmd_bitcomplement},
    {"BitSet", bitop<BitOp::Set>},
    {"BitTest", bitop<BitOp::Test>},
    {"BitXor", cmd_bitxor},
    {"Cast", cmd_cast},
    {"Ceil", unary<f_ceil>},
    {"Cos", unary<f_cos>},
    {"Deg", unary<f_deg>},
    {"Div", cmd_div},
    {"Exp", unary<f_exp>},
    {"Floor", unary<f_floor>},
    {"Frac", unary<f_frac>},
    {"FrExp", cmd_frexp},
    {"Hypot", binary<f_hypot>},
    {"Int", unary<f_int>},
    {"Ld", unary<f_ld>},
    {"LdExp", cmd_ldexp},
    {"Limit", cmd_limit},
    {"Ln", unary<f_ln>},
    {"Log", binary<f_log>},
    {"Max", minmax<true>},
    {"Min", minmax<false>},
    {"Mod", cmd_mod},
    {"Mul", binary<f_mul>},
    {"Pow", binary<f_pow>},
    {"Rad", unary<f_rad>},
    {"Rnd", cmd_rnd},
    {"RndF", cmd_rndf},
    {"Rol", cmd_rotate<false>},
    {"Ror", cmd_rotate<true>},
    {"Round", unary<f_round>},
    {"Rt", cmd_rt},
    {"Sar", cmd_sar},
    {"Sgn", unary<f_sgn>},
    {"Shl", cmd_shl},
    {"Shr", cmd_shr},
    {"Sin", unary<f_sin>},
    {"Sqrt", unary<f_sqrt>},
    {"Sub", binary<f_sub>},
    {"Tan", unary<f_tan>},
    {"Wrap", cmd_wrap},
    {nullptr, nullptr},
};

const qmConstant kMathConstants[] = {
    {"PI", nullptr, 3.141592653589793},
    {nullptr, nullptr, 0},
};

}  // namespace

void math_seed_random(uint32_t seed) {
  srand48(seed);
  qm::random_seed(seed);
}

int32_t math_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, kMathCommands, 0);
  vm_set_top(L, 0);
  int32_t err = qm::library_register_name(kMathCommands, "math");
  if (err) return err;
  vm_register_constants(L, kMathConstants, 0);
  // QM_RANDOM_SEED=N makes a program's random draws repeat exactly (tests); the time otherwise.
  uint32_t seed = uint32_t(std::time(nullptr));
  if (const char* given = std::getenv("QM_RANDOM_SEED"); given && *given) {
    char* end = nullptr;
    const unsigned long long n = std::strtoull(given, &end, 10);
    if (end && *end == '\0') seed = uint32_t(n);
  }
  math_seed_random(seed);
  return 0;
}
