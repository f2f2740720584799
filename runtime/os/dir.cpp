// Locks on directories and files, their information records and directory listings.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

struct qmLock {
  std::string name;  // absolute, player text
  std::string host;  // absolute, host form
  DIR* dir = nullptr;
  int fd = -1;
};

namespace {

void fill_info(const struct stat& st, qmFileInfo* info) {
  info->is_dir = S_ISDIR(st.st_mode) ? 1 : 0;
  info->size = int64_t(st.st_size);
  info->protection = qmos_protection_from_mode(uint32_t(st.st_mode));
  info->access_time = int64_t(st.st_atime);
  info->modify_time = int64_t(st.st_mtime);
  info->change_time = int64_t(st.st_ctime);
}

}  // namespace

qmLock* qmos_lock(const char* name, int32_t write) {
  if (write == QMOS_LOCK_WRITE) {
    std::printf("QMOS_LOCK_WRITE unsupported.\n");
    return nullptr;
  }
  std::string host = qmos_native_name(name && *name ? name : ".", true);
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(host.c_str(), nullptr), &std::free);
  if (!resolved) return nullptr;
  struct stat st;
  if (stat(resolved.get(), &st) != 0) return nullptr;
  auto lock = std::make_unique<qmLock>();
  lock->host = resolved.get();
  lock->name = qmos_player_name(lock->host);
  if (S_ISDIR(st.st_mode)) {
    lock->dir = opendir(lock->host.c_str());
    if (!lock->dir) return nullptr;
  } else if (S_ISREG(st.st_mode)) {
    lock->fd = open(lock->host.c_str(), O_RDONLY | O_CLOEXEC);
    if (lock->fd < 0) return nullptr;
  } else {
    return nullptr;
  }
  return lock.release();
}

void qmos_unlock(qmLock* lock) {
  if (!lock) return;
  if (lock->dir) closedir(lock->dir);
  if (lock->fd >= 0) close(lock->fd);
  delete lock;
}

const std::string& qmos_lock_name(const qmLock* lock) {
  return lock->name;
}

int32_t qmos_examine(qmLock* lock, qmFileInfo* info) {
  if (!lock || !info) return 0;
  struct stat st;
  int rc = lock->dir ? fstat(dirfd(lock->dir), &st) : fstat(lock->fd, &st);
  if (rc != 0) return 0;
  fill_info(st, info);
  return 1;
}

int32_t qmos_next_entry(qmLock* lock, std::string* name, int32_t* is_dir, qmFileInfo* info) {
  if (!lock || !lock->dir) return 0;
  while (struct dirent* e = readdir(lock->dir)) {
    std::string entry = e->d_name;
    if (entry == "." || entry == "..") continue;
    struct stat st;
    if (fstatat(dirfd(lock->dir), e->d_name, &st, 0) != 0) continue;
    qmFileInfo local;
    fill_info(st, &local);
    if (name) *name = qmos_player_name(entry);
    if (is_dir) *is_dir = local.is_dir;
    if (info) *info = local;
    return 1;
  }
  return 0;
}

int32_t qmos_lock_is_dir(qmLock* lock, int32_t* is_dir) {
  if (!lock) return qm::ERR_NOTADIR;
  if (is_dir) *is_dir = lock->dir ? 1 : 0;
  if (lock->dir) return 0;
  qm::err_set_string_arg(lock->name.c_str());
  return qm::ERR_NOTADIR;
}

const char* qmos_volume_name(qmLock*) {
  return "unimplemented";
}

void qmos_volume_info(qmLock*, uint64_t* free_bytes, uint64_t* used_bytes) {
  if (free_bytes) *free_bytes = 0;
  if (used_bytes) *used_bytes = 0;
}

void qmos_nop() {}
