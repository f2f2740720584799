// Texts with inline tags from arbitrary bytes through the layout and the glyph-run frame into an
// image: tags, tabs, newlines, word wrap and alignment in quill and in the inbuilt engine, plain
// and anti-aliased, with the style's shadow and soft or hard edge, then once more at another scale
// breaking at the words it broke at. The first four bytes choose the job; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "draw/draw.h"
#include "engine/vm.h"
#include "runtime/errors.h"
#include "text/font_driver.h"
#include "text/layout.h"

namespace {

qmState* g_state = nullptr;

qmState* open_state() {
  g_state = vm_open();
  qm::err_install(g_state);
  qm::draw_open(g_state);  // the colour constants that tags name
  qm::text_open(g_state);
  // The cached fonts close before the cache's own storage goes at exit.
  std::atexit([] {
    qm::text_cleanup(g_state);
    vm_close_state(g_state);
  });
  return g_state;
}

qmFont* font_for(int32_t choice) {
  qmFont* font = nullptr;
  switch (choice) {
    case 1:
      font_open_cached(":::default_sans", 13, 4, 1, 0, &font);
      break;
    case 2:
      font_open_cached(":::default_mono", 9, 4, 0, 0, &font);
      break;
    default:
      font = font_default();
      break;
  }
  return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qmState* L = open_state();
  if (size < 4) return 0;
  const uint8_t choice = data[0];
  qm::qmTextJob job;
  job.style.font = font_for(choice % 3);
  if (job.style.font != font_default() && (choice & 0x04))
    job.style.flags = qm::TEXTSTYLE_ANTIALIAS;
  if (choice & 0x08) job.style.colour = 0x80FF8000;
  const int32_t aligns[] = {qm::kTextAlignLeft, qm::kTextAlignCenter, qm::kTextAlignRight};
  job.align = aligns[(choice >> 4) % 3];
  const bool print = choice & 0x40;
  const bool tags_off = choice & 0x80;
  const int32_t kind = print ? qm::TEXTKIND_PRINT : qm::TEXTKIND_TEXTOUT;
  job.encoding = data[2] & 1;
  if (print) {
    job.left_margin = data[1] & 0x1F;
    job.right_margin = 100 + data[1] * 2;
    job.cursor_x = job.left_margin + (data[2] >> 1);
    for (int32_t t = 1; t <= (data[3] & 7); ++t) job.tabs.push_back(t * (8 + (data[3] >> 3)));
  } else {
    // TextOut: the fourth byte adds the style's shadow and edge, up to their largest sizes.
    job.right_margin = data[1] * 3;
    if (data[3] & 1) job.style.flags |= qm::TEXTSTYLE_SHADOW;
    if (data[3] & 2) job.style.flags |= qm::TEXTSTYLE_EDGE;
    job.style.edge_size = 1 + (data[3] >> 2);
    job.style.shadow_distance = 1 + (data[3] >> 3);
    job.style.shadow_direction = data[3] >> 2 & 7;
    job.style.edge_colour = (data[3] & 0x80) ? 0x40FF00FF : 0x0000FF;
  }
  job.text.assign(reinterpret_cast<const char*>(data) + 4, size - 4);
  qm::qmTextImage image;
  if (qm::text_render_image(L, job, kind, tags_off, 0, &image) != 0) return 0;
  if (job.style.font && job.style.font->scalable) {
    font_set_scale(job.style.font, 1.5, 0.75);
    qm::text_render_image(L, job, kind, tags_off, qm::TEXTRENDER_AGAIN, &image);
    font_set_scale(job.style.font, 1.0, 1.0);
  }
  return 0;
}
