#include "stdlib/strpattern.h"

#include <cstring>

#include "engine/errcodes.h"
#include "engine/latin1.h"

using namespace qm;

namespace {

constexpr ptrdiff_t kCapUnfinished = -1;
constexpr ptrdiff_t kCapPosition = -2;
constexpr char kEsc = '%';
// Each item of a pattern may recurse once; the bound keeps long or hostile patterns off the C
// stack and reports a stack overflow instead.
constexpr int32_t kMaxMatchDepth = 200;

[[noreturn]] void fail(qmPatternMatch* ms, int32_t code) { vm_command_fail(ms->L, code); }

bool is_lower(int c) { return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7); }
bool is_upper(int c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }
bool is_control(int c) { return c < 32 || c == 127; }
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_xdigit(int c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool match_class(int c, int cl) {
  bool res;
  switch (qm::char_to_lower(static_cast<unsigned char>(cl))) {
    case 'a': res = qm::char_is_alpha(c); break;
    case 'c': res = is_control(c); break;
    case 'd': res = is_digit(c); break;
    case 'l': res = is_lower(c); break;
    case 'p': res = qm::char_is_graph(c) && !qm::char_is_alnum(c); break;
    case 's': res = is_space(c); break;
    case 'u': res = is_upper(c); break;
    case 'w': res = qm::char_is_alnum(c); break;
    case 'x': res = is_xdigit(c); break;
    case 'z': res = c == 0; break;
    default: return cl == c;
  }
  return is_upper(static_cast<unsigned char>(cl)) ? !res : res;
}

// The end of the single item starting at p (a class, a set or one character).
const char* class_end(qmPatternMatch* ms, const char* p, const char* p_end) {
  if (p >= p_end) fail(ms, ERR_MALFORMPAT1);
  char c = *p++;
  if (c == kEsc) {
    if (p >= p_end) fail(ms, ERR_MALFORMPAT1);
    return p + 1;
  }
  if (c == '[') {
    if (p < p_end && *p == '^') p++;
    do {  // the first character of a set is always a member, so "[]" starts a set holding "]"
      if (p >= p_end) fail(ms, ERR_MALFORMPAT2);
      if (*(p++) == kEsc && p < p_end) p++;
    } while (p >= p_end || *p != ']');
    return p + 1;
  }
  return p;
}

bool match_set(int c, const char* p, const char* ec) {
  bool sig = true;
  if (*(p + 1) == '^') {
    sig = false;
    p++;
  }
  while (++p < ec) {
    if (*p == kEsc) {
      p++;
      if (match_class(c, static_cast<unsigned char>(*p))) return sig;
    } else if (*(p + 1) == '-' && p + 2 < ec) {
      p += 2;
      if (static_cast<unsigned char>(*(p - 2)) <= c && c <= static_cast<unsigned char>(*p)) return sig;
    } else if (static_cast<unsigned char>(*p) == c) {
      return sig;
    }
  }
  return !sig;
}

bool single_match(int c, const char* p, const char* ep) {
  switch (*p) {
    case '.': return true;
    case kEsc: return match_class(c, static_cast<unsigned char>(*(p + 1)));
    case '[': return match_set(c, p, ep - 1);
    default: return static_cast<unsigned char>(*p) == c;
  }
}

const char* do_match(qmPatternMatch* ms, const char* s, const char* p);

const char* match_balance(qmPatternMatch* ms, const char* s, const char* p) {
  if (p + 1 >= ms->p_end) fail(ms, ERR_UNBALANCEDPAT);
  if (s >= ms->src_end || *s != *p) return nullptr;
  int b = *p, e = *(p + 1);
  int cont = 1;
  while (++s < ms->src_end) {
    if (*s == e) {
      if (--cont == 0) return s + 1;
    } else if (*s == b) {
      cont++;
    }
  }
  return nullptr;
}

const char* max_expand(qmPatternMatch* ms, const char* s, const char* p, const char* ep) {
  ptrdiff_t i = 0;
  while (s + i < ms->src_end && single_match(static_cast<unsigned char>(s[i]), p, ep)) i++;
  while (i >= 0) {  // try with the longest run first, then shorter ones
    const char* res = do_match(ms, s + i, ep + 1);
    if (res) return res;
    i--;
  }
  return nullptr;
}

const char* min_expand(qmPatternMatch* ms, const char* s, const char* p, const char* ep) {
  for (;;) {
    const char* res = do_match(ms, s, ep + 1);
    if (res) return res;
    if (s < ms->src_end && single_match(static_cast<unsigned char>(*s), p, ep)) {
      s++;
    } else {
      return nullptr;
    }
  }
}

const char* start_capture(qmPatternMatch* ms, const char* s, const char* p, ptrdiff_t what) {
  int32_t level = ms->level;
  if (level >= kPatternMaxCaptures) fail(ms, ERR_TOOMANYCAPTURES);
  ms->capture[level].init = s;
  ms->capture[level].len = what;
  ms->level = level + 1;
  const char* res = do_match(ms, s, p);
  if (!res) ms->level--;
  return res;
}

int32_t capture_to_close(qmPatternMatch* ms) {
  int32_t level = ms->level;
  for (level--; level >= 0; level--)
    if (ms->capture[level].len == kCapUnfinished) return level;
  fail(ms, ERR_INVPATCAP);
}

const char* end_capture(qmPatternMatch* ms, const char* s, const char* p) {
  int32_t l = capture_to_close(ms);
  ms->capture[l].len = s - ms->capture[l].init;
  const char* res = do_match(ms, s, p);
  if (!res) ms->capture[l].len = kCapUnfinished;
  return res;
}

int32_t check_capture(qmPatternMatch* ms, int l) {
  l -= '1';
  if (l < 0 || l >= ms->level || ms->capture[l].len == kCapUnfinished) fail(ms, ERR_INVCAPIDX);
  return l;
}

const char* match_capture(qmPatternMatch* ms, const char* s, int l) {
  l = check_capture(ms, l);
  size_t len = size_t(ms->capture[l].len);
  if (ms->capture[l].len == kCapPosition) len = 0;
  if (size_t(ms->src_end - s) >= len && std::memcmp(ms->capture[l].init, s, len) == 0) return s + len;
  return nullptr;
}

struct DepthGuard {
  qmPatternMatch* ms;
  explicit DepthGuard(qmPatternMatch* m) : ms(m) {
    if (++ms->depth > kMaxMatchDepth) {
      ms->depth--;
      fail(ms, ERR_STACK);
    }
  }
  ~DepthGuard() { ms->depth--; }
};

const char* do_match(qmPatternMatch* ms, const char* s, const char* p) {
  DepthGuard guard(ms);
  for (;;) {
    if (p >= ms->p_end) return s;
    switch (*p) {
      case '(':
        if (p + 1 < ms->p_end && *(p + 1) == ')') return start_capture(ms, s, p + 2, kCapPosition);
        return start_capture(ms, s, p + 1, kCapUnfinished);
      case ')':
        return end_capture(ms, s, p + 1);
      case kEsc:
        if (p + 1 >= ms->p_end) fail(ms, ERR_MALFORMPAT1);
        switch (*(p + 1)) {
          case 'b':
            s = match_balance(ms, s, p + 2);
            if (!s) return nullptr;
            p += 4;
            continue;
          case 'f': {
            p += 2;
            if (p >= ms->p_end || *p != '[') fail(ms, ERR_MISSINGOPBRACK);
            const char* ep = class_end(ms, p, ms->p_end);
            int prev = (s == ms->src_init) ? 0 : static_cast<unsigned char>(*(s - 1));
            int cur = (s < ms->src_end) ? static_cast<unsigned char>(*s) : 0;
            if (match_set(prev, p, ep - 1) || !match_set(cur, p, ep - 1)) return nullptr;
            p = ep;
            continue;
          }
          default:
            if (is_digit(static_cast<unsigned char>(*(p + 1)))) {
              s = match_capture(ms, s, static_cast<unsigned char>(*(p + 1)));
              if (!s) return nullptr;
              p += 2;
              continue;
            }
            break;
        }
        break;
      case '$':
        if (p + 1 == ms->p_end) return (s == ms->src_end) ? s : nullptr;
        break;
      default:
        break;
    }
    const char* ep = class_end(ms, p, ms->p_end);
    bool m = s < ms->src_end && single_match(static_cast<unsigned char>(*s), p, ep);
    if (ep < ms->p_end) {
      switch (*ep) {
        case '?': {
          if (m) {
            const char* res = do_match(ms, s + 1, ep + 1);
            if (res) return res;
          }
          p = ep + 1;
          continue;
        }
        case '*':
          return max_expand(ms, s, p, ep);
        case '+':
          return m ? max_expand(ms, s + 1, p, ep) : nullptr;
        case '-':
          return min_expand(ms, s, p, ep);
        default:
          break;
      }
    }
    if (!m) return nullptr;
    s++;
    p = ep;
  }
}

}  // namespace

