/* An anim-saver plug-in for the tests: the file it writes is text, one line for BeginAnimStream
 * (size, palette flag, quality, fps), one per frame (bytes per row, colours, transparent entry,
 * delay, flags, then every pixel: "RRGGBB" of a palette entry or "AARRGGBB") and "finish".
 * BeginAnimStream refuses a file name ending in "refuse"; WriteAnimFrame refuses a delay of 666
 * and fails once a write to the file has failed. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "runtime/plugins/qmplugin.h"

#define EXPORT __attribute__((visibility("default")))

typedef struct Stream {
  FILE* f;
  int32_t width, height;
} Stream;

EXPORT int32_t InitPlugin(qmPluginInfo* info, const qmPluginBase* base, const char* path) {
  (void)base;
  (void)path;
  info->caps = QMPLUGIN_CAP_ANIMSAVER;
  info->version = 1;
  info->name = PLUGIN_NAME;
  info->description = "Test anim saver";
  return 1;
}

EXPORT void ClosePlugin(void) {}

EXPORT void RegisterAnimSaver(qmPluginSaverRecord* rec) {
  rec->format_id = FORMAT_ID;
  rec->format_name = PLUGIN_NAME;
  rec->flags = SAVER_FLAGS;
}

EXPORT void* BeginAnimStream(const char* file, int32_t width, int32_t height, int32_t palette,
                             int32_t quality, int32_t fps) {
  size_t n = strlen(file);
  if (n >= 6 && strcmp(file + n - 6, "refuse") == 0) return NULL;
  Stream* s = malloc(sizeof *s);
  if (!s) return NULL;
  s->f = fopen(file, "w");
  if (!s->f) {
    free(s);
    return NULL;
  }
  s->width = width;
  s->height = height;
  fprintf(s->f, "begin %d %d %d %d %d\n", width, height, palette, quality, fps);
  return s;
}

EXPORT int32_t WriteAnimFrame(void* handle, qmPluginAnimFrame* fr) {
  Stream* s = handle;
  if (fr->delay == 666) return 0;
  fprintf(s->f, "frame %d %d %d %d %u", fr->bytes_per_row, fr->colours, fr->transparent, fr->delay,
          fr->flags);
  for (int32_t y = 0; y < s->height; ++y)
    for (int32_t x = 0; x < s->width; ++x) {
      const unsigned char* row = (const unsigned char*)fr->pixels + (size_t)y * fr->bytes_per_row;
      if (fr->palette)
        fprintf(s->f, " %06X", fr->palette[row[x]]);
      else
        fprintf(s->f, " %08X", ((const uint32_t*)row)[x]);
    }
  fprintf(s->f, "\n");
  return !ferror(s->f);
}

EXPORT void FinishAnimStream(void* handle) {
  Stream* s = handle;
  fprintf(s->f, "finish\n");
  fclose(s->f);
  free(s);
}
