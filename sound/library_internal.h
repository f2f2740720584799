// Between the sound library's own files: its switches and the wait loop its commands share.
#pragma once

#include <cstdint>

#include "runtime/registry.h"
#include "sound/library.h"
#include "sound/sample_edit.h"

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
// Samples for the program-fed music's "sample" entries: the lookup (0, 1041 or 1178), the
// sample conversion's options of the table at t checked against the sample (0 or 1447), and
// the free of a sample (none while a plug-in holds its frames).
int32_t sample_lookup(const ObjectId& id, qmSample** out);
int32_t sample_window(qmState* L, int32_t t, const qmSampleData* source, ConvertWindow* window);
void sample_delete(qmState* L, qmSample* sample);
// The script format (MONO8, ...) as a format code, or -1.
int32_t format_from_script(int64_t format);
inline constexpr int32_t kMinPitch = 256;
// The music commands, their object list, GetAttribute rows and exit.
extern const qmCommand kMusicCommands[];
void music_open();
ObjectHeader** music_list();
void music_stop_playing();
void music_free_all(qmState* L);

}  // namespace qm::sound_internal
