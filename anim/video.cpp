// The "video" library. See video.h.
#include "anim/video.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "platform/movie.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"
#include "sound/library.h"

namespace qm {

struct qmVideo {
  ObjectHeader header;  // OBJ_VIDEO
  qmMovie* movie = nullptr;
  qmFileHandle* file = nullptr;  // the movie's bytes, read in place (also a linked file's)
  int32_t x = 0, y = 0;
  int32_t shown_x = 0, shown_y = 0;
  int32_t natural_width = 0, natural_height = 0;
  int32_t width = 0, height = 0;
  int32_t shown_width = 0, shown_height = 0;
  int64_t duration = 0;
  int32_t state = VIDEO_STOPPED;
  int32_t previous_state = VIDEO_STOPPED;
  qmDisplay* display = nullptr;
  int32_t volume = 64;
  int32_t seekable = 0;
  int64_t frames = 0;
  const char* format = "";
  int64_t position = 0;  // where the next start begins, in milliseconds
  bool end_posted = false;
  // The picture last shown, kept for repaints (moves, new sizes, a recreated window).
  std::vector<uint32_t> picture;
  int32_t picture_width = 0, picture_height = 0;
};

namespace {

constexpr int64_t kIdleStepUs = 20000;
// The movie sound input holds half a second.
constexpr int32_t kSoundRingFrames = 24000;

ObjectList g_videos;
std::recursive_mutex g_video_mutex;
qmVideo* g_sound_owner = nullptr;
int64_t g_last_idle_us = 0;

const qmMovieSoundSink kSink{movie_sound_write, movie_sound_queued};

qmVideo* first_video() {
  return reinterpret_cast<qmVideo*>(g_videos.head);
}
qmVideo* next_video(const qmVideo* v) {
  return reinterpret_cast<qmVideo*>(v->header.next);
}

bool shown(const qmVideo* v) {
  return v->display &&
         (v->state == VIDEO_PLAYING || v->state == VIDEO_PAUSED || v->state == VIDEO_ENDED);
}

bool display_scaled(const qmDisplay* d) {
  return (d->win.flags & (WINFLAG_SCALEMODE_AUTO | WINFLAG_SCALEMODE_LAYER)) &&
         (d->scale_x != 1.0 || d->scale_y != 1.0) && d->scale_x > 0 && d->scale_y > 0;
}

// Window pixels of the program's rectangle, scaled with the display.
void compute_shown(qmVideo* v) {
  const qmDisplay* d = v->display;
  if (d && display_scaled(d)) {
    v->shown_x = to_i32_sat(v->x * d->scale_x);
    v->shown_y = to_i32_sat(v->y * d->scale_y);
    v->shown_width = std::max(to_i32_sat(v->width * d->scale_x), 1);
    v->shown_height = std::max(to_i32_sat(v->height * d->scale_y), 1);
  } else {
    v->shown_x = v->x;
    v->shown_y = v->y;
    v->shown_width = v->width;
    v->shown_height = v->height;
  }
}

// The rectangles of the display's videos, recomputed, become the holes that drawing into its
// window leaves alone (where two overlap, their common part is drawn into again).
void update_holes(qmDisplay* d) {
  std::vector<qmScreenRect> holes;
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->display != d || v->state == VIDEO_STOPPED) continue;
    compute_shown(v);
    holes.push_back(qmScreenRect{sat_i32(int64_t(v->shown_x) + d->win.offset_x),
                                 sat_i32(int64_t(v->shown_y) + d->win.offset_y), v->shown_width,
                                 v->shown_height});
  }
  platform_window_set_holes(&d->win, holes.data(), holes.size());
}

// The display drawn again whole, its videos on top.
void redraw(qmState* L, qmDisplay* d) {
  update_holes(d);
  display_refresh(L, d);
}

