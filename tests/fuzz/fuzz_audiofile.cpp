// The platform audio-file source (FFmpeg behind our allow-list) on any bytes: the open, a read of
// up to two million frames, a seek the last bytes choose and a read after it.
#include <vector>

#include "memory_input.h"
#include "platform/audiofile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzMemoryReader m{data, int64_t(size), 0};
  qm::qmAudioFileIO io;
  io.opaque = &m;
  io.read = FuzzMemoryReader::read;
  io.seek = FuzzMemoryReader::seek;
  io.size = int64_t(size);
  qm::qmAudioFile* file = nullptr;
  qm::qmAudioFileInfo info;
  if (qm::platform_audiofile_open(io, &file, &info)) return 0;
  if (info.channels < 1 || info.channels > 2 || (info.bits != 8 && info.bits != 16) ||
      info.rate < 1 || info.frames < 1)
    __builtin_trap();
  const int32_t bpf = info.channels * info.bits / 8;
  std::vector<uint8_t> buffer(size_t(4096) * size_t(bpf));
  bool end = false;
  for (int64_t total = 0; !end && total < 2000000;) {
    const int32_t got = qm::platform_audiofile_read(file, buffer.data(), 4096, &end);
    if (got < 0 || got > 4096) __builtin_trap();
    if (got == 0 && !end) __builtin_trap();
    total += got;
  }
  const uint32_t pick = size >= 4 ? data[size - 1] | data[size - 2] << 8 | data[size - 3] << 16 : 0;
  qm::platform_audiofile_seek(file, int64_t(pick) % info.frames);
  qm::platform_audiofile_read(file, buffer.data(), 4096, &end);
  qm::platform_audiofile_format_name(file);
  qm::platform_audiofile_close(file);
  return 0;
}
