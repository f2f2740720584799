// The long-running dos commands: DeleteFile and CopyFile over files and whole trees with their
// progress callbacks, Execute and Run, and ApplyPatch.
//
// Walks work on full names and never change the current directory, so a callback that fails or
// aborts cannot leave the program in another directory.
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/applet.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"
#include "stdlib/checksum.h"
#include "stdlib/dos_internal.h"
#include "stdlib/dos_names.h"

using namespace qm;

namespace dos {

namespace {

constexpr size_t kPiece = 16384;
constexpr int32_t kDeleteStatus = 0, kDeleteUnprotect = 1;
constexpr int32_t kCopyStatus = 0, kCopyOverwrite = 1, kCopyUnprotect = 2;

// What a walk needs from the command's arguments.
struct Walk {
  qmState* L = nullptr;
  int32_t callback = 0;  // stack index, 0 for none
  int32_t userdata = 0;  // stack index, 0 for none
  std::string pattern;
  bool matchdirs = true;

  // Calls the callback with {action, fields..., userdata}; 0 with the answer or an error.
  template <typename Fields>
  int32_t ask(int32_t action, Fields fields, double* answer) {
    vm_new_table(L);
    table_set_number(L, "action", action);
    fields();
    if (userdata) {
      vm_push_string(L, "userdata");
      vm_push_value(L, userdata);
      vm_raw_set(L, -3);
    }
    return call_progress(L, callback, answer);
  }

