#include "platform/ffmpeg_input.h"

#include <cerrno>
#include <cstring>

#include "engine/errcodes.h"

namespace qm {

namespace {

constexpr int kIOBufferSize = 32768;

int io_read(void* opaque, uint8_t* buffer, int size) {
  auto* in = static_cast<FFmpegInput*>(opaque);
  const int64_t n = in->io.read(in->io.opaque, buffer, size);
  if (n < 0) return AVERROR(EIO);
  if (n == 0) return AVERROR_EOF;
  in->pos += n;
  return int(n);
}

int64_t io_seek(void* opaque, int64_t offset, int whence) {
  auto* in = static_cast<FFmpegInput*>(opaque);
  if (whence & AVSEEK_SIZE) return in->io.size;
  int64_t base = 0;
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET:
      break;
    case SEEK_CUR:
      base = in->pos;
      break;
    case SEEK_END:
      base = in->io.size;
      break;
    default:
      return AVERROR(EINVAL);
  }
  int64_t target = 0;
  if (__builtin_add_overflow(base, offset, &target) || target < 0) return AVERROR(EINVAL);
  const int64_t at = in->io.seek(in->io.opaque, target);
  if (at < 0) return AVERROR(EIO);
  in->pos = at;
  return at;
}

int refuse_open(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
  return AVERROR(EPERM);
}

}  // namespace

const char* ffmpeg_format_name(const AVFormatContext* fmt, const FFmpegFormatName* table, size_t count) {
  const char* demuxer = fmt->iformat->name;
  for (size_t i = 0; i < count; ++i) {
    const size_t n = std::strlen(table[i].demuxer);
    if (std::strncmp(demuxer, table[i].demuxer, n) == 0 && (demuxer[n] == 0 || demuxer[n] == ',')) {
      return table[i].name;
    }
  }
  return "Unknown";
}

int32_t ffmpeg_input_open(FFmpegInput* in, const char* allowed, int32_t refused) {
  if (in->io.seek(in->io.opaque, 0) != 0) return refused;
  in->pos = 0;
  auto* buffer = static_cast<uint8_t*>(ff.av_malloc(kIOBufferSize));
  if (!buffer) return ERR_MEM;
  in->avio = ff.avio_alloc_context(buffer, kIOBufferSize, 0, in, io_read, nullptr, io_seek);
  if (!in->avio) {
    ff.av_free(buffer);
    return ERR_MEM;
  }
  in->fmt = ff.avformat_alloc_context();
  if (!in->fmt) {
    ffmpeg_input_close(in);
    return ERR_MEM;
  }
  in->fmt->pb = in->avio;
  in->fmt->flags |= AVFMT_FLAG_CUSTOM_IO;
  in->fmt->io_open = refuse_open;
  AVDictionary* options = nullptr;
  ff.av_dict_set(&options, "format_whitelist", allowed, 0);
  // No protocol is called "none": whatever asks for one gets nothing.
  ff.av_dict_set(&options, "protocol_whitelist", "none", 0);
  const int r = ff.avformat_open_input(&in->fmt, "", nullptr, &options);
  ff.av_dict_free(&options);
  if (r < 0) {  // the failed open freed the context
    in->fmt = nullptr;
    ffmpeg_input_close(in);
    return r == AVERROR(ENOMEM) ? ERR_MEM : refused;
  }
  return 0;
}

void ffmpeg_input_close(FFmpegInput* in) {
  if (in->fmt) ff.avformat_close_input(&in->fmt);
  if (in->avio) {
    ff.av_freep(&in->avio->buffer);
    ff.avio_context_free(&in->avio);
  }
}

}  // namespace qm
