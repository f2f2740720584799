// Font names on arbitrary bytes: a face's 'name' table read as a file, as the members of a
// collection and as the faces of a resource file, the way font discovery reads them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/font_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qmFontBytes src{nullptr, data, size};
  std::string family, style;
  int32_t weight, slant;
  if (ttf_read_names(src, 0, 0, &family, &style)) style_weight_slant(style, &weight, &slant);
  for (uint64_t at : ttc_face_offsets(src)) ttf_read_names(src, at, 0, &family, &style);
  for (uint64_t at : dfont_face_offsets(src)) ttf_read_names(src, at, at, &family, &style);
  style_is_plain(style.c_str());
  return 0;
}