// The last picture, scaled to the shown rectangle, into the window's screen buffer.
void paint(qmVideo* v) {
  qmDisplay* d = v->display;
  if (!d || d->win.state != DISPSTATE_OPEN || !d->win.platform || v->picture.empty()) return;
  qmScreenBuffer& s = d->win.platform->screen;
  const int64_t left = int64_t(v->shown_x) + d->win.offset_x;
  const int64_t top = int64_t(v->shown_y) + d->win.offset_y;
  const int64_t x0 = std::max<int64_t>(left, 0),
                x1 = std::min<int64_t>(left + v->shown_width, s.width);
  const int64_t y0 = std::max<int64_t>(top, 0),
                y1 = std::min<int64_t>(top + v->shown_height, s.height);
  if (x0 >= x1 || y0 >= y1) return;
  const bool same = v->picture_width == v->shown_width && v->picture_height == v->shown_height;
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t sy = same ? y - top : (y - top) * v->picture_height / v->shown_height;
    const uint32_t* src = v->picture.data() + size_t(sy) * size_t(v->picture_width);
    uint32_t* dst = s.row(int32_t(y));
    if (same) {
      std::copy(src + (x0 - left), src + (x1 - left), dst + x0);
    } else {
      for (int64_t x = x0; x < x1; ++x)
        dst[x] = src[(x - left) * v->picture_width / v->shown_width];
    }
  }
  screen_mark(s, int32_t(x0), int32_t(y0), int32_t(x1 - x0), int32_t(y1 - y0));
}

void keep_picture(qmVideo* v, const uint32_t* pixels, int32_t width, int32_t height) {
  try {
    v->picture.assign(pixels, pixels + size_t(width) * size_t(height));
  } catch (const std::bad_alloc&) {
    v->picture.clear();
    return;
  }
  v->picture_width = width;
  v->picture_height = height;
}

// Gives the sound input back when this video held it; its thread has stopped writing by then.
void release_sound(qmVideo* v) {
  if (g_sound_owner != v) return;
  movie_sound_close();
  g_sound_owner = nullptr;
}

// Halts the decode thread and notes where the movie stood.
void halt(qmVideo* v) {
  if (!platform_movie_playing(v->movie)) return;
  v->position = std::min(platform_movie_get_time(v->movie), std::max<int64_t>(v->duration - 1, 0));
  platform_movie_stop(v->movie);
  release_sound(v);
}

// Starts the decode thread at the video's position, with the sound input when it is free.
int32_t start(qmVideo* v) {
  const qmMovieSoundSink* sink = nullptr;
  if (platform_movie_has_sound(v->movie) && (!g_sound_owner || g_sound_owner == v) &&
      sound_device_start()) {
    if (g_sound_owner == v || movie_sound_open(kSoundRingFrames)) {
      g_sound_owner = v;
      movie_sound_set_volume(v->volume);
      sink = &kSink;
    }
  }
  v->end_posted = false;
  const int32_t err =
      platform_movie_play(v->movie, v->position, v->shown_width, v->shown_height, sink);
  if (err) release_sound(v);
  return err;
}

// Stops the video, uncovers the picture under it and detaches it.
void stop(qmState* L, qmVideo* v) {
  halt(v);
  v->position = 0;
  qmDisplay* d = v->display;
  const bool was_shown = shown(v) || v->state == VIDEO_OFFSCREEN;
  v->state = VIDEO_STOPPED;
  v->display = nullptr;
  v->picture.clear();
  if (was_shown && d) redraw(L, d);
}

void video_free(qmState* L, qmVideo* v) {
  halt(v);
  platform_movie_close(v->movie);
  if (v->file) qmos_close(v->file);
  if (L) reflist_free(L, v->header.refs);
  delete v;
}

void close_video(qmState* L, qmVideo* v) {
  stop(L, v);
  {
    std::lock_guard<std::recursive_mutex> hold(g_video_mutex);
    g_videos.remove(&v->header);
  }
  video_free(L, v);
}

void set_state_by_movie(const qmMovie* movie, int32_t state) {
  for (qmVideo* v = first_video(); v; v = next_video(v))
    if (v->movie == movie) v->state = state;
}

// The newest picture due into the video's window: true when there was one.
bool show_due(qmVideo* v) {
  const uint32_t* pixels = nullptr;
  int32_t w = 0, h = 0;
  if (!platform_movie_due_frame(v->movie, &pixels, &w, &h)) return false;
  keep_picture(v, pixels, w, h);
  paint(v);
  if (platform_recording())
    platform_record("video_frame", std::to_string(platform_movie_shown_ms(v->movie)) + " " +
                                       std::to_string(platform_movie_get_time(v->movie)));
  return true;
}

