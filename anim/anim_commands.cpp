// The anim library's commands apart from playback: loading and making anims, copies, frames to
// brushes, showing and selecting a frame, scaling, changing the frames and their delays, and the
// library's start with its GetAttribute row.
#include <algorithm>
#include <string>

#include "anim/anim.h"
#include "anim/animlib.h"
#include "anim/playback.h"
#include "anim/streams.h"
#include "display/brush.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/picture_load.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/scale.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"

namespace qm {

namespace {

enum : int32_t { ATTRNUMFRAMES = 11, ATTRFRAMEDELAY = 37 };

int32_t push_int(qmState* L, int64_t v) {
  vm_push_number(L, double(v));
  return 1;
}

int32_t prepare_id(qmState* L, const NewId& id) { return id.automatic ? 0 : anim_free_by_id(L, id.id, false); }

// A memory anim made of frames cut elsewhere (handed over, also on failure).
int32_t anim_from_planes(const ObjectId& id, int32_t width, int32_t height, int32_t transparent,
                         std::vector<qmBitmap*>& bitmaps, std::vector<qmMask*>& masks,
                         std::vector<qmAlphaChannel*>& alphas, qmAnim** out) {
  auto drop = [&] {
    for (qmBitmap* b : bitmaps) qmos_free_bitmap(b);
    for (qmMask* m : masks) qmos_free_mask(m);
    for (qmAlphaChannel* a : alphas) qmos_free_alpha(a);
    bitmaps.clear(), masks.clear(), alphas.clear();
  };
  qmAnim* a = nullptr;
  if (int32_t err = anim_new(id, width, height, int32_t(bitmaps.size()), transparent, false, &a)) {
    drop();
    return err;
  }
  a->bitmaps.swap(bitmaps);
  a->masks.swap(masks);
  a->alphas.swap(alphas);
  *out = a;
  return 0;
}

void free_cut(std::vector<qmBitmap*>& bitmaps, std::vector<qmMask*>& masks, std::vector<qmAlphaChannel*>& alphas) {
  for (qmBitmap* b : bitmaps) qmos_free_bitmap(b);
  for (qmMask* m : masks) qmos_free_mask(m);
  for (qmAlphaChannel* a : alphas) qmos_free_alpha(a);
}

// The anim of argument n for a change: not a frame of it selected, not playing, and layers that
// show it keep their own copy.
qmAnim* changing_anim(qmState* L, int32_t n) {
  const ObjectId id = arg_get_id(L, n);
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) vm_command_fail(L, err);
  if (anim_is_output_target(a)) vm_command_fail(L, ERR_MODIFYAANIM);
  if (int32_t err = anim_find(id, ANIMFIND_MODIFY, &a)) vm_command_fail(L, err);
  return a;
}

// LoadAnim(id, file [, options or transparent colour])
int32_t cmd_loadanim(qmState* L) {
  arg_check_count(L, 2, 3);
  const NewId id = new_id_arg(L, 1);
  int32_t transparent = -1;
  bool load_alpha = false, from_disk = false;
  int32_t frames_given = 0;
  AnimCut cut;
  char cache[1024] = "", cached_load[1024] = "";
  bool cache_alpha = false;
  if (vm_type(L, 3) == QM_TTABLE) {
    uint32_t colour = 0;
    int32_t given = 0;
    opt_get_uint(L, 3, "transparency", &colour, &given);
    if (given) transparent = int32_t(colour & 0xFFFFFF);
    load_alpha = table_flag(L, 3, "loadalpha");
    from_disk = table_flag(L, 3, "fromdisk");
    opt_get_int(L, 3, "x", &cut.x, nullptr);
    opt_get_int(L, 3, "y", &cut.y, nullptr);
    opt_get_int(L, 3, "width", &cut.width, nullptr);
    opt_get_int(L, 3, "height", &cut.height, nullptr);
    opt_get_int(L, 3, "frames", &cut.frames, &frames_given);
    opt_get_int(L, 3, "fpr", &cut.fpr, nullptr);
    opt_get_string(L, 3, "cache", cache, sizeof cache, nullptr);
    opt_get_string(L, 3, "cachedload", cached_load, sizeof cached_load, nullptr);
    cache_alpha = table_flag(L, 3, "cachealpha");
    // Declarations pass every field, a frame count of 0 for none.
    if (frames_given && cut.frames == 0) frames_given = 0, cut.frames = 1;
  } else if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL) {
    const double v = vm_arg_check_number(L, 3);
    if (v != -1) transparent = int32_t(to_u32_bits(v) & 0xFFFFFF);
  }
  if (transparent != -1 && load_alpha) return ERR_MASKNALPHA;
  if (frames_given && from_disk) return ERR_WRONGUSAGE;
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (int32_t err = prepare_id(L, id)) return err;
  ConsoleReport report(MSG_LOADING_ANIM, name);
  qmAnim* a = nullptr;
  // A picture that the image cache holds, or anything that is no anim file, is read as a picture
  // and cut into frames.
  const bool cached = cached_load[0] && runtime_flags().word6 != 0;
  int32_t err = frames_given || cached ? ERR_OPENANIM2
                                       : anim_build_from_file(id.id, name.c_str(), transparent, from_disk, &a);
  if (err == ERR_OPENANIM2) {
    LoadedPicture picture;
    if ((err = picture_open_cached(name.c_str(), cache, cached_load, cache_alpha, -1, 0, load_alpha, &picture)))
      return err;
    Planes p;
    if ((err = picture_make_planes(L, picture, 0, 0, picture.width, picture.height, transparent, &p))) return err;
    if (cut.width <= 0 || cut.height <= 0) cut = AnimCut{picture.width, picture.height, 1, 1, 0, 0};
    std::vector<qmBitmap*> bitmaps;
    std::vector<qmMask*> masks;
    std::vector<qmAlphaChannel*> alphas;
    if ((err = anim_cut_frames(p.bitmap, p.mask, p.alpha, picture.width, picture.height, cut, &bitmaps, &masks,
                               &alphas))) {
      free_cut(bitmaps, masks, alphas);
      return err;
    }
    err = anim_from_planes(id.id, cut.width, cut.height, transparent, bitmaps, masks, alphas, &a);
  }
  if (err) return err;
  report.ok = true;
  return push_new_id(L, id, a);
}

