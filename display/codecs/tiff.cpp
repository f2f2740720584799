// TIFF pictures through libtiff, read through the file layer, rows in the order the file stores
// them (the orientation tag is not applied, as no JPEG orientation is). Straight (unassociated)
// alpha of an RGB picture of 32 or 64 bits per pixel is kept as it stands and reported; other
// alpha (premultiplied, or beside grey or palette colours) is dropped and the colours load as
// stored.
#include <cstdlib>
#include <vector>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "display/codecs/tiff_lib.h"
#include "engine/errcodes.h"

namespace qm {

namespace {

qmFileHandle* fh_of(thandle_t h) { return static_cast<qmFileHandle*>(h); }

extern "C" tmsize_t tiff_read_proc(thandle_t h, void* buffer, tmsize_t n) {
  return tmsize_t(qmos_read(fh_of(h), buffer, int64_t(n)));
}
extern "C" tmsize_t tiff_write_proc(thandle_t, void*, tmsize_t) { return 0; }
extern "C" toff_t tiff_seek_proc(thandle_t h, toff_t offset, int whence) {
  int32_t mode = whence == SEEK_SET ? QMOS_SEEK_BEGINNING
                 : whence == SEEK_CUR ? QMOS_SEEK_CURRENT
                                      : QMOS_SEEK_END;
  qmos_seek(fh_of(h), int64_t(offset), mode);
  return toff_t(qmos_seek(fh_of(h), 0, QMOS_SEEK_CURRENT));
}
extern "C" int tiff_close_proc(thandle_t) { return 0; }
extern "C" toff_t tiff_size_proc(thandle_t h) {
  int64_t here = qmos_seek(fh_of(h), 0, QMOS_SEEK_END);
  return toff_t(qmos_seek(fh_of(h), here, QMOS_SEEK_BEGINNING));
}
extern "C" int tiff_map_proc(thandle_t, void**, toff_t*) { return 0; }
extern "C" void tiff_unmap_proc(thandle_t, void*, toff_t) {}
extern "C" int tiff_quiet_handler(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffClose {
  void operator()(TIFF* t) const { libtiff.TIFFClose(t); }
};

// 1 when the picture's first extra sample is straight alpha.
bool has_straight_alpha(TIFF* tif) {
  uint16_t count = 0;
  uint16_t* kinds = nullptr;
  return libtiff.TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) && count >= 1 &&
         kinds[0] == EXTRASAMPLE_UNASSALPHA;
}

// 1 for the straight alpha that the player keeps: beside RGB colours in 32 or 64 bits per pixel.
// libtiff's RGBA reader gives grey and palette pictures an opaque plane whatever their alpha
// holds, and other depths carry no alpha that the player reads.
bool keeps_alpha(TIFF* tif) {
  uint16_t photometric = 0, samples = 0, bits = 0;
  if (!libtiff.TIFFGetFieldDefaulted(tif, TIFFTAG_PHOTOMETRIC, &photometric) ||
      !libtiff.TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples) ||
      !libtiff.TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits))
    return false;
  return photometric == PHOTOMETRIC_RGB && samples == 4 && (bits == 8 || bits == 16);
}

}  // namespace

int32_t tiff_read(qmFileHandle* fh, int32_t* width, int32_t* height, uint32_t** pixels,
                  int32_t* has_alpha) {
  if (!tiff_load()) return ERR_LOADPICTURE2;
  TIFFOpenOptions* options = libtiff.TIFFOpenOptionsAlloc();
  if (!options) return ERR_MEM;
  libtiff.TIFFOpenOptionsSetErrorHandlerExtR(options, tiff_quiet_handler, nullptr);
  libtiff.TIFFOpenOptionsSetWarningHandlerExtR(options, tiff_quiet_handler, nullptr);
  libtiff.TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(1) << 30);
  std::unique_ptr<TIFF, TiffClose> tif(
      libtiff.TIFFClientOpenExt("picture", "rm", fh, tiff_read_proc, tiff_write_proc,
                                tiff_seek_proc, tiff_close_proc, tiff_size_proc, tiff_map_proc,
                                tiff_unmap_proc, options));
  libtiff.TIFFOpenOptionsFree(options);
  if (!tif) return ERR_LOADPICTURE2;
  uint32_t w = 0, h = 0;
  if (!libtiff.TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &w) ||
      !libtiff.TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &h) || w < 1 || h < 1)
    return ERR_LOADPICTURE2;
  if (!picture_size_allowed(w, h)) return ERR_MEM;
  const bool straight = has_straight_alpha(tif.get());
  const bool keep_alpha = straight && keeps_alpha(tif.get());
  *width = int32_t(w);
  *height = int32_t(h);
  *has_alpha = keep_alpha;
  if (!pixels) return 0;

  char message[1024];
  if (!libtiff.TIFFRGBAImageOK(tif.get(), message)) return ERR_LOADPICTURE2;
  // libtiff premultiplies straight alpha on the way out; declared as premultiplied, the samples
  // pass unchanged and stay straight.
  if (straight) {
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    libtiff.TIFFGetField(tif.get(), TIFFTAG_EXTRASAMPLES, &count, &kinds);
    std::vector<uint16_t> declared(kinds, kinds + count);
    declared[0] = EXTRASAMPLE_ASSOCALPHA;
    libtiff.TIFFSetField(tif.get(), TIFFTAG_EXTRASAMPLES, count, declared.data());
  }
  // Rows as stored: the reader turns the picture upright only by this tag.
  libtiff.TIFFSetField(tif.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  PixelPtr px(picture_alloc(*width, *height));
  if (!px) return ERR_MEM;
  if (!libtiff.TIFFReadRGBAImageOriented(tif.get(), w, h, px.get(), ORIENTATION_TOPLEFT, 1))
    return ERR_LOADPICTURE2;
  // libtiff's words are A, B, G, R from the top byte down.
  const uint32_t keep = keep_alpha ? 0xFF000000u : 0;
  for (size_t i = 0, n = size_t(w) * size_t(h); i < n; ++i) {
    uint32_t v = px[i];
    px[i] = (v & keep) | (uint32_t(TIFFGetR(v)) << 16) | (uint32_t(TIFFGetG(v)) << 8) |
            TIFFGetB(v);
  }
  *pixels = px.release();
  return 0;
}

}  // namespace qm
