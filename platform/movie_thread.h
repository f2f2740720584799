// What a playing movie's decode thread shares with the main thread, and nothing else: the thread
// owns the movie's demuxer, decoders and scalers from platform_movie_play until the halt joins it;
// the main thread takes the decoded pictures from the queue below and reads the sound counters.
// Everything here is guarded by `lock`, except the atomics.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/movie.h"

namespace qm {

struct MovieFrame {
  std::vector<uint32_t> pixels;  // width × height BGR0 words at the size asked for
  int32_t width = 0, height = 0;
  int64_t ms = 0;  // presentation time from the movie's start
};

struct MoviePlayback {
  std::mutex lock;
  std::condition_variable changed;  // room in the queue, or the stop request
  bool stop = false;
  std::deque<MovieFrame> frames;  // decoded and not yet due, oldest first
  std::vector<MovieFrame> spare;  // buffers to reuse
  int32_t width = 0, height = 0;  // the size pictures are scaled to
  bool dry = false;               // the decoder has given its last picture and sound
  // Sound frames handed to the sink since the start (written by the thread only).
  std::atomic<int64_t> sound_written{0};
  std::thread thread;
};

}  // namespace qm
