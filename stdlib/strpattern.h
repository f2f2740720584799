// The capture pattern matcher of the string library ("%a" classes, sets, quantifiers, captures,
// back-references, "%b" balanced runs, "%f" frontiers). Errors are raised through the engine.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/vm.h"

inline constexpr int32_t kPatternMaxCaptures = 32;

struct qmPatternMatch {
  const char* src_init;  // subject start
  const char* src_end;   // subject end
  const char* p_end;     // pattern end: a NUL inside the pattern is an ordinary byte
  qmState* L;
  int32_t level;         // captures in use
  int32_t depth;         // matcher recursion, bounded
  struct {
    const char* init;
    ptrdiff_t len;       // kCapUnfinished while open, kCapPosition for "()"
  } capture[kPatternMaxCaptures];
};

// Tries the pattern from p at subject position s; returns the end of the match or nullptr.
const char* pattern_match(qmPatternMatch* ms, const char* s, const char* p);
// Sets up a match of the pattern pat (patlen bytes) over the subject src (len bytes).
void pattern_begin(qmPatternMatch* ms, qmState* L, const char* src, size_t len, const char* pat,
                   size_t patlen);
// Pushes capture i (or the whole match s..e when the pattern has no captures and i is 0).
void pattern_push_capture(qmPatternMatch* ms, int32_t i, const char* s, const char* e);
// Pushes all captures (or the whole match) and returns their number.
int32_t pattern_push_captures(qmPatternMatch* ms, const char* s, const char* e);
