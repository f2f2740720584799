// The composition root: the only place that knows which command libraries exist. A library that
// arrives puts its open function at its place in kLibraries, its clean-ups at their places in
// kCleanups and its hooks into the record at the end.
#include "player/libraries.h"

#include <iterator>

#include "anim/animlib.h"
#include "anim/video.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/codecs/imagecache.h"
#include "display/graphics.h"
#include "draw/draw.h"
#include "draw/paths.h"
#include "engine/errcodes.h"
#include "events/events.h"
#include "fx/fx.h"
#include "gfx/scale.h"
#include "layers/layers.h"
#include "layers/movelist.h"
#include "layers/moveobject.h"
#include "layers/sprite.h"
#include "net/network.h"
#include "platform/platform.h"
#include "sound/library.h"
#include "stdlib/stdlib.h"
#include "text/text.h"

namespace qm {

namespace {

// The start-up order. Entries without a function are libraries not built yet.
constexpr LibraryEntry kLibraries[] = {
    {"string", string_open},
    {"math", math_open},
    {"graphics", graphics_init},
    {"draw", draw_open},
    {"moveobject", moveobject_init},
    {"dos", dos_open},
    {"event", event_init},
    {"system", system_open},
    {"layers", layers_init},
    {"text", text_open},
    {"anim", anim_init},
    {"display", display_init},
    {"sound", sound_open},
    {"brush", brush_init},
    {"bgpic", bgpic_init},
    {"transitionfx", transitionfx_init},
    {"sprite", sprite_init},
    {"memblock", memblock_open},
    {"vectorgraphics", vectorgraphics_init},
    {"network", network_init},
    {"video", video_open},
};

// The exit order: everything that plays or shows stops before the objects it might still read are
// freed, and sound goes last because the audio thread may run until then. The portable layer's
// exit hook keeps its place though this host has nothing to end there.
constexpr CleanupEntry kCleanups[] = {
    {"os", nullptr},
    {"effects", [](qmState*) { effects_free_buffers(); }},
    {"sound_stop", [](qmState* L) { sound_stop_all(L); }},
    {"video_stop", [](qmState* L) { video_stop_all(L); }},
    {"display", [](qmState* L) { display_cleanup(L); }},
    {"network", [](qmState* L) { network_cleanup(L); }},
    {"graphics", [](qmState*) { graphics_cleanup(); }},
    {"draw", [](qmState*) { draw_cleanup(); }},
    {"brush", [](qmState*) { brush_free_all(); }},
    {"bgpic", [](qmState*) { bgpic_free_all(); }},
    {"video", [](qmState* L) { video_free_all(L); }},
    {"path", [](qmState* L) { path_free_all(L); }},
    {"sprite", [](qmState* L) { sprites_free_all(L); }},
    {"timer", [](qmState*) { system_cleanup(); }},
    {"text", [](qmState* L) { text_cleanup(L); }},
    {"anim", [](qmState* L) { anim_cleanup(L); }},
    {"layers", [](qmState*) { movelists_free_all(); }},
    {"dos", [](qmState* L) { if (L) dos_cleanup(L); }},
    {"memblock", [](qmState* L) { if (L) memblock_cleanup(L); }},
    {"event", [](qmState* L) { event_cleanup(L); }},
    {"sound", [](qmState* L) { sound_cleanup(L); }},
};

// The runtime attribute hooks in the order they are asked: graphics, events, then sound.
constexpr AttrHook kSetHooks[] = {graphics_setting_hook, sound_setting_hook};
constexpr AttrHook kGetHooks[] = {graphics_query_hook, event_attr_get_hook, sound_get_hook};

const PlayerLibraries kPlayer = [] {
  PlayerLibraries p;
  p.libraries = kLibraries;
  p.library_count = std::size(kLibraries);
  p.cleanups = kCleanups;
  p.cleanup_count = std::size(kCleanups);
  p.set_hooks = kSetHooks;
  p.set_hook_count = std::size(kSetHooks);
  p.get_hooks = kGetHooks;
  p.get_hook_count = std::size(kGetHooks);
  p.free_image_cache = imagecache_free_all;
  p.open_first_display = [](qmState* L, const Config*, const DisplaySettings* display, const char* private3) {
    return display_open_first(L, display, private3);
  };
  // The per-line hook serves the host's events; a quit (the window system's, or SIGINT/SIGTERM)
  // ends the program as a user abort, also when a wait took the quit and the pump skips its turn.
  p.pump_events = [](qmState* L) {
    return platform_pump_events(L) != 0 || platform_quit_requested() ? ERR_USERABORT : 0;
  };
  return p;
}();

}  // namespace

const PlayerLibraries& player_libraries() { return kPlayer; }

}  // namespace qm
