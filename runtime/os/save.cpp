// Saving a file whole: a temporary file beside the target, renamed over it once complete.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

namespace {

// The file a name reaches through symbolic links, so that the rename replaces that file and the
// links keep pointing at it. A dangling link names the file it would create.
std::string link_target(const std::string& host) {
  std::string path = host;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string to(PATH_MAX, '\0');
    ssize_t n = readlink(path.c_str(), to.data(), to.size());
    if (n <= 0 || size_t(n) >= to.size()) return path;
    to.resize(size_t(n));
    if (to[0] != '/') {
      const size_t slash = path.rfind('/');
      to = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + to;
    }
    path = to;
  }
  return path;
}

// Creates "<folder>/.<6 letters>-<name>" with O_EXCL, so no file that exists is ever taken over;
// the permission bits are those of a new file (0666 less the umask).
int create_temp(const std::string& target, std::string* temp) {
  static std::atomic<uint32_t> counter{0};
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  // Room for the prefix within the host's 255-byte name limit; the name keeps its extension for
  // writers that look at it.
  std::string base = target.substr(folder.size());
  if (base.size() > 240) base.erase(0, base.size() - 240);
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    qmTimeVal now;
    qmos_get_time(&now);
    uint32_t seed = now.micros * 2654435761u ^ uint32_t(getpid()) * 40503u ^ counter.fetch_add(1) * 97u;
    std::string suffix;
    for (int i = 0; i < 6; ++i, seed /= 36) suffix += kLetters[seed % 36];
    *temp = folder + "." + suffix + "-" + base;
    int fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

qmFileHandle* qmos_save_open(const char* name) {
  if (!name || vfile_is_virtual(name)) return nullptr;
  const std::string target = link_target(qmos_native_name(name, false));
  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    FILE* fp = qmos_open_stream(target, QMOS_MODE_WRITE);
    if (!fp) return nullptr;
    auto* h = new qmFileHandle;
    h->fp = fp;
    return h;
  }
  // The rename would replace a file that the user may not write; opening it would fail.
  if (exists && access(target.c_str(), W_OK) != 0) return nullptr;
  std::string temp;
  int fd = create_temp(target, &temp);
  if (fd < 0) return nullptr;
  FILE* fp = nullptr;
  if (!exists || fchmod(fd, st.st_mode & 07777) == 0) fp = fdopen(fd, "wb");
  if (!fp) {
    close(fd);
    unlink(temp.c_str());
    return nullptr;
  }
  auto* h = new qmFileHandle;
  h->fp = fp;
  h->save_temp = temp;
  h->save_target = target;
  return h;
}

int32_t qmos_save_commit(qmFileHandle* h) {
  if (!h) return 0;
  if (h->save_temp.empty()) return qmos_close(h);
  // No sync to the disk: the aim is a failed write (a full disk, a size limit), not a power cut,
  // and a sync costs a large file's whole write time.
  bool ok = h->fp && std::fflush(h->fp) == 0 && !std::ferror(h->fp);
  if (h->fp && std::fclose(h->fp) != 0) ok = false;
  h->fp = nullptr;
  ok = ok && std::rename(h->save_temp.c_str(), h->save_target.c_str()) == 0;
  if (!ok) unlink(h->save_temp.c_str());
  delete h;
  return ok ? 1 : 0;
}

std::string qmos_save_temp_name(const qmFileHandle* h) {
  return h && !h->save_temp.empty() ? qmos_player_name(h->save_temp) : std::string();
}
