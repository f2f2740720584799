// The dos library's commands on names: existence, sizes, path parts, attributes and dates,
// renaming, making and listing directories, directory objects, temporary names, running programs
// and the environment. Deleting and copying trees and ApplyPatch are in dos_walk.cpp.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"
#include "stdlib/dos_internal.h"
#include "stdlib/dos_names.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace dos {

namespace {

struct DirObject {
  ObjectHeader header;  // type OBJ_DIRECTORY
  int32_t exhausted = 0;
  qmVLock* lock = nullptr;
};

struct TempCopy {
  std::string name;
  std::string source;  // the virtual name it was made for; empty for GetTempFileName
};

ObjectList g_dirs;
std::vector<TempCopy> g_temps;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct LockGuard {
  qmVLock* lock;
  ~LockGuard() { vfile_unlock(lock); }
};

// Locks the named file for reading and examines it: 0, or the command's error code (a name that
// cannot be locked goes into the message).
int32_t lock_and_examine(const char* name, LockGuard& g, qmFileInfo* info) {
  g.lock = vfile_lock(name, QMOS_LOCK_READ);
  if (!g.lock) {
    err_set_string_arg(name);
    return ERR_LOCK2;
  }
  return vfile_examine(g.lock, info) ? 0 : ERR_WRONGUSAGE;
}

// ---- attribute tables ----

void push_attributes(qmState* L, const qmFileInfo& info) {
  vm_new_table(L);
  table_set_number(L, "type", info.is_dir ? 1 : 0);
  if (!info.is_dir) table_set_double(L, "size", double(info.size));
  table_set_double(L, "flags", info.protection);
  table_set_string(L, "time", date_text(info.modify_time).c_str());
  table_set_string(L, "lastaccesstime", date_text(info.access_time).c_str());
}

// ---- directory objects ----

DirObject* find_dir(const ObjectId& id) {
  return reinterpret_cast<DirObject*>(g_dirs.find(id));
}

void dir_free(qmState* L, DirObject* d) {
  vfile_unlock(d->lock);
  if (L) reflist_free(L, d->header.refs);
  delete d;
}

void dir_unlink(DirObject* d) { g_dirs.remove(&d->header); }

DirObject* dir_arg(qmState* L, int32_t n) {
  ObjectId id = arg_get_id(L, n);
  if (DirObject* d = find_dir(id)) return d;
  if (id.handle) vm_command_fail(L, ERR_FINDARRAY);
  err_set_number_arg(id.number);
  vm_command_fail(L, ERR_FINDDIR);
}

// Locks name as a directory: ERR_LOCK2 or ERR_NOTADIR (lock released) with the name.
int32_t lock_dir(const char* name, qmVLock** out) {
  *out = nullptr;
  qmVLock* lock = vfile_lock(name, QMOS_LOCK_READ);
  if (!lock) {
    err_set_string_arg(name);
    return ERR_LOCK2;
  }
  int32_t is_dir = 0;
  int32_t err = vfile_lock_is_dir(lock, &is_dir);
  if (err == 0 && !is_dir) {
    err_set_string_arg(name);
    err = ERR_NOTADIR;
  }
  if (err) {
    vfile_unlock(lock);
    return err;
  }
  *out = lock;
  return 0;
}

bool is_chunk(const char* name) { return std::strncmp(name, ":::chunk", 8) == 0; }

// ---- commands ----

int32_t cmd_exists_impl(qmState* L) {
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  int32_t found = 0;
  if (*name) {
    qmVLock* lock = vfile_lock(name, QMOS_LOCK_READ);
    found = lock ? 1 : 0;
    vfile_unlock(lock);
  }
  vm_push_number(L, found);
  return 1;
}

}  // namespace

qm::ObjectHeader** directory_list() { return &g_dirs.head; }

void dir_cleanup(qmState* L) {
  for (ObjectHeader* h = g_dirs.take_all(); h;) {
    auto* d = reinterpret_cast<DirObject*>(h);
    h = h->next;
    dir_free(L, d);
  }
  for (const TempCopy& t : g_temps) qmos_delete(t.name.c_str());
  g_temps.clear();
}

std::string date_text(int64_t stamp) {
  qmDate d;
  qmos_time_to_date(stamp, &d);
  char buf[64];
  int32_t m = d.month >= 1 && d.month <= 12 ? d.month - 1 : 0;
  std::snprintf(buf, sizeof buf, "%.2d-%s-%d %.2d:%.2d:%.2d", d.day, kMonths[m], d.year, d.hour, d.minute, d.second);
  return buf;
}

