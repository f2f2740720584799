/* An anim-loader plug-in for the tests. It counts every OpenAnim in open_calls and claims the
 * files whose names end in ".plug", whatever they hold: 4 x 3 frames, 5 of them, frame n filled
 * with 0x010101 * n and delayed n * 10 ms. A name ending in "-wrongsize.plug" hands out frames of
 * another size than it reported. Every FreeFrame is counted in frame_frees. */
#include <stdlib.h>
#include <string.h>

#include "runtime/plugins/qmplugin.h"

#define EXPORT __attribute__((visibility("default")))

EXPORT int32_t open_calls = 0;
EXPORT int32_t frame_frees = 0;

typedef struct Anim {
  int32_t wrong_size;
} Anim;

static int ends_with(const char* s, const char* tail) {
  size_t n = strlen(s), t = strlen(tail);
  return n >= t && strcmp(s + n - t, tail) == 0;
}

EXPORT int32_t InitPlugin(qmPluginInfo* info, const qmPluginBase* b, const char* path) {
  (void)b, (void)path;
  info->caps = QMPLUGIN_CAP_ANIM;
  info->version = 1;
  info->revision = 0;
  info->name = "animloader";
  info->description = "Test anim loader";
  return 1;
}

EXPORT void ClosePlugin(void) {}

EXPORT void* OpenAnim(const char* name, qmPluginAnimInfo* info) {
  ++open_calls;
  if (!ends_with(name, ".plug")) return NULL;
  Anim* a = calloc(1, sizeof *a);
  if (!a) return NULL;
  a->wrong_size = ends_with(name, "-wrongsize.plug");
  info->width = 4;
  info->height = 3;
  info->frames = 5;
  return a;
}

EXPORT uint32_t* LoadFrame(void* handle, int32_t index, qmPluginAnimInfo* info) {
  Anim* a = handle;
  info->width = a->wrong_size ? 3 : 4;
  info->height = 3;
  uint32_t* px = malloc(12 * sizeof *px);
  for (int i = 0; px && i < 12; ++i) px[i] = 0x010101u * (uint32_t)index;
  return px;
}

EXPORT void FreeFrame(uint32_t* frame) {
  free(frame);
  ++frame_frees;
}

EXPORT int32_t GetFrameDelay(void* handle, int32_t index) {
  (void)handle;
  return index * 10;
}

EXPORT void CloseAnim(void* handle) { free(handle); }
