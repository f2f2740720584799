#include "engine/latin1.h"

namespace qm {
namespace {

constexpr bool folds_up(int c) { return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFD && c != 0xF7); }
constexpr bool folds_down(int c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDD && c != 0xD7); }

constexpr std::array<unsigned char, 256> make_table(bool (*folds)(int), int delta) {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(folds(c) ? c + delta : c);
  return t;
}

}  // namespace

constexpr std::array<unsigned char, 256> kLatin1Upper = make_table(folds_up, -0x20);
constexpr std::array<unsigned char, 256> kLatin1Lower = make_table(folds_down, 0x20);

int char_is_alpha(int c) {
  if (c < 0 || c > 255) return 0;
  return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7)) ? 1 : 0;
}

int char_is_alnum(int c) { return (c >= '0' && c <= '9') || char_is_alpha(c) ? 1 : 0; }

int char_is_graph(int c) { return (c >= 0x21 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFF) ? 1 : 0; }

int str_case_ncmp(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    int ca = kLatin1Upper[static_cast<unsigned char>(a[i])];
    int cb = kLatin1Upper[static_cast<unsigned char>(b[i])];
    if (ca != cb) return ca - cb;
    if (ca == 0) break;
  }
  return 0;
}

int str_case_cmp(const char* a, const char* b) { return str_case_ncmp(a, b, static_cast<size_t>(-1)); }

void str_to_lower(char* text) {
  for (; *text; ++text) *text = static_cast<char>(kLatin1Lower[static_cast<unsigned char>(*text)]);
}

}  // namespace qm
