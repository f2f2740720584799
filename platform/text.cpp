// Latin-1 inside the player, UTF-8 at the SDL and desktop boundary.
#include "platform/platform.h"

namespace {

// The code point that starts at s[*i], advancing *i past it; -1 for a malformed sequence (then
// *i moves by one byte).
int32_t next_code_point(std::string_view s, size_t* i) {
  unsigned char c = static_cast<unsigned char>(s[*i]);
  size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || *i + len > s.size()) {
    ++*i;
    return -1;
  }
  int32_t cp = len == 1 ? c : c & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    unsigned char t = static_cast<unsigned char>(s[*i + k]);
    if ((t & 0xC0) != 0x80) {
      ++*i;
      return -1;
    }
    cp = (cp << 6) | (t & 0x3F);
  }
  static constexpr int32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  *i += len;
  // Overlong forms would smuggle in characters that a plain byte check misses.
  return cp < kMin[len] || cp > 0x10FFFF ? -1 : cp;
}

}  // namespace

std::string platform_latin1_to_utf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (char ch : latin1) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string platform_utf8_to_latin1(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    int32_t cp = next_code_point(utf8, &i);
    out += cp < 0 || cp > 255 ? '?' : static_cast<char>(cp);
  }
  return out;
}

int32_t platform_utf8_key_char(std::string_view utf8) {
  if (utf8.empty()) return -1;
  size_t i = 0;
  int32_t cp = next_code_point(utf8, &i);
  return cp > 255 ? -1 : cp;
}
