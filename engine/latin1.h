// Latin-1 character classes and case folding. Text inside the player is Latin-1, so case-insensitive
// names (commands, constants, linked files) fold the accented letters too. Every table is indexed
// with unsigned char; a value outside 0..255 belongs to no class.
#pragma once

#include <array>
#include <cstddef>

namespace qm {

// 256-byte tables. Upper folds a-z and 0xE0-0xFD (but not 0xF7, the division sign) to upper case;
// lower is its inverse over A-Z and 0xC0-0xDD (but not 0xD7, the multiplication sign). 0xDF and 0xFF
// have no single-byte partner and stay as they are.
extern const std::array<unsigned char, 256> kLatin1Upper;
extern const std::array<unsigned char, 256> kLatin1Lower;

inline unsigned char char_to_upper(unsigned char c) { return kLatin1Upper[c]; }
inline unsigned char char_to_lower(unsigned char c) { return kLatin1Lower[c]; }

// 1 or 0. Letters are A-Z, a-z and the Latin-1 letters 0xC0-0xFF without 0xD7 and 0xF7;
// graph is every printable character other than the space (0x21-0x7E, 0xA1-0xFF).
int char_is_alpha(int c);
int char_is_alnum(int c);
int char_is_graph(int c);

// Compare through the upper-case fold; the result is the difference of the first unequal folded
// bytes (as unsigned), 0 when equal. The n form looks at no more than n bytes.
int str_case_cmp(const char* a, const char* b);
int str_case_ncmp(const char* a, const char* b, size_t n);

// Lower-cases a NUL-terminated text in place.
void str_to_lower(char* text);

}  // namespace qm
