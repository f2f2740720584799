// The sound driver's built-in readers (IFF 8SVX and 16SV, RIFF WAVE) on any bytes: detection,
// reading in uneven pieces, a seek the last bytes choose, and the whole sample.
#include <vector>

#include "memory_input.h"
#include "sound/driver.h"
#include "sound/formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzMemoryFile f(data, size);
  qm::qmSoundSource* s = nullptr;
  if (qm::sound_open_builtin(f.name, 0, &s)) return 0;
  if (s->bytes_per_frame < 1 || s->bytes_per_frame > 4 || s->frames < 0 || s->rate < 1)
    __builtin_trap();
  std::vector<uint8_t> buffer(997 * 4);
  int64_t total = 0;
  for (bool end = false; !end;) {
    const int32_t got = qm::qmos_source_read(s, buffer.data(), 997, &end);
    if (got < 0 || got > 997) __builtin_trap();
    total += got;
    if (got == 0 && !end) break;
  }
  if (total != s->frames) __builtin_trap();
  const uint32_t pick = size >= 4 ? data[size - 1] | data[size - 2] << 8 | data[size - 3] << 16 : 0;
  qm::qmos_source_seek(s, s->frames ? pick % s->frames : 0);
  bool end = false;
  qm::qmos_source_read(s, buffer.data(), 997, &end);
  qm::qmos_source_close(s);

  qm::qmSampleData* sample = nullptr;
  int64_t bytes = 0;
  if (qm::qmos_sample_load(f.name, &sample, &bytes, nullptr, nullptr) == 0) {
    if (bytes != int64_t(sample->frames) * sample->bytes_per_frame) __builtin_trap();
    qm::qmos_sample_free(sample);
  }
  return 0;
}