bool date_parse(const char* text, qmDate* out) {
  size_t n = std::strlen(text);
  if (n < 20 || text[2] != '-' || text[6] != '-' || text[14] != ':' || text[17] != ':') return false;
  auto digits = [&](size_t at, int32_t* v) {
    unsigned char a = static_cast<unsigned char>(text[at]), b = static_cast<unsigned char>(text[at + 1]);
    if (a < '0' || a > '9' || b < '0' || b > '9') return false;
    *v = (a - '0') * 10 + (b - '0');
    return true;
  };
  qmDate d;
  if (!digits(0, &d.day) || !digits(12, &d.hour) || !digits(15, &d.minute) || !digits(18, &d.second)) return false;
  if (d.day < 1 || d.day > 31 || d.hour > 23 || d.minute > 59 || d.second > 59) return false;
  d.month = 0;
  for (int32_t i = 0; i < 12; i++) {
    bool same = true;
    for (int32_t k = 0; k < 3; k++)
      if (char_to_upper(static_cast<unsigned char>(text[3 + k])) !=
          char_to_upper(static_cast<unsigned char>(kMonths[i][k])))
        same = false;
    if (same) d.month = i + 1;
  }
  if (d.month == 0) return false;
  // The year runs from position 7 to the blank before the hours.
  int32_t year = 0;
  size_t i = 7;
  if (text[i] < '0' || text[i] > '9') return false;
  for (; i < 11 && text[i] >= '0' && text[i] <= '9'; i++) year = year * 10 + (text[i] - '0');
  if (i != 11 || text[11] != ' ') return false;
  d.year = year;
  *out = d;
  return true;
}

std::string path_part(const std::string& path) {
  size_t from = 0;
  while (from < path.size() && path[from] == '/') from++;
  size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos && slash >= from) return path.substr(0, slash + 1);
  size_t colon = path.rfind(':');
  if (colon != std::string::npos) return path.substr(0, colon + 1);
  return std::string();
}

std::string path_join(const std::string& path, const std::string& part) {
  if (path.empty() || path.back() == '/' || path.back() == '\\') return path + part;
  return path + "/" + part;
}

int32_t make_path(const char* path) {
  std::string p(path);
  for (size_t i = 0; i <= p.size(); i++) {
    if (i < p.size() && p[i] != '/' && p[i] != '\\') continue;
    if (i == 0) continue;  // the root
    std::string prefix = p.substr(0, i);
    qmVLock* lock = vfile_lock(prefix.c_str(), QMOS_LOCK_READ);
    if (lock) {
      qmFileInfo info;
      bool dir = vfile_examine(lock, &info) && info.is_dir;
      vfile_unlock(lock);
      if (!dir) {
        err_set_string_arg(path);
        return ERR_CREATEDIR;
      }
    } else if (!qmos_mkdir(prefix.c_str())) {
      err_set_string_arg(path);
      return ERR_CREATEDIR;
    }
  }
  return 0;
}

std::string current_dir_name() {
  qmVLock* lock = vfile_lock("", QMOS_LOCK_READ);
  if (!lock) return std::string();
  char buf[4096];
  std::string out = vfile_lock_name(lock, buf, sizeof buf) ? buf : "";
  vfile_unlock(lock);
  return out;
}

void dir_get_current_name(char* out, size_t size) {
  std::string name = current_dir_name();
  if (!copy_bounded(out, size, name.c_str()) && size) out[0] = '\0';
}

int32_t temp_copy_new(const char* source, std::string* out) {
  char name[VFILE_NAME_SIZE];
  if (!vfile_temp_name(name, sizeof name, source && std::strchr(source, '*') ? source : "")) return ERR_WRITEFILE;
  try {
    g_temps.push_back({name, source ? source : ""});
  } catch (const std::bad_alloc&) {
    qmos_delete(name);
    return ERR_MEM;
  }
  *out = name;
  return 0;
}

const std::string* temp_copy_find(const char* source) {
  for (const TempCopy& t : g_temps)
    if (!t.source.empty() && t.source == source) return &t.name;
  return nullptr;
}

int32_t cmd_exists(qmState* L) {
  arg_check_count(L, 1, 1);
  return cmd_exists_impl(L);
}

int32_t cmd_filesize(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  double size = -1;
  if (*name) {
    LockGuard g{vfile_lock(name, QMOS_LOCK_READ)};
    qmFileInfo info;
    if (g.lock && vfile_examine(g.lock, &info)) size = double(info.size);
  }
  vm_push_number(L, size);
  return 1;
}