// CreateAnim(id, brush, width, height, frames, fpr [, x, y])
int32_t cmd_createanim(qmState* L) {
  arg_check_count(L, 6, 8);
  const NewId id = new_id_arg(L, 1);
  const ObjectId source = arg_get_id(L, 2);
  AnimCut cut;
  cut.width = to_i32(vm_arg_check_number(L, 3));
  cut.height = to_i32(vm_arg_check_number(L, 4));
  cut.frames = to_i32(vm_arg_check_number(L, 5));
  cut.fpr = to_i32(vm_arg_check_number(L, 6));
  cut.x = to_i32(vm_arg_opt_number(L, 7, 0));
  cut.y = to_i32(vm_arg_opt_number(L, 8, 0));
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(source, BRUSHFIND_NOVECTOR, &b)) return err;
  std::vector<qmBitmap*> bitmaps;
  std::vector<qmMask*> masks;
  std::vector<qmAlphaChannel*> alphas;
  if (int32_t err = anim_cut_frames(b->bitmap, b->mask, b->alpha, b->width, b->height, cut, &bitmaps, &masks, &alphas)) {
    free_cut(bitmaps, masks, alphas);
    return err;
  }
  const int32_t transparent = b->transparent == BRUSH_MASK_MADE ? -1 : b->transparent;
  if (int32_t err = prepare_id(L, id)) {
    free_cut(bitmaps, masks, alphas);
    return err;
  }
  qmAnim* a = nullptr;
  if (int32_t err = anim_from_planes(id.id, cut.width, cut.height, transparent, bitmaps, masks, alphas, &a)) return err;
  return push_new_id(L, id, a);
}

int32_t cmd_freeanim(qmState* L) {
  arg_check_count(L, 1, 1);
  return anim_free_by_id(L, arg_get_id(L, 1), true);
}

// IsAnim(file)
int32_t cmd_isanim(qmState* L) {
  arg_check_count(L, 1, 1);
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  vm_push_boolean(L, qmos_anim_info(name.c_str()) != 0);
  return 1;
}

