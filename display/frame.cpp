// Frame pacing (VWait and the frame-rate limit), the small colour commands, IsPicture,
// DumpVideoTime and the process-wide draw-tag defaults of the graphics library.
#include "display/frame.h"

#include <random>

#include "display/bgpic.h"
#include "display/codecs/codecs.h"
#include "display/display.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"

namespace qm {

namespace {

DrawTagDefaults g_tags;

// 246 colours of 12 bits, one hex digit a channel.
constexpr uint16_t kRandomColours[246] = {
    0xCCC, 0x000, 0xFFF, 0x888, 0xA20, 0xD50, 0xEB0, 0x080, 0x6B0, 0x170, 0x5BC, 0x367, 0x07B, 0x048, 0xE88, 0xB55,
    0xE72, 0xC64, 0x820, 0xFB7, 0x90F, 0x60C, 0xB70, 0x950, 0xFA5, 0xD84, 0x9B9, 0x686, 0x4A7, 0x175, 0x333, 0xEEE,
    0x666, 0x000, 0x777, 0x240, 0x620, 0x510, 0x750, 0x540, 0x350, 0x030, 0x256, 0x133, 0x035, 0x024, 0x744, 0x522,
    0x731, 0x632, 0x410, 0x753, 0x407, 0x306, 0x530, 0x420, 0x752, 0x642, 0x454, 0x343, 0x253, 0x032, 0x111, 0x777,
    0xFF0, 0xEE0, 0xDD0, 0xCC0, 0xBB0, 0xAA0, 0x990, 0x880, 0x770, 0x660, 0x550, 0x440, 0x330, 0x220, 0x110, 0xF00,
    0xE00, 0xD00, 0xC00, 0xB00, 0xA00, 0x900, 0x800, 0x700, 0x600, 0x500, 0x400, 0x300, 0x200, 0x0F0, 0x0E0, 0x0D0,
    0x0C0, 0x0B0, 0x0A0, 0x090, 0x080, 0x070, 0x060, 0x050, 0x040, 0x030, 0x020, 0x010, 0x00F, 0x00E, 0x00D, 0x00C,
    0x00B, 0x00A, 0x009, 0x008, 0x007, 0x006, 0x005, 0x004, 0x003, 0x002, 0x0FF, 0x0EE, 0x0DD, 0x0CC, 0x0BB, 0x0AA,
    0x099, 0x088, 0x077, 0x066, 0x055, 0x044, 0x033, 0x022, 0x011, 0xF0F, 0xE0E, 0xD0D, 0xC0C, 0xB0B, 0xA0A, 0x909,
    0x808, 0x707, 0x606, 0x505, 0x404, 0x303, 0x202, 0x101, 0xFFF, 0xFFE, 0xFFD, 0xFFC, 0xFFB, 0xFFA, 0xFF9, 0xFF8,
    0xFF7, 0xFF6, 0xFF5, 0xFF4, 0xFF3, 0xFF2, 0xFF1, 0xFF0, 0xFFF, 0xEEE, 0xDDD, 0xCCC, 0xBBB, 0xAAA, 0x999, 0x888,
    0x777, 0x666, 0x555, 0x444, 0x333, 0x222, 0x111, 0xF77, 0xF87, 0xFA7, 0xFB7, 0xFC7, 0xFD7, 0xFF7, 0xEF7, 0xDF7,
    0xBF7, 0xAF7, 0x9F7, 0x8F7, 0x7F8, 0x7F9, 0x7FA, 0x7FC, 0x7FD, 0x7FE, 0x7EF, 0x7DF, 0x7CF, 0x7BF, 0x79F, 0x78F,
    0x77F, 0x97F, 0xA7F, 0xB7F, 0xC7F, 0xE7F, 0xF7F, 0xF00, 0xF20, 0xF50, 0xF70, 0xFA0, 0xFC0, 0xFE0, 0xDF0, 0xBF0,
    0x8F0, 0x6F0, 0x3F0, 0x1F0, 0x0F1, 0x0F4, 0x0F6, 0x0F9, 0x0FB, 0x0FD, 0x0EF, 0x0BF, 0x09F, 0x07F, 0x04F, 0x02F,
    0x00F, 0x30F, 0x50F, 0x80F, 0xA0F, 0xC0F,
};

int32_t push_u32(qmState* L, uint32_t v) {
  vm_push_number(L, double(v));
  return 1;
}

uint32_t colour_arg(qmState* L, int32_t n) { return to_u32_sat(vm_arg_check_number(L, n)); }

}  // namespace

int32_t cmd_red(qmState* L) {
  arg_check_count(L, 1, 1);
  return push_u32(L, colour_arg(L, 1) >> 16 & 255);
}

int32_t cmd_green(qmState* L) {
  arg_check_count(L, 1, 1);
  return push_u32(L, colour_arg(L, 1) >> 8 & 255);
}

int32_t cmd_blue(qmState* L) {
  arg_check_count(L, 1, 1);
  return push_u32(L, colour_arg(L, 1) & 255);
}

int32_t cmd_rgb(qmState* L) {
  arg_check_count(L, 3, 3);
  const int64_t r = to_i32(vm_arg_check_number(L, 1)), g = to_i32(vm_arg_check_number(L, 2));
  const int64_t b = to_i32(vm_arg_check_number(L, 3));
  vm_push_number(L, double((r << 16) | (g << 8) | b));
  return 1;
}

int32_t cmd_argb(qmState* L) {
  arg_check_count(L, 2, 2);
  const uint32_t a = to_u32_bits(vm_arg_check_number(L, 1)), c = to_u32_bits(vm_arg_check_number(L, 2));
  return push_u32(L, (a << 24) | c);
}

int32_t cmd_mixrgb(qmState* L) {
  arg_check_count(L, 3, 3);
  const uint32_t c1 = to_u32_bits(vm_arg_check_number(L, 1)), c2 = to_u32_bits(vm_arg_check_number(L, 2));
  bool fraction = false;
  const int32_t ratio = to_i32(arg_get_number_or_percent(L, 3, 255.0, false, &fraction));
  if (ratio < 0 || ratio > 255) return ERR_WRONGUSAGE;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t a = int32_t(c1 >> shift & 255), b = int32_t(c2 >> shift & 255);
    out |= uint32_t((a + (((b - a) * ratio) >> 8)) & 255) << shift;
  }
  return push_u32(L, out);
}

