// The picture importer: the formats the player reads through the host's libraries (JPEG, TIFF)
// and a still GIF's first frame, from a file or from bytes in memory. Pictures in memory are read
// through a registered memory window of the file layer, so both sources take one path.
#include <cstring>

#include "display/codecs/codecs.h"
#include "display/codecs/gif.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/vfile.h"

namespace qm {

namespace {

int32_t import_open_file(const char* name, qmFileHandle* fh, int32_t* width, int32_t* height,
                         uint32_t** pixels, int32_t* has_alpha) {
  uint8_t head[PICTURE_PROBE_SIZE] = {};
  qmos_read(fh, head, sizeof head);
  qmos_seek(fh, 0, QMOS_SEEK_BEGINNING);
  *has_alpha = 0;
  switch (picture_format_of(head)) {
    case PICFMT_JPEG:
      return jpeg_read(fh, width, height, pixels);
    case PICFMT_TIFF:
      return tiff_read(fh, width, height, pixels, has_alpha);
    case PICFMT_GIF: {
      int32_t err = gif_load_still(name, width, height, pixels);
      // A still picture has no alpha: whatever the top bytes hold is cleared.
      if (!err && pixels && *pixels)
        for (size_t i = 0, n = size_t(*width) * size_t(*height); i < n; ++i)
          (*pixels)[i] &= 0xFFFFFF;
      return err;
    }
    default:
      return ERR_LOADPICTURE2;
  }
}

}  // namespace

int32_t platform_picture_load(const char* name, const uint8_t* data, size_t length,
                              int32_t* width_out, int32_t* height_out, uint32_t** pixels_out,
                              int32_t* has_alpha_out, qmAlphaChannel** alpha_out) {
  if (alpha_out) *alpha_out = nullptr;
  char window[VFILE_NAME_SIZE];
  if (!name) {
    if (!data) return ERR_LOADPICTURE2;
    qmos_register_memory(data, length);
    if (!vfile_make_chunk_name("picture", window, sizeof window, -1, length, 0,
                               reinterpret_cast<const char*>(data))) {
      qmos_unregister_memory(data);
      return ERR_MEM;
    }
  }
  FilePtr fh(qmos_open(name ? name : window, QMOS_MODE_READ));
  int32_t width = 0, height = 0, has_alpha = 0;
  uint32_t* pixels = nullptr;
  int32_t err = fh ? import_open_file(name ? name : window, fh.get(), &width, &height,
                                      pixels_out ? &pixels : nullptr, &has_alpha)
                   : ERR_MEM;
  fh.reset();
  if (!name) qmos_unregister_memory(data);
  if (err) return err;
  if (pixels_out) *pixels_out = pixels;
  if (width_out) *width_out = width;
  if (height_out) *height_out = height;
  if (has_alpha_out) *has_alpha_out = has_alpha;
  return 0;
}

int32_t platform_picture_load_memory(const uint8_t* data, size_t length, int32_t* width,
                                     int32_t* height, uint32_t** pixels, int32_t* has_alpha,
                                     qmAlphaChannel** alpha) {
  return platform_picture_load(nullptr, data, length, width, height, pixels, has_alpha, alpha);
}

}  // namespace qm
