// Virtual file names, linked-file lookup, copies to real files and virtual locks.
#include "runtime/vfile.h"

#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace {

constexpr char kPrefix[] = ":::chunk";
constexpr size_t kPrefixLen = 8;
constexpr char kFontPrefix[] = "::font:";
constexpr size_t kFontPrefixLen = 7;
constexpr size_t kCopyBlock = 16384;

bool put(char* out, size_t size, const std::string& text) {
  if (!out || text.size() >= size) return false;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return true;
}

// Reads an unsigned number in the given base at *p; false when there are no digits or it does
// not fit into 64 bits.
bool read_number(const char*& p, int base, uint64_t* out) {
  uint64_t value = 0;
  const char* start = p;
  for (;; ++p) {
    int digit;
    unsigned char c = static_cast<unsigned char>(*p);
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      break;
    if (value > (UINT64_MAX - uint64_t(digit)) / uint64_t(base)) return false;
    value = value * uint64_t(base) + uint64_t(digit);
  }
  *out = value;
  return p != start;
}

// Compares two names case-insensitively with '\' read as '/'.
bool same_linked_name(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x == '\\') x = '/';
    if (y == '\\') y = '/';
    if (qm::char_to_upper(x) != qm::char_to_upper(y)) return false;
    if (x == 0) return true;
  }
}

bool has_font_prefix(const std::string& name) {
  return qm::str_case_ncmp(name.c_str(), kFontPrefix, kFontPrefixLen) == 0;
}

bool ends_with_nocase(const std::string& text, const char* tail) {
  size_t n = std::strlen(tail);
  return text.size() >= n && qm::str_case_cmp(text.c_str() + text.size() - n, tail) == 0;
}

}  // namespace

int32_t vfile_make_chunk_name(const char* display, char* out, size_t size, int64_t offset,
                              uint64_t length, int64_t base, const char* host) {
  std::string shown = display ? display : "";
  for (char& c : shown) {
    if (c == '/') c = '\\';
  }
  char head[64];
  if (offset == -1) {
    std::snprintf(head, sizeof head, ":::chunkS%" PRId32 ":%" PRIu64 "*", int32_t(base), length);
    char address[32];
    std::snprintf(address, sizeof address, "%" PRIxPTR, reinterpret_cast<uintptr_t>(host));
    return put(out, size, head + shown + "/" + address) ? 1 : 0;
  }
  int64_t start;
  if (offset < 0 || base < 0 || __builtin_add_overflow(offset, base, &start)) return 0;
  std::snprintf(head, sizeof head, ":::chunk%" PRIu64 ":%" PRIu64 "*", uint64_t(start), length);
  return put(out, size, head + shown + "/" + (host ? host : "")) ? 1 : 0;
}

bool vfile_is_virtual(const char* name) {
  return name && std::strncmp(name, kPrefix, kPrefixLen) == 0;
}

bool vfile_parse_name(const char* name, qmVirtualName* out) {
  if (!vfile_is_virtual(name)) return false;
  qmVirtualName v;
  const char* p = name + kPrefixLen;
  uint64_t first;
  if (*p == 'S') {
    v.memory = true;
    ++p;
    bool negative = *p == '-';
    if (negative) ++p;
    if (!read_number(p, 10, &first) || first > uint64_t(INT32_MAX)) return false;
    v.segment = negative ? -int32_t(first) : int32_t(first);
  } else {
    if (!read_number(p, 10, &first)) return false;
    v.offset = first;
  }
  if (*p++ != ':' || !read_number(p, 10, &v.length) || *p++ != '*') return false;
  const char* slash = std::strchr(p, '/');
  if (!slash) return false;
  v.display.assign(p, slash);
  const char* rest = slash + 1;
  if (v.memory) {
    uint64_t address;
    if (!read_number(rest, 16, &address) || *rest != '\0' || address > UINTPTR_MAX) return false;
    v.address = uintptr_t(address);
  } else {
    v.host = rest;
    if (v.host.empty()) return false;
  }
  *out = std::move(v);
  return true;
}