// The idle step: the due pictures into the windows at every pump, and, at most every 20 ms, the
// movies that ran out.
int32_t idle_step(qmState*) {
  if (!g_videos.head) return 0;
  const int64_t now = platform_clock().now_us();
  const bool look_for_ends = now - g_last_idle_us >= kIdleStepUs;
  if (look_for_ends) g_last_idle_us = now;
  bool painted = false;
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->state != VIDEO_PLAYING) continue;
    painted |= show_due(v);
    if (look_for_ends && platform_movie_finished(v->movie)) {
      platform_movie_stop(v->movie);
      release_sound(v);
      v->position = 0;
      set_state_by_movie(v->movie, VIDEO_ENDED);
      if (!v->end_posted && qmos_sound_handler("onvideoend") >= 0) {
        qmos_post_sound_event(8, v->header.id, 0, 0, 0);
        v->end_posted = true;
        platform_wake();
      }
    }
  }
  if (painted) platform_present_pending();
  return 0;
}

// When the next picture of a playing video is due, for the waits.
int64_t next_due() {
  int64_t next = -1;
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->state != VIDEO_PLAYING) continue;
    const int64_t due = platform_movie_next_due_us(v->movie);
    if (due >= 0 && (next < 0 || due < next)) next = due;
  }
  return next;
}

qmVideo* video_arg(qmState* L, int32_t n) {
  qmVideo* v = nullptr;
  if (int32_t err = video_find(arg_get_id(L, n), &v)) vm_command_fail(L, err);
  return v;
}

// A size argument: a number, or a percentage of the natural size.
int32_t size_arg(qmState* L, int32_t n, int32_t natural) {
  bool fraction = false;
  return to_i32(arg_get_number_or_percent(L, n, natural, true, &fraction));
}

// Places a shown video again after its rectangle changed.
void replace(qmState* L, qmVideo* v) {
  if (!shown(v)) return;
  redraw(L, v->display);
  platform_present_pending();
}

// After the display was drawn whole: its videos at their rectangles, on top.
void refreshed(qmDisplay* d) {
  update_holes(d);
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->display != d || !shown(v)) continue;
    if (v->state == VIDEO_PLAYING)
      platform_movie_set_size(v->movie, v->shown_width, v->shown_height);
    paint(v);
  }
}

// ---- commands -----------------------------------------------------------------------------------

int32_t cmd_openvideo(qmState* L) {
  arg_check_count(L, 2, 2);
  const NewId id = new_id_arg(L, 1);
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (!id.automatic) {
    qmVideo* old = nullptr;
    if (video_find(id.id, &old) == 0) close_video(L, old);
  }
  console_print_file(err_get_message(MSG_LOADING_VIDEO), name.c_str(), true);
  auto* v = new (std::nothrow) qmVideo();
  if (!v) {
    console_print_failed();
    return ERR_MEM;
  }
  v->file = qmos_open(name.c_str(), QMOS_MODE_READ);
  if (!v->file) {
    console_print_failed();
    delete v;
    err_set_string_arg(name.c_str());
    return ERR_READFILE;
  }
  qmMovieInfo info;
  if (int32_t err = platform_movie_open(file_handle_io(v->file), &v->movie, &info)) {
    console_print_failed();
    qmos_close(v->file);
    delete v;
    err_set_string_arg(name.c_str());
    return err;
  }
  v->natural_width = v->width = v->shown_width = info.width;
  v->natural_height = v->height = v->shown_height = info.height;
  v->duration = info.duration_ms;
  v->seekable = info.seekable ? 1 : 0;
  v->frames = info.frames;
  v->format = info.format;
  v->header.type = OBJ_VIDEO;
  v->header.id = id.automatic ? ObjectId{0, v} : id.id;
  bool linked = false;
  {
    std::lock_guard<std::recursive_mutex> hold(g_video_mutex);
    linked = g_videos.append(&v->header);
  }
  if (!linked) {
    console_print_failed();
    video_free(L, v);
    return ERR_MEM;
  }
  console_print_done();
  return push_new_id(L, id, v);
}

int32_t cmd_closevideo(qmState* L) {
  arg_check_count(L, 1, 1);
  close_video(L, video_arg(L, 1));
  return 0;
}