// CopyAnim(source, destination)
int32_t cmd_copyanim(qmState* L) {
  arg_check_count(L, 2, 2);
  const ObjectId source_id = arg_get_id(L, 1);
  const NewId id = new_id_arg(L, 2);
  qmAnim* source = nullptr;
  if (int32_t err = anim_find(source_id, 0, &source)) return err;
  if (!id.automatic && id.id == source->header.id) return ERR_WRONGUSAGE;
  if (int32_t err = prepare_id(L, id)) return err;
  qmAnim* a = nullptr;
  if (int32_t err = anim_copy(L, source, id.id, &a)) return err;
  return push_new_id(L, id, a);
}

// The 1-based frame argument n (-1: the last) as an index of the anim.
int32_t frame_arg(qmState* L, int32_t n, int32_t frames, bool last_allowed) {
  const int32_t frame = to_i32(vm_arg_check_number(L, n));
  if (last_allowed && frame == -1) return frames - 1;
  if (frame < 1 || frame > frames) vm_command_fail(L, ERR_ANIMFRAME);
  return frame - 1;
}

// GetAnimFrame(brush, frame, anim)
int32_t cmd_getanimframe(qmState* L) {
  arg_check_count(L, 3, 3);
  const NewId id = new_id_arg(L, 1);
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(arg_get_id(L, 3), 0, &a)) return err;
  const int32_t index = frame_arg(L, 2, a->frames, false);
  if (!id.automatic)
    if (int32_t err = brush_lookup(L, id.id, false)) return err;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  if (int32_t err = anim_get_frame_bitmap(a, index, true, false, &bitmap, &mask, &alpha)) return err;
  if (!bitmap) return ERR_ANIMFRAME;
  qmBrush* b = nullptr;
  if (int32_t err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, a->width, a->height, a->width, 0, nullptr, bitmap,
                                          a->transparent, mask, alpha, &b))
    return err;
  return push_new_id(L, id, b);
}

// LoadAnimFrame(brush, frame, file [, transparent colour])
int32_t cmd_loadanimframe(qmState* L) {
  arg_check_count(L, 3, 4);
  const NewId id = new_id_arg(L, 1);
  const int32_t frame = to_i32(vm_arg_check_number(L, 2));
  const std::string name = arg_get_linked_file(L, 3, 0, nullptr);
  const double t = vm_arg_opt_number(L, 4, -1);
  const int32_t transparent = t == -1 ? -1 : int32_t(to_u32_bits(t) & 0xFFFFFF);
  qmAnimFile* f = nullptr;
  int32_t width = 0, height = 0, frames = 0;
  if (int32_t err = qmos_open_anim(name.c_str(), &f, &width, &height, &frames)) return err;
  int32_t index = frame == -1 ? frames - 1 : frame - 1;
  if (index < 0 || index >= frames) {
    qmos_close_anim(f);
    return ERR_ANIMFRAME;
  }
  if (!id.automatic)
    if (int32_t err = brush_lookup(L, id.id, false)) {
      qmos_close_anim(f);
      return err;
    }
  uint32_t* pixels = qmos_load_frame(f, index);
  if (!pixels) {
    qmos_close_anim(f);
    return ERR_LOADFRAME;
  }
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  int32_t err = qmos_scale_bitmap(pixels, transparent, width, height, width, &bitmap, &mask);
  qmos_free_anim_frame(f, pixels);
  qmos_close_anim(f);
  if (err) return err;
  qmBrush* b = nullptr;
  if ((err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, width, height, width, 0, nullptr, bitmap, transparent,
                                   mask, nullptr, &b)))
    return err;
  return push_new_id(L, id, b);
}

// DisplayAnimFrame(id, x, y, frame [, options])
int32_t cmd_displayanimframe(qmState* L) {
  arg_check_count(L, 4, 5);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  const int32_t frame = to_i32(vm_arg_check_number(L, 4));
  return anim_frame_render(L, id, frame - 1, x, y, 5);
}

// SelectAnim(id, frame [, mode, combo])
int32_t cmd_selectanim(qmState* L) {
  arg_check_count(L, 2, 4);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t frame = to_i32(vm_arg_check_number(L, 2));
  const int32_t mode = to_i32(vm_arg_opt_number(L, 3, SELMODE_NORMAL));
  const int32_t combo = to_i32(vm_arg_opt_number(L, 4, 0));
  return drawtarget_select(L, OBJ_ANIM, id, TARGET_PICTURE, frame - 1, mode, combo);
}

