// Locale catalogs.
#include "runtime/catalog.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "engine/endian.h"
#include "runtime/os/qmos.h"

namespace {

constexpr size_t kPadding = 8;
constexpr size_t kIffMinSize = 101;  // only files above 100 bytes are read as IFF
constexpr uint32_t kEndMark = 0xFFFFFFFFu;

// Language id -> the two folder names tried. The native names are UTF-8 here (string literals
// are UTF-8 in this build), as the folders are named on disk; the Czech one is ISO 8859-2 text
// on hosts with 8-bit file names.
const char* const kFolders[][2] = {
    {nullptr, nullptr},
    {"german", "deutsch"},
    {"dutch", "nederlands"},
    {"italian", "italiano"},
    {"french", "fran\u00e7ais"},
    {"spanish", "espa\u00f1ol"},
    {"portuguese", "portugu\u00eas"},
    {"swedish", "svenska"},
    {"danish", "dansk"},
    {"finnish", "suomi"},
    {"norwegian", "norsk"},
    {"polish", "polski"},
    {"hungarian", "magyar"},
    {"greek", "greek"},
    {"czech", "\u010ce\u0161tina"},
    {"turkish", "t\u00fcrk\u00e7e"},
    {"croatian", "hrvatski"},
    {"unknown", "unknown"},
};

qmCatalog* parse_iff(std::unique_ptr<qmCatalog> cat) {
  const auto* d = reinterpret_cast<const uint8_t*>(cat->data.data());
  qm::put_be32(reinterpret_cast<uint8_t*>(cat->data.data()) + cat->size, kEndMark);
  if (std::memcmp(d + 8, "CTLGFVER", 8) != 0) return nullptr;
  for (size_t i = 16; i + 8 <= cat->size; i += 2) {
    if (std::memcmp(d + i, "STRS", 4) != 0) continue;
    uint64_t end = uint64_t(i) + 8 + qm::get_be32(d + i + 4);
    cat->strs = i + 8;
    cat->strs_end = end < cat->size ? size_t(end) : cat->size;
    return cat.release();
  }
  return nullptr;
}

// Resolves the escapes in place, ends every line with a NUL and notes where the lines start.
qmCatalog* parse_text(std::unique_ptr<qmCatalog> cat) {
  char* d = cat->data.data();
  size_t n = cat->size, out = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = d[i];
    if (c == '\\') {
      char e = i + 1 < n ? d[i + 1] : '\0';
      if (i + 1 < n) ++i;
      d[out++] = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : '\\';
    } else if (c == '\n') {
      d[out++] = '\0';
    } else if (c == '\r') {
      // A CR-LF pair is one line end; a lone CR ends its line and keeps the next character.
      if (i + 1 < n && d[i + 1] == '\n') ++i;
      d[out++] = '\0';
    } else {
      d[out++] = c;
    }
  }
  std::memset(d + out, 0, cat->data.size() - out);
  cat->lines.push_back(0);
  for (size_t i = 0; i < out; ++i) {
    if (d[i] == '\0' && i + 1 < out) cat->lines.push_back(i + 1);
  }
  return cat.release();
}

const char* iff_lookup(const qmCatalog* cat, int32_t id, const char* def) {
  const auto* d = reinterpret_cast<const uint8_t*>(cat->data.data());
  uint32_t wanted = uint32_t(id);
  // Every step stays within the chunk, which stays within the data.
  size_t p = cat->strs;
  while (p + 8 <= cat->strs_end) {
    uint32_t entry = qm::get_be32(d + p);
    uint32_t len = qm::get_be32(d + p + 4);
    if (entry == kEndMark) return def;
    size_t text = p + 8;
    if (entry == wanted) {
      if (len > cat->strs_end - text) return def;
      const void* nul = std::memchr(d + text, 0, len);
      return nul ? cat->data.data() + text : def;  // an unterminated text counts as absent
    }
    uint64_t next = uint64_t(text) + ((uint64_t(len) + 3) & ~uint64_t(3));
    if (next > cat->strs_end) return def;
    p = size_t(next);
  }
  return def;
}

qmCatalog* g_runtime_catalog = nullptr;

}  // namespace

qmCatalog* catalog_from_bytes(const void* bytes, size_t size) {
  if (!bytes || size == 0 || size > SIZE_MAX - kPadding) return nullptr;
  std::unique_ptr<qmCatalog> cat(new (std::nothrow) qmCatalog);
  if (!cat) return nullptr;
  try {
    cat->data.assign(size + kPadding, '\0');
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  std::memcpy(cat->data.data(), bytes, size);
  cat->size = size;
  if (size >= kIffMinSize && std::memcmp(bytes, "FORM", 4) == 0) return parse_iff(std::move(cat));
  return parse_text(std::move(cat));
}

qmCatalog* catalog_from_file(const std::string& host_path) {
  std::unique_ptr<FILE, decltype(&std::fclose)> fp(qmos_open_stream(host_path, QMOS_MODE_READ),
                                                   &std::fclose);
  if (!fp) return nullptr;
  std::string bytes;
  char buf[16384];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, fp.get())) > 0) bytes.append(buf, n);
  if (std::ferror(fp.get())) return nullptr;
  return catalog_from_bytes(bytes.data(), bytes.size());
}

std::vector<std::string> catalog_language_folders(int32_t language) {
  if (language < 1 || language >= int32_t(std::size(kFolders))) return {};
  return {kFolders[language][0], kFolders[language][1]};
}

qmCatalog* qmos_open_catalog(const char* file_name) {
  if (!file_name) return nullptr;
  std::string base = qmos_executable_folder() + "/Catalogs/";
  std::string file = qmos_latin1_to_utf8(file_name);
  for (const auto& folder : catalog_language_folders(qmos_get_language())) {
    std::string path = base + folder + "/" + file;
    std::unique_ptr<FILE, decltype(&std::fclose)> probe(qmos_open_stream(path, QMOS_MODE_READ),
                                                        &std::fclose);
    if (!probe) continue;
    probe.reset();
    // The first folder whose file opens decides, even when its content is no catalog.
    return catalog_from_file(path);
  }
  return nullptr;
}

const char* qmos_get_catalog_string(const qmCatalog* catalog, int32_t id, const char* def) {
  if (!catalog) return def;
  if (catalog->strs) return iff_lookup(catalog, id, def);
  if (id <= 0) return catalog->data.data();
  if (size_t(id) >= catalog->lines.size()) return def;
  return catalog->data.data() + catalog->lines[size_t(id)];
}

void qmos_close_catalog(qmCatalog* catalog) {
  delete catalog;
}

qmCatalog* qmos_open_catalog_thunk(const char* file_name) {
  return qmos_open_catalog(file_name);
}
const char* qmos_get_catalog_string_thunk(const qmCatalog* catalog, int32_t id, const char* def) {
  return qmos_get_catalog_string(catalog, id, def);
}
void qmos_close_catalog_thunk(qmCatalog* catalog) {
  qmos_close_catalog(catalog);
}

void catalog_open_runtime() {
  catalog_close_runtime();
  g_runtime_catalog = qmos_open_catalog_thunk("Quillmere.catalog");
}

void catalog_close_runtime() {
  qmos_close_catalog_thunk(g_runtime_catalog);
  g_runtime_catalog = nullptr;
}

const char* catalog_text(int32_t id, const char* def) {
  return qmos_get_catalog_string_thunk(g_runtime_catalog, id, def);
}
