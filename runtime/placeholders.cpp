// PLACEHOLDERS for the subsystems that are not built yet (displays, events, layers, drawing, text,
// transition effects, sound, anims and video, network). Each block stands in for one subsystem:
// its library opens without registering anything (so no listing shows commands that do not
// exist), its clean-ups have nothing to free, and its start-up hooks do nothing. When a subsystem
// is built it defines these functions itself and its block here is deleted.
#include "runtime/services.h"

// ---- placeholder: displays, backgrounds and brushes (display, graphics, brush, bgpic) -----------

int32_t graphics_init(qmState*) { return 0; }
int32_t display_init(qmState*) { return 0; }
int32_t brush_init(qmState*) { return 0; }
int32_t bgpic_init(qmState*) { return 0; }
int graphics_setting_hook(qmState*, int32_t, intptr_t) { return 0; }
int graphics_query_hook(qmState*, int32_t, intptr_t) { return 0; }
void imagecache_free_all() {}
int32_t display_open_first(qmState*, const qm::Config*, const char*) { return 0; }
void display_cleanup() {}
void graphics_cleanup() {}
void brush_free_all() {}
void bgpic_free_all() {}

// ---- placeholder: events and input (event) -------------------------------------------------------

int32_t event_init(qmState*) { return 0; }
int32_t event_pump_platform(qmState*) { return 0; }
void event_lists_free() {}

// ---- placeholder: layers, sprites and motion (moveobject, layers, sprite) -----------------------

int32_t moveobject_init(qmState*) { return 0; }
int32_t layers_init(qmState*) { return 0; }
int32_t sprite_init(qmState*) { return 0; }
void sprites_free_all() {}
void layers_cleanup() {}

// ---- placeholder: drawing and vector paths (draw, vectorgraphics) --------------------------------

int32_t draw_init(qmState*) { return 0; }
int32_t vectorgraphics_init(qmState*) { return 0; }
void draw_cleanup() {}
void path_free_all() {}

// ---- placeholder: text and fonts (text) ----------------------------------------------------------

int32_t text_init(qmState*) { return 0; }
void text_cleanup() {}

// ---- placeholder: transition effects (transitionfx) ----------------------------------------------

int32_t transitionfx_init(qmState*) { return 0; }

// ---- placeholder: sound and music (sound) --------------------------------------------------------

int32_t sound_init(qmState*) { return 0; }
int sound_setting_hook(qmState*, int32_t, intptr_t) { return 0; }
int sound_query_hook(qmState*, int32_t, intptr_t) { return 0; }
void sound_stop_all() {}
void sound_cleanup() {}

// ---- placeholder: animation and video (anim, video) ----------------------------------------------

int32_t anim_init(qmState*) { return 0; }
int32_t video_init(qmState*) { return 0; }
void video_stop_all() {}
void video_free_all() {}
void anim_free_all() {}

// ---- placeholder: network (network) --------------------------------------------------------------

int32_t network_init(qmState*) { return 0; }
void network_cleanup() {}