// SetAnimFrameDelay(id, frame, delay)
int32_t cmd_setanimframedelay(qmState* L) {
  arg_check_count(L, 3, 3);
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(arg_get_id(L, 1), 0, &a)) return err;
  const int32_t index = frame_arg(L, 2, a->frames, false);
  const int32_t delay = to_i32(vm_arg_check_number(L, 3));
  if (delay < 0) return ERR_WRONGUSAGE;
  a->delays[size_t(index)] = uint32_t(delay);
  return 0;
}

// ScaleAnim(id, width, height [, smooth])
int32_t cmd_scaleanim(qmState* L) {
  arg_check_count(L, 3, 4);
  qmAnim* a = changing_anim(L, 1);
  int32_t width = size_or_percent(L, 2, a->width), height = size_or_percent(L, 3, a->height);
  const bool smooth = flag_arg(L, 4);
  if (int32_t err = size_keep_aspect(a->width, a->height, &width, &height)) return err;
  if (width == a->width && height == a->height) return 0;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  if (a->from_disk) {
    anim_free_frames(a);
    a->width = width, a->height = height, a->smooth = smooth ? 1 : 0;
    return 0;
  }
  // Every frame is scaled aside first: a failure leaves the anim as it was.
  std::vector<qmBitmap*> bitmaps(size_t(a->frames), nullptr);
  std::vector<qmMask*> masks(size_t(a->frames), nullptr);
  std::vector<qmAlphaChannel*> alphas(size_t(a->frames), nullptr);
  for (size_t i = 0; i < size_t(a->frames); ++i) {
    if (!a->bitmaps[i]) continue;
    if (int32_t err = bitmap_draw(a->bitmaps[i], a->masks[i], a->alphas[i], 0, 0, nullptr, a->width, a->height, width,
                                  height, smooth ? 1 : 0, &bitmaps[i], a->masks[i] ? &masks[i] : nullptr,
                                  a->alphas[i] ? &alphas[i] : nullptr)) {
      free_cut(bitmaps, masks, alphas);
      return err;
    }
  }
  anim_free_frames(a);
  a->bitmaps.swap(bitmaps);
  a->masks.swap(masks);
  a->alphas.swap(alphas);
  a->width = width, a->height = height, a->smooth = smooth ? 1 : 0;
  return 0;
}

}  // namespace

int32_t anim_modify_frames(qmAnim* a, int32_t count, int32_t position) {
  if (a->from_disk) return ERR_ANIMDISK;
  if (count == 0 || position < 0) return ERR_WRONGUSAGE;
  if (position > a->frames) return ERR_ANIMFRAME;
  if (count < 0) {
    // Removal of -count frames from position (0: the last ones).
    const int64_t n = -int64_t(count);
    if (n >= a->frames) return ERR_WRONGUSAGE;
    const int64_t first = position == 0 ? a->frames - n : position - 1;
    if (first + n > a->frames) return ERR_WRONGUSAGE;
    for (int64_t i = first; i < first + n; ++i) {
      qmos_free_bitmap(a->bitmaps[size_t(i)]);
      qmos_free_mask(a->masks[size_t(i)]);
      qmos_free_alpha(a->alphas[size_t(i)]);
    }
    auto cut = [&](auto& v) { v.erase(v.begin() + first, v.begin() + first + n); };
    cut(a->bitmaps), cut(a->masks), cut(a->alphas), cut(a->delays);
    a->frames -= int32_t(n);
    return 0;
  }
  if (int64_t(a->frames) + count > (int64_t(1) << 24)) return ERR_MEM;
  const bool with_mask = a->masks[0] != nullptr, with_alpha = a->alphas[0] != nullptr;
  std::vector<qmBitmap*> bitmaps;
  std::vector<qmMask*> masks;
  std::vector<qmAlphaChannel*> alphas;
  for (int32_t i = 0; i < count; ++i) {
    qmBitmap* b = bitmap_new_filled(a->width, a->height, 0);
    qmMask* m = with_mask ? qmos_alloc_mask(a->width, a->height, 1) : nullptr;
    qmAlphaChannel* al = with_alpha ? qmos_alloc_alpha(a->width, a->height, 1) : nullptr;
    bitmaps.push_back(b), masks.push_back(m), alphas.push_back(al);
    if (!b || (with_mask && !m) || (with_alpha && !al)) {
      free_cut(bitmaps, masks, alphas);
      return ERR_MEM;
    }
  }
  const size_t at = position == 0 ? size_t(a->frames) : size_t(position);
  a->bitmaps.insert(a->bitmaps.begin() + at, bitmaps.begin(), bitmaps.end());
  a->masks.insert(a->masks.begin() + at, masks.begin(), masks.end());
  a->alphas.insert(a->alphas.begin() + at, alphas.begin(), alphas.end());
  a->delays.insert(a->delays.begin() + at, size_t(count), kAnimDelayFromFile);
  a->frames += count;
  return 0;
}

