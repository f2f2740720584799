// The export formats: pixels from bitmaps and the writer dispatch.
#include "display/codecs/export.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "display/codecs/codecs.h"
#include "display/codecs/gif.h"
#include "display/codecs/picture_save.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/quantize.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"

namespace qm {

uint32_t* image_build_argb(const qmBitmap* bitmap, int32_t width, int32_t height,
                           const qmMask* mask, const qmAlphaChannel* alpha, uint32_t colour,
                           int32_t mask_mode) {
  uint32_t* out = qmos_bitmap_to_argb(bitmap, width, height);
  if (!out) return nullptr;
  const uint32_t key = colour & 0xFFFFFFu;
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = out + size_t(y) * size_t(width);
    for (int32_t x = 0; x < width; ++x) row[x] |= 0xFF000000u;
    if (mask && mask->data) {
      const uint8_t* bits = mask->data + size_t(y) * size_t(mask->bytes_per_row);
      for (int32_t x = 0; x < width; ++x) {
        if (mask_bit(bits, x)) continue;
        row[x] = mask_mode == 1 ? row[x] & 0xFFFFFFu : key;
      }
    }
    if (alpha && alpha->data) {
      const uint8_t* a = alpha->data + size_t(y) * size_t(alpha->bytes_per_row);
      for (int32_t x = 0; x < width; ++x)
        row[x] = a[x] == 0 ? key : (row[x] & 0xFFFFFFu) | uint32_t(a[x]) << 24;
    }
  }
  return out;
}

