#include "sound/modplayer_probe.h"

#include "sound/modplayer_state.h"

namespace qm {

ModProbe mod_probe(const qmModPlayer* st) {
  ModProbe p{};
  for (int32_t c = 0; c < kModChannels; ++c) {
    const qmModChannel& ch = st->channels[c];
    p.channels[c] = {ch.period,           ch.effective_period, ch.volume,
                     ch.effective_volume, ch.position,         ch.step};
  }
  p.speed = st->speed;
  p.tempo = st->tempo;
  p.samples_per_tick = st->samples_per_tick;
  p.row = st->row;
  p.song_position = st->song_position;
  p.tick_counter = st->tick_counter;
  p.looped = (st->flags & kModFlagLooped) != 0;
  p.row_read = st->row_read;
  return p;
}

void mod_probe_notify(const qmModPlayer* st) {
  st->watch(mod_probe(st), st->watch_context);
}

void mod_probe_watch(qmModPlayer* st, ModProbeWatch watch, void* context) {
  st->watch = watch;
  st->watch_context = context;
}

void mod_probe_set_stop_at_loop(qmModPlayer* st, bool on) {
  st->flags = on ? st->flags | kModFlagStopAtLoop : st->flags & ~kModFlagStopAtLoop;
}

}  // namespace qm
