// File handles over stdio with 64-bit positions, and windows on a byte range of a host file or
// on a registered memory block.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/os/memwindow.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

namespace {

const char* stdio_mode(int32_t mode) {
  switch (mode) {
    case QMOS_MODE_READ:
      return "rb";
    case QMOS_MODE_WRITE:
      return "wb";
    case QMOS_MODE_READWRITE:
      return "r+b";
    default:
      return nullptr;
  }
}

int open_flags(int32_t mode) {
  switch (mode) {
    case QMOS_MODE_WRITE:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case QMOS_MODE_READWRITE:
      return O_RDWR | O_CREAT;
    default:
      return O_RDONLY;
  }
}

int64_t stream_size(FILE* fp);

qmFileHandle* open_window(const char* name) {
  qmVirtualName v;
  if (!vfile_parse_name(name, &v)) return nullptr;
  if (v.length > uint64_t(INT64_MAX)) return nullptr;
  auto* h = new qmFileHandle;
  h->window = 1;
  h->length = int64_t(v.length);
  if (v.memory) {
    h->block = qmos_find_memory(v.address, v.length);
    if (!h->block) {
      delete h;
      return nullptr;
    }
    h->mem = h->block->base;
    return h;
  }
  if (v.offset > uint64_t(INT64_MAX) - v.length) {
    delete h;
    return nullptr;
  }
  h->start = int64_t(v.offset);
  h->fp = qmos_open_stream(qmos_native_name(v.host.c_str(), true), QMOS_MODE_READ);
  if (!h->fp || fseeko(h->fp, h->start, SEEK_SET) != 0) {
    if (h->fp) std::fclose(h->fp);
    delete h;
    return nullptr;
  }
  // The window holds what the host file holds: a declared length beyond its end is no data.
  int64_t size = stream_size(h->fp);
  h->length = std::clamp<int64_t>(size - h->start, 0, h->length);
  return h;
}

// Window length of a plain file: its size at open for reading, unbounded for writing.
int64_t stream_size(FILE* fp) {
  struct stat st;
  if (fstat(fileno(fp), &st) != 0) return 0;
  return int64_t(st.st_size);
}

// stdio needs a positioning call between a read and a write on the same stream.
void turn_around(qmFileHandle* h, bool writing) {
  if (!h->fp || (h->last_write != 0) == writing) return;
  fseeko(h->fp, h->start + h->pos, SEEK_SET);
  h->last_write = writing ? 1 : 0;
}

// Bytes a read may take at the current position: cut to the window, never negative.
int64_t readable(const qmFileHandle* h, int64_t n) {
  if (n <= 0) return 0;
  if (!h->window) return n;
  if (h->pos >= h->length) return 0;
  return std::min(n, h->length - h->pos);
}

}  // namespace

FILE* qmos_open_stream(const std::string& host, int32_t mode) {
  const char* how = stdio_mode(mode);
  if (!how) return nullptr;
  // Without O_NONBLOCK, opening a pipe waits for its other end, possibly for ever. Whether the
  // file may be used is decided on what was opened, so that no other file can take its place.
  int fd = open(host.c_str(), open_flags(mode) | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  // A file that is read must end: pipes, sockets and devices are no files to read. A device or a
  // pipe with a reader takes writes.
  struct stat st;
  bool usable = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode) &&
                (mode == QMOS_MODE_WRITE || S_ISREG(st.st_mode));
  if (usable) usable = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
  FILE* fp = usable ? fdopen(fd, how) : nullptr;
  if (!fp) close(fd);
  return fp;
}

qmFileHandle* qmos_open(const char* name, int32_t mode) {
  if (!name) return nullptr;
  if (vfile_is_virtual(name)) {
    if (mode != QMOS_MODE_READ) return nullptr;
    return open_window(name);
  }
  if (!stdio_mode(mode)) return nullptr;
  FILE* fp = qmos_open_stream(qmos_native_name(name, mode != QMOS_MODE_WRITE), mode);
  if (!fp) return nullptr;
  auto* h = new qmFileHandle;
  h->fp = fp;
  h->length = mode == QMOS_MODE_READ ? stream_size(fp) : -1;
  return h;
}

int32_t qmos_close(qmFileHandle* h) {
  if (!h) return 0;
  int32_t ok = 1;
  if (h->fp && std::fclose(h->fp) != 0) ok = 0;
  // A save that was not committed: the file it would have replaced stays as it is.
  if (!h->save_temp.empty()) unlink(h->save_temp.c_str());
  delete h;
  return ok;
}

