// PNG pictures through libpng. Every colour type and depth is turned into 8-bit rows that libpng
// writes straight into the pixel buffer as 0xAARRGGBB words (alpha 0 for pictures without an
// alpha channel or tRNS).
//
// libpng reports errors by longjmp: the decoding function below holds no object with a
// destructor, and everything it allocates lives in the job record so that the error path can free
// it.
#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstdlib>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"

namespace qm {

namespace {

struct PngJob {
  std::jmp_buf jump;
  qmFileHandle* fh;
  bool header_only;
  int32_t width;
  int32_t height;
  int32_t has_alpha;
  uint32_t* pixels;
  png_bytep* rows;
  int32_t error;  // set before a deliberate png_error of our own
};

extern "C" void png_error_callback(png_structp png, png_const_charp) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::longjmp(job->jump, 1);
}

extern "C" void png_warning_callback(png_structp, png_const_charp) {}

extern "C" void png_read_callback(png_structp png, png_bytep buffer, png_size_t length) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (qmos_read(job->fh, buffer, int64_t(length)) != int64_t(length)) png_error(png, "Read error!");
}

// 8-bit samples laid out so that each pixel is one host word 0xAARRGGBB.
void set_argb_layout(png_structp png, bool alpha) {
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
  } else {
    if (alpha) png_set_swap_alpha(png);
    else png_set_filler(png, 0, PNG_FILLER_BEFORE);
  }
}

// Plain C-style on purpose: setjmp must not skip destructors.
int32_t png_decode(PngJob* job) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job, png_error_callback,
                                           png_warning_callback);
  if (!png) return ERR_MEM;
  png_infop info = png_create_info_struct(png);
  png_infop end_info = info ? png_create_info_struct(png) : nullptr;
  if (!end_info) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return ERR_MEM;
  }
  if (setjmp(job->jump)) {
    png_destroy_read_struct(&png, &info, &end_info);
    std::free(job->rows);
    job->rows = nullptr;
    qmos_free_pixels(job->pixels);
    job->pixels = nullptr;
    return job->error ? job->error : ERR_LOADPICTURE2;
  }
  png_set_read_fn(png, job, png_read_callback);
  png_read_info(png, info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, colour = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, nullptr, nullptr);
  bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (!picture_size_allowed(w, h)) {
    job->error = ERR_MEM;
    png_error(png, "size");
  }
  job->width = int32_t(w);
  job->height = int32_t(h);
  job->has_alpha = (colour & PNG_COLOR_MASK_ALPHA) || trns;

  if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (trns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  set_argb_layout(png, job->has_alpha);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  if (!job->header_only) {
    if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "layout");
    job->pixels = picture_alloc(job->width, job->height);
    job->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * h));
    if (!job->pixels || !job->rows) {
      job->error = ERR_MEM;
      png_error(png, "memory");
    }
    for (png_uint_32 y = 0; y < h; ++y)
      job->rows[y] = reinterpret_cast<png_bytep>(job->pixels + size_t(y) * w);
    png_read_image(png, job->rows);
    png_read_end(png, end_info);
    std::free(job->rows);
    job->rows = nullptr;
  }
  png_destroy_read_struct(&png, &info, &end_info);
  return 0;
}

}  // namespace

int32_t png_load(const char* name, int32_t* width, int32_t* height, uint32_t** pixels,
                 int32_t* has_alpha, int32_t* error) {
  err_set_string_arg(name);
  int32_t err = ERR_READFILE;
  FilePtr fh(qmos_open(name, QMOS_MODE_READ));
  PngJob job{};
  if (fh) {
    job.fh = fh.get();
    job.header_only = pixels == nullptr;
    err = png_decode(&job);
  }
  if (error) *error = err;
  if (err) return err;
  if (pixels) *pixels = job.pixels;
  if (width) *width = job.width;
  if (height) *height = job.height;
  if (has_alpha) *has_alpha = job.has_alpha;
  return 0;
}

}  // namespace qm
