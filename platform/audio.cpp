// The audio device over SDL2.
#include "platform/audio.h"

#include <SDL2/SDL.h>

#include "platform/platform.h"

namespace {

SDL_AudioDeviceID g_device = 0;
AudioRender g_render = nullptr;

void callback(void*, Uint8* stream, int len) {
  g_render(reinterpret_cast<int16_t*>(stream), len / 4);
}

}  // namespace

bool platform_audio_device_start(AudioRender render, int32_t rate, int32_t frames) {
  if (g_device) return true;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = Uint16(frames);
  want.callback = callback;
  g_render = render;
  SDL_AudioSpec have{};
  g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!g_device) return false;
  SDL_PauseAudioDevice(g_device, 0);
  return true;
}

bool platform_audio_device_open() {
  return g_device != 0;
}

void platform_audio_device_stop() {
  if (!g_device) return;
  SDL_CloseAudioDevice(g_device);
  g_device = 0;
}
