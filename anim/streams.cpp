#include "anim/streams.h"

#include <algorithm>
#include <new>
#include <string>

#include <sys/stat.h>

#include "anim/animlib.h"
#include "anim/animout.h"
#include "display/brush.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace qm {

namespace {

struct qmAnimStream {
  ObjectHeader header;  // OBJ_ANIMSTREAM
  int32_t width = 0, height = 0;
  AnimOut out;
};

ObjectList g_streams;

int32_t stream_find(const ObjectId& id, qmAnimStream** out) {
  *out = reinterpret_cast<qmAnimStream*>(g_streams.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDANIMSTREAM;
}

int32_t stream_finish(qmAnimStream* s) {
  g_streams.remove(&s->header);
  const int32_t rc = animout_close(&s->out);
  delete s;
  return rc;
}

// The option table at argument n, when one is given: its index, or 0.
int32_t options_arg(qmState* L, int32_t n) {
  if (vm_get_top(L) < n || vm_type(L, n) == QM_TNIL) return 0;
  if (vm_type(L, n) != QM_TTABLE) vm_command_fail(L, ERR_TABEXPECTED);
  return n;
}

// dither, colors, transparency and optimize of a frame; colors outside 2..256 give ERR_WRONGUSAGE.
int32_t frame_options(qmState* L, int32_t t, AnimFrameOptions* o) {
  if (t) {
    opt_get_int(L, t, "dither", &o->dither, nullptr);
    opt_get_int(L, t, "colors", &o->colors, nullptr);
    opt_get_int(L, t, "transparency", &o->transparency, nullptr);
    opt_get_int(L, t, "optimize", &o->optimize, nullptr);
  }
  if (o->colors < 2 || o->colors > 256) return ERR_WRONGUSAGE;
  if (o->transparency != -1) o->transparency &= 0xFFFFFF;
  return 0;
}

// The brush's picture at x, y on a background of the stream's size in the transparency colour
// (black when there is none): the brush's own bitmap when it covers the stream exactly.
int32_t frame_bitmap(const qmAnimStream& s, const qmBrush& b, int32_t x, int32_t y,
                     int32_t transparency, qmBitmap** made, const qmBitmap** frame) {
  *made = nullptr;
  if (x == 0 && y == 0 && b.width == s.width && b.height == s.height) {
    *frame = b.bitmap;
    return 0;
  }
  qmBitmap* bm = qmos_alloc_bitmap(s.width, s.height);
  if (!bm) return ERR_MEM;
  qmos_fill_bitmap_rect(bm, 0, 0, s.width, s.height, transparency < 0 ? 0 : uint32_t(transparency));
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(int64_t(x) + b.width, s.width);
  const int64_t y1 = std::min<int64_t>(int64_t(y) + b.height, s.height);
  if (x1 > x0 && y1 > y0)
    BLTBITMAP(b.bitmap, int32_t(x0 - x), int32_t(y0 - y), bm, int32_t(x0), int32_t(y0),
              int32_t(x1 - x0), int32_t(y1 - y0));
  *made = bm;
  *frame = bm;
  return 0;
}

bool file_exists(const char* name) {
  struct stat st;
  return ::stat(qmos_native_name(name, true).c_str(), &st) == 0;
}

}  // namespace

int32_t anim_save(qmAnim* anim, const char* name, int32_t format, AnimFrameOptions options,
                  int32_t quality, int32_t fps) {
  AnimOut out;
  // A new file keeps the frames written before a frame failed; one saved over stays as it was.
  if (const int32_t rc = animout_open(name, path_file_part(name), anim->width, anim->height, format,
                                      quality, fps, !file_exists(name), &out))
    return rc;
  int32_t rc = 0;
  for (int32_t i = 0; i < anim->frames && !rc; ++i) {
    qmBitmap* bitmap = nullptr;
    qmMask* mask = nullptr;
    qmAlphaChannel* alpha = nullptr;
    if ((rc = anim_get_frame_bitmap(anim, i, false, false, &bitmap, &mask, &alpha))) break;
    options.delay = anim_get_frame_delay(anim, i);
    rc = animout_write(&out, bitmap, mask, alpha, options);
    if (anim->from_disk) {  // a disk anim's frames are read for the caller alone
      qmos_free_bitmap(bitmap);
      qmos_free_mask(mask);
      qmos_free_alpha(alpha);
    }
  }
  if (rc) {
    animout_abandon(&out);
    return rc;
  }
  return animout_close(&out);
}

// SaveAnim(id, file[, format, {dither, colors, transparency, optimize, quality, fps}])
int32_t cmd_saveanim(qmState* L) {
  arg_check_count(L, 2, 4);
  const ObjectId id = arg_get_id(L, 1);
  const char* name = arg_get_file_name(L, 2, ERR_WRITEFILE);
  const int32_t format = to_i32(vm_arg_opt_number(L, 3, ANMFMT_GIF));
  AnimFrameOptions options;
  int32_t quality = 90, fps = 25;
  const int32_t t = options_arg(L, 4);
  if (t) {
    opt_get_int(L, t, "quality", &quality, nullptr);
    opt_get_int(L, t, "fps", &fps, nullptr);
  }
  if (const int32_t rc = frame_options(L, t, &options)) return rc;
  if (!*name) return ERR_WRONGUSAGE;
  qmAnim* anim = nullptr;
  if (const int32_t rc = anim_find(id, 0, &anim)) return rc;
  return anim_save(anim, name, format, options, quality, fps);
}

// BeginAnimStream(id, file, width, height[, format, {quality, fps}])
int32_t cmd_beginanimstream(qmState* L) {
  arg_check_count(L, 4, 6);
  const NewId id = new_id_arg(L, 1);
  const char* name = arg_get_file_name(L, 2, ERR_WRITEFILE);
  const int32_t width = to_i32(vm_arg_check_number(L, 3));
  const int32_t height = to_i32(vm_arg_check_number(L, 4));
  const int32_t format = to_i32(vm_arg_opt_number(L, 5, ANMFMT_GIF));
  int32_t quality = 90, fps = 25;
  if (const int32_t t = options_arg(L, 6)) {
    opt_get_int(L, t, "quality", &quality, nullptr);
    opt_get_int(L, t, "fps", &fps, nullptr);
  }
  if (!*name || width < 1 || height < 1) return ERR_WRONGUSAGE;
  qmAnimStream* old = nullptr;
  if (!id.automatic && stream_find(id.id, &old) == 0) stream_finish(old);

  auto* s = new (std::nothrow) qmAnimStream();
  if (!s) return ERR_MEM;
  s->width = width;
  s->height = height;
  if (const int32_t rc = animout_open(name, path_file_part(name), width, height, format, quality,
                                      fps, false, &s->out)) {
    delete s;
    return rc;
  }
  s->header.type = OBJ_ANIMSTREAM;
  s->header.id = id.automatic ? ObjectId{0, s} : id.id;
  if (!g_streams.append(&s->header)) {
    animout_close(&s->out);
    delete s;
    return ERR_MEM;
  }
  return push_new_id(L, id, s);
}

// WriteAnimFrame(stream, brush[, {dither, colors, transparency, optimize, delay, x, y}])
int32_t cmd_writeanimframe(qmState* L) {
  arg_check_count(L, 2, 3);
  const ObjectId stream_id = arg_get_id(L, 1);
  const ObjectId brush_id = arg_get_id(L, 2);
  AnimFrameOptions options;
  int32_t x = 0, y = 0;
  const int32_t t = options_arg(L, 3);
  if (t) {
    opt_get_int(L, t, "delay", &options.delay, nullptr);
    opt_get_int(L, t, "x", &x, nullptr);
    opt_get_int(L, t, "y", &y, nullptr);
  }
  if (const int32_t rc = frame_options(L, t, &options)) return rc;
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  qmAnimStream* s = nullptr;
  if (const int32_t rc = stream_find(stream_id, &s)) return rc;
  qmBrush* b = nullptr;
  if (const int32_t rc = brush_find(brush_id, 0, &b)) return rc;
  if (!b->bitmap) return ERR_LOCKBMAP;
  x = coord_resolve_special_x(x, b->width, s->width, 0);
  y = coord_resolve_special_y(y, b->height, s->height, 0);

  qmBitmap* made = nullptr;
  const qmBitmap* frame = nullptr;
  if (const int32_t rc = frame_bitmap(*s, *b, x, y, options.transparency, &made, &frame)) return rc;
  const int32_t rc = animout_write(&s->out, frame, nullptr, nullptr, options);
  qmos_free_bitmap(made);
  return rc;
}

int32_t cmd_finishanimstream(qmState* L) {
  arg_check_count(L, 1, 1);
  qmAnimStream* s = nullptr;
  if (const int32_t rc = stream_find(arg_get_id(L, 1), &s)) return rc;
  return stream_finish(s);
}

int32_t anim_streams_open() {
  return objlist_register(&g_streams.head);
}

void anim_streams_finish_all() {
  while (g_streams.head) stream_finish(reinterpret_cast<qmAnimStream*>(g_streams.head));
}

}  // namespace qm
