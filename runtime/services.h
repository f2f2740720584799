// The services of the subsystems that start-up and exit call: each library's open function, its
// clean-up at exit, and the hooks start-up runs around the declared objects and the first display.
// Subsystems not built yet are stood in for by the placeholders in runtime/placeholders.cpp; a
// subsystem that arrives defines its functions itself and deletes its placeholder block.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {
struct Config;
}

// ---- library open functions (register commands and constants, record the library's name) ------

int32_t graphics_init(qmState* L);
int32_t draw_init(qmState* L);
int32_t moveobject_init(qmState* L);
int32_t event_init(qmState* L);
int32_t layers_init(qmState* L);
int32_t text_init(qmState* L);
int32_t anim_init(qmState* L);
int32_t display_init(qmState* L);
int32_t sound_init(qmState* L);
int32_t brush_init(qmState* L);
int32_t bgpic_init(qmState* L);
int32_t transitionfx_init(qmState* L);
int32_t sprite_init(qmState* L);
int32_t vectorgraphics_init(qmState* L);
int32_t network_init(qmState* L);
int32_t video_init(qmState* L);

// ---- runtime attribute hooks of the graphics and sound libraries ---------------------------------

// Non-zero when the hook took the tag.
int graphics_setting_hook(qmState* L, int32_t tag, intptr_t data);
int graphics_query_hook(qmState* L, int32_t tag, intptr_t data);
int sound_setting_hook(qmState* L, int32_t tag, intptr_t data);
int sound_query_hook(qmState* L, int32_t tag, intptr_t data);

// ---- start-up hooks ------------------------------------------------------------------------------

// Frees every image that the picture loaders cached for the declared objects.
void imagecache_free_all();
// Opens display 1 once the declared objects exist; 0 or an error code.
int32_t display_open_first(qmState* L, const qm::Config* config, const char* private3);
// Serves the host's pending events without waiting; 0, or a code that stops the program.
int32_t event_pump_platform(qmState* L);

// ---- exit clean-ups (called by shutdown_exit in its fixed order) ---------------------------------

void sound_stop_all();
void video_stop_all();
void display_cleanup();
void network_cleanup();
void graphics_cleanup();
void draw_cleanup();
void brush_free_all();
void bgpic_free_all();
void video_free_all();
void path_free_all();
void sprites_free_all();
void text_cleanup();
void anim_free_all();
void layers_cleanup();
void event_lists_free();
void sound_cleanup();
