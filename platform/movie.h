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
// Threads: a movie is used by one thread at a time.
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

}  // namespace qm