int32_t cmd_isdirectory(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  LockGuard g{nullptr};
  qmFileInfo info;
  if (int32_t err = lock_and_examine(name, g, &info)) return err;
  vm_push_number(L, info.is_dir);
  return 1;
}

int32_t cmd_pathpart(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* path = vm_arg_check_string(L, 1, nullptr);
  if (is_chunk(path)) return ERR_WRONGUSAGE;
  vm_push_string(L, path_part(path).c_str());
  return 1;
}

int32_t cmd_filepart(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_push_string(L, vfile_basename(vm_arg_check_string(L, 1, nullptr)).c_str());
  return 1;
}

int32_t cmd_fullpath(qmState* L) {
  arg_check_count(L, 2, 2);
  std::string path = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  std::string part = vm_arg_check_string(L, 2, nullptr);
  std::string joined = path_join(path, part);
  vm_push_lstring(L, joined.data(), joined.size());
  return 1;
}

int32_t cmd_rename(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* from = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  const char* to = arg_get_file_name(L, 2, ERR_WRONGUSAGE);
  if (!*from || !*to || is_chunk(from) || is_chunk(to)) return ERR_WRONGUSAGE;
  std::string from_s(from);
  size_t slash = from_s.find_last_of("/\\");
  std::string dir = slash == std::string::npos ? std::string() : from_s.substr(0, slash + 1);
  std::string target = dir + path_file_part(to);
  return qmos_rename(from, target.c_str()) ? 0 : ERR_RENAME;
}

int32_t cmd_makedirectory(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* path = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  if (!*path) return ERR_WRONGUSAGE;
  return make_path(path);
}

int32_t cmd_changedirectory(qmState* L) {
  arg_check_count(L, 1, 1);
  std::string path = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  for (char& c : path)
    if (c == '\\') c = '/';
  qmos_free(qmos_change_dir(path.c_str()));
  return 0;
}

int32_t cmd_getcurrentdirectory(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_string(L, current_dir_name().c_str());
  return 1;
}

int32_t cmd_getvolumename(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  if (!*name) return ERR_WRONGUSAGE;
  LockGuard g{vfile_lock(name, QMOS_LOCK_READ)};
  if (!g.lock) {
    err_set_string_arg(name);
    return ERR_LOCK2;
  }
  vm_push_string(L, qmos_volume_name(g.lock->real));
  return 1;
}

int32_t cmd_getvolumeinfo(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  int32_t kind = to_i32(vm_arg_check_number(L, 2));
  if (!*name) return ERR_WRONGUSAGE;
  LockGuard g{vfile_lock(name, QMOS_LOCK_READ)};
  if (!g.lock) {
    err_set_string_arg(name);
    return ERR_LOCK2;
  }
  uint64_t free_bytes = 0, used_bytes = 0;
  qmos_volume_info(g.lock->real, &free_bytes, &used_bytes);
  vm_push_number(L, double(kind ? free_bytes : used_bytes));
  return 1;
}

int32_t cmd_readdirectory(qmState* L) {
  arg_check_count(L, 3, 4);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  vm_arg_check_table(L, 2);
  vm_arg_check_table(L, 3);
  int32_t sort_type = vm_type(L, 4);
  bool sort = sort_type == QM_TNONE || sort_type == QM_TNIL || truthy(L, 4);
  qmVLock* lock = nullptr;
  if (int32_t err = lock_dir(name, &lock)) return err;
  std::vector<std::string> files, dirs;
  {
    LockGuard g{lock};
    std::string entry;
    int32_t is_dir = 0;
    qmFileInfo info;
    while (dir_next_entry(lock, &entry, &is_dir, &info)) (is_dir ? dirs : files).push_back(entry);
  }
  auto store = [&](int32_t t, const std::vector<std::string>& names) {
    int32_t i = 0;
    for (const std::string& n : names) {
      vm_push_lstring(L, n.data(), n.size());
      vm_raw_seti(L, t, i++);
    }
    vm_push_string(L, "");
    vm_raw_seti(L, t, i);
    if (sort) sort_list(L, t, i);
  };
  store(2, files);
  store(3, dirs);
  vm_push_number(L, double(files.size()));
  vm_push_number(L, double(dirs.size()));
  return 2;
}