  bool matches(const std::string& name) const {
    return pattern.empty() || match_pattern_list(pattern.c_str(), name.c_str());
  }
};

struct Entry {
  std::string name;
  bool is_dir;
  bool is_link;  // a symbolic link: never followed, so a walk stays inside its tree
  bool dangling = false;  // a link to nothing
};

bool is_link(const std::string& name) {
  std::error_code ec;
  return std::filesystem::is_symlink(qmos_native_name(name.c_str(), true), ec);
}

// The entries of a directory, read before anything in it changes.
int32_t list_dir(const std::string& dir, std::vector<Entry>* out) {
  qmVLock* lock = vfile_lock(dir.c_str(), QMOS_LOCK_READ);
  if (!lock) {
    err_set_string_arg(dir.c_str());
    return ERR_LOCK2;
  }
  int32_t is_dir = 0;
  int32_t err = vfile_lock_is_dir(lock, &is_dir);
  if (!err) {
    std::string name;
    qmFileInfo info;
    while (dir_next_entry(lock, &name, &is_dir, &info)) {
      out->push_back({name, is_dir != 0, is_link(path_join(dir, name))});
    }
    // The listing shows what can be examined; a link to nothing is an entry all the same.
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(qmos_native_name(dir.c_str(), true), ec)) {
      std::error_code ignored;
      if (e.is_symlink(ignored) && !std::filesystem::exists(e.path(), ignored)) {
        out->push_back({qmos_player_name(e.path().filename().string()), false, true, true});
      }
    }
  }
  vfile_unlock(lock);
  return err;
}

bool examine(const std::string& name, qmFileInfo* info) {
  qmVLock* lock = vfile_lock(name.c_str(), QMOS_LOCK_READ);
  if (!lock) return false;
  bool ok = vfile_examine(lock, info) != 0;
  vfile_unlock(lock);
  return ok;
}

std::string full_name(const std::string& name) {
  qmVLock* lock = vfile_lock(name.c_str(), QMOS_LOCK_READ);
  char buf[4096];
  std::string out = lock && vfile_lock_name(lock, buf, sizeof buf) ? buf : name;
  vfile_unlock(lock);
  return out;
}

// ---- DeleteFile ----

int32_t delete_one(Walk& w, const std::string& name) {
  // A link goes itself, never what it names, and it goes even when it names nothing: its own
  // protection is no guard for the file behind it.
  bool link = is_link(name);
  qmFileInfo info;
  if (!link && !examine(name, &info)) return 0;
  double answer = 0;
  if (!link && !(info.protection & QMOS_PROT_WRITE)) {
    if (!w.callback) return 0;
    auto fields = [&] { table_set_string(w.L, "file", name.c_str()); };
    if (int32_t err = w.ask(kDeleteUnprotect, fields, &answer)) return err;
    if (answer == -1) return ERR_USERABORT;
    if (answer == 0) return 0;
    qmos_set_protection(name.c_str(), QMOS_PROT_DEFAULT);
  }
  if (w.callback) {
    auto fields = [&] { table_set_string(w.L, "file", name.c_str()); };
    if (int32_t err = w.ask(kDeleteStatus, fields, &answer)) return err;
    if (answer == 1) return ERR_USERABORT;
  }
  return qmos_delete(name.c_str()) ? 0 : ERR_DELETEFILE;
}

int32_t delete_tree(Walk& w, const std::string& dir, bool keep) {
  std::vector<Entry> entries;
  if (int32_t err = list_dir(dir, &entries)) return err;
  for (const Entry& e : entries) {
    std::string path = path_join(dir, e.name);
    int32_t err = 0;
    if (!e.is_dir || e.is_link) {
      if (w.matches(e.name)) err = delete_one(w, path);
    } else if (w.pattern.empty() || !w.matchdirs || w.matches(e.name)) {
      err = delete_tree(w, path, false);
    }
    if (err) return err;
  }
  return keep ? 0 : delete_one(w, dir);
}

int32_t delete_file(Walk& w, std::string name) {
  if (name.empty() || vfile_is_virtual(name.c_str())) return ERR_WRONGUSAGE;
  bool keep = !w.pattern.empty();
  if (name.size() > 1 && (name.back() == '/' || name.back() == '\\')) {
    name.pop_back();
    keep = true;
  }
  if (is_link(name)) {
    if (!w.pattern.empty()) return ERR_NODIRPATTERN;
    return delete_one(w, name);
  }
  qmVLock* lock = vfile_lock(name.c_str(), QMOS_LOCK_READ);
  if (!lock) return 0;
  qmFileInfo info;
  bool ok = vfile_examine(lock, &info) != 0;
  char buf[4096];
  std::string full = vfile_lock_name(lock, buf, sizeof buf) ? buf : name;
  vfile_unlock(lock);
  if (!ok) return ERR_WRONGUSAGE;
  if (!info.is_dir) {
    if (!w.pattern.empty()) return ERR_NODIRPATTERN;
    return delete_one(w, full);
  }
  return delete_tree(w, full, keep);
}

// ---- CopyFile ----

// The source's date and protection onto the target.
void copy_stamp(const std::string& target, const qmFileInfo& info) {
  qmDate date;
  qmos_time_to_date(info.modify_time, &date);
  qmos_set_file_date(target.c_str(), &date);
  qmos_set_protection(target.c_str(), info.protection);
}

int32_t copy_bytes(Walk& w, const std::string& source, const std::string& target, const qmFileInfo& info) {
  std::unique_ptr<uint8_t[]> buf(new (std::nothrow) uint8_t[kPiece]);
  if (!buf) return ERR_MEM;
  qmFileHandle* in = qmos_open(source.c_str(), QMOS_MODE_READ);
  if (!in) {
    err_set_string_arg(source.c_str());
    return ERR_READFILE;
  }
  qmFileHandle* out = qmos_open(target.c_str(), QMOS_MODE_WRITE);
  if (!out) {
    qmos_close(in);
    err_set_string_arg(target.c_str());
    return ERR_WRITEFILE;
  }
  int32_t err = 0;
  uint64_t copied = 0;
  for (;;) {
    int64_t got = io_read(in, buf.get(), int64_t(kPiece));
    if (got <= 0) break;
    if (io_write(out, buf.get(), got) != got) {
      err = ERR_WRITE;
      break;
    }
    copied += uint64_t(got);
    if (w.callback) {
      double answer = 0;
      auto fields = [&] {
        table_set_string(w.L, "source", source.c_str());
        table_set_string(w.L, "destination", target.c_str());
        table_set_double(w.L, "copied", double(copied));
        table_set_double(w.L, "filesize", double(info.size));
      };
      err = w.ask(kCopyStatus, fields, &answer);
      if (!err && answer == 1) err = ERR_USERABORT;
      if (err) break;
    }
  }
  qmos_close(in);
  if (!qmos_close(out) && !err) err = ERR_WRITE;
  if (err) qmos_delete(target.c_str());
  else copy_stamp(target, info);
  return err;
}

int32_t copy_one(Walk& w, const std::string& source, const std::string& destdir, const std::string& newname) {
  std::string part = newname.empty() ? std::string(vfile_basename(source.c_str())) : newname;
  std::string target = path_join(destdir, part);
  qmFileInfo info;
  if (!examine(source, &info)) {
    err_set_string_arg(source.c_str());
    return ERR_LOCK2;
  }
  // Copying a file onto itself would empty it before a byte is read.
  if (qmos_same_file(source.c_str(), target.c_str())) return ERR_WRONGUSAGE;
  qmFileInfo existing;
  if (examine(target, &existing)) {
    double answer = 0;
    if (w.callback) {
      auto fields = [&] {
        table_set_string(w.L, "source", source.c_str());
        table_set_string(w.L, "destination", target.c_str());
      };
      if (int32_t err = w.ask(kCopyOverwrite, fields, &answer)) return err;
      if (answer == -1) return ERR_USERABORT;
      if (answer == 0) return 0;
    }
    if (!(existing.protection & QMOS_PROT_WRITE)) {
      if (!w.callback) return 0;
      auto fields = [&] { table_set_string(w.L, "destination", target.c_str()); };
      if (int32_t err = w.ask(kCopyUnprotect, fields, &answer)) return err;
      if (answer == -1) return ERR_USERABORT;
      if (answer == 0) return 0;
      qmos_set_protection(target.c_str(), QMOS_PROT_DEFAULT);
    }
  }
  return copy_bytes(w, source, target, info);
}

int32_t copy_tree(Walk& w, const std::string& source, const std::string& target) {
  if (int32_t err = make_path(target.c_str())) return err;
  std::vector<Entry> entries;
  if (int32_t err = list_dir(source, &entries)) return err;
  for (const Entry& e : entries) {
    std::string path = path_join(source, e.name);
    int32_t err = 0;
    if (e.is_link && (e.is_dir || e.dangling)) {
      continue;  // a link to a folder could lead back into the tree being copied
    } else if (!e.is_dir) {
      if (w.matches(e.name)) err = copy_one(w, path, target, "");
    } else if (w.pattern.empty() || !w.matchdirs || w.matches(e.name)) {
      err = copy_tree(w, path, path_join(target, e.name));
    }
    if (err) return err;
  }
  qmFileInfo info;
  if (examine(source, &info)) copy_stamp(target, info);
  return 0;
}

// True when dir is inside root or is root itself (both full names).
bool inside(const std::string& dir, const std::string& root) {
  if (dir.compare(0, root.size(), root) != 0) return false;
  return dir.size() == root.size() || dir[root.size()] == '/' || root.back() == '/';
}

int32_t copy_file(Walk& w, std::string source, std::string destdir, const std::string& newname) {
  if (source.empty() || destdir.empty()) return ERR_WRONGUSAGE;
  if (!w.pattern.empty() && source.size() > 1 && (source.back() == '/' || source.back() == '\\')) source.pop_back();
  qmVLock* dest = vfile_lock(destdir.c_str(), QMOS_LOCK_READ);
  vfile_unlock(dest);
  if (!dest) {
    if (int32_t err = make_path(destdir.c_str())) return err;
  }
  qmFileInfo info;
  if (!examine(source, &info)) {
    err_set_string_arg(source.c_str());
    return ERR_LOCK2;
  }
  if (info.is_dir && !newname.empty()) return ERR_WRONGUSAGE;
  if (!info.is_dir && !w.pattern.empty()) return ERR_NODIRPATTERN;
  destdir = full_name(destdir);
  if (!info.is_dir) return copy_one(w, vfile_is_virtual(source.c_str()) ? source : full_name(source), destdir, newname);
  std::string root = full_name(source);
  // A tree copied into itself would grow with every level it copies.
  if (inside(destdir, root)) return ERR_WRONGUSAGE;
  return copy_tree(w, root, destdir);
}

// ---- Execute and Run ----

int32_t run_program(qmState* L, const char* command, bool async) {
  std::string text(command);
  if (text.empty()) return ERR_WRONGUSAGE;
  std::string program, args;
  size_t rest = 0;
  if (text[0] == '"') {
    size_t close = text.find('"', 1);
    if (close == std::string::npos) return ERR_WRONGUSAGE;
    program = text.substr(1, close - 1);
    rest = close + 1;
  } else {
    size_t blank = text.find(' ');
    program = text.substr(0, blank);
    rest = blank == std::string::npos ? text.size() : blank;
  }
  while (rest < text.size() && text[rest] == ' ') rest++;
  args = text.substr(rest);
  program = linked_file_lookup(L, program.c_str(), 0, nullptr);
  if (vfile_is_virtual(program.c_str())) {
    std::string copy;
    if (const std::string* made = temp_copy_find(program.c_str())) {
      copy = *made;
    } else {
      if (int32_t err = temp_copy_new(program.c_str(), &copy)) return err;
      int32_t err = file_copy(program.c_str(), copy.c_str());
      if (err == ERR_WRITE) err = ERR_WRITEFILE;
      if (err) return err;
      qmos_set_protection(copy.c_str(), QMOS_PROT_READ | QMOS_PROT_WRITE | QMOS_PROT_EXECUTE);
    }
    program = copy;
  }
  int32_t err =
      qmos_run_program(program.c_str(), args.empty() ? nullptr : args.c_str(), async ? 1 : 0);
  // Keys and buttons released while the other program had the focus never reach us.
  if (qmDisplay* d = display_current()) display_reset_input_state(d);
  return err;
}

}  // namespace

