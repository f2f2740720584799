// The clipboard over SDL's clipboard text and the process's own picture slot.
#include "platform/clipboard.h"

#include <SDL.h>

#include "engine/errcodes.h"
#include "platform/platform.h"

using namespace qm;

namespace {

struct PictureSlot {
  std::vector<uint8_t> png;
  std::string text_then;  // the system clipboard's text right after the picture was written
};

PictureSlot g_slot;

// The system clipboard's text as UTF-8 ("" when it holds none).
bool system_text(std::string* out) {
  out->clear();
  if (!SDL_HasClipboardText()) return true;
  char* text = SDL_GetClipboardText();
  if (!text) return false;
  *out = text;
  SDL_free(text);
  return true;
}

bool picture_valid(const std::string& text_now) { return !g_slot.png.empty() && text_now == g_slot.text_then; }

}  // namespace

std::string clipboard_normalise_line_ends(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') i++;
    } else {
      out += text[i];
    }
  }
  return out;
}

int32_t platform_clipboard_read(int32_t* kind, std::string* text, std::vector<uint8_t>* png) {
  *kind = CLIPBOARD_EMPTY;
  if (platform_video_start() != 0) return ERR_CLIPOPEN;
  std::string now;
  if (!system_text(&now)) return ERR_CLIPREAD;
  if (picture_valid(now)) {
    *kind = CLIPBOARD_IMAGE;
    if (png) *png = g_slot.png;
    return 0;
  }
  g_slot = PictureSlot{};
  if (now.empty()) return 0;
  *kind = CLIPBOARD_TEXT;
  if (text) *text = clipboard_normalise_line_ends(platform_utf8_to_latin1(now));
  return 0;
}

int32_t platform_clipboard_type(int32_t* kind) { return platform_clipboard_read(kind, nullptr, nullptr); }

int32_t platform_clipboard_write_text(const std::string& text) {
  if (platform_video_start() != 0) return ERR_CLIPWRITE;
  g_slot = PictureSlot{};
  std::string latin1(text.c_str());  // the text ends at its first NUL
  if (SDL_SetClipboardText(platform_latin1_to_utf8(latin1).c_str()) != 0) return ERR_CLIPWRITE;
  return 0;
}

int32_t platform_clipboard_write_picture(std::vector<uint8_t> png) {
  if (platform_video_start() != 0) return ERR_CLIPWRITE;
  // The system clipboard gives up its text, so that other programs see the clipboard change.
  if (SDL_SetClipboardText("") != 0) return ERR_CLIPWRITE;
  PictureSlot slot;
  if (!system_text(&slot.text_then)) return ERR_CLIPWRITE;
  slot.png = std::move(png);
  g_slot = std::move(slot);
  return 0;
}

int32_t platform_clipboard_clear() {
  if (platform_video_start() != 0) return ERR_CLIPWRITE;
  g_slot = PictureSlot{};
  return SDL_SetClipboardText("") == 0 ? 0 : ERR_CLIPWRITE;
}
