/* An image-loader plug-in for the tests. It claims files named "plug_W_H_PPR_ALPHA_REQ_TYPE"
 * (any folder) and reports exactly those numbers, with a pixel buffer of PPR x H words, so that
 * tests can hand the player reports both good and bad. Pixel (x, y) is 0x80000000 | y << 8 | x.
 * TransformImage renders a picture of the asked size filled with 0x00ABCDEF and keeps the
 * matrix. Every FreeImage is counted in image_frees. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "runtime/plugins/qmplugin.h"

#define EXPORT __attribute__((visibility("default")))

EXPORT int32_t image_frees = 0;
EXPORT double image_matrix[4];

typedef struct Picture {
  qmPluginImageInfo info;
  uint32_t* pixels;
} Picture;

static int parse(const char* name, qmPluginImageInfo* info) {
  const char* base = strrchr(name, '/');
  base = base ? base + 1 : name;
  return sscanf(base, "plug_%d_%d_%d_%d_%d_%d", &info->width, &info->height,
                &info->pixels_per_row, &info->has_alpha, &info->alpha_required, &info->type) == 6;
}

static uint32_t* fill(int32_t ppr, int32_t height, uint32_t (*at)(int32_t, int32_t)) {
  if (ppr < 1 || height < 1 || (size_t)ppr * (size_t)height > 1u << 20) return NULL;
  uint32_t* p = malloc((size_t)ppr * (size_t)height * 4);
  for (int32_t y = 0; p && y < height; ++y)
    for (int32_t x = 0; x < ppr; ++x) p[(size_t)y * (size_t)ppr + (size_t)x] = at(x, y);
  return p;
}

static uint32_t pattern(int32_t x, int32_t y) { return 0x80000000u | (uint32_t)y << 8 | (uint32_t)x; }
static uint32_t flat(int32_t x, int32_t y) { (void)x, (void)y; return 0xABCDEF; }

EXPORT int32_t InitPlugin(qmPluginInfo* info, const qmPluginBase* b, const char* path) {
  (void)b, (void)path;
  info->caps = QMPLUGIN_CAP_IMAGE;
  info->version = 1;
  info->revision = 0;
  info->name = "imageloader";
  info->description = "Test image loader";
  return 1;
}

EXPORT void ClosePlugin(void) {}

EXPORT int32_t IsImage(const char* name, qmPluginImageInfo* info) { return parse(name, info); }

EXPORT void* LoadImage(const char* name, qmPluginImageInfo* info) {
  Picture* p;
  if (!parse(name, info) || !(p = calloc(1, sizeof *p))) return NULL;
  p->info = *info;
  return p;
}

EXPORT uint32_t* GetImage(void* handle, qmPluginImageInfo* info) {
  Picture* p = handle;
  if (!p->pixels) p->pixels = fill(p->info.pixels_per_row, p->info.height, pattern);
  *info = p->info;
  return p->pixels;
}

EXPORT void FreeImage(void* handle) {
  Picture* p = handle;
  free(p->pixels);
  free(p);
  ++image_frees;
}

EXPORT int32_t TransformImage(void* handle, qmPluginTransformInfo* t, int32_t width,
                              int32_t height) {
  Picture* p = handle;
  memcpy(image_matrix, t->matrix, sizeof image_matrix);
  free(p->pixels);
  p->pixels = fill(width, height, flat);
  p->info.width = p->info.pixels_per_row = width;
  p->info.height = height;
  p->info.has_alpha = 0;
  return p->pixels != NULL;
}
