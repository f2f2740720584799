// Movie playback and frame grabs against ffmpeg, in one run. Playback: 10 s of a 640 x 480,
// 25 fps clip (H.264 where the encoder exists, else MPEG-4) played headless through the movie
// layer with its sound going into the mixer's movie input on the dummy audio device, the pictures
// taken every 2 ms as the presentation step would: the frames dropped (goal 0), how late each
// shown picture is against the movie time (mean under 20 ms, largest under 40 ms), and the
// processor time of the whole play against `ffmpeg -threads 1 -re` decoding the same clip to
// bgr0 (goal at most 1.2 times). Grabs: a player program that grabs frame 200 against ffmpeg
// seeking to 8 s for one frame, both whole processes under hyperfine (goal at most 1.0 times).
// Window pacing: the player plays 4 s clips of 25 and 60 fps (with sound) in its window while the
// program waits, and the recorder's video_frame lines (picture time, movie time when shown) give
// the pictures skipped (goal 0) and how late each was shown (goal: under one frame period).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "bench/anim/hyperfine.h"
#include "platform/movie.h"
#include "platform/platform.h"
#include "sound/channels.h"

using animbench::hyperfine;
using animbench::sh;
using namespace qm;

namespace {

double cpu_seconds(int who) {
  rusage u{};
  getrusage(who, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Played {
  int64_t shown = 0, dropped = 0;
  double late_mean = 0, late_max = 0;
  double cpu = 0;
};

Played play(const std::string& path) {
  Played r;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return r;
  qmMovieIO io;
  std::fseek(f, 0, SEEK_END);
  io.size = std::ftell(f);
  io.opaque = f;
  io.read = [](void* o, uint8_t* b, int64_t n) -> int64_t {
    return int64_t(std::fread(b, 1, size_t(n), static_cast<FILE*>(o)));
  };
  io.seek = [](void* o, int64_t at) -> int64_t {
    return std::fseek(static_cast<FILE*>(o), long(at), SEEK_SET) == 0 ? at : -1;
  };
  qmMovie* movie = nullptr;
  qmMovieInfo info;
  if (platform_movie_open(io, &movie, &info) != 0) return r;
  static const qmMovieSoundSink sink{movie_sound_write, movie_sound_queued};
  const double cpu0 = cpu_seconds(RUSAGE_SELF);
  platform_movie_play(movie, 0, info.width, info.height, &sink);
  int64_t last = -1;
  double late_sum = 0;
  while (!platform_movie_finished(movie)) {
    const uint32_t* pixels = nullptr;
    int32_t w = 0, h = 0;
    if (platform_movie_due_frame(movie, &pixels, &w, &h)) {
      const int64_t at = platform_movie_shown_ms(movie);
      const double late = double(platform_movie_get_time(movie) - at);
      late_sum += late;
      r.late_max = std::max(r.late_max, late);
      if (last >= 0 && at - last > 60) r.dropped += (at - last + 20) / 40 - 1;
      last = at;
      ++r.shown;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  r.cpu = cpu_seconds(RUSAGE_SELF) - cpu0;
  r.late_mean = r.shown ? late_sum / double(r.shown) : 0;
  platform_movie_close(movie);
  std::fclose(f);
  return r;
}

struct Paced {
  int64_t shown = 0, skipped = 0;
  double late_mean = 0, late_max = 0;
};

// The player plays the clip while its program waits 5 s, the recorder writing what it shows.
Paced pace(const std::string& dir, int rate) {
  Paced r;
  const std::string clip = dir + "/p" + std::to_string(rate) + ".mp4";
  if (sh("ffmpeg -v error -y -f lavfi -i testsrc=duration=4:size=320x240:rate=" +
         std::to_string(rate) + " -f lavfi -i sine=frequency=1000:duration=4 -c:v mpeg4 -q:v 3 -c:a aac " +
         clip))
    return r;
  const std::string prog = dir + "/pace.qasm";
  if (FILE* q = std::fopen(prog.c_str(), "w")) {
    std::fprintf(q,
                 "  .maxstack 8\n  GETGLOBAL r0 \"openvideo\"\n  LOADK r1 #1\n  LOADK r2 \"%s\"\n"
                 "  CALL r0 3 1\n  GETGLOBAL r0 \"playvideo\"\n  LOADK r1 #1\n  CALL r0 2 1\n"
                 "  GETGLOBAL r0 \"wait\"\n  LOADK r1 #250\n  CALL r0 2 1\n  RETURN r0 1\n",
                 clip.c_str());
    std::fclose(q);
  }
  const std::string log = dir + "/pace" + std::to_string(rate) + ".log";
  if (sh(std::string(QM_QMASM) + " " + prog + " -o " + dir + "/pace.qmb") ||
      sh("env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy QM_PLATFORM_RECORD=" + log + " " +
         std::string(QM_PLAYER) + " -quiet " + dir + "/pace.qmb"))
    return r;
  FILE* f = std::fopen(log.c_str(), "r");
  if (!f) return r;
  char line[256];
  int64_t last = -1;
  double late_sum = 0;
  const double period = 1000.0 / rate;
  while (std::fgets(line, sizeof line, f)) {
    long long at = 0, now = 0;
    if (std::sscanf(line, "video_frame %lld %lld", &at, &now) != 2) continue;
    const double late = double(now - at);
    late_sum += late;
    r.late_max = std::max(r.late_max, late);
    if (last >= 0) r.skipped += std::max<int64_t>(int64_t((double(at - last) + period / 2) / period) - 1, 0);
    last = at;
    ++r.shown;
  }
  std::fclose(f);
  r.late_mean = r.shown ? late_sum / double(r.shown) : 0;
  return r;
}

double child_cpu(const std::string& cmd) {
  const double before = cpu_seconds(RUSAGE_CHILDREN);
  sh(cmd);
  return cpu_seconds(RUSAGE_CHILDREN) - before;
}

}  // namespace

int main() {
  const std::string dir = "bench_video_files";
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  const std::string clip = dir + "/v.mp4";
  const std::string src =
      "ffmpeg -v error -y -f lavfi -i testsrc=duration=10:size=640x480:rate=25 -f lavfi -i "
      "sine=frequency=1000:duration=10 ";
  if (sh(src + "-c:v libx264 -pix_fmt yuv420p -c:a aac " + clip + " 2>/dev/null") &&
      sh(src + "-c:v mpeg4 -q:v 3 -c:a aac " + clip)) {
    std::fprintf(stderr, "bench_video: cannot make the clip (ffmpeg?)\n");
    return 1;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (platform_init() != 0) return 1;
  platform_audio_channels_init();
  platform_audio_init();
  movie_sound_open(24000);
  const Played p = play(clip);
  movie_sound_close();
  platform_audio_dispose();
  platform_exit();
  const double theirs = child_cpu("ffmpeg -v error -threads 1 -re -i " + clip +
                                  " -f rawvideo -pix_fmt bgr0 -y /dev/null");
  std::printf(
      "playback 640x480 25 fps, 10 s: %lld frames shown, %lld dropped (goal 0); late by %.1f ms "
      "on average (goal under 20), %.1f ms at most (goal under 40)\n",
      static_cast<long long>(p.shown), static_cast<long long>(p.dropped), p.late_mean, p.late_max);
  std::printf(
      "playback CPU: ours %.2f s  ffmpeg -threads 1 -re %.2f s  ratio %.2f (goal at most 1.2)\n",
      p.cpu, theirs, theirs > 0 ? p.cpu / theirs : 0.0);
  // The grab: a program run by the player against ffmpeg, whole processes.
  const std::string prog = dir + "/grab.qasm";
  FILE* q = std::fopen(prog.c_str(), "w");
  if (q) {
    std::fprintf(q,
                 "  .maxstack 8\n  GETGLOBAL r0 \"openvideo\"\n  LOADK r1 #1\n  LOADK r2 \"%s\"\n  "
                 "CALL r0 3 1\n"
                 "  GETGLOBAL r0 \"getvideoframe\"\n  LOADK r1 #1\n  LOADK r2 #200\n  LOADK r3 "
                 "#1\n  CALL r0 4 1\n"
                 "  RETURN r0 1\n",
                 clip.c_str());
    std::fclose(q);
  }
  if (sh(std::string(QM_QMASM) + " " + prog + " -o " + dir + "/grab.qmb")) return 1;
  const double ours = hyperfine(dir, "ours",
                                "env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy " +
                                    std::string(QM_PLAYER) + " -quiet " + dir + "/grab.qmb");
  const double ff = hyperfine(
      dir, "ffmpeg",
      "ffmpeg -v error -ss 8 -i " + clip + " -frames:v 1 -f rawvideo -pix_fmt bgr0 -y /dev/null");
  std::printf("grab frame 200: ours %.1f ms  ffmpeg -ss 8 %.1f ms  ratio %.2f (goal at most 1.0)\n",
              ours * 1e3, ff * 1e3, ff > 0 ? ours / ff : 0.0);
  for (int rate : {25, 60}) {
    const Paced w = pace(dir, rate);
    std::printf(
        "window pacing %d fps, 4 s: %lld of %d pictures shown, %lld skipped (goal 0); late by %.1f "
        "ms on average, %.1f ms at most (goal under %.1f)\n",
        rate, static_cast<long long>(w.shown), rate * 4, static_cast<long long>(w.skipped),
        w.late_mean, w.late_max, 1000.0 / rate);
  }
  sh("rm -rf " + dir);
  return 0;
}