int32_t cmd_playvideo(qmState* L) {
  arg_check_count(L, 1, 3);
  if (OutputTarget* t = drawtarget_selected()) {
    if (t->object_type == OBJ_ANIM) return ERR_SELECTANIM;
  }
  qmDisplay* d = display_current();
  if (d && d->output_type == TARGET_PICTURE && !d->double_buffer) return ERR_SELECTBRUSH;
  if (d && d->output_type == TARGET_MASK) return ERR_SELECTMASK;
  if (d && d->output_type == TARGET_ALPHA) return ERR_SELECTALPHACHANNEL;
  if (display_system().recording) return ERR_WRONGCMDRECVIDEO;
  if (!d || d->win.state != DISPSTATE_OPEN || !d->bgpic) return ERR_WRONGUSAGE;
  if (d->bgpic->current.mask || d->bgpic->current.alpha) return ERR_VIDEOTRANS;
  qmVideo* v = video_arg(L, 1);
  if (vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL)
    v->x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 2)), v->width, 0, 0.0);
  if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL)
    v->y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 3)), v->height, 0, 0.0);
  if (v->display && v->display != d) stop(L, v);
  if (v->state == VIDEO_PLAYING) halt(v);
  if (v->state == VIDEO_ENDED) v->position = 0;
  const bool moved = shown(v);
  v->display = d;
  v->state = VIDEO_PLAYING;
  if (moved) {
    redraw(L, d);
  } else {
    update_holes(d);
  }
  if (int32_t err = start(v)) {
    v->state = VIDEO_STOPPED;
    v->display = nullptr;
    return err;
  }
  return 0;
}

int32_t cmd_stopvideo(qmState* L) {
  arg_check_count(L, 1, 1);
  stop(L, video_arg(L, 1));
  return 0;
}

int32_t cmd_pausevideo(qmState* L) {
  arg_check_count(L, 1, 1);
  qmVideo* v = video_arg(L, 1);
  if (v->state != VIDEO_PLAYING) return ERR_VIDNOTPLAYING;
  // The paused picture is the one due now, not the one the last idle step found.
  if (show_due(v)) platform_present_pending();
  halt(v);
  v->state = VIDEO_PAUSED;
  return 0;
}

int32_t cmd_resumevideo(qmState* L) {
  arg_check_count(L, 1, 1);
  qmVideo* v = video_arg(L, 1);
  if (v->state != VIDEO_PAUSED) return ERR_VIDNOTPAUSED;
  v->state = VIDEO_PLAYING;
  if (int32_t err = start(v)) {
    v->state = VIDEO_PAUSED;
    return err;
  }
  return 0;
}

int32_t cmd_seekvideo(qmState* L) {
  arg_check_count(L, 2, 2);
  qmVideo* v = video_arg(L, 1);
  const int64_t ms = to_i64(vm_arg_check_number(L, 2));
  if (!v->seekable) return ERR_SEEKFORMAT;
  if (ms < 0 || ms > v->duration - 1) return ERR_SEEKRANGE;
  const bool playing = v->state == VIDEO_PLAYING;
  halt(v);
  v->position = ms;
  if (v->state == VIDEO_ENDED) v->state = VIDEO_PAUSED;
  return playing ? start(v) : 0;
}

int32_t cmd_isvideo(qmState* L) {
  arg_check_count(L, 1, 1);
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  bool is_video = false;
  if (qmFileHandle* fh = qmos_open(name.c_str(), QMOS_MODE_READ)) {
    is_video = platform_movie_probe(file_handle_io(fh));
    qmos_close(fh);
  }
  vm_push_boolean(L, is_video);
  return 1;
}

int32_t cmd_setvideosize(qmState* L) {
  arg_check_count(L, 3, 3);
  qmVideo* v = video_arg(L, 1);
  const int32_t width = size_arg(L, 2, v->natural_width);
  const int32_t height = size_arg(L, 3, v->natural_height);
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  // Each shown frame is scaled into a picture of this size.
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  v->width = width;
  v->height = height;
  if (shown(v)) {
    replace(L, v);
  } else {
    compute_shown(v);
  }
  return 0;
}

int32_t cmd_setvideoposition(qmState* L) {
  arg_check_count(L, 3, 3);
  qmVideo* v = video_arg(L, 1);
  v->x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 2)), v->width, 0, 0.0);
  v->y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 3)), v->height, 0, 0.0);
  replace(L, v);
  return 0;
}

