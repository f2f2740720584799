#include "anim/animout.h"

#include <new>
#include <string>
#include <vector>

#include "anim/aviwriter.h"
#include "display/codecs/export.h"
#include "display/codecs/gif.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/quantize.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"

namespace qm {

namespace {

int32_t open_plugin(const char* name, int32_t width, int32_t height, int32_t quality, int32_t fps, AnimOut* out) {
  qmPluginEntry* saver = plugin_find_saver(QMPLUGIN_CAP_ANIMSAVER, uint32_t(out->format));
  if (!saver) return ERR_UNKNOWNANMOUT;
  out->plugin = saver;
  out->palette = !(saver->anim_saver.flags & QMPLUGIN_SAVER_ARGB);
  // The plug-in writes a file by name: the temporary file of a save.
  out->plugin_file = qmos_save_open(name);
  if (!out->plugin_file) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  std::string target = name;
  const std::string temp = qmos_save_temp_name(out->plugin_file);
  if (!temp.empty()) target = temp;
  const auto begin = plugin_entry<qmPluginBeginAnimStreamFn>(saver, PLUGIN_EP_BEGIN_ANIM_STREAM);
  out->plugin_handle = begin(target.c_str(), width, height, out->palette, quality, fps);
  if (!out->plugin_handle) {
    if (out->plugin_file) qmos_close(out->plugin_file);
    out->plugin_file = nullptr;
    return ERR_SAVEANIM;
  }
  return 0;
}

// The frame reduced to at most options.colors colours: indices row after row and the palette
// (room for 256). The transparency colour, when given, takes the last entry; an optimised GIF
// keeps an entry beyond them free for the pixels that did not change.
int32_t to_palette(const AnimOut& out, const qmBitmap* bitmap, const AnimFrameOptions& options,
                   std::vector<uint8_t>* indices, uint32_t* palette, int32_t* count) {
  qmBitmapLock lock{};
  if (!qmos_lock_bitmap(bitmap, &lock) || !lock.pixels) return ERR_LOCKBMAP;
  int32_t rc = 0;
  if (lock.width < out.width || lock.height < out.height) {
    rc = ERR_WRONGUSAGE;
  } else {
    try {
      indices->resize(size_t(out.width) * size_t(out.height));
    } catch (const std::bad_alloc&) {
      rc = ERR_MEM;
    }
  }
  if (!rc) {
    const bool gif_marker = out.format == ANMFMT_GIF && options.optimize && options.transparency < 0;
    // The transparency colour's pen is one of the colours asked for.
    *count = options.transparency >= 0 ? options.colors - 1 : options.colors;
    if (!argb_quantize(lock.pixels, lock.format, lock.bytes_per_pixel, out.width, out.height,
                       lock.pixels_per_row, indices->data(), palette, count,
                       options.transparency < 0 ? -1 : options.transparency & 0xFFFFFF,
                       gif_marker, options.dither))
      rc = ERR_MEM;
  }
  qmos_unlock_bitmap(&lock);
  return rc;
}

int32_t write_plugin(AnimOut* out, const qmBitmap* bitmap, const qmMask* mask,
                     const qmAlphaChannel* alpha, const AnimFrameOptions& options) {
  qmPluginAnimFrame frame{};
  frame.delay = options.delay;
  std::vector<uint8_t> indices;
  uint32_t palette[256] = {};
  uint32_t* argb = nullptr;
  if (out->palette) {
    int32_t count = 0;
    if (const int32_t rc = to_palette(*out, bitmap, options, &indices, palette, &count)) return rc;
    frame.pixels = indices.data();
    frame.palette = palette;
    frame.bytes_per_row = out->width;
    frame.colours = count;
    if (options.transparency >= 0) {
      frame.transparent = count - 1;
      frame.flags |= QMPLUGIN_FRAME_TRANSPARENT;
    }
  } else {
    const bool with_alpha = alpha && (out->plugin->anim_saver.flags & QMPLUGIN_ANIMSAVER_ALPHA);
    // Mask mode 1: what the mask hides has alpha 0.
    argb = image_build_argb(bitmap, out->width, out->height, mask, with_alpha ? alpha : nullptr,
                            0, 1);
    if (!argb) return ERR_MEM;
    frame.pixels = argb;
    frame.bytes_per_row = out->width * 4;
    if (with_alpha) frame.flags |= QMPLUGIN_FRAME_ALPHA;
  }
  const auto write = plugin_entry<qmPluginWriteAnimFrameFn>(out->plugin, PLUGIN_EP_WRITE_ANIM_FRAME);
  const int32_t ok = write(out->plugin_handle, &frame);
  qmos_free_pixels(argb);
  return ok ? 0 : ERR_SAVEANIM;
}

void finish_plugin(AnimOut* out) {
  const auto finish =
      plugin_entry<qmPluginFinishAnimStreamFn>(out->plugin, PLUGIN_EP_FINISH_ANIM_STREAM);
  finish(out->plugin_handle);
  out->plugin_handle = nullptr;
}

}  // namespace

int32_t animout_open(const char* name, const char* display_name, int32_t width, int32_t height,
                     int32_t format, int32_t quality, int32_t fps, bool keep_partial, AnimOut* out) {
  *out = AnimOut{};
  if (width < 1 || height < 1) return ERR_WRONGUSAGE;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  out->format = format;
  out->width = width;
  out->height = height;
  out->keep_partial = keep_partial;
  switch (format) {
    case ANMFMT_GIF:
      out->palette = true;
      return gifsave_open(name, width, height, &out->gif);
    case ANMFMT_MJPEG: {
      out->palette = false;
      std::string failed;
      const int32_t rc = avi_create(name, fps, width, height, quality, display_name,
                                    &out->avi, &failed);
      if (rc == ERR_WRITEFILE) err_set_string_arg(failed.c_str());
      return rc;
    }
    default:
      return open_plugin(name, width, height, quality, fps, out);
  }
}

int32_t animout_write(AnimOut* out, const qmBitmap* bitmap, const qmMask* mask,
                      const qmAlphaChannel* alpha, const AnimFrameOptions& options) {
  if (out->avi) return avi_write_frame(out->avi, bitmap, out->width, out->height);
  if (out->plugin) return write_plugin(out, bitmap, mask, alpha, options);
  std::vector<uint8_t> indices;
  uint32_t palette[256] = {};
  int32_t count = 0;
  if (const int32_t rc = to_palette(*out, bitmap, options, &indices, palette, &count)) return rc;
  return gifsave_write_frame(out->gif, indices.data(), out->width, out->height, options.delay,
                             palette, count, options.transparency >= 0 ? count - 1 : -1,
                             options.optimize ? GIFSAVE_OPTIMISE : 0);
}

int32_t animout_close(AnimOut* out) {
  int32_t rc = 0;
  if (out->gif) {
    rc = gifsave_close(out->gif);
  } else if (out->avi) {
    rc = avi_finish(out->avi);
  } else if (out->plugin_handle) {
    finish_plugin(out);
    if (out->plugin_file && !qmos_save_commit(out->plugin_file)) rc = ERR_WRITEFILE;
  }
  *out = AnimOut{};
  return rc;
}

void animout_abandon(AnimOut* out) {
  if (out->keep_partial) {
    animout_close(out);
    return;
  }
  if (out->gif) gifsave_abort(out->gif);
  if (out->avi) avi_free(out->avi);
  if (out->plugin_handle) {
    finish_plugin(out);
    if (out->plugin_file) qmos_close(out->plugin_file);
  }
  *out = AnimOut{};
}

}  // namespace qm
