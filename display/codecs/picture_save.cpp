// PNG and JPEG writers over libpng and libjpeg-turbo. Both libraries report errors by longjmp:
// the functions that call them hold no C++ objects, so nothing needs unwinding.
#include "display/codecs/picture_save.h"

#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"

namespace qm {

void picture_data_release(qmPictureData* data) {
  std::free(data->bytes);
  data->bytes = nullptr;
  data->length = 0;
}

namespace {

// Where encoded bytes go: a file of the file layer, or a growing malloc'd block.
struct Sink {
  qmFileHandle* file;
  uint8_t* bytes;
  size_t length, capacity;
  int failed;
};

int sink_write(Sink* s, const uint8_t* data, size_t n) {
  if (s->failed) return 0;
  if (s->file) {
    if (qmos_write(s->file, data, int64_t(n)) != int64_t(n)) s->failed = 1;
    return !s->failed;
  }
  if (s->length + n > s->capacity) {
    size_t cap = s->capacity ? s->capacity * 2 : 65536;
    while (cap < s->length + n) cap *= 2;
    uint8_t* grown = static_cast<uint8_t*>(std::realloc(s->bytes, cap));
    if (!grown) {
      s->failed = 1;
      return 0;
    }
    s->bytes = grown;
    s->capacity = cap;
  }
  std::memcpy(s->bytes + s->length, data, n);
  s->length += n;
  return 1;
}

// ---- PNG ---------------------------------------------------------------------------------------

void png_sink_write(png_structp png, png_bytep data, size_t n) {
  if (!sink_write(static_cast<Sink*>(png_get_io_ptr(png)), data, n)) png_error(png, "write failed");
}
void png_sink_flush(png_structp) {}

// 0, or ERR_SAVEPNG / ERR_MEM.
int32_t write_png(Sink* sink, const uint32_t* pixels, int32_t width, int32_t height,
                  int32_t bytes_per_row, int32_t has_alpha) {
  const size_t channels = has_alpha ? 4 : 3;
  uint8_t* row = static_cast<uint8_t*>(std::malloc(size_t(width) * channels));
  if (!row) return ERR_MEM;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::free(row);
    return ERR_MEM;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::free(row);
    return ERR_SAVEPNG;
  }
  png_set_write_fn(png, sink, png_sink_write, png_sink_flush);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
               has_alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const uint8_t* base = reinterpret_cast<const uint8_t*>(pixels);
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* in = reinterpret_cast<const uint32_t*>(base + size_t(y) * size_t(bytes_per_row));
    uint8_t* out = row;
    if (has_alpha) {
      for (int32_t x = 0; x < width; ++x, out += 4) {
        const uint32_t v = in[x];
        out[0] = uint8_t(v >> 16), out[1] = uint8_t(v >> 8), out[2] = uint8_t(v), out[3] = uint8_t(v >> 24);
      }
    } else {
      for (int32_t x = 0; x < width; ++x, out += 3) {
        const uint32_t v = in[x];
        out[0] = uint8_t(v >> 16), out[1] = uint8_t(v >> 8), out[2] = uint8_t(v);
      }
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::free(row);
  return sink->failed ? ERR_SAVEPNG : 0;
}

// ---- JPEG --------------------------------------------------------------------------------------

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void jpeg_error_jump(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void jpeg_no_message(j_common_ptr) {}

// Baseline JFIF (the APP0 segment right after SOI) in memory; the rows are read in place, as
// B, G, R, X bytes, which is how 0xAARRGGBB words lie in memory on this host.
int32_t encode_jpeg(const uint32_t* pixels, int32_t width, int32_t height, int32_t bytes_per_row,
                    int32_t quality, uint8_t** out, unsigned long* out_length) {
  jpeg_compress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpeg_error_jump;
  err.mgr.output_message = jpeg_no_message;
  *out = nullptr;
  *out_length = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(*out);
    *out = nullptr;
    return ERR_WRITEJPEG;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, out_length);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality < 0 ? 0 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const uint8_t* base = reinterpret_cast<const uint8_t*>(pixels);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(base + size_t(cinfo.next_scanline) * size_t(bytes_per_row));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 0;
}

}  // namespace

int32_t platform_picture_save(const char* name, const uint32_t* pixels, int32_t width,
                              int32_t height, int32_t bytes_per_row, int32_t type,
                              int32_t has_alpha, int32_t quality, qmPictureData* out) {
  const int32_t type_error = type == PICTURE_TYPE_PNG ? ERR_SAVEPNG : ERR_WRITEJPEG;
  if (width < 1 || height < 1 || bytes_per_row < width * 4) return type_error;
  Sink sink{nullptr, nullptr, 0, 0, 0};
  if (name) {
    sink.file = qmos_save_open(name);
    if (!sink.file) return type_error;
  }
  int32_t rc;
  if (type == PICTURE_TYPE_PNG) {
    rc = write_png(&sink, pixels, width, height, bytes_per_row, has_alpha);
  } else {
    uint8_t* bytes = nullptr;
    unsigned long length = 0;
    rc = encode_jpeg(pixels, width, height, bytes_per_row, quality, &bytes, &length);
    if (rc == 0 && name) {
      sink_write(&sink, bytes, length);
      std::free(bytes);
      if (sink.failed) rc = ERR_WRITEJPEG;
    } else if (rc == 0) {
      sink.bytes = bytes;
      sink.length = length;
    }
  }
  if (sink.file && rc != 0) qmos_close(sink.file);
  else if (sink.file && !qmos_save_commit(sink.file)) rc = type_error;
  if (rc != 0 || name) {
    std::free(sink.bytes);
    return rc;
  }
  out->bytes = sink.bytes;
  out->length = sink.length;
  return 0;
}

int32_t platform_png_save(const char* name, const uint32_t* pixels, int32_t width, int32_t height,
                          int32_t has_alpha) {
  return platform_picture_save(name, pixels, width, height, width * 4, PICTURE_TYPE_PNG, has_alpha,
                               0, nullptr);
}

void platform_jpeg_encode_memory(qmJpegRequest* r) {
  r->data = qmPictureData{};
  r->error = platform_picture_save(nullptr, r->pixels, r->width, r->height, r->bytes_per_row,
                                   PICTURE_TYPE_JPEG, 0, r->quality, &r->data);
}

}  // namespace qm
