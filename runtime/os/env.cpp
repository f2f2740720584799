// The environment, and the language and country ids taken from LANG.
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"

namespace {

struct Code {
  const char* code;
  int32_t id;
};

// Searched in this order; the first two letters of LANG.
constexpr Code kLanguages[] = {
    {"da", 8}, {"de", 1},  {"en", 0},  {"es", 5},  {"fr", 4},  {"el", 13},
    {"it", 3}, {"hu", 12}, {"nl", 2},  {"no", 10}, {"pl", 11}, {"pt", 6},
    {"fi", 9}, {"sv", 7},  {"tr", 15}, {"cs", 14}, {"hr", 16}, {"ru", 17},
};

// Searched in this order; the two letters after the first '_' of LANG.
constexpr Code kCountries[] = {
    {"AD", 36}, {"AU", 2},  {"AT", 34}, {"BE", 3},  {"BG", 4},  {"BR", 5},  {"CA", 6},  {"CH", 29},
    {"CZ", 7},  {"DK", 8},  {"DE", 9},  {"ES", 10}, {"FI", 30}, {"FR", 11}, {"GB", 0},  {"UK", 0},
    {"GR", 12}, {"IT", 13}, {"IE", 33}, {"IS", 35}, {"LI", 14}, {"LT", 15}, {"LU", 16}, {"HU", 17},
    {"MT", 18}, {"MC", 19}, {"NL", 20}, {"NO", 21}, {"PL", 22}, {"PT", 23}, {"RO", 24}, {"RU", 25},
    {"SM", 26}, {"SE", 31}, {"SK", 27}, {"SI", 28}, {"TR", 32}, {"UA", 37}, {"US", 1},
};

template <size_t N>
int32_t find_code(const Code (&table)[N], const char* text, int32_t none) {
  if (!text || std::strlen(text) < 2) return none;
  for (const auto& c : table) {
    if (text[0] == c.code[0] && text[1] == c.code[1]) return c.id;
  }
  return none;
}

char* copy_alloc(const std::string& text) {
  auto* out = static_cast<char*>(qmos_alloc(text.size() + 1, 0));
  if (out) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

}  // namespace

// Values are host text (UTF-8) outside and Latin-1 inside, like file names.
char* qmos_getenv(const char* name) {
  if (!name) return nullptr;
  const char* value = std::getenv(qmos_latin1_to_utf8(name).c_str());
  if (!value) return nullptr;
  return copy_alloc(qmos_player_name(value));
}

int32_t qmos_setenv(const char* name, const char* value) {
  if (!name || !value) return qm::ERR_SETENV;
  std::string n = qmos_latin1_to_utf8(name), v = qmos_latin1_to_utf8(value);
  return setenv(n.c_str(), v.c_str(), 1) == 0 ? 0 : qm::ERR_SETENV;
}

void qmos_unsetenv(const char* name) {
  if (name) unsetenv(qmos_latin1_to_utf8(name).c_str());
}

int32_t qmos_language_from(const char* lang) {
  return find_code(kLanguages, lang, QMOS_LANGUAGE_NONE);
}

int32_t qmos_country_from(const char* lang) {
  if (!lang) return QMOS_COUNTRY_NONE;
  const char* underscore = std::strchr(lang, '_');
  if (!underscore) return QMOS_COUNTRY_NONE;
  return find_code(kCountries, underscore + 1, QMOS_COUNTRY_NONE);
}

int32_t qmos_get_language() {
  return qmos_language_from(std::getenv("LANG"));
}
int32_t qmos_get_country() {
  return qmos_country_from(std::getenv("LANG"));
}