int32_t cmd_deletefile(qmState* L) {
  arg_check_count(L, 1, 5);
  Walk w;
  w.L = L;
  std::string name = arg_get_file_name(L, 1, ERR_WRONGUSAGE);
  if (vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL) {
    vm_arg_check_function(L, 2);
    w.callback = 2;
  }
  if (vm_get_top(L) >= 3) w.userdata = 3;
  if (vm_get_top(L) >= 4 && vm_type(L, 4) != QM_TNIL) w.pattern = vm_arg_check_string(L, 4, nullptr);
  if (vm_get_top(L) >= 5) w.matchdirs = vm_arg_check_number(L, 5) != 0;
  int32_t err = delete_file(w, name);
  return err == ERR_USERABORT ? 0 : err;
}

int32_t cmd_copyfile(qmState* L) {
  arg_check_count(L, 2, 7);
  Walk w;
  w.L = L;
  std::string source = arg_get_file_name(L, 1, ERR_READFILE);
  std::string destdir = arg_get_file_name(L, 2, ERR_WRITEFILE);
  std::string newname;
  if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL) newname = arg_get_file_name(L, 3, ERR_WRITEFILE);
  if (vm_get_top(L) >= 4 && vm_type(L, 4) != QM_TNIL) {
    vm_arg_check_function(L, 4);
    w.callback = 4;
  }
  if (vm_get_top(L) >= 5) w.userdata = 5;
  if (vm_get_top(L) >= 6 && vm_type(L, 6) != QM_TNIL) w.pattern = vm_arg_check_string(L, 6, nullptr);
  if (vm_get_top(L) >= 7) w.matchdirs = vm_arg_check_number(L, 7) != 0;
  int32_t err = copy_file(w, source, destdir, newname);
  return err == ERR_USERABORT ? 0 : err;
}

