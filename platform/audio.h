// The audio device: one SDL device of signed 16-bit stereo whose callback is the sound layer's
// mixer. The platform's audio must have started (platform_audio_start) before it opens.
#pragma once

#include <cstdint>

using AudioRender = void (*)(int16_t* out, int32_t frames);

// Opens the default device at rate Hz with buffers of `frames` frames, exactly that format
// (SDL converts for the hardware), and starts it. false when no device opens.
bool platform_audio_device_start(AudioRender render, int32_t rate, int32_t frames);
bool platform_audio_device_open();
// Closes the device: once it returns the render function is not called any more.
void platform_audio_device_stop();