int32_t cmd_setvideovolume(qmState* L) {
  arg_check_count(L, 2, 2);
  qmVideo* v = video_arg(L, 1);
  bool fraction = false;
  const int64_t volume = to_i64(arg_get_number_or_percent(L, 2, 64, false, &fraction));
  v->volume = int32_t(std::clamp<int64_t>(volume, 0, 64));
  if (g_sound_owner == v) movie_sound_set_volume(v->volume);
  return 0;
}

// The frame's 0x00RRGGBB words as a new bitmap.
qmBitmap* frame_bitmap(const uint32_t* pixels, int32_t width, int32_t height, int32_t row_words) {
  qmBitmap* bm = qmos_alloc_bitmap(width, height);
  if (!bm) return nullptr;
  const int32_t stride = bm->bytes_per_row / 4;
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = pixels + size_t(y) * size_t(row_words);
    uint32_t* dst = bm->pixels + size_t(y) * size_t(stride);
    for (int32_t x = 0; x < width; ++x) dst[x] = __builtin_bswap32(src[x]);
  }
  return bm;
}

int32_t cmd_getvideoframe(qmState* L) {
  arg_check_count(L, 3, 5);
  const NewId id = new_id_arg(L, 1);
  const int64_t where = to_i64(vm_arg_check_number(L, 2));
  qmVideo* v = video_arg(L, 3);
  const int32_t mode =
      vm_get_top(L) >= 4 && vm_type(L, 4) != QM_TNIL ? to_i32(vm_arg_check_number(L, 4)) : 0;
  // The accuracy is taken and not used: every grab is exact.
  if (vm_get_top(L) >= 5 && vm_type(L, 5) != QM_TNIL) vm_arg_check_number(L, 5);
  if (v->state != VIDEO_STOPPED) return ERR_FGRABVIDSTATE;
  if (mode == MOVIE_FRAME_BY_NUMBER) {
    if (where < 1) return ERR_VIDEOFRAME;
  } else if (mode == MOVIE_FRAME_BY_TIME) {
    if (!v->seekable) return ERR_SEEKFORMAT;
    if (where < 0 || where > v->duration - 1) return ERR_SEEKRANGE;
  } else {
    return ERR_WRONGUSAGE;
  }
  if (!id.automatic) {
    if (int32_t err = brush_lookup(L, id.id, false)) return err;
  }
  const uint32_t* pixels = nullptr;
  int32_t width = 0, height = 0, row = 0;
  if (int32_t err = platform_movie_get_frame(v->movie, where, mode, &pixels, &width, &height, &row))
    return err;
  qmBitmap* bm = frame_bitmap(pixels, width, height, row);
  if (!bm) return ERR_MEM;
  qmBrush* b = nullptr;
  if (int32_t err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, width, height, width, 0, nullptr,
                                          bm, -1, nullptr, nullptr, &b))
    return err;
  return push_new_id(L, id, b);
}

int32_t cmd_isvideoplaying(qmState* L) {
  arg_check_count(L, 1, 1);
  qmVideo* v = video_arg(L, 1);
  idle_step(L);
  vm_push_boolean(L, v->state == VIDEO_PLAYING);
  return 1;
}

int32_t video_get_attribute(qmState* L, int32_t attribute) {
  qmVideo* v = nullptr;
  if (int32_t err = video_find(arg_get_id(L, 2), &v)) return err;
  switch (attribute) {
    case 0:
      vm_push_number(L, v->width);
      return 1;  // ATTRWIDTH
    case 1:
      vm_push_number(L, v->height);
      return 1;  // ATTRHEIGHT
    case 11:
      vm_push_number(L, double(v->frames));
      return 1;  // ATTRNUMFRAMES
    case 14:
      vm_push_number(L, double(v->duration));
      return 1;  // ATTRDURATION
    case 18: {   // ATTRPOSITION
      const int64_t at =
          platform_movie_playing(v->movie) ? platform_movie_get_time(v->movie) : v->position;
      vm_push_number(L, double(std::clamp<int64_t>(at, 0, std::max<int64_t>(v->duration, 0))));
      return 1;
    }
    case 19:
      vm_push_string(L, v->format);
      return 1;  // ATTRFORMAT
    case 72:
      vm_push_number(L, v->seekable);
      return 1;  // ATTRCANSEEK
    default:
      return ERR_UNKNOWNATTR;
  }
}

