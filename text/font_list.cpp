// Font discovery: scanning the font folders, reading the faces' names, finding a face by name.
#include "text/font_list.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_set>

#include "engine/endian.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "runtime/vfile.h"
#include "text/font_driver.h"

using namespace qm;

namespace {

std::vector<qmFontListEntry> g_list;
bool g_built = false;

constexpr size_t kMaxNameLength = 511;
constexpr uint16_t kEnglish[] = {1033, 2057, 3081, 4105, 5129, 6153, 7177, 16393};

struct StyleWord {
  const char* word;
  bool slant;
  int32_t value;
};
constexpr StyleWord kStyleWords[] = {
    {"Thin", false, 0},          {"Extralight", false, 40},  {"Extra-light", false, 40},
    {"Ultralight", false, 40},   {"Ultra-light", false, 40}, {"Light", false, 50},
    {"Book", false, 75},         {"Normal", false, 80},      {"Regular", false, 80},
    {"Medium", false, 100},      {"Semibold", false, 180},   {"Semi-bold", false, 180},
    {"Semi", false, 180},        {"Demibold", false, 180},   {"Demi-bold", false, 180},
    {"Demi", false, 180},        {"Bold", false, 200},       {"Extrabold", false, 205},
    {"Extra-bold", false, 205},  {"Ultrabold", false, 205},  {"Ultra-bold", false, 205},
    {"Heavy", false, 210},       {"Black", false, 210},      {"Extrablack", false, 215},
    {"Extra-black", false, 215}, {"Ultrablack", false, 215}, {"Ultra-black", false, 215},
    {"Roman", true, 0},          {"Italic", true, 100},      {"Oblique", true, 110},
};

bool ends_with_nocase(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && str_case_cmp(text.c_str() + text.size() - n, tail) == 0;
}

std::string folded(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = char(char_to_upper(static_cast<unsigned char>(c)));
  return out;
}

// The font list under construction: a full name already listed is not added again.
struct ListBuilder {
  std::vector<qmFontListEntry>* list;
  std::unordered_set<std::string> names;

