// Paths: the path list, the operation buffers, the stroke settings, the plug-in's calls and the
// vector fonts made for AddTextToPath.
#include "draw/paths.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/picture.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "text/font_driver.h"
#include "text/truetype.h"

namespace qm {

namespace {

ObjectList g_paths;
qmVectorStyle g_style;
PathAllocator g_allocator = nullptr;
bool g_plugin_used = false;

constexpr size_t kOpRoom = 128;    // what one operation takes at most, texts aside
constexpr size_t kGrowth = 1024;   // the least a buffer grows by
constexpr size_t kWord = 4;
const uint32_t kEmptyOps = 0;

void* buffer_alloc(size_t bytes) {
  if (g_allocator) {
    void* p = g_allocator(bytes);
    if (p) std::memset(p, 0, bytes);
    return p;
  }
  return std::calloc(1, bytes);
}

// Makes room for `needed` more bytes after the used ones (the end word included): the buffer grows
// by max(needed, 1024). False when memory runs out; the path is then unchanged.
bool reserve(qmPath* p, size_t needed) {
  if (p->ops && p->capacity - p->used >= needed) return true;
  const size_t growth = std::max(needed, kGrowth);
  if (p->capacity > SIZE_MAX / 2 - growth) return false;
  const size_t capacity = p->capacity + growth;
  auto* ops = static_cast<uint8_t*>(buffer_alloc(capacity));
  if (!ops) return false;
  if (p->ops) std::memcpy(ops, p->ops, p->used);
  std::free(p->ops);
  p->ops = ops;
  p->capacity = capacity;
  return true;
}

void put_word(uint8_t*& at, uint32_t v) {
  std::memcpy(at, &v, kWord);
  at += kWord;
}

// A vector font: the plug-in's handle and the face opened for it alone.
struct VectorFont {
  uint32_t handle = 0;
  FT_Face face = nullptr;
};

}  // namespace

qmVectorStyle& path_vector_style() { return g_style; }

int32_t path_find(const ObjectId& id, qmPath** out) {
  *out = nullptr;
  if (ObjectHeader* h = g_paths.find(id)) {
    *out = reinterpret_cast<qmPath*>(h);
    return 0;
  }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDPATH;
}

int32_t path_new(qmState* L, const ObjectId& id, qmPath** out) {
  *out = nullptr;
  const bool automatic = id == automatic_id();
  if (!automatic) {
    if (ObjectHeader* old = g_paths.find(id)) path_free(L, reinterpret_cast<qmPath*>(old));
  }
  auto* p = new (std::nothrow) qmPath();
  if (!p) return ERR_MEM;
  p->header.type = OBJ_VECTORPATH;
  p->header.id = automatic ? ObjectId{0, p} : id;
  if (!g_paths.append(&p->header)) {
    delete p;
    return ERR_MEM;
  }
  *out = p;
  return 0;
}

void path_free(qmState* L, qmPath* path) {
  g_paths.remove(&path->header);
  if (L) reflist_free(L, path->header.refs);
  std::free(path->ops);
  delete path;
}

void path_clear(qmPath* path) {
  std::free(path->ops);
  path->ops = nullptr;
  path->capacity = path->used = 0;
}

int32_t path_copy(qmState* L, const qmPath* source, const ObjectId& target, qmPath** out) {
  *out = nullptr;
  // The buffer first, so that freeing an older path of the target's number cannot touch it.
  uint8_t* ops = nullptr;
  if (source->ops) {
    ops = static_cast<uint8_t*>(buffer_alloc(source->capacity));
    if (!ops) return ERR_MEM;
    std::memcpy(ops, source->ops, source->capacity);
  }
  const size_t capacity = source->capacity, used = source->used;
  qmPath* p = nullptr;
  if (int32_t err = path_new(L, target, &p)) {
    std::free(ops);
    return err;
  }
  if (ops) p->ops = ops, p->capacity = capacity, p->used = used;
  *out = p;
  return 0;
}

ObjectHeader** path_list_head() { return &g_paths.head; }

void path_free_all(qmState* L) {
  ObjectHeader* h = g_paths.take_all();
  while (h) {
    ObjectHeader* next = h->next;
    auto* p = reinterpret_cast<qmPath*>(h);
    if (L) reflist_free(L, p->header.refs);
    std::free(p->ops);
    delete p;
    h = next;
  }
  g_style = qmVectorStyle{};
  if (g_plugin_used) font_cache_free_vector_fonts();
}

int32_t path_append(qmPath* path, int32_t opcode, const PathOperand* operands, size_t count) {
  size_t needed = kOpRoom;
  for (size_t i = 0; i < count; ++i)
    if (operands[i].kind == PathOperand::Text) {
      if (operands[i].length > SIZE_MAX / 2) return ERR_MEM;
      needed += qmvec_text_room(operands[i].length);
    }
  if (!reserve(path, needed)) return ERR_MEM;
  uint8_t* at = path->ops + path->used;
  put_word(at, uint32_t(opcode));
  for (size_t i = 0; i < count; ++i) {
    const PathOperand& o = operands[i];
    switch (o.kind) {
      case PathOperand::Integer:
      case PathOperand::Handle: put_word(at, uint32_t(o.word)); break;
      case PathOperand::Real:
        std::memcpy(at, &o.real, sizeof(double));
        at += sizeof(double);
        break;
      case PathOperand::Text: {
        // The bytes after the zero stay as the zero-filled buffer has them.
        const size_t room = qmvec_text_room(o.length);
        std::memcpy(at, o.text, o.length);
        std::memset(at + o.length, 0, room - o.length);
        at += room;
        break;
      }
    }
  }
  path->used = size_t(at - path->ops);
  put_word(at, QMVEC_OP_END);
  return 0;
}

int32_t path_append_path(qmPath* target, const qmPath* source) {
  if (!source->ops || source->used == 0) return 0;
  if (source->used > SIZE_MAX / 2 || !reserve(target, source->used + kWord)) return ERR_MEM;
  std::memcpy(target->ops + target->used, source->ops, source->used);
  target->used += source->used;
  uint8_t* at = target->ops + target->used;
  put_word(at, QMVEC_OP_END);
  return 0;
}

const void* path_ops(const qmPath* path) { return path->ops ? path->ops : reinterpret_cast<const uint8_t*>(&kEmptyOps); }

PathDraw path_drawing(const qmPath* path, uint32_t colour) {
  PathDraw d;
  d.ops = path->ops;
  d.ops_size = path->used + 4;
  d.stroke = g_style;
  d.style = draw_get_style();
  d.colour = colour;
  d.path = path->header.id;
  d.add_origin = true;
  return d;
}

void path_set_allocator(PathAllocator allocator) { g_allocator = allocator; }

qmPluginEntry* path_plugin() {
  qmPluginEntry* e = plugin_vector_graphics();
  if (e) g_plugin_used = true;
  return e;
}

qmVecStroke path_stroke_block(const qmVectorStyle& style, bool antialias) {
  qmVecStroke s{};
  s.size = sizeof(qmVecStroke);
  s.line_join = style.line_join;
  s.line_cap = style.line_cap;
  s.fill_rule = style.fill_rule;
  s.antialias = antialias ? 1 : 0;
  s.dash_offset = style.dash_offset;
  s.dashes = style.dashes.empty() ? nullptr : style.dashes.data();
  s.dash_count = int32_t(std::min<size_t>(style.dashes.size(), INT32_MAX));
  return s;
}

int32_t path_measure(qmPluginEntry* plugin, const void* ops, const qmVecStroke& stroke, int32_t kind,
                     int32_t line_width, double x, double y, PathBox* out) {
  *out = PathBox{};
  auto measure = plugin_entry<qmVecGetPathExtentsFn>(plugin, PLUGIN_EP_GET_PATH_EXTENTS);
  if (plugin->kind == 2 || !measure) return ERR_EMPTYPATH;
  qmVecExtents e{};
  e.size = sizeof e;
  e.ops = ops;
  e.stroke = &stroke;
  e.filled = kind;
  e.line_width = line_width;
  e.x = x, e.y = y;
  measure(&e);
  if (e.left == 0 && e.top == 0 && e.right == 0 && e.bottom == 0) return ERR_EMPTYPATH;
  *out = PathBox{e.left, e.top, e.right, e.bottom};
  return 0;
}

int32_t path_vector_font(qmFont* font, uint32_t* handle) {
  if (auto* v = static_cast<VectorFont*>(font->vector_font)) {
    *handle = v->handle;
    return 0;
  }
  qmPluginEntry* plugin = path_plugin();
  auto create = plugin ? plugin_entry<qmVecCreateVectorFontFn>(plugin, PLUGIN_EP_CREATE_VECTOR_FONT) : nullptr;
  if (!plugin || plugin->kind == 2 || !create) return ERR_VFONT;
  auto* v = new (std::nothrow) VectorFont();
  if (!v) return ERR_MEM;
  // A face of its own: sizes and transforms the plug-in sets never reach the text rendering.
  v->face = ttf_open_face_copy(font);
  if (v->face) v->handle = create(v->face);
  if (v->handle == 0) {
    ttf_close_face_copy(v->face);
    delete v;
    return ERR_VFONT;
  }
  font->vector_font = v;
  *handle = v->handle;
  return 0;
}

void font_free_vector_font(qmFont* font) {
  auto* v = static_cast<VectorFont*>(font->vector_font);
  if (!v) return;
  qmPluginEntry* plugin = plugin_vector_graphics();
  if (plugin && plugin->kind != 2)
    if (auto release = plugin_entry<qmVecFreeVectorFontFn>(plugin, PLUGIN_EP_FREE_VECTOR_FONT)) release(v->handle);
  ttf_close_face_copy(v->face);
  delete v;
  font->vector_font = nullptr;
}

}  // namespace qm
