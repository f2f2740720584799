// The system library's clipboard: SetClipboard, GetClipboard, PeekClipboard and ClearClipboard.
// Pictures travel as PNG bytes; every write and clear tells the displays that asked for it.
#include <string>
#include <vector>

#include "display/brush.h"
#include "display/codecs/codecs.h"
#include "display/codecs/export.h"
#include "display/codecs/picture_save.h"
#include "display/display.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/input_queue.h"
#include "gfx/bitmap.h"
#include "gfx/pixelloops.h"
#include "platform/clipboard.h"
#include "runtime/args.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

constexpr int32_t kClipboardSlot = 18;  // the displays' clipboardchange handler

// Queues a clipboard change for every display with a clipboardchange handler.
void post_change() {
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (d->callbacks[kClipboardSlot][0] != -1) input_queue_post(d, INPUT_CLIPBOARD, 0, 0, 0, nullptr);
  }
}

// The brush's picture as PNG bytes, with alpha when it has a mask or an alpha plane.
int32_t encode_brush(const qmBrush* b, std::vector<uint8_t>* out) {
  uint32_t* pixels = image_build_argb(b->bitmap, b->width, b->height, b->mask, b->alpha, 0, 1);
  if (!pixels) return ERR_MEM;
  qmPictureData data;
  const int32_t has_alpha = b->mask || b->alpha ? 1 : 0;
  int32_t err = platform_picture_save(nullptr, pixels, b->width, b->height, b->width * 4, PICTURE_TYPE_PNG, has_alpha,
                                      100, &data);
  qmos_free_pixels(pixels);
  if (err) return err;
  out->assign(data.bytes, data.bytes + data.length);
  picture_data_release(&data);
  return 0;
}

// A new brush with an automatic id from PNG bytes; its handle is pushed.
int32_t push_brush_from_png(qmState* L, std::vector<uint8_t>& png) {
  char name[VFILE_NAME_SIZE];
  qmos_register_memory(png.data(), png.size());
  if (!vfile_make_chunk_name("clipboard.png", name, sizeof name, -1, png.size(), 0,
                             reinterpret_cast<const char*>(png.data()))) {
    qmos_unregister_memory(png.data());
    return ERR_MEM;
  }
  int32_t width = 0, height = 0, has_alpha = 0;
  uint32_t* pixels = nullptr;
  int32_t err = png_load(name, &width, &height, &pixels, &has_alpha, nullptr);
  qmos_unregister_memory(png.data());
  if (err) return err;
  Planes planes;
  err = qmos_scale_bitmap(pixels, -1, width, height, width, &planes.bitmap, nullptr);
  if (!err && has_alpha) {
    if ((planes.alpha = qmos_alloc_alpha(width, height, 0)))
      argb_extract_alpha(pixels, width, height, width, planes.alpha->data, planes.alpha->bytes_per_row);
    else
      err = ERR_MEM;
  }
  qmos_free_pixels(pixels);
  if (err) return err;
  qmBrush* b = nullptr;
  qmBitmap* bitmap = planes.bitmap;
  qmAlphaChannel* alpha = planes.alpha;
  planes.release();  // the brush owns them from here, also on failure
  if ((err = brush_new_from_bitmap(automatic_id(), BRUSHKIND_BITMAP, width, height, width, 0, nullptr, bitmap, -1,
                                   nullptr, alpha, &b)))
    return err;
  vm_push_lightuserdata(L, b);
  return 0;
}

int32_t cmd_setclipboard(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t type = to_i32(vm_arg_check_number(L, 1));
  int32_t err;
  if (type == CLIPBOARD_TEXT) {
    err = platform_clipboard_write_text(vm_arg_check_string(L, 2, nullptr));
  } else if (type == CLIPBOARD_IMAGE) {
    qmBrush* b = nullptr;
    if ((err = brush_find(arg_get_id(L, 2), BRUSHFIND_NOVECTOR, &b))) return err;
    std::vector<uint8_t> png;
    if ((err = encode_brush(b, &png))) return err;
    err = platform_clipboard_write_picture(std::move(png));
  } else {
    return ERR_WRONGUSAGE;
  }
  if (err) return err;
  post_change();
  return 0;
}

int32_t cmd_getclipboard(qmState* L) {
  arg_check_count(L, 0, 0);
  int32_t kind = CLIPBOARD_EMPTY;
  std::string text;
  std::vector<uint8_t> png;
  if (int32_t err = platform_clipboard_read(&kind, &text, &png)) return err;
  vm_push_number(L, kind);
  if (kind == CLIPBOARD_TEXT) {
    vm_push_lstring(L, text.data(), text.size());
    return 2;
  }
  if (kind == CLIPBOARD_IMAGE) {
    if (int32_t err = push_brush_from_png(L, png)) return err;
    return 2;
  }
  return 1;
}

int32_t cmd_peekclipboard(qmState* L) {
  arg_check_count(L, 0, 0);
  int32_t kind = CLIPBOARD_EMPTY;
  if (int32_t err = platform_clipboard_type(&kind)) return err;
  vm_push_number(L, kind);
  return 1;
}

int32_t cmd_clearclipboard(qmState* L) {
  arg_check_count(L, 0, 0);
  if (platform_clipboard_clear() != 0) return ERR_CLIPWRITE;
  post_change();
  return 0;
}

}  // namespace

const qmCommand kSystemClipboardCommands[] = {
    {"SetClipboard", cmd_setclipboard},
    {"GetClipboard", cmd_getclipboard},
    {"PeekClipboard", cmd_peekclipboard},
    {"ClearClipboard", cmd_clearclipboard},
    {nullptr, nullptr},
};