  void add(qmFontListEntry entry) {
    if (!names.insert(folded(entry.name)).second) return;
    list->push_back(std::move(entry));
  }
  void add_face(const std::string& family, const std::string& style, const std::string& path,
                int32_t index, bool in_collection) {
    qmFontListEntry e;
    e.family = family;
    e.name = style.empty() ? family : family + " " + style;
    e.path = path;
    e.index = index;
    e.in_collection = in_collection;
    style_weight_slant(style, &e.weight, &e.slant);
    const bool plain = style_is_plain(style.c_str());
    add(e);
    if (plain) {
      e.name = family;
      add(std::move(e));
    }
  }
};

bool sfnt_at(const qmFontBytes& src, uint64_t base) {
  uint8_t v[4];
  if (!src.read(base, v, 4)) return false;
  const uint32_t version = get_be32(v);
  return version == 0x00010000 || std::memcmp(v, "OTTO", 4) == 0 || std::memcmp(v, "true", 4) == 0;
}

// The sizes of a bitmap font's contents file, in its order; false when it is none.
bool contents_sizes(const qmFontBytes& src, std::vector<int32_t>* sizes) {
  uint8_t head[4];
  if (!src.read(0, head, 4)) return false;
  const uint16_t id = get_be16(head);
  if (id != 0x0F00 && id != 0x0F02) return false;
  for (uint64_t i = 0; i < get_be16(head + 2); ++i) {
    uint8_t entry[260];
    if (!src.read(4 + i * 260, entry, sizeof entry)) return false;
    if (!std::memchr(entry, 0, 256)) return false;
    if (std::strcmp(reinterpret_cast<const char*>(entry), "::incomplete") != 0)
      sizes->push_back(get_be16(entry + 256));
  }
  return true;
}

// The faces whose directories are at `at`; in a resource file (relative) each face's tables count
// from its directory, elsewhere from the file's start.
void add_faces(ListBuilder& list, const qmFontBytes& src, const std::string& path,
               const std::vector<uint64_t>& at, bool in_collection, bool relative) {
  int32_t index = 0;
  for (uint64_t base : at) {
    if (!sfnt_at(src, base)) continue;  // resources of other kinds are no faces
    std::string family, style;
    if (ttf_read_names(src, base, relative ? base : 0, &family, &style) && !family.empty())
      list.add_face(family, style, path, index, in_collection);
    ++index;
  }
}

void scan_file(ListBuilder& list, const std::string& path, const std::string& file_name) {
  qmFileHandle* h = qmos_open(path.c_str(), QMOS_MODE_READ);
  if (!h) return;
  qmos_seek(h, 0, QMOS_SEEK_END);
  const int64_t size = qmos_seek(h, 0, QMOS_SEEK_BEGINNING);
  qmFontBytes src;
  src.file = h;
  src.size = size > 0 ? uint64_t(size) : 0;
  if (ends_with_nocase(file_name, ".ttf") || ends_with_nocase(file_name, ".otf")) {
    add_faces(list, src, path, {0}, false, false);
  } else if (ends_with_nocase(file_name, ".ttc")) {
    add_faces(list, src, path, ttc_face_offsets(src), true, false);
  } else if (ends_with_nocase(file_name, ".dfont")) {
    add_faces(list, src, path, dfont_face_offsets(src), true, true);
  } else {
    qmFontListEntry e;
    if (contents_sizes(src, &e.sizes)) {
      e.name = e.family = file_name.substr(0, file_name.size() - 5);
      e.path = path;
      e.bitmap = true;
      list.add(std::move(e));
    }
  }
  qmos_close(h);
}

// The font files of one folder (not its subfolders), in name order.
void scan_folder(ListBuilder& list, const std::string& folder) {
  qmLock* lock = qmos_lock(folder.c_str(), QMOS_LOCK_READ);
  if (!lock) return;
  std::vector<std::string> names;
  std::string name;
  int32_t is_dir = 0;
  qmFileInfo info;
  while (qmos_next_entry(lock, &name, &is_dir, &info) == 1) {
    if (is_dir || name.size() < 6) continue;
    for (const char* ext : {".font", ".ttf", ".otf", ".ttc", ".dfont"}) {
      if (ends_with_nocase(name, ext)) {
        names.push_back(name);
        break;
      }
    }
  }
  qmos_unlock(lock);
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    char path[4096];
    if (copy_bounded(path, sizeof path, folder.c_str()) &&
        path_add_part(path, sizeof path, n.c_str()))
      scan_file(list, path, n);
  }
}

// fontconfig's font directories, subfolders included (player text).
std::vector<std::string> fontconfig_dirs() {
  std::vector<std::string> dirs;
  if (!FcInit()) return dirs;
  if (FcStrList* list = FcConfigGetFontDirs(nullptr)) {
    while (FcChar8* dir = FcStrListNext(list))
      dirs.push_back(qmos_player_name(reinterpret_cast<const char*>(dir)));
    FcStrListDone(list);
  }
  return dirs;
}

}  // namespace

bool qmFontBytes::read(uint64_t offset, void* out, size_t n) const {
  if (offset > size || n > size - offset) return false;
  if (n == 0) return true;
  if (data) {
    std::memcpy(out, data + offset, n);
    return true;
  }
  qmos_seek(file, int64_t(offset), QMOS_SEEK_BEGINNING);
  return qmos_read(file, out, int64_t(n)) == int64_t(n);
}

