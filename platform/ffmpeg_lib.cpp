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
#include <string>
#include <utility>

#include "platform/shared_library.h"

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
  // A load that fails leaves nothing mapped: a player that runs on without FFmpeg keeps no
  // half of it.
  const auto fail = [&](std::string reason) {
    *why = std::move(reason);
    for (int i = FFMPEG_LIBRARY_COUNT - 1; i >= 0; --i)
      if (handles[i]) dlclose(handles[i]);
    return false;
  };
  for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i) {
    std::string reason;
    handles[i] = shared_library_open(sonames[i], &reason);
    if (!handles[i]) return fail(std::move(reason));
  }
  FFmpegLibrary lib;
#define QM_FFMPEG_RESOLVE(index, name)                                           \
  lib.name = reinterpret_cast<decltype(lib.name)>(dlsym(handles[index], #name)); \
  if (!lib.name) return fail(std::string(sonames[index]) + " lacks " #name);
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