namespace {

// The pixels reduced to a palette of at most `colors` entries. A transparent colour gets the
// palette's last entry; with alpha one entry is reserved for the pixels below half coverage.
// *marker is that entry, or -1. 0 or ERR_MEM.
int32_t reduce_to_palette(const uint32_t* pixels, int32_t width, int32_t height,
                          uint32_t transparent, int32_t has_alpha, int32_t colors, int32_t dither,
                          std::vector<uint8_t>* indices, uint32_t* palette, int32_t* count,
                          int32_t* marker) {
  try {
    indices->resize(size_t(width) * size_t(height));
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  const int32_t key = transparent == IMAGE_NO_TRANSPARENT ? -1 : int32_t(transparent & 0xFFFFFFu);
  const int32_t reserve = has_alpha && key < 0;
  *count = colors;
  if (!argb_quantize(pixels, PIXFMT_XRGB, 4, width, height, width, indices->data(), palette, count,
                     key, reserve, dither))
    return ERR_MEM;
  *marker = key >= 0 || reserve ? *count - 1 : -1;
  if (has_alpha)
    for (size_t i = 0; i < indices->size(); ++i)
      if ((pixels[i] >> 24) < 128) (*indices)[i] = uint8_t(*marker);
  return 0;
}

int32_t write_gif(const uint32_t* pixels, int32_t width, int32_t height, const char* name,
                  uint32_t transparent, int32_t has_alpha, int32_t colors, int32_t dither) {
  std::vector<uint8_t> indices;
  uint32_t palette[256] = {};
  int32_t count = 0, marker = -1;
  if (const int32_t rc = reduce_to_palette(pixels, width, height, transparent, has_alpha, colors,
                                           dither, &indices, palette, &count, &marker))
    return rc;
  qmGifWriter* gif = nullptr;
  int32_t rc = gifsave_open(name, width, height, &gif);
  if (rc) return rc;
  // No transparent index: a hidden pixel or the key colour is the reserved entry.
  rc = gifsave_write_frame(gif, indices.data(), width, height, 0, palette, count, -1,
                           marker >= 0 ? GIFSAVE_RESERVED : 0);
  if (rc) {
    gifsave_abort(gif);
    return rc;
  }
  return gifsave_close(gif);
}

// A format that an image-saver plug-in registered. The plug-in gets its own copy of the pixels.
int32_t write_with_plugin(int32_t format, const uint32_t* pixels, int32_t width, int32_t height,
                          const char* name, uint32_t transparent, int32_t has_alpha,
                          int32_t quality, int32_t colors, int32_t dither) {
  qmPluginEntry* saver = plugin_find_saver(QMPLUGIN_CAP_IMAGESAVER, uint32_t(format));
  if (!saver) return ERR_UNKNOWNIMGOUT;
  qmPluginImageRequest request{};
  request.width = width;
  request.height = height;
  request.quality = quality;
  std::vector<uint32_t> copy;
  std::vector<uint8_t> indices;
  uint32_t palette[256] = {};
  try {
    if (saver->image_saver.flags & QMPLUGIN_SAVER_ARGB) {
      copy.assign(pixels, pixels + size_t(width) * size_t(height));
      request.pixels = copy.data();
      request.bytes_per_row = width * 4;
      if (has_alpha && (saver->image_saver.flags & QMPLUGIN_SAVER_ALPHA))
        request.flags |= QMPLUGIN_IMAGE_ALPHA;
    } else {
      int32_t count = 0, marker = -1;
      if (const int32_t rc = reduce_to_palette(pixels, width, height, transparent, has_alpha,
                                               colors, dither, &indices, palette, &count, &marker))
        return rc;
      request.pixels = indices.data();
      request.palette = palette;
      request.bytes_per_row = width;
      request.is_palette = 1;
      request.colours = count;
      if (marker >= 0) {
        request.transparent = marker;
        request.flags |= QMPLUGIN_IMAGE_TRANSPARENT;
      }
    }
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  // The plug-in writes a file by name: the temporary file of a save, put in place when it reports
  // success.
  qmFileHandle* file = qmos_save_open(name);
  if (!file) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  const std::string temp = qmos_save_temp_name(file);
  const auto save = plugin_entry<qmPluginSaveImageFn>(saver, PLUGIN_EP_SAVE_IMAGE);
  if (!save(temp.empty() ? name : temp.c_str(), &request)) {
    qmos_close(file);
    return ERR_SAVEIMAGE;
  }
  return qmos_save_commit(file) ? 0 : ERR_SAVEIMAGE;
}

int32_t write_jpeg(const uint32_t* pixels, int32_t width, int32_t height, const char* name,
                   int32_t quality) {
  qmFileHandle* file = qmos_save_open(name);
  if (!file) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  qmJpegRequest request{pixels, width * 4, width, height, quality, {}, 0};
  platform_jpeg_encode_memory(&request);
  int32_t rc = request.error;
  if (rc == 0 &&
      qmos_write(file, request.data.bytes, int64_t(request.data.length)) != int64_t(request.data.length))
    rc = ERR_WRITEJPEG;
  picture_data_release(&request.data);
  if (rc != 0) qmos_close(file);
  else if (!qmos_save_commit(file)) rc = ERR_WRITEJPEG;
  return rc;
}

}  // namespace

int32_t image_write_file(int32_t format, const uint32_t* pixels, int32_t width, int32_t height,
                         const char* name, uint32_t transparent, int32_t has_alpha,
                         int32_t quality, int32_t colors, int32_t dither) {
  if (width < 1 || height < 1 || !picture_size_allowed(width, height)) return ERR_MEM;
  switch (format) {
    case IMGFMT_BMP: return bmp_write(name, pixels, width, height);
    case IMGFMT_ILBM: return ilbm_save(name, pixels, width, height);
    case IMGFMT_PNG: return platform_png_save(name, pixels, width, height, has_alpha);
    case IMGFMT_JPEG: return write_jpeg(pixels, width, height, name, quality);
    case IMGFMT_GIF:
      return write_gif(pixels, width, height, name, transparent, has_alpha, colors, dither);
    default:
      return write_with_plugin(format, pixels, width, height, name, transparent, has_alpha, quality,
                               colors, dither);
  }
}

int32_t image_write_bitmap(int32_t format, const qmBitmap* bitmap, int32_t width, int32_t height,
                           const char* name, const qmMask* mask, uint32_t transparent,
                           const qmAlphaChannel* alpha, int32_t quality, int32_t colors,
                           int32_t dither) {
  uint32_t* pixels = image_build_argb(bitmap, width, height, mask, alpha, transparent, 0);
  if (!pixels) return ERR_MEM;
  // A GIF has no alpha: what a mask hides goes to its transparent entry as well.
  const int32_t has_alpha = alpha != nullptr || (mask != nullptr && format == IMGFMT_GIF);
  const int32_t rc = image_write_file(format, pixels, width, height, name, transparent, has_alpha,
                                      quality, colors, dither);
  qmos_free_pixels(pixels);
  return rc;
}

void image_read_save_options(qmState* L, int32_t n, int32_t* quality, int32_t* colors,
                             int32_t* dither) {
  if (vm_get_top(L) != n) return;
  if (vm_type(L, n) == QM_TTABLE) {
    opt_get_int(L, n, "quality", quality, nullptr);
    opt_get_int(L, n, "colors", colors, nullptr);
    opt_get_int(L, n, "dither", dither, nullptr);
    return;
  }
  const OptNumber q = arg_get_opt_number(L, n);
  *quality = q.absent ? 90 : q.value;
}

}  // namespace qm