int32_t cmd_getrealcolor(qmState* L) {
  arg_check_count(L, 1, 1);
  // The drawing bitmaps of this host are 32 bits deep: colours are stored as they are.
  return push_u32(L, colour_arg(L, 1));
}

int32_t cmd_getpen(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t pen = to_i32(vm_arg_check_number(L, 1));
  pen = pen < 0 ? 0 : pen > 255 ? 255 : pen;
  const qmDisplay* d = display_current();
  const uint32_t* palette = d && d->bgpic ? d->bgpic->palette : nullptr;
  return push_u32(L, palette ? palette[pen] : 0xFFFFFFFFu);
}

int32_t cmd_getrandomcolor(qmState* L) {
  arg_check_count(L, 0, 0);
  static std::mt19937 rng{std::random_device{}()};
  const uint16_t c = kRandomColours[std::uniform_int_distribution<int32_t>(0, 245)(rng)];
  const uint32_t r = (c >> 8 & 15) * 17, g = (c >> 4 & 15) * 17, b = (c & 15) * 17;
  return push_u32(L, r << 16 | g << 8 | b);
}

int32_t cmd_vwait(qmState* L) {
  arg_check_count(L, 0, 0);
  display_wait_refresh(L);
  return 0;
}

int32_t cmd_setfpslimit(qmState* L) {
  arg_check_count(L, 1, 1);
  const int32_t fps = to_i32(vm_arg_check_number(L, 1));
  platform_set_frame_rate_limit(fps < 0 ? 0 : fps);
  return 0;
}

int32_t cmd_getfpslimit(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_number(L, platform_frame_rate());
  return 1;
}

int32_t cmd_ispicture(qmState* L) {
  arg_check_count(L, 1, 1);
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  int32_t is_vector = 0, width = 0, height = 0, has_alpha = 0;
  const int32_t ok = image_get_info(name.c_str(), &is_vector, &width, &height, &has_alpha);
  vm_push_number(L, ok ? 1 : 0);
  vm_new_table(L);
  table_set_number(L, "width", ok ? width : 0);
  table_set_number(L, "height", ok ? height : 0);
  table_set_number(L, "alpha", ok && has_alpha ? 1 : 0);
  table_set_number(L, "vector", ok && is_vector ? 1 : 0);
  return 2;
}

int32_t cmd_dumpvideotime(qmState* L) {
  arg_check_count(L, 0, 0);
  // The player records no videos on this host.
  vm_push_number(L, -1);
  return 1;
}

int32_t cmd_setdrawtagsdefault(qmState* L) {
  arg_check_count(L, 1, 1);
  if (vm_type(L, 1) != QM_TTABLE) return ERR_TABEXPECTED;
  // The showings' own reader on copies of the defaults, without a size: on an error nothing
  // changes. A name is a layer's own and never a default.
  DrawTagDefaults work = g_tags;
  if (int32_t err = brush_display_options(L, 1, 0, 0, 0, 0, 0, &work.transform, &work.tags, DISPOPT_NOSIZE))
    return err;
  work.tags.name[0] = 0;
  g_tags = work;
  return 0;
}

DrawTagDefaults::DrawTagDefaults() {
  tags.name[0] = 0;
  tags.shadow.color = 0x80000000u;
  tags.shadow.size = 4;
  tags.shadow.direction = 3;
  tags.shadow.radius = 5.0;
  tags.shadow.sigma = 5.0 / 3.0;
  tags.border.size = 2;
}

const DrawTagDefaults& drawtag_defaults() { return g_tags; }
void drawtag_defaults_reset() { g_tags = DrawTagDefaults(); }

namespace {

// The current display with the changes collected on its list while layers are on drawn, so that
// they reach the screen with the next present; nullptr without a display.
qmDisplay* display_with_changes_drawn(qmState* L) {
  qmDisplay* d = display_current();
  if (d && d->layers && d->output_type == kOutputDisplay && d->dirty.count > 0) layer_hooks().flush_dirty(L, d);
  return d;
}

}  // namespace

void display_wait_refresh(qmState* L) {
  if (qmDisplay* d = display_with_changes_drawn(L)) platform_window_flush(L, &d->win);
}

void display_present_frame(qmState* L) {
  if (qmDisplay* d = display_with_changes_drawn(L)) platform_window_present_frame(&d->win);
}

}  // namespace qm
