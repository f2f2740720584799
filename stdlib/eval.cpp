#include "stdlib/eval.h"

#include <cmath>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "runtime/numparse.h"

using namespace qm;

namespace {

enum Token : int32_t {
  kEnd = 0,
  kShl = 256,
  kShr,
  kConcat,
  kNe,
  kLe,
  kGe,
  kAnd,
  kOr,
  kNot,
  kNumber,
};

struct Keyword {
  const char* text;
  int32_t token;
};
constexpr Keyword kKeywords[] = {{"<<", kShl}, {">>", kShr},  {"..", kConcat},
                                 {"<>", kNe},  {"<=", kLe},   {">=", kGe},
                                 {"and", kAnd}, {"or", kOr},  {"not", kNot}};

struct Priority {
  int32_t token;
  int left, right;
};
constexpr Priority kBinary[] = {
    {'+', 10, 10}, {'-', 10, 10}, {'*', 11, 11}, {'/', 11, 11}, {'\\', 11, 11}, {'%', 11, 11},
    {kShl, 9, 9},  {kShr, 9, 9},  {'&', 8, 8},   {'~', 7, 7},   {'|', 6, 6},    {kConcat, 5, 4},
    {'^', 14, 13}, {kNe, 3, 3},   {'=', 3, 3},   {'<', 3, 3},   {kLe, 3, 3},    {'>', 3, 3},
    {kGe, 3, 3},   {kAnd, 2, 2},  {kOr, 1, 1},
};
constexpr int kUnaryPriority = 12;
// Sub-expressions recurse; a deeply nested text reports a stack overflow instead of using up
// the C stack.
constexpr int kMaxDepth = 200;

struct EvalError {
  int32_t code;
};

bool is_word_char(unsigned char c) { return qm::char_is_alnum(c); }

struct Parser {
  const char* p;
  const std::vector<qmEvalVariable>& vars;
  int32_t token = kEnd;
  double number = 0;
  int depth = 0;

  [[noreturn]] void fail(int32_t code) { throw EvalError{code}; }

  // Case-insensitive word at p, accepted only when no letter or digit follows it.
  bool word_at(const char* w, size_t n) {
    if (qm::str_case_ncmp(p, w, n) != 0) return false;
    if (std::strlen(p) < n) return false;
    return !is_word_char(static_cast<unsigned char>(p[n]));
  }

  void next() {
    while (*p == ' ' || *p == '\t') p++;
    if (*p == '\0') {
      token = kEnd;
      return;
    }
    if ((*p >= '0' && *p <= '9') || *p == '$') {
      size_t used = 0;
      int32_t err = parse_option_number(p, &number, &used);
      if (err) fail(err);
      p += used;
      token = kNumber;
      return;
    }
    for (const auto& k : kKeywords) {
      size_t n = std::strlen(k.text);
      if (word_at(k.text, n)) {
        p += n;
        token = k.token;
        return;
      }
    }
    for (const auto& v : vars) {
      if (word_at(v.name.c_str(), v.name.size())) {
        p += v.name.size();
        number = v.value;
        token = kNumber;
        return;
      }
    }
    token = static_cast<unsigned char>(*p++);
  }

  const Priority* binary_op() const {
    for (const auto& b : kBinary)
      if (b.token == token) return &b;
    return nullptr;
  }

  static uint32_t u32(double d) { return qm::to_u32_bits(d); }

  double apply(int32_t op, double a, double b) {
    switch (op) {
      case '+': return a + b;
      case '-': return a - b;
      case '*': return a * b;
      case '/':
        if (b == 0) fail(ERR_ZERODIVISION);
        return a / b;
      case '\\':
      case '%': {
        // 64-bit so that -2147483648 by -1 cannot trap.
        int64_t x = qm::to_i32(a), y = qm::to_i32(b);
        if (y == 0) fail(ERR_ZERODIVISION);
        return double(op == '\\' ? x / y : x % y);
      }
      case '^': return std::pow(a, b);
      case kShl: return double(u32(a) << (uint32_t(qm::to_i32(b)) & 31));
      case kShr: return double(u32(a) >> (uint32_t(qm::to_i32(b)) & 31));
      case '&': return double(u32(a) & u32(b));
      case '|': return double(u32(a) | u32(b));
      case '~': return double(u32(a) ^ u32(b));
      case kNe: return a != b;
      case '=': return a == b;
      case '<': return a < b;
      case kLe: return a <= b;
      case '>': return a > b;
      case kGe: return a >= b;
      case kAnd: return (a == 0 || b == 0) ? 0 : b;
      case kOr: return a != 0 ? a : b;
      default: fail(ERR_WRONGOPCST);  // ".." parses but has no meaning here
    }
  }

  double operand() {
    if (token == kNumber) {
      double v = number;
      next();
      return v;
    }
    if (token == '(') {
      next();
      double v = expression(-1);
      if (token != ')') fail(ERR_UNMPARENTHESES);
      next();
      return v;
    }
    if (token == '-' || token == kNot || token == '~') {
      int32_t op = token;
      next();
      double v = expression(kUnaryPriority);
      if (op == '-') return -v;
      if (op == kNot) return v == 0 ? 1 : 0;
      return double(~u32(v));
    }
    fail(ERR_VALUEEXPECTED);
  }

  double expression(int limit) {
    if (++depth > kMaxDepth) fail(ERR_STACK);
    double left = operand();
    for (const Priority* op = binary_op(); op && op->left > limit; op = binary_op()) {
      int32_t t = op->token;
      next();
      double right = expression(op->right);
      left = apply(t, left, right);
    }
    depth--;
    return left;
  }
};

}  // namespace

int32_t eval_expression(const char* expr, const std::vector<qmEvalVariable>& vars, double* result) {
  Parser ps{expr, vars};
  try {
    ps.next();
    double v = ps.expression(-1);
    if (ps.token != kEnd) return ERR_SYNTAXERROR;
    *result = v;
    return 0;
  } catch (const EvalError& e) {
    return e.code;
  }
}