std::string vfile_basename(const char* path) {
  if (!path) return std::string();
  if (vfile_is_virtual(path)) {
    const char* star = std::strchr(path, '*');
    if (!star) return std::string();
    const char* slash = std::strchr(star + 1, '/');
    return slash ? std::string(star + 1, slash) : std::string(star + 1);
  }
  size_t n = std::strlen(path);
  if (n < 2) return path;
  const char* last = nullptr;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') last = p;
  }
  if (last) return last + 1;
  if (const char* colon = std::strchr(path, ':')) return colon + 1;
  return path;
}

int32_t path_add_part(char* path, size_t size, const char* name) {
  if (!path || !name) return 0;
  std::string result = path;
  if (!result.empty() && result.back() != '/' && result.back() != '\\') result += '/';
  result += name;
  return put(path, size, result) ? 1 : 0;
}

const char* path_file_part(const char* path) {
  const char* part = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') part = p + 1;
  }
  return part;
}

int32_t vfile_temp_name(char* out, size_t size, const char* virtual_name) {
  std::string display = vfile_basename(virtual_name);
  size_t dot = display.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : display.substr(dot);
  // The extension is player text; a '/' in it cannot name a folder here.
  for (char& c : ext) {
    if (c == '/' || c == '\\') c = '_';
  }
  const char* dir = std::getenv("TMPDIR");
  std::string tmpl = std::string(dir && *dir ? dir : "/tmp") + "/qmtmpXXXXXX";
  std::string host = tmpl + qmos_latin1_to_utf8(ext);
  std::vector<char> buf(host.begin(), host.end());
  buf.push_back('\0');
  int fd = mkstemps(buf.data(), int(host.size() - tmpl.size()));
  if (fd < 0) return 0;
  close(fd);
  std::string name = qmos_player_name(buf.data());
  if (!put(out, size, name)) {
    std::remove(buf.data());
    return 0;
  }
  return 1;
}

int32_t file_copy(const char* source, const char* destination) {
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kCopyBlock]);
  if (!block) return qm::ERR_MEM;
  qm::err_set_string_arg(source);
  qmFileHandle* in = qmos_open(source, QMOS_MODE_READ);
  if (!in) return qm::ERR_READFILE;
  if (qmos_same_file(source, destination)) {  // opening the copy would empty the source
    qmos_close(in);
    return qm::ERR_WRONGUSAGE;
  }
  qm::err_set_string_arg(destination);
  qmFileHandle* out = qmos_open(destination, QMOS_MODE_WRITE);
  if (!out) {
    qmos_close(in);
    return qm::ERR_WRITEFILE;
  }
  qmos_seek(in, 0, QMOS_SEEK_END);
  int64_t left = qmos_seek(in, 0, QMOS_SEEK_BEGINNING);
  int32_t result = 0;
  while (left > 0) {
    int64_t n = left < int64_t(kCopyBlock) ? left : int64_t(kCopyBlock);
    int64_t got = qmos_read(in, block.get(), n);
    if (got <= 0) break;  // the source shrank under us: copy what there is
    if (qmos_write(out, block.get(), got) != got) {
      result = qm::ERR_WRITEFILE;
      break;
    }
    left -= got;
  }
  qmos_close(in);
  if (!qmos_close(out)) result = qm::ERR_WRITEFILE;
  return result;
}