// The window of the display is about to go: its videos halt offscreen and keep their state.
void window_closing(qmDisplay* d) {
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->display != d || !shown(v)) continue;
    halt(v);
    v->previous_state = v->state;
    v->state = VIDEO_OFFSCREEN;
  }
}

const qmCommand kVideoCommands[] = {
    {"OpenVideo", cmd_openvideo},           {"CloseVideo", cmd_closevideo},
    {"PlayVideo", cmd_playvideo},           {"StopVideo", cmd_stopvideo},
    {"PauseVideo", cmd_pausevideo},         {"ResumeVideo", cmd_resumevideo},
    {"SeekVideo", cmd_seekvideo},           {"IsVideo", cmd_isvideo},
    {"SetVideoSize", cmd_setvideosize},     {"SetVideoPosition", cmd_setvideoposition},
    {"SetVideoVolume", cmd_setvideovolume}, {"GetVideoFrame", cmd_getvideoframe},
    {"IsVideoPlaying", cmd_isvideoplaying}, {nullptr, nullptr},
};

}  // namespace

int32_t video_find(const ObjectId& id, qmVideo** out) {
  *out = reinterpret_cast<qmVideo*>(g_videos.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDVIDEO;
}

bool video_on_display(const qmDisplay* d) {
  for (qmVideo* v = first_video(); v; v = next_video(v))
    if (v->display == d && shown(v)) return true;
  return false;
}

bool video_hit_test(const qmDisplay* d, int32_t x, int32_t y) {
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->display != d || !shown(v)) continue;
    if (x >= v->shown_x && y >= v->shown_y && int64_t(x) < int64_t(v->shown_x) + v->shown_width &&
        int64_t(y) < int64_t(v->shown_y) + v->shown_height)
      return true;
  }
  return false;
}

void video_reattach_display(qmState* L, qmDisplay* d) {
  bool any = false;
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    if (v->display != d) continue;
    if (v->state == VIDEO_OFFSCREEN) v->state = v->previous_state;
    if (!shown(v)) continue;
    any = true;
    compute_shown(v);
    if (v->state == VIDEO_PLAYING) {
      if (platform_movie_playing(v->movie)) {
        platform_movie_set_size(v->movie, v->shown_width, v->shown_height);
      } else if (start(v) != 0) {
        v->state = VIDEO_PAUSED;
      }
    }
  }
  if (!any) return;
  refreshed(d);
  platform_present_pending();
  (void)L;
}

void video_detach_display(qmState* L, qmDisplay* d) {
  for (qmVideo* v = first_video(); v; v = next_video(v))
    if (v->display == d) stop(L, v);
}

qmMovie* video_movie(const qmVideo* v) { return v->movie; }

void video_set_state_by_movie(const qmMovie* movie, int32_t state) {
  set_state_by_movie(movie, state);
}

void video_stop_all(qmState* L) {
  for (qmVideo* v = first_video(); v; v = next_video(v)) {
    halt(v);
    v->state = VIDEO_STOPPED;
    v->display = nullptr;
  }
  (void)L;
}

void video_free_all(qmState* L) {
  std::lock_guard<std::recursive_mutex> hold(g_video_mutex);
  for (ObjectHeader* h = g_videos.take_all(); h;) {
    auto* v = reinterpret_cast<qmVideo*>(h);
    h = h->next;
    video_free(L, v);
  }
  g_sound_owner = nullptr;
}

int32_t video_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, kVideoCommands, 0);
  vm_set_top(L, 0);
  if (int32_t err = library_register_name(kVideoCommands, "video")) return err;
  objlist_register(&g_videos.head);
  graphics_set_attribute_handler(OBJ_VIDEO, video_get_attribute);
  VideoHooks& hooks = video_hooks();
  hooks.on_display = video_on_display;
  hooks.hit_test = video_hit_test;
  hooks.detach_display = video_detach_display;
  hooks.reattach_display = video_reattach_display;
  hooks.window_closing = window_closing;
  hooks.refreshed = refreshed;
  platform_add_pump_finisher(idle_step);
  platform_add_wait_due(next_due);
  return 0;
}

}  // namespace qm
