// The "sound" library: the program's samples (decoded whole, played on the eight channels) and
// musics. The commands live in sound/sample_commands.cpp; this is what the player's composition
// root and the plug-in layer use of it.
#pragma once

#include <cstdint>

#include "runtime/registry.h"
#include "platform/audiofile.h"
#include "runtime/os/qmos.h"
#include "sound/driver.h"

struct qmState;

namespace qm {

struct qmSample {
  ObjectHeader header;  // OBJ_SAMPLE
  qmSampleData* data = nullptr;
  int32_t volume = 64;   // 0..64
  int32_t pitch = 0;     // frames a second, at least 256 when set by a command
  int32_t format = 0;    // SAMPLE_* format code
  int32_t length = 0;    // bytes
  int32_t panning = 128;  // 0..255
};

// Opens the library: commands, constants, the object lists and the channel layer.
int32_t sound_open(qmState* L);
// Runtime attributes: tag 3 (no sound), 4 (the audio parameter), 13, 14, 19 and 24 (the sound-end
// handlers). 1 when taken.
int sound_setting_hook(qmState* L, int32_t tag, intptr_t data);
// Attribute queries about a sample or music: data holds two words, the id's number and handle on
// the way in and the answer on the way out. 1 when answered.
int sound_get_hook(qmState* L, int32_t tag, intptr_t data);
// Exit: stops music and channels and closes the device (when it is open).
void sound_stop_all(qmState* L);
// Exit: frees every sample and music and disposes of the channels.
void sound_cleanup(qmState* L);

// The FFmpeg readers' calls over an open file of the file layer (a ":::chunk" file read in place).
qmAudioFileIO file_handle_io(qmFileHandle* fh);

// Opens the audio device on first need, for the movies' sound: false under no sound or without a
// device.
bool sound_device_start();

// For the plug-ins' sample locks: format code, data, bytes and pitch of a sample; 0 when absent.
int32_t sample_get_info(const ObjectId& id, int32_t* format, qmSampleData** data, int32_t* length,
                        int32_t* pitch);
bool sample_is_playing(const qmSampleData* data);

}  // namespace qm
