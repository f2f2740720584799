// Movies decoded by FFmpeg: opening, probing and exact single frames for the video library.
//
// The file comes in as calls over the library's own file handle (the same shape as a sound
// file's), so a ":::chunk" movie is read in place, with no temporary copy. Only these demuxers may
// open it, and these are the names its format is reported by: mov/mp4 "MPEG-4", matroska/webm
// "Matroska", avi "AVI", mpeg "MPEG-PS", mpegts "MPEG-TS", ogg "Ogg". No demuxer may open another
// file or URL.
//
// Frames come out as BGR0 bytes, which on this little-endian host are the program's 0x00RRGGBB
// words, converted by libswscale at the movie's own size.
//
// Threads: a movie is used by one thread at a time. While it plays, its own decode thread owns the
// demuxer and decoders (platform/movie_thread.h names what the two threads share); every call
// below but the playback ones (clock, due frame, finished, set size) joins it first.
#pragma once

#include <cstdint>

#include "platform/audiofile.h"

namespace qm {

// The file's bytes: read and seek over the caller's handle.
using qmMovieIO = qmAudioFileIO;

struct qmMovieInfo {
  int32_t width = 0;
  int32_t height = 0;
  int64_t duration_ms = 0;
  bool seekable = false;
  // Frames of the video stream: exact where the container lists every frame, else estimated
  // from the duration and the frame rate.
  int64_t frames = 0;
  const char* format = "";
};

struct qmMovie;

// 0 with *out and *info set; 1450 when no allowed format opens the file, it has no video
// stream, its picture has no area or no decoder takes it; 1000. io must stay valid until the
// close.
int32_t platform_movie_open(const qmMovieIO& io, qmMovie** out, qmMovieInfo* info);
// Whether the file opens as a movie (it is closed again).
bool platform_movie_probe(const qmMovieIO& io);
void platform_movie_close(qmMovie* movie);

enum : int32_t { MOVIE_FRAME_BY_NUMBER = 0, MOVIE_FRAME_BY_TIME = 1 };

// One frame into the movie's own buffer: by number, the n-th frame of the video stream counted
// from 1 in presentation order; by time, the frame shown at that many milliseconds from the start
// (the last one whose time stamp is not later). 0 with *pixels (width × height words, rows of
// *row_words) valid until the next call or the close; 1457 when there is no such frame; 1000.
// The same frame asked for twice comes from the buffer.
int32_t platform_movie_get_frame(qmMovie* movie, int64_t where, int32_t mode,
                                 const uint32_t** pixels, int32_t* width, int32_t* height,
                                 int32_t* row_words);

// ---- Playback --------------------------------------------------------------------------------------

// Where the movie's sound goes while it plays: 48000 Hz interleaved stereo frames of signed 16 bits.
// Both calls come from the decode thread and must never block.
struct qmMovieSoundSink {
  // Appends up to n frames: the frames taken, fewer when the sink is full.
  int32_t (*write)(const int16_t* frames, int32_t n) = nullptr;
  // Frames taken and not yet played.
  int32_t (*queued)() = nullptr;
};

bool platform_movie_has_sound(const qmMovie* movie);
// Starts decoding on the movie's own thread from `from_ms`, pictures scaled to width × height,
// sound into the sink (nullptr: the movie plays silent, timed by the Clock). A playing movie is
// stopped first. 0 or ERR_MEM.
int32_t platform_movie_play(qmMovie* movie, int64_t from_ms, int32_t width, int32_t height,
                            const qmMovieSoundSink* sink);
// Joins the decode thread; the movie keeps no queued pictures. Nothing when it does not play.
void platform_movie_stop(qmMovie* movie);
bool platform_movie_playing(const qmMovie* movie);
// The movie time in milliseconds while it plays: by the sound the sink has played when it has
// sound and the sink takes it (the Clock carrying it on between the sound's steps), else by the
// Clock since the start. It never goes back while the movie plays.
int64_t platform_movie_get_time(qmMovie* movie);
// Microseconds on the Clock until the oldest decoded picture is due: 0 when it is due now, -1
// when none is decoded (or the movie does not play). The main loop wakes then to show it.
int64_t platform_movie_next_due_us(qmMovie* movie);
// Pictures decoded and not yet taken; *dry tells whether the decoder has given its last one.
int32_t platform_movie_queued(qmMovie* movie, bool* dry);
// The newest picture due at the movie time, when one came since the last call: true with its
// pixels (width × height words) valid until the next call. Older pictures are dropped.
bool platform_movie_due_frame(qmMovie* movie, const uint32_t** pixels, int32_t* width, int32_t* height);
// The movie time of the picture last handed out by platform_movie_due_frame.
int64_t platform_movie_shown_ms(const qmMovie* movie);
// Pictures from now on at this size.
void platform_movie_set_size(qmMovie* movie, int32_t width, int32_t height);
// True once the decoder ran dry, every picture was due and the sound drained.
bool platform_movie_finished(qmMovie* movie);

}  // namespace qm
