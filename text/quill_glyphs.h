// The built-in 8x8 font's glyph strip and location table, made at build time from text/quill.txt.
#pragma once

#include <cstdint>

inline constexpr int32_t kQuillFirst = 32;
inline constexpr int32_t kQuillLast = 255;
inline constexpr int32_t kQuillGlyphs = kQuillLast - kQuillFirst + 2;
inline constexpr int32_t kQuillHeight = 8;
inline constexpr int32_t kQuillModulo = (kQuillGlyphs * 8 + 7) / 8;

extern const uint8_t kQuillStrip[kQuillModulo * kQuillHeight];
extern const uint32_t kQuillLocations[kQuillGlyphs];