bool ttf_read_names(const qmFontBytes& src, uint64_t directory, uint64_t tables,
                    std::string* family, std::string* style) {
  family->clear();
  style->clear();
  uint8_t head[12];
  if (!sfnt_at(src, directory) || !src.read(directory, head, sizeof head)) return false;
  const uint16_t count_tables = get_be16(head + 4);
  uint64_t table = 0;
  bool found = false;
  for (uint64_t i = 0; i < count_tables && !found; ++i) {
    uint8_t rec[16];
    if (!src.read(directory + 12 + i * 16, rec, sizeof rec)) return false;
    found = std::tolower(rec[0]) == 'n' && std::tolower(rec[1]) == 'a' &&
            std::tolower(rec[2]) == 'm' && std::tolower(rec[3]) == 'e';
    table = tables + get_be32(rec + 8);
  }
  uint8_t name_head[6];
  if (!found || !src.read(table, name_head, sizeof name_head)) return false;
  const uint16_t count = get_be16(name_head + 2);
  const uint64_t strings = table + get_be16(name_head + 4);
  std::vector<uint8_t> records(size_t(count) * 12);
  if (!src.read(table + 6, records.data(), records.size())) return false;
  bool have_family = false, have_style = false;
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* r = records.data() + size_t(i) * 12;
    const uint16_t platform = get_be16(r), language = get_be16(r + 4), id = get_be16(r + 6);
    const uint16_t length = get_be16(r + 8), offset = get_be16(r + 10);
    if (id != 1 && id != 2) continue;
    if (platform == 1 && language != 0) continue;
    if (platform == 3 &&
        std::find(std::begin(kEnglish), std::end(kEnglish), language) == std::end(kEnglish))
      continue;
    if (length > kMaxNameLength) return false;
    uint8_t text[kMaxNameLength];
    if (!src.read(strings + offset, text, length)) return false;
    std::string value;
    for (uint16_t k = 0; k < length; ++k) {
      if (text[k]) value += char(text[k]);
    }
    (id == 1 ? *family : *style) = value;
    (id == 1 ? have_family : have_style) = true;
    if (have_family && have_style) break;
  }
  return true;
}

std::vector<uint64_t> ttc_face_offsets(const qmFontBytes& src) {
  std::vector<uint64_t> out;
  uint8_t head[12];
  if (!src.read(0, head, sizeof head) || std::memcmp(head, "ttcf", 4) != 0) return out;
  const uint64_t count = get_be32(head + 8);
  if (count > (src.size - 12) / 4) return out;
  std::vector<uint8_t> offsets(size_t(count) * 4);
  if (!src.read(12, offsets.data(), offsets.size())) return out;
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t at = get_be32(offsets.data() + i * 4);
    if (at < src.size) out.push_back(at);
  }
  return out;
}

std::vector<uint64_t> dfont_face_offsets(const qmFontBytes& src) {
  std::vector<uint64_t> out;
  uint8_t head[16];
  if (!src.read(0, head, sizeof head)) return out;
  const uint64_t start = get_be32(head),
                 end = std::min<uint64_t>(start + get_be32(head + 8), src.size);
  for (uint64_t at = start; at + 4 <= end;) {
    uint8_t length[4];
    if (!src.read(at, length, 4)) break;
    if (at + 4 < end) out.push_back(at + 4);
    at += 4 + uint64_t(get_be32(length));
  }
  return out;
}

bool style_is_plain(const char* style) {
  for (const char* plain : {"regular", "plain", "normal", "book", "roman"}) {
    if (str_case_cmp(style, plain) == 0) return true;
  }
  return false;
}

void style_weight_slant(const std::string& style, int32_t* weight, int32_t* slant) {
  *weight = 80;
  *slant = 0;
  size_t at = 0;
  while (at < style.size()) {
    const size_t end = std::min(style.find(' ', at), style.size());
    const std::string word = style.substr(at, end - at);
    for (const StyleWord& w : kStyleWords) {
      if (str_case_cmp(word.c_str(), w.word) == 0) (w.slant ? *slant : *weight) = w.value;
    }
    at = end + 1;
  }
}

const std::vector<qmFontListEntry>& font_list_build(bool rescan) {
  if (g_built && !rescan) return g_list;
  font_list_free();
  ListBuilder list{&g_list, {}};
  try {
    for (const std::string& folder : font_paths()) scan_folder(list, folder);
    for (const std::string& folder : fontconfig_dirs()) scan_folder(list, folder);
    scan_folder(list, "Fonts");
  } catch (const std::bad_alloc&) {
    // What was found so far stands.
  }
  g_built = true;
  return g_list;
}

void font_list_free() {
  std::vector<qmFontListEntry>().swap(g_list);
  g_built = false;
}

bool font_find(const char* name, int32_t weight, int32_t slant, bool plain_only, std::string* path,
               int32_t* index) {
  for (const qmFontListEntry& e : font_list_build(false)) {
    if (e.bitmap || (plain_only && e.in_collection)) continue;
    const bool match = weight == -1 ? str_case_cmp(e.name.c_str(), name) == 0
                                    : str_case_cmp(e.family.c_str(), name) == 0 &&
                                          e.weight == weight && e.slant == slant;
    if (match) {
      *path = e.path;
      *index = e.index;
      return true;
    }
  }
  return false;
}
