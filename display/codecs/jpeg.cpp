// JPEG pictures through libjpeg-turbo, read through the file layer by a source manager of our
// own. Grey, RGB and YCbCr come out as RGB; CMYK and YCCK (Adobe's inverted form too) are turned
// into RGB here. No alpha, and the EXIF orientation is not applied.
//
// libjpeg reports errors by longjmp: the decoding function holds no object with a destructor and
// keeps what it allocates in the job record.
#include <cstdio>

#include <jpeglib.h>

#include <bit>
#include <csetjmp>
#include <cstdlib>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"

namespace qm {

namespace {

constexpr size_t kInputSize = 65536;
// Every scan of a progressive file passes over the blocks of its components again, and nothing in
// the format bounds the number of scans: a small file of thousands of scans keeps the decoder busy
// for minutes. Real files have about ten. Up to kFreeScans scans are always read, whatever the
// picture's size; beyond them the scans together may pass over at most kBlockBudget blocks (a
// hundred passes over a 4096 x 4096 plane, about a second), and never be more than kMaxScans.
constexpr int kFreeScans = 64;
constexpr int kMaxScans = 1000;
constexpr int64_t kBlockBudget = int64_t(100) * (4096 / 8) * (4096 / 8);

struct JpegJob {
  jpeg_error_mgr err;  // first: libjpeg's error record is the job
  std::jmp_buf jump;
  jpeg_source_mgr src;
  jpeg_progress_mgr progress;
  int scans;       // the scans seen so far
  int64_t blocks;  // the blocks that those scans cover
  qmFileHandle* fh;
  JOCTET* buffer;
  bool header_only;
  int32_t width;
  int32_t height;
  uint32_t* pixels;
  JSAMPLE* row;  // one CMYK row
  int32_t error;
};

JpegJob* job_of(j_common_ptr c) { return reinterpret_cast<JpegJob*>(c->err); }

[[noreturn]] void jpeg_fail(JpegJob* job, int32_t error) {
  job->error = error;
  std::longjmp(job->jump, 1);
}

extern "C" void jpeg_error_exit(j_common_ptr c) { std::longjmp(job_of(c)->jump, 1); }
extern "C" void jpeg_quiet_message(j_common_ptr, int) {}

extern "C" void jpeg_source_init(j_decompress_ptr) {}

// The end of the data is an error: a cut-short picture fails instead of showing grey.
extern "C" boolean jpeg_source_fill(j_decompress_ptr c) {
  JpegJob* job = job_of(reinterpret_cast<j_common_ptr>(c));
  int64_t n = qmos_read(job->fh, job->buffer, int64_t(kInputSize));
  if (n <= 0) jpeg_fail(job, ERR_LOADPICTURE2);
  job->src.next_input_byte = job->buffer;
  job->src.bytes_in_buffer = size_t(n);
  return TRUE;
}

extern "C" void jpeg_source_skip(j_decompress_ptr c, long count) {
  JpegJob* job = job_of(reinterpret_cast<j_common_ptr>(c));
  if (count <= 0) return;
  size_t n = size_t(count);
  if (n <= job->src.bytes_in_buffer) {
    job->src.next_input_byte += n;
    job->src.bytes_in_buffer -= n;
    return;
  }
  n -= job->src.bytes_in_buffer;
  job->src.bytes_in_buffer = 0;
  qmos_seek(job->fh, int64_t(n), QMOS_SEEK_CURRENT);
}

extern "C" void jpeg_source_term(j_decompress_ptr) {}

// Called before each step of reading the data, so at least once in every scan.
extern "C" void jpeg_scan_guard(j_common_ptr c) {
  if (!c->is_decompressor) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(c);
  JpegJob* job = job_of(c);
  if (d->input_scan_number == job->scans) return;
  job->scans = d->input_scan_number;
  for (int i = 0; i < d->comps_in_scan; ++i)
    job->blocks += int64_t(d->cur_comp_info[i]->width_in_blocks) * d->cur_comp_info[i]->height_in_blocks;
  if (job->scans > kMaxScans || (job->scans > kFreeScans && job->blocks > kBlockBudget))
    jpeg_fail(job, ERR_LOADPICTURE2);
}

inline uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// CMYK samples of one row into pixels. Adobe writers store the inks inverted (255 = no ink).
void cmyk_row(const JSAMPLE* s, uint32_t* d, int32_t width, bool inverted) {
  for (int32_t x = 0; x < width; ++x, s += 4) {
    uint32_t c = s[0], m = s[1], y = s[2], k = s[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    d[x] = rgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
  }
}

// Plain C-style on purpose: setjmp must not skip destructors.
int32_t jpeg_decode(JpegJob* job, jpeg_decompress_struct* cinfo) {
  cinfo->err = jpeg_std_error(&job->err);
  job->err.error_exit = jpeg_error_exit;
  job->err.emit_message = jpeg_quiet_message;
  if (setjmp(job->jump)) {
    jpeg_destroy_decompress(cinfo);
    std::free(job->buffer);
    std::free(job->row);
    qmos_free_pixels(job->pixels);
    job->buffer = nullptr;
    job->row = nullptr;
    job->pixels = nullptr;
    return job->error ? job->error : ERR_LOADPICTURE2;
  }
  jpeg_create_decompress(cinfo);
  job->buffer = static_cast<JOCTET*>(std::malloc(kInputSize));
  if (!job->buffer) {
    jpeg_fail(job, ERR_MEM);
  }
  job->src.init_source = jpeg_source_init;
  job->src.fill_input_buffer = jpeg_source_fill;
  job->src.skip_input_data = jpeg_source_skip;
  job->src.resync_to_restart = jpeg_resync_to_restart;
  job->src.term_source = jpeg_source_term;
  job->src.bytes_in_buffer = 0;
  job->src.next_input_byte = nullptr;
  cinfo->src = &job->src;
  job->progress.progress_monitor = jpeg_scan_guard;
  cinfo->progress = &job->progress;
  jpeg_read_header(cinfo, TRUE);
  if (!picture_size_allowed(cinfo->image_width, cinfo->image_height)) {
    jpeg_fail(job, ERR_MEM);
  }
  job->width = int32_t(cinfo->image_width);
  job->height = int32_t(cinfo->image_height);
  if (!job->header_only) {
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    if (cmyk) cinfo->out_color_space = JCS_CMYK;
    else cinfo->out_color_space =
        std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_start_decompress(cinfo);
    job->pixels = picture_alloc(job->width, job->height);
    job->row = cmyk ? static_cast<JSAMPLE*>(std::malloc(size_t(job->width) * 4)) : nullptr;
    if (!job->pixels || (cmyk && !job->row)) {
      jpeg_fail(job, ERR_MEM);
    }
    while (cinfo->output_scanline < cinfo->output_height) {
      uint32_t* d = job->pixels + size_t(cinfo->output_scanline) * size_t(job->width);
      if (cmyk) {
        JSAMPROW r = job->row;
        jpeg_read_scanlines(cinfo, &r, 1);
        cmyk_row(job->row, d, job->width, cinfo->saw_Adobe_marker);
      } else {
        JSAMPROW r = reinterpret_cast<JSAMPROW>(d);
        jpeg_read_scanlines(cinfo, &r, 1);
        for (int32_t x = 0; x < job->width; ++x) d[x] &= 0xFFFFFF;
      }
    }
    jpeg_finish_decompress(cinfo);
  }
  jpeg_destroy_decompress(cinfo);
  std::free(job->buffer);
  std::free(job->row);
  job->buffer = nullptr;
  job->row = nullptr;
  return 0;
}

}  // namespace

int32_t jpeg_read(qmFileHandle* fh, int32_t* width, int32_t* height, uint32_t** pixels) {
  JpegJob job{};
  jpeg_decompress_struct cinfo{};
  job.fh = fh;
  job.header_only = pixels == nullptr;
  int32_t err = jpeg_decode(&job, &cinfo);
  if (err) return err;
  if (pixels) *pixels = job.pixels;
  *width = job.width;
  *height = job.height;
  return 0;
}

}  // namespace qm
