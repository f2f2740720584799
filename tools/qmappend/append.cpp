#include "tools/qmappend/append.h"

#include <algorithm>
#include <functional>

#include "engine/endian.h"
#include "runtime/applet.h"

namespace qm {

int64_t find_location_record(const std::vector<uint8_t>& exe) {
  uint8_t tmpl[APPLET_LOCATION_SIZE];
  applet_location_template(tmpl);
  std::boyer_moore_searcher search(tmpl, tmpl + APPLET_LOCATION_SIZE);
  auto first = std::search(exe.begin(), exe.end(), search);
  if (first == exe.end()) return -1;
  if (std::search(first + 1, exe.end(), search) != exe.end()) return -2;
  return first - exe.begin();
}

std::vector<uint8_t> append_applet(const std::vector<uint8_t>& player,
                                   const std::vector<uint8_t>& applet, std::string* error) {
  int64_t at = find_location_record(player);
  if (at < 0) {
    *error = at == -1 ? "no unpatched applet-location record in the player"
                      : "the applet-location record occurs more than once in the player";
    return {};
  }
  // 0xDEADC0DE means "none appended", so the offset must stay below it.
  if (player.size() >= APPLET_NO_OFFSET) {
    *error = "the player is too large for a 32-bit applet offset";
    return {};
  }
  std::vector<uint8_t> out = player;
  put_be32(out.data() + at + 32, uint32_t(player.size()));
  out.insert(out.end(), applet.begin(), applet.end());
  return out;
}

}  // namespace qm
