// Samples: whole sources decoded into memory, and the helpers around the sample record.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "sound/formats.h"

namespace qm {

namespace {

constexpr int32_t kReadBlock = 1 << 20;  // frames a read

struct BlockFree {
  void operator()(void* p) const { qmos_free(p); }
};
using BlockPtr = std::unique_ptr<uint8_t, BlockFree>;

uint8_t* alloc_bytes(int64_t n) { return static_cast<uint8_t*>(qmos_alloc(size_t(n), 0)); }

// A built-in reader's frames: their number is exact. A read that comes short (the file changed
// under us) ends the sample there.
int32_t read_known(qmSoundSource* s, BlockPtr* data, int64_t* frames) {
  const int64_t bpf = s->bytes_per_frame;
  if (s->frames > SAMPLE_MAX_BYTES / bpf) return ERR_MEM;
  data->reset(alloc_bytes(s->frames * bpf));
  if (!*data) return ERR_MEM;
  qmos_prepare_bulk_write(data->get(), size_t(s->frames * bpf));
  int64_t done = 0;
  while (done < s->frames) {
    const int32_t n = int32_t(std::min<int64_t>(kReadBlock, s->frames - done));
    const int32_t got = qmos_source_read(s, data->get() + done * bpf, n, nullptr);
    if (got <= 0) break;
    done += got;
  }
  *frames = done;
  return 0;
}

// A platform or plug-in source's frames: read to its end, whatever it announced, up to
// SAMPLE_MAX_BYTES. The buffer starts at the announced size (memory that is never written costs
// nothing), grows when the source delivers more and shrinks when it delivered much less.
int32_t read_to_end(qmSoundSource* s, BlockPtr* data, int64_t* frames) {
  const int64_t bpf = s->bytes_per_frame;
  const int64_t most = SAMPLE_MAX_BYTES / bpf;
  int64_t capacity = std::min(std::clamp<int64_t>(s->frames, 0, most) + kReadBlock, most);
  data->reset(alloc_bytes(capacity * bpf));
  if (!*data) return ERR_MEM;
  int64_t done = 0;
  const auto move_to = [&](int64_t size) {
    BlockPtr moved(alloc_bytes(size * bpf));
    if (!moved) return false;
    std::memcpy(moved.get(), data->get(), size_t(done * bpf));
    *data = std::move(moved);
    capacity = size;
    return true;
  };
  for (bool end = false; !end;) {
    if (done == capacity) {
      if (capacity == most) {  // anything more is too much
        uint8_t probe[8];
        if (qmos_source_read(s, probe, 1, nullptr) > 0) return ERR_MEM;
        break;
      }
      if (!move_to(std::min(most, capacity + capacity / 2))) return ERR_MEM;
    }
    const int32_t n = int32_t(std::min<int64_t>(kReadBlock, capacity - done));
    const int32_t got = qmos_source_read(s, data->get() + done * bpf, n, &end);
    if (got <= 0 && !end) break;
    done += std::max(got, 0);
  }
  if (done > 0 && capacity - done > capacity / 8 && !move_to(done)) return ERR_MEM;
  *frames = done;
  return 0;
}

}  // namespace

int32_t qmos_sample_format_code(int32_t channels, int32_t bits, bool is_signed) {
  if (channels != 1 && channels != 2) return -1;
  if (bits == 16) return channels == 1 ? SAMPLE_MONO16 : SAMPLE_STEREO16;
  if (bits != 8) return -1;
  if (channels == 1) return is_signed ? SAMPLE_MONO8 : SAMPLE_MONO8U;
  return is_signed ? SAMPLE_STEREO8 : SAMPLE_STEREO8U;
}

int32_t qmos_sample_frame_bytes(int32_t format) {
  static constexpr int32_t kBytes[] = {1, 2, 1, 2, 2, 4};
  return format >= 0 && format <= SAMPLE_STEREO16 ? kBytes[format] : 0;
}

int32_t qmos_sample_load(const char* name, qmSampleData** out, int64_t* total_bytes,
                         int32_t* rate, int32_t* format) {
  *out = nullptr;
  qmSoundSource* opened = nullptr;
  if (int32_t err = qmos_detect_sound(name, 0, &opened)) return err;
  SourcePtr s(opened);
  if (s->total_bytes <= 0 || s->bytes_per_frame <= 0 || s->bits <= 0) return ERR_STREAMASSAMPLE;
  if (s->format < 0) return ERR_8OR16BITONLY;

  BlockPtr data;
  int64_t frames = 0;
  const bool known = s->kind == SOURCE_IFF_8SVX || s->kind == SOURCE_IFF_16SV ||
                     s->kind == SOURCE_WAVE;
  if (int32_t err = known ? read_known(s.get(), &data, &frames) : read_to_end(s.get(), &data, &frames))
    return err;
  if (frames == 0) return ERR_STREAMASSAMPLE;

  qmSampleData* sample = qmos_sample_create(data.get(), int32_t(frames), s->format);
  if (!sample) return ERR_MEM;
  data.release();
  sample->flags = s->flags;
  *out = sample;
  if (total_bytes) *total_bytes = frames * s->bytes_per_frame;
  if (rate) *rate = s->rate;
  if (format) *format = s->format;
  return 0;
}

bool qmos_sample_check(const char* name) {
  qmSoundSource* opened = nullptr;
  if (qmos_detect_sound(name, 0, &opened)) return false;
  SourcePtr s(opened);
  return s->total_bytes > 0 && s->bytes_per_frame > 0 && s->bits > 0;
}

qmSampleData* qmos_sample_create(void* buffer, int32_t frames, int32_t format) {
  const int32_t bpf = qmos_sample_frame_bytes(format);
  if (bpf == 0) return nullptr;
  auto* sample = new (std::nothrow) qmSampleData;
  if (!sample) return nullptr;
  sample->data = buffer;
  sample->format = format;
  sample->bytes_per_frame = bpf;
  sample->bits = format >= SAMPLE_MONO16 ? 16 : 8;
  sample->channels = bpf / (sample->bits / 8);
  sample->flags = format >= SAMPLE_MONO8 ? SAMPLE_SIGNED : 0;
  sample->frames = frames;
  return sample;
}

qmSampleData* qmos_sample_copy(const qmSampleData* sample) {
  auto* copy = new (std::nothrow) qmSampleData(*sample);
  if (!copy) return nullptr;
  copy->lock = 0;
  const size_t bytes = size_t(sample->frames) * size_t(sample->bytes_per_frame);
  copy->data = bytes ? qmos_alloc(bytes, 0) : nullptr;
  if (bytes && !copy->data) {
    delete copy;
    return nullptr;
  }
  if (bytes) std::memcpy(copy->data, sample->data, bytes);
  return copy;
}

void qmos_sample_free(qmSampleData* sample) {
  if (!sample) return;
  qmos_free(sample->data);
  delete sample;
}

void* qmos_sample_data(const qmSampleData* sample) { return sample->data; }

int32_t qmos_sample_get_flag(const qmSampleData* sample) {
  return int32_t(sample->flags & SAMPLE_BIG_ENDIAN);
}

void qmos_sample_replace_data(qmSampleData* sample, void* buffer, int32_t frames) {
  qmos_free(sample->data);
  sample->data = buffer;
  sample->frames = frames;
}

}  // namespace qm
