#include "platform/ffmpeg_lib.h"

#include <dlfcn.h>

extern "C" {
#include <libavcodec/version.h>
#include <libavformat/version.h>
#include <libavutil/version.h>
#include <libswresample/version.h>
#include <libswscale/version.h>
}

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace qm {

namespace {

FFmpegLibrary g_library;

}  // namespace

const char* const kFFmpegSonames[FFMPEG_LIBRARY_COUNT] = {
    "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
    "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR),
    "libswscale.so." AV_STRINGIFY(LIBSWSCALE_VERSION_MAJOR),
    "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
    "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR),
};

const FFmpegLibrary& ff = g_library;

bool ffmpeg_load_from(const char* const sonames[FFMPEG_LIBRARY_COUNT], FFmpegLibrary* out,
                      std::string* why) {
  void* handles[FFMPEG_LIBRARY_COUNT] = {};
  for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i) {
    handles[i] = dlopen(sonames[i], RTLD_NOW | RTLD_LOCAL);
    if (!handles[i]) {
      const char* err = dlerror();
      *why = err ? err : sonames[i];
      return false;
    }
  }
  FFmpegLibrary lib;
#define QM_FFMPEG_RESOLVE(index, name)                                           \
  lib.name = reinterpret_cast<decltype(lib.name)>(dlsym(handles[index], #name)); \
  if (!lib.name) {                                                               \
    *why = std::string(sonames[index]) + " lacks " #name;                        \
    return false;                                                                \
  }
  QM_FFMPEG_FUNCTIONS(QM_FFMPEG_RESOLVE)
#undef QM_FFMPEG_RESOLVE
  *out = lib;
  return true;
}

bool ffmpeg_load() {
  static std::once_flag once;
  static bool loaded = false;
  std::call_once(once, [] {
    const char* sonames[FFMPEG_LIBRARY_COUNT];
    for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i) sonames[i] = kFFmpegSonames[i];
    const char* name = std::getenv("QM_FFMPEG_LIBAVFORMAT");
    if (name && *name) sonames[AVFORMAT] = name;  // an empty name would open the player itself
    std::string why;
    loaded = ffmpeg_load_from(sonames, &g_library, &why);
    if (loaded) {
      // The player has no console for FFmpeg's remarks on damaged files; errors come back as codes.
      g_library.av_log_set_level(AV_LOG_QUIET);
    } else {
      std::fprintf(stderr,
                   "FFmpeg could not be loaded (%s): sound files and movies that need it cannot be "
                   "opened.\n",
                   why.c_str());
    }
  });
  return loaded;
}

}  // namespace qm
