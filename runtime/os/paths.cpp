// File attributes and path names: protection bits, dates, absolute paths, the current directory.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "engine/strutil.h"
#include "runtime/os/qmos.h"

namespace {

// {host mode bit, protection bit}
struct ProtBit {
  uint32_t mode;
  uint32_t bit;
};
constexpr ProtBit kProtBits[] = {
    {S_IRUSR, QMOS_PROT_READ},          {S_IWUSR, QMOS_PROT_WRITE},
    {S_IXUSR, QMOS_PROT_EXECUTE},       {S_IRGRP, QMOS_PROT_GROUP_READ},
    {S_IWGRP, QMOS_PROT_GROUP_WRITE},   {S_IXGRP, QMOS_PROT_GROUP_EXECUTE},
    {S_IROTH, QMOS_PROT_OTHER_READ},    {S_IWOTH, QMOS_PROT_OTHER_WRITE},
    {S_IXOTH, QMOS_PROT_OTHER_EXECUTE},
};

std::string current_dir() {
  std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
  return cwd ? std::string(cwd.get()) : std::string();
}

bool put(char* out, size_t size, const std::string& text) {
  if (!out || text.size() >= size) return false;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

uint32_t qmos_protection_from_mode(uint32_t mode) {
  uint32_t bits = 0;
  for (const auto& p : kProtBits) {
    if (mode & p.mode) bits |= p.bit;
  }
  return bits;
}

uint32_t qmos_mode_from_protection(uint32_t bits) {
  if (bits & QMOS_PROT_DEFAULT) return 0644;
  uint32_t mode = 0;
  for (const auto& p : kProtBits) {
    if (bits & p.bit) mode |= p.mode;
  }
  return mode;
}

int32_t qmos_set_protection(const char* name, uint32_t bits) {
  if (!name) return 0;
  std::string host = qmos_native_name(name, true);
  return chmod(host.c_str(), mode_t(qmos_mode_from_protection(bits))) == 0 ? 1 : 0;
}

int32_t qmos_set_file_date(const char* name, const qmDate* date) {
  if (!date) return 0;
  return qmos_set_file_dates(name, date, date);
}

int32_t qmos_set_file_dates(const char* name, const qmDate* modify, const qmDate* access) {
  if (!name) return 0;
  auto stamp = [](const qmDate* d) {
    struct timespec t {};
    if (d) {
      t.tv_sec = time_t(qmos_date_to_time(d));
    } else {
      t.tv_nsec = UTIME_OMIT;
    }
    return t;
  };
  const struct timespec times[2] = {stamp(access), stamp(modify)};
  std::string host = qmos_native_name(name, true);
  return utimensat(AT_FDCWD, host.c_str(), times, 0) == 0 ? 1 : 0;
}

int32_t qmos_full_path(const char* name, char* out, size_t size) {
  if (!name) return 0;
  std::string host = qmos_native_name(name, true);
  // realpath with a null buffer allocates a result of whatever length the path has.
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(host.c_str(), nullptr), &std::free);
  std::string result;
  if (resolved) {
    result = qmos_player_name(resolved.get());
  } else {
    std::string player = qmos_player_name(host);  // "PROGDIR:" expanded, '\' read as '/'
    if (!player.empty() && player[0] == '/') {
      result = player;
    } else {
      result = qmos_player_name(current_dir());
      if (result.empty() || result.back() != '/') result += '/';
      result += player;
    }
  }
  return put(out, size, result) ? 1 : 0;
}

char* qmos_change_dir(const char* name) {
  if (!name) return nullptr;
  std::string previous = qmos_player_name(current_dir());
  if (chdir(qmos_native_name(name, true).c_str()) != 0) return nullptr;
  auto* copy = static_cast<char*>(qmos_alloc(previous.size() + 1, 0));
  if (copy) std::memcpy(copy, previous.c_str(), previous.size() + 1);
  return copy;
}

int32_t path_to_unix(char* out, size_t size, const char* path) {
  if (!out || !path) return 0;
  if (!qm::copy_bounded(out, size, path)) return 0;
  for (char* p = out; *p; ++p) {
    if (*p == '\\') *p = '/';
  }
  return 1;
}