int32_t cmd_execute(qmState* L) {
  arg_check_count(L, 1, 1);
  return run_program(L, arg_get_file_name(L, 1, ERR_WRONGUSAGE), false);
}

int32_t cmd_run(qmState* L) {
  arg_check_count(L, 1, 1);
  return run_program(L, arg_get_file_name(L, 1, ERR_WRONGUSAGE), true);
}

// Each target byte is the source byte XOR the patch byte, or the source byte's complement once
// the patch is used up. The positions and sizes the library counts follow the bytes moved.
int32_t cmd_applypatch(qmState* L) {
  arg_check_count(L, 3, 4);
  FileObject* source = file_arg(L, 1);
  FileObject* patch = file_arg(L, 2);
  FileObject* target = file_arg(L, 3);
  int32_t callback = 0;
  if (vm_get_top(L) >= 4 && vm_type(L, 4) != QM_TNIL) {
    vm_arg_check_function(L, 4);
    callback = 4;
  }
  uint64_t count = file_bytes_left(source);
  if (count == 0) return 0;
  double step = 100.0 / double(count), done = 0;
  int64_t shown = 0;
  for (uint64_t i = 0; i < count; i++) {
    uint8_t s = 0;
    if (int32_t err = file_read(source, &s, 1)) return err;
    uint8_t out = uint8_t(~s);
    if (patch->position < patch->size) {
      uint8_t p = 0;
      if (int32_t err = file_read(patch, &p, 1)) return err;
      out = uint8_t(s ^ p);
    }
    if (int32_t err = file_write(target, &out, 1)) return err;
    done += step;
    if (callback && to_i64(done) != shown) {
      shown = to_i64(done);
      vm_new_table(L);
      table_set_double(L, "progress", done);
      double answer = 0;
      int32_t err = call_progress(L, callback, &answer);
      if (err == ERR_USERABORT) return 0;
      if (err) return err;
    }
  }
  return 0;
}

}  // namespace dos
