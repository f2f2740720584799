// Program-fed sources: the frames that the program queues with FillMusicBuffer, read by the
// streaming thread. A dry queue reads as silence and does not end the stream; only an "end"
// entry does.
#include <algorithm>
#include <cstring>
#include <new>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "runtime/os/qmos.h"
#include "sound/formats.h"

namespace qm {

namespace {

uint8_t silence_byte(int32_t format) {
  return format == SAMPLE_MONO8U || format == SAMPLE_STEREO8U ? 128 : 0;
}

// Frees the done entries at the head of the queue; the caller holds the lock.
void drop_done(qmProgramFeed* feed) {
  while (feed->head && feed->head->done) {
    qmMusicBufferEntry* e = feed->head;
    feed->head = e->next;
    qmos_custom_entry_free(e);
  }
  if (!feed->head) feed->tail = nullptr;
}

// Wakes the event loop while the queue holds less than a second and no end, as the poller's
// music request sees it: a program waiting in WaitEvent is asked for more at once, whatever
// timers run. The caller holds the lock.
void wake_when_low(const qmProgramFeed* feed) {
  int64_t unplayed = 0;
  for (const qmMusicBufferEntry* e = feed->head; e; e = e->next) {
    if (!e->data) return;
    if (!e->done) unplayed += e->frames - e->position;
    if (unplayed >= feed->rate) return;
  }
  platform_wake();
}

}  // namespace

int32_t qmos_custom_stream_create(qmState* L, int32_t rate, int32_t format, int32_t* kind,
                                  qmSoundSource** out) {
  *out = nullptr;
  const int32_t bytes_per_frame = qmos_sample_frame_bytes(format);
  if (bytes_per_frame == 0 || rate < 1) return ERR_WRONGUSAGE;
  qmSoundSource* s = source_new();
  if (!s) return ERR_MEM;
  s->feed.reset(new (std::nothrow) qmProgramFeed);
  if (!s->feed) {
    qmos_source_close(s);
    return ERR_MEM;
  }
  const bool stereo = format == SAMPLE_STEREO8U || format == SAMPLE_STEREO8 ||
                      format == SAMPLE_STEREO16;
  s->kind = SOURCE_PROGRAM;
  s->for_music = 1;
  s->seekable = 0;
  s->rate = rate;
  s->channels = stereo ? 2 : 1;
  s->bits = format >= SAMPLE_MONO16 ? 16 : 8;
  s->flags = format >= SAMPLE_MONO8 ? SAMPLE_SIGNED : 0;
  s->bytes_per_frame = s->packet_bytes = bytes_per_frame;
  s->format = format;
  s->frames = s->total_bytes = SOURCE_UNBOUNDED;
  qmProgramFeed* feed = s->feed.get();
  feed->L = L;
  feed->rate = rate;
  feed->bits = s->bits;
  feed->channels = s->channels;
  feed->bytes_per_frame = bytes_per_frame;
  feed->format = format;
  *kind = MUSIC_STREAM;
  *out = s;
  return 0;
}

qmMusicBufferEntry* qmos_custom_entry_new(const qmSoundSource* s, int64_t frames) {
  const bool end = frames == SOURCE_UNBOUNDED;
  if (!end && (frames < 0 || frames > SAMPLE_MAX_BYTES / s->bytes_per_frame)) return nullptr;
  const int64_t size = end ? 0 : frames * s->bytes_per_frame;
  void* block = qmos_alloc(sizeof(qmMusicBufferEntry) + size_t(size), 0);
  if (!block) return nullptr;
  auto* e = new (block) qmMusicBufferEntry;
  if (!end) {
    e->data = reinterpret_cast<uint8_t*>(e + 1);
    e->size = size;
    e->frames = frames;
    std::memset(e->data, silence_byte(s->format), size_t(size));
  }
  return e;
}

void qmos_custom_entry_free(qmMusicBufferEntry* e) {
  if (!e) return;
  e->~qmMusicBufferEntry();
  qmos_free(e);
}

void qmos_custom_append(qmSoundSource* s, qmMusicBufferEntry* e) {
  qmProgramFeed* feed = s->feed.get();
  {
    std::lock_guard<std::mutex> hold(feed->lock);
    drop_done(feed);
    e->next = nullptr;
    if (feed->tail) {
      feed->tail->next = e;
    } else {
      feed->head = e;
    }
    feed->tail = e;
  }
  feed->total_queued += e->frames;
  if (!e->data) feed->ended = true;
}

int64_t qmos_custom_unplayed(qmSoundSource* s) {
  qmProgramFeed* feed = s->feed.get();
  std::lock_guard<std::mutex> hold(feed->lock);
  int64_t frames = 0;
  for (const qmMusicBufferEntry* e = feed->head; e && e->data; e = e->next) {
    if (!e->done) frames += e->frames - e->position;
  }
  return frames;
}

void qmos_custom_clear(qmSoundSource* s) {
  qmProgramFeed* feed = s->feed.get();
  std::lock_guard<std::mutex> hold(feed->lock);
  while (qmMusicBufferEntry* e = feed->head) {
    feed->head = e->next;
    qmos_custom_entry_free(e);
  }
  feed->tail = nullptr;
  feed->ended = false;
}

int32_t feed_read(qmSoundSource* s, uint8_t* buffer, int32_t frames, bool* end) {
  qmProgramFeed* feed = s->feed.get();
  const int32_t bpf = feed->bytes_per_frame;
  int32_t done = 0;
  std::lock_guard<std::mutex> hold(feed->lock);
  qmMusicBufferEntry* e = feed->head;
  while (done < frames) {
    while (e && e->done) e = e->next;
    if (!e) {  // dry: silence, and the stream goes on
      std::memset(buffer + size_t(done) * size_t(bpf), silence_byte(feed->format),
                  size_t(frames - done) * size_t(bpf));
      wake_when_low(feed);
      return frames;
    }
    if (!e->data) {
      *end = true;
      return done;
    }
    const int64_t take = std::min<int64_t>(e->frames - e->position, frames - done);
    std::memcpy(buffer + size_t(done) * size_t(bpf), e->data + e->position * bpf,
                size_t(take) * size_t(bpf));
    e->position += take;
    done += int32_t(take);
    if (e->position >= e->frames) e->done = true;
  }
  wake_when_low(feed);
  return done;
}

}  // namespace qm
