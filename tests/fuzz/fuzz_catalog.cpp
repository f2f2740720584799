// The catalog reader on arbitrary bytes: opening must never read outside the file, and every
// lookup must give either a NUL-terminated text from inside the catalog or the default.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qmCatalog* cat = catalog_from_bytes(data, size);
  if (!cat) return 0;
  static const char kDefault[] = "default";
  const int32_t ids[] = {-1, 0, 1, 2, 3, 7, 95, 1000, 0x7FFFFFFF, int32_t(0x80000000u)};
  for (int32_t id : ids) {
    const char* text = qmos_get_catalog_string(cat, id, kDefault);
    if (text != kDefault) {
      const char* lo = cat->data.data();
      const char* hi = lo + cat->data.size();
      if (text < lo || text >= hi) __builtin_trap();
      if (!std::memchr(text, 0, size_t(hi - text))) __builtin_trap();
    }
  }
  qmos_close_catalog(cat);
  return 0;
}
