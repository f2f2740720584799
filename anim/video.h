// The "video" library: video objects over the platform's movies (platform/movie.h), played in a
// rectangle of a display's window above its picture, with their sound in the mixer's movie input,
// and single frames grabbed into brushes.
//
// Playback: each playing video has its movie's decode thread; this library never shares its
// records with it. A pump finisher takes each playing video's due picture into the window's
// screen buffer, the waits waking at each picture's due time for it, and, at most every 20 ms,
// turns a movie that ran out into state 4 with its end event. A pause shows the picture due then.
// Only one video at a time feeds the movie sound input: the first one with sound that starts
// while the input is free; the others play silent, timed by the Clock.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

enum : int32_t {
  VIDEO_STOPPED = 0,
  VIDEO_PLAYING = 1,
  VIDEO_PAUSED = 2,
  VIDEO_OFFSCREEN = 3,
  VIDEO_ENDED = 4
};

struct qmVideo;
struct qmMovie;

// Opens the library: the commands, the object list, the GetAttribute row and the display hooks.
int32_t video_open(qmState* L);

// 0 with *out, or ERR_FINDARRAY for an automatic id not in the list, or ERR_FINDVIDEO (the
// number as the message argument).
int32_t video_find(const ObjectId& id, qmVideo** out);
// True when a video in state 1, 2 or 4 is attached to the display.
bool video_on_display(const qmDisplay* d);
// True when the window point lies in the shown rectangle of such a video (left and top inclusive).
bool video_hit_test(const qmDisplay* d, int32_t x, int32_t y);
// The display's window was recreated or rescaled: the videos take their places again.
void video_reattach_display(qmState* L, qmDisplay* d);
// Stops every video attached to the display and detaches it.
void video_detach_display(qmState* L, qmDisplay* d);
// The platform side's notice that a movie changed state (4: it ended).
void video_set_state_by_movie(const qmMovie* movie, int32_t state);
// Exit: stops every video, joining every decode thread.
void video_stop_all(qmState* L);
// The video's movie (tests watch its decode thread through it).
qmMovie* video_movie(const qmVideo* v);
// Exit: closes every movie and frees the records.
void video_free_all(qmState* L);

}  // namespace qm
