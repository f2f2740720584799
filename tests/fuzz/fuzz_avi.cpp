// The AVI reader on arbitrary bytes: headers, idx1 and movi scanning, uncompressed rows and
// Motion JPEG frames (with the standard tables put in) must stay inside the file and the frame.
// Loads frames 0, 1, the last and 0 again. Pictures are kept small so that the fuzzer spends its
// time in the parsers, not in filling buffers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "anim/readers.h"
#include "gfx/bitmap.h"
#include "picture_input.h"

namespace {

// The largest size any avih in the input claims: whichever the reader takes stays small.
int64_t claimed_pixels(const uint8_t* data, size_t size) {
  // A side is counted up to 65536 (beyond the cap anyway), so the product cannot overflow.
  auto side = [&](size_t at) {
    return std::min<int64_t>(
        data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t(data[at + 3]) << 24, 65536);
  };
  int64_t most = 0;
  for (size_t i = 0; i + 48 <= size; ++i)
    if (std::memcmp(data + i, "avih", 4) == 0) most = std::max(most, side(i + 40) * side(i + 44));
  return most;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (claimed_pixels(data, size) > 512 * 512) return 0;
  FuzzPictureFile file(data, size);
  qm::qmAviReader* a = nullptr;
  int32_t w = 0, h = 0, frames = 0;
  if (qm::avi_open(file.name, &a, &w, &h, &frames)) return 0;
  for (int32_t i : {0, 1, frames - 1, 0}) qm::qmos_free_pixels(qm::avi_load_frame(a, i));
  qm::avi_close(a);
  return 0;
}