void pattern_begin(qmPatternMatch* ms, qmState* L, const char* src, size_t len, const char* pat,
                   size_t patlen) {
  ms->L = L;
  ms->src_init = src;
  ms->src_end = src + len;
  ms->p_end = pat + patlen;
  ms->level = 0;
  ms->depth = 0;
}

const char* pattern_match(qmPatternMatch* ms, const char* s, const char* p) {
  ms->level = 0;
  ms->depth = 0;
  return do_match(ms, s, p);
}

void pattern_push_capture(qmPatternMatch* ms, int32_t i, const char* s, const char* e) {
  if (i >= ms->level) {
    if (i == 0) {
      vm_push_lstring(ms->L, s, size_t(e - s));
      return;
    }
    fail(ms, ERR_INVCAPIDX);
  }
  ptrdiff_t l = ms->capture[i].len;
  if (l == kCapUnfinished) fail(ms, ERR_UNFINISHEDCAPTURE);
  if (l == kCapPosition)
    vm_push_number(ms->L, double(ms->capture[i].init - ms->src_init + 1));
  else
    vm_push_lstring(ms->L, ms->capture[i].init, size_t(l));
}

int32_t pattern_push_captures(qmPatternMatch* ms, const char* s, const char* e) {
  int32_t n = (ms->level == 0 && s) ? 1 : ms->level;
  if (!vm_check_stack(ms->L, n)) fail(ms, ERR_STACK);
  for (int32_t i = 0; i < n; i++) pattern_push_capture(ms, i, s, e);
  return n;
}
