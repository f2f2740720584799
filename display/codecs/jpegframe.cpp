// Whole JPEG frames held in memory (Motion JPEG) through libjpeg-turbo's TurboJPEG API, straight
// into the player's frame words: TurboJPEG writes BGRX, which on this host is the word
// 0xXXRRGGBB, and the X byte it leaves undefined is cleared.
#include <turbojpeg.h>

#include <bit>
#include <new>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"

static_assert(std::endian::native == std::endian::little, "BGRX bytes are 0x00RRGGBB words");

namespace qm {

struct qmJpegFrameDecoder {
  tjhandle tj;
};

qmJpegFrameDecoder* jpegframe_open() {
  tjhandle tj = tjInitDecompress();
  if (!tj) return nullptr;
  auto* d = new (std::nothrow) qmJpegFrameDecoder{tj};
  if (!d) tjDestroy(tj);
  return d;
}

void jpegframe_close(qmJpegFrameDecoder* d) {
  if (!d) return;
  tjDestroy(d->tj);
  delete d;
}

uint32_t* jpegframe_decode(qmJpegFrameDecoder* d, const uint8_t* data, size_t size, int32_t width,
                           int32_t height) {
  if (!d || !data || size > 0xFFFFFFFFu) return nullptr;
  int w = 0, h = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(d->tj, data, static_cast<unsigned long>(size), &w, &h, &subsampling,
                          &colourspace) != 0)
    return nullptr;
  if (w != width || h != height) return nullptr;
  PixelPtr pixels(picture_alloc(w, h));
  if (!pixels) return nullptr;
  // A progressive frame of thousands of scans would keep the decoder busy for minutes.
  if (tjDecompress2(d->tj, data, static_cast<unsigned long>(size),
                    reinterpret_cast<unsigned char*>(pixels.get()), w, 0, h, TJPF_BGRX,
                    TJFLAG_LIMITSCANS) != 0 &&
      tjGetErrorCode(d->tj) != TJERR_WARNING)
    return nullptr;
  for (size_t i = 0, n = size_t(w) * size_t(h); i < n; ++i) pixels[i] &= 0xFFFFFF;
  return pixels.release();
}

}  // namespace qm