namespace {

// ModifyAnimFrames(id, count [, position])
int32_t cmd_modifyanimframes(qmState* L) {
  arg_check_count(L, 2, 3);
  const ObjectId id = arg_get_id(L, 1);
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) return err;
  if (a->from_disk) return ERR_ANIMDISK;
  const int32_t count = to_i32(vm_arg_check_number(L, 2));
  const int32_t position = to_i32(vm_arg_opt_number(L, 3, 0));
  if (count == 0 || position < 0) return ERR_WRONGUSAGE;
  if (position > a->frames) return ERR_ANIMFRAME;
  a = changing_anim(L, 1);
  return anim_modify_frames(a, count, position);
}

int32_t anim_attribute(qmState* L, int32_t attribute) {
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(arg_get_id(L, 2), 0, &a)) return err;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, a->width);
    case ATTRHEIGHT: return push_int(L, a->height);
    case ATTRTRANSPARENTCOLOR: return push_int(L, a->transparent);
    case ATTRNUMFRAMES: return push_int(L, a->frames);
    case ATTRHASMASK: return push_int(L, a->from_disk ? a->transparent != -1 : a->masks[0] != nullptr);
    case ATTRHASALPHA: return push_int(L, a->from_disk ? 0 : a->alphas[0] != nullptr);
    case ATTRFRAMEDELAY: {
      const int32_t frame = to_i32(vm_arg_opt_number(L, 4, 0));
      if (frame < 1 || frame > a->frames) return ERR_ANIMFRAME;
      return push_int(L, anim_get_frame_delay(a, frame - 1));
    }
    default: return ERR_UNKNOWNATTR;
  }
}

const qmCommand kAnimCommands[] = {
    {"PlayAnim", cmd_playanim},
    {"FreeAnim", cmd_freeanim},
    {"ScaleAnim", cmd_scaleanim},
    {"PlayAnimDisk", cmd_playanimdisk},
    {"LoadAnimFrame", cmd_loadanimframe},
    {"LoadAnim", cmd_loadanim},
    {"IsAnim", cmd_isanim},
    {"CreateAnim", cmd_createanim},
    {"CopyAnim", cmd_copyanim},
    {"GetAnimFrame", cmd_getanimframe},
    {"DisplayAnimFrame", cmd_displayanimframe},
    {"ModifyAnimFrames", cmd_modifyanimframes},
    {"SelectAnim", cmd_selectanim},
    {"SaveAnim", cmd_saveanim},
    {"BeginAnimStream", cmd_beginanimstream},
    {"WriteAnimFrame", cmd_writeanimframe},
    {"FinishAnimStream", cmd_finishanimstream},
    {"SetAnimFrameDelay", cmd_setanimframedelay},
    {nullptr, nullptr},
};

}  // namespace

}  // namespace qm

int32_t anim_init(qmState* L) {
  qm::anim_install_hooks();
  qm::graphics_set_attribute_handler(qm::OBJ_ANIM, qm::anim_attribute);
  if (int32_t err = qm::picture_library_open(L, qm::kAnimCommands, nullptr, "anim", qm::anim_list())) return err;
  return qm::anim_streams_open();
}

void anim_cleanup(qmState* L) {
  qm::anim_free_all(L);
  qm::anim_streams_finish_all();
}
