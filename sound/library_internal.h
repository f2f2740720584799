// Between the sound library's own files: its switches and the wait loop its commands share.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmCommand;

namespace qm::sound_internal {

bool no_sound();
bool audio_up();
// Opens the audio device on first need: false under no sound (also when it cannot open).
bool lazy_start();
// Whether a callback of the program runs now (commands that start or stop music refuse then).
bool in_callback();
// A volume 0..64 from a number; the script constant (MONO8, ...) of a sample format code.
int32_t clamp_volume(double v);
int32_t format_to_script(int32_t code);
// Waits, pumping events, until done(context) holds: 0, or the abort of a quit.
int32_t wait_until(qmState* L, bool (*done)(void* context), void* context);
// The music commands, their object list, GetAttribute rows and exit.
extern const qmCommand kMusicCommands[];
void music_open();
ObjectHeader** music_list();
void music_stop_playing();
void music_free_all(qmState* L);

}  // namespace qm::sound_internal