bool file_read_whole(const char* name, std::vector<uint8_t>* out) {
  out->clear();
  qmFileHandle* in = qmos_open(name, QMOS_MODE_READ);
  if (!in) return false;
  qmos_seek(in, 0, QMOS_SEEK_END);
  const int64_t size = qmos_seek(in, 0, QMOS_SEEK_BEGINNING);
  bool ok = size >= 0 && uint64_t(size) <= out->max_size();
  if (ok) {
    try {
      out->resize(size_t(size));
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (ok) ok = qmos_read(in, out->data(), size) == size;
  qmos_close(in);
  if (!ok) out->clear();
  return ok;
}

std::string linked_file_resolve(const qmLinkedFiles& linked, const char* name, int32_t font_kind,
                                int32_t* is_font) {
  if (is_font) *is_font = 0;
  std::string wanted = name ? name : "";
  bool font = false;
  if (font_kind != 0 && !ends_with_nocase(wanted, ".ttf") && !ends_with_nocase(wanted, ".otf")) {
    font = true;
    if (ends_with_nocase(wanted, ".font")) wanted.resize(wanted.size() - 5);
  }
  for (const auto& f : linked.files) {
    const char* compared;
    if (font) {
      if (!has_font_prefix(f.name)) continue;
      compared = f.name.c_str() + kFontPrefixLen;
      if (qm::str_case_cmp(compared, wanted.c_str()) != 0) continue;
    } else {
      if (has_font_prefix(f.name)) continue;
      compared = f.name.c_str();
      if (!same_linked_name(compared, wanted.c_str())) continue;
    }
    char out[VFILE_NAME_SIZE];
    const std::string& host = f.host.empty() ? linked.applet_path : f.host;
    const char* where = f.offset == -1 ? reinterpret_cast<const char*>(f.data) : host.c_str();
    if (!vfile_make_chunk_name(compared, out, sizeof out, f.offset, f.length, linked.base, where)) {
      continue;  // too long to be a virtual name: no entry can stand for it
    }
    if (is_font && font) *is_font = 1;
    return out;
  }
  return name ? name : "";
}

namespace {
int64_t g_applet_base = 0;
}

void vfile_set_applet_base(int64_t base) { g_applet_base = base; }
int64_t vfile_applet_base() { return g_applet_base; }

qmVLock* vfile_lock(const char* name, int32_t mode) {
  if (vfile_is_virtual(name)) {
    qmVirtualName v;
    if (!vfile_parse_name(name, &v)) return nullptr;
    auto* lock = new qmVLock;
    lock->vname = name;
    return lock;
  }
  qmLock* real = qmos_lock(name, mode);
  if (!real) return nullptr;
  auto* lock = new qmVLock;
  lock->real = real;
  return lock;
}

void vfile_unlock(qmVLock* lock) {
  if (!lock) return;
  qmos_unlock(lock->real);
  delete lock;
}

int32_t vfile_examine(qmVLock* lock, qmFileInfo* info) {
  if (!lock || !info) return 0;
  if (lock->real) return qmos_examine(lock->real, info);
  qmVirtualName v;
  if (!vfile_parse_name(lock->vname.c_str(), &v)) return 0;
  qmDate date;
  date.day = 16;
  date.month = 8;
  date.year = 1982;
  int64_t stamp = qmos_date_to_time(&date);
  info->is_dir = 0;
  info->size = int64_t(v.length > uint64_t(INT64_MAX) ? INT64_MAX : v.length);
  info->protection = 15;
  info->access_time = info->modify_time = info->change_time = stamp;
  return 1;
}

int32_t vfile_lock_is_dir(qmVLock* lock, int32_t* is_dir) {
  if (!lock) return qm::ERR_NOTADIR;
  if (lock->real) return qmos_lock_is_dir(lock->real, is_dir);
  if (is_dir) *is_dir = 0;
  qm::err_set_string_arg(lock->vname.c_str());
  return qm::ERR_NOTADIR;
}

int32_t vfile_lock_name(qmVLock* lock, char* out, size_t size) {
  if (!lock) return 0;
  if (lock->real) return put(out, size, qmos_lock_name(lock->real)) ? 1 : 0;
  qmVirtualName v;
  if (!vfile_parse_name(lock->vname.c_str(), &v) || v.memory || v.display.empty()) {
    return put(out, size, "unknown") ? 1 : 0;
  }
  std::string folder = v.host;
  size_t slash = folder.find_last_of("/\\");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  return put(out, size, folder + v.display) ? 1 : 0;
}

int32_t dir_next_entry(qmVLock* lock, std::string* name, int32_t* is_dir, qmFileInfo* info) {
  if (!lock || !lock->real) return 0;
  return qmos_next_entry(lock->real, name, is_dir, info);
}