int32_t cmd_opendirectory(qmState* L) {
  arg_check_count(L, 2, 2);
  bool automatic = vm_type(L, 1) == QM_TNIL;
  ObjectId id;
  if (!automatic) id = arg_get_id(L, 1);
  const char* name = arg_get_file_name(L, 2, ERR_WRONGUSAGE);
  if (!automatic) {
    if (DirObject* old = find_dir(id)) {
      dir_unlink(old);
      dir_free(L, old);
    }
  }
  qmVLock* lock = nullptr;
  if (int32_t err = lock_dir(name, &lock)) return err;
  auto* d = new (std::nothrow) DirObject();
  if (!d) {
    vfile_unlock(lock);
    return ERR_MEM;
  }
  d->header.type = OBJ_DIRECTORY;
  d->header.id = automatic ? ObjectId{0, d} : id;
  d->lock = lock;
  if (!g_dirs.append(&d->header)) {
    dir_free(L, d);
    return ERR_MEM;
  }
  if (automatic) {
    vm_push_lightuserdata(L, d);
    return 1;
  }
  return 0;
}

int32_t cmd_nextdirectoryentry(qmState* L) {
  arg_check_count(L, 1, 1);
  DirObject* d = dir_arg(L, 1);
  if (d->exhausted) return 0;
  std::string name;
  int32_t is_dir = 0;
  qmFileInfo info;
  if (!dir_next_entry(d->lock, &name, &is_dir, &info)) {
    d->exhausted = 1;
    return 0;
  }
  push_attributes(L, info);
  table_set_string(L, "name", name.c_str());
  return 1;
}

int32_t cmd_closedirectory(qmState* L) {
  arg_check_count(L, 1, 1);
  DirObject* d = dir_arg(L, 1);
  dir_unlink(d);
  dir_free(L, d);
  return 0;
}

int32_t cmd_getfileattributes(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  LockGuard g{nullptr};
  qmFileInfo info;
  if (int32_t err = lock_and_examine(name, g, &info)) return err;
  char full[4096];
  if (!vfile_lock_name(g.lock, full, sizeof full)) full[0] = '\0';
  push_attributes(L, info);
  table_set_string(L, "path", full);
  return 1;
}

int32_t cmd_setfileattributes(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  vm_arg_check_table(L, 2);
  if (is_chunk(name)) return ERR_WRONGUSAGE;
  qmFileInfo info;
  {
    LockGuard g{vfile_lock(name, QMOS_LOCK_READ)};
    if (!g.lock) {
      err_set_string_arg(name);
      return ERR_LOCK2;
    }
    if (!vfile_examine(g.lock, &info)) return ERR_WRONGUSAGE;
  }
  uint32_t flags = 0;
  int32_t given_flags = 0;
  opt_get_uint(L, 2, "flags", &flags, &given_flags);
  char time_text[64] = "", access_text[64] = "";
  int32_t given_time = 0, given_access = 0;
  opt_get_string(L, 2, "time", time_text, sizeof time_text, &given_time);
  opt_get_string(L, 2, "lastaccesstime", access_text, sizeof access_text, &given_access);
  if (given_flags && !qmos_set_protection(name, flags)) return ERR_SETFILEATTR;
  if (given_time || given_access) {
    // Each date is written as given; the one not given keeps the file's own.
    qmDate modify, access;
    auto read = [](const char* text, qmDate* d) { return date_parse(text, d) && qmos_date_to_time(d) != -1; };
    if (given_time && !read(time_text, &modify)) return ERR_INVALIDDATE;
    if (given_access && !read(access_text, &access)) return ERR_INVALIDDATE;
    if (!qmos_set_file_dates(name, given_time ? &modify : nullptr, given_access ? &access : nullptr)) {
      return ERR_SETFILEDATE;
    }
  }
  return 0;
}

int32_t cmd_gettempfilename(qmState* L) {
  arg_check_count(L, 0, 0);
  std::string name;
  if (int32_t err = temp_copy_new(nullptr, &name)) return err;
  vm_push_string(L, name.c_str());
  return 1;
}

int32_t cmd_getenv(qmState* L) {
  arg_check_count(L, 1, 1);
  char* value = qmos_getenv(vm_arg_check_string(L, 1, nullptr));
  vm_push_string(L, value ? value : "");
  vm_push_number(L, value ? 1 : 0);
  qmos_free(value);
  return 2;
}

int32_t cmd_setenv(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  const char* value = vm_arg_check_string(L, 2, nullptr);
  return qmos_setenv(name, value);
}

int32_t cmd_unsetenv(qmState* L) {
  arg_check_count(L, 1, 1);
  qmos_unsetenv(vm_arg_check_string(L, 1, nullptr));
  return 0;
}

}  // namespace dos