int64_t qmos_seek(qmFileHandle* h, int64_t offset, int32_t mode) {
  if (!h) return -1;
  int64_t before = h->pos;
  int64_t target;
  if (mode == QMOS_SEEK_END && h->length < 0) {
    // Unbounded (a file open for writing): the stream knows where its end is.
    if (h->fp && fseeko(h->fp, offset, SEEK_END) == 0) {
      h->pos = ftello(h->fp) - h->start;
    }
    h->last_write = 0;
    return before;
  }
  // Offsets come from scripts: saturate instead of overflowing.
  int64_t base;
  switch (mode) {
    case QMOS_SEEK_CURRENT:
      base = h->start + h->pos;
      break;
    case QMOS_SEEK_BEGINNING:
      base = h->start;
      break;
    case QMOS_SEEK_END:
      base = h->start + h->length;
      break;
    default:
      base = 0;
      break;
  }
  if (__builtin_add_overflow(base, offset, &target)) target = offset < 0 ? INT64_MIN : INT64_MAX;
  int64_t low = h->window ? h->start : 0;
  if (target < low) target = low;
  if (h->window && target > h->start + h->length) target = h->start + h->length;
  if (h->fp) fseeko(h->fp, target, SEEK_SET);
  h->pos = target - h->start;
  h->last_write = 0;
  return before;
}

namespace {
qmReadObserver read_observer = nullptr;
}

qmReadObserver qmos_set_read_observer(qmReadObserver observer) {
  qmReadObserver previous = read_observer;
  read_observer = observer;
  return previous;
}

int64_t qmos_read(qmFileHandle* h, void* buffer, int64_t n) {
  if (!h || !buffer) return 0;
  if (read_observer) read_observer(h, n);
  n = readable(h, n);
  if (n == 0) return 0;
  int64_t got = 0;
  if (h->mem) {
    if (!h->block || !h->block->alive) return 0;
    std::memcpy(buffer, h->mem + h->pos, size_t(n));
    got = n;
  } else if (h->fp) {
    turn_around(h, false);
    got = int64_t(std::fread(buffer, 1, size_t(n), h->fp));
  }
  h->pos += got;
  return got;
}

int64_t qmos_read_block(qmFileHandle* h, void* buffer, int64_t n) {
  return qmos_read(h, buffer, n);
}

int64_t qmos_write(qmFileHandle* h, const void* buffer, int64_t n) {
  if (!h || !buffer || n <= 0 || h->window || !h->fp) return 0;
  turn_around(h, true);
  int64_t put = int64_t(std::fwrite(buffer, 1, size_t(n), h->fp));
  h->pos += put;
  // A buffered write that failed earlier leaves the stream's error set: no later write counts.
  if (std::ferror(h->fp)) return put < n ? put : 0;
  return put;
}

int64_t qmos_write_block(qmFileHandle* h, const void* buffer, int64_t n) {
  return qmos_write(h, buffer, n);
}

int32_t qmos_read_byte(qmFileHandle* h) {
  if (!h) return -1;
  uint8_t byte;
  if (qmos_read(h, &byte, 1) == 1) return byte;
  ++h->pos;
  return -1;
}

int32_t qmos_write_byte(qmFileHandle* h, int32_t byte) {
  uint8_t b = uint8_t(byte);
  return qmos_write(h, &b, 1) == 1 ? 1 : 0;
}

int32_t qmos_eof(qmFileHandle* h) {
  if (!h) return 1;
  int64_t end = h->length;
  if (end < 0) {
    if (h->fp) std::fflush(h->fp);
    end = h->fp ? stream_size(h->fp) : 0;
  }
  return h->pos >= end ? 1 : 0;
}

int32_t qmos_flush(qmFileHandle* h) {
  if (!h || !h->fp) return 1;
  return std::fflush(h->fp) == 0 && !std::ferror(h->fp) ? 1 : 0;
}

int32_t qmos_delete(const char* name) {
  if (!name) return 0;
  return std::remove(qmos_native_name(name, true).c_str()) == 0 ? 1 : 0;
}

int32_t qmos_rename(const char* from, const char* to) {
  if (!from || !to) return 0;
  std::string a = qmos_native_name(from, true), b = qmos_native_name(to, false);
  return std::rename(a.c_str(), b.c_str()) == 0 ? 1 : 0;
}

int32_t qmos_mkdir(const char* name) {
  if (!name) return 0;
  return mkdir(qmos_native_name(name, false).c_str(), 0755) == 0 ? 1 : 0;
}
