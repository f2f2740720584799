// SaveSnapshot and its capture hooks.
#include "display/snapshot.h"

#include "display/codecs/export.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/args.h"

namespace qm {

namespace {

int32_t capture_nothing(int32_t type, qmBitmap**) {
  return type == SNAPDESKTOP ? ERR_MEM : ERR_CLOSEDDISPDRAW;
}

SnapshotHooks g_hooks{capture_nothing};

}  // namespace

SnapshotHooks& snapshot_hooks() { return g_hooks; }
void snapshot_hooks_reset() { g_hooks = SnapshotHooks{capture_nothing}; }

int32_t snapshot_save(const char* name, int32_t type, int32_t format, int32_t quality,
                      int32_t colors, int32_t dither) {
  if (type != SNAPWINDOW && type != SNAPDISPLAY && type != SNAPDESKTOP) return ERR_WRONGUSAGE;
  qmBitmap* bitmap = nullptr;
  if (const int32_t err = g_hooks.capture(type, &bitmap)) return err;
  uint32_t* pixels = qmos_bitmap_to_argb(bitmap, bitmap->width, bitmap->height);
  const int32_t width = bitmap->width, height = bitmap->height;
  qmos_free_bitmap(bitmap);
  if (!pixels) return ERR_MEM;
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) pixels[i] |= 0xFF000000u;
  const int32_t rc = image_write_file(format, pixels, width, height, name, IMAGE_NO_TRANSPARENT, 0,
                                      quality, colors, dither);
  qmos_free_pixels(pixels);
  return rc;
}

int32_t cmd_savesnapshot(qmState* L) {
  arg_check_count(L, 1, 4);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  const int32_t type = to_i32(vm_arg_opt_number(L, 2, SNAPWINDOW));
  const int32_t format = to_i32(vm_arg_opt_number(L, 3, IMGFMT_BMP));
  int32_t quality = 90, colors = 256, dither = 0;
  image_read_save_options(L, 4, &quality, &colors, &dither);
  return snapshot_save(name, type, format, quality, colors, dither);
}

}  // namespace qm
