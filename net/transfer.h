// HTTP and FTP transfers: DownloadFile and UploadFile over the network library's connections
// and engines. The readers of server replies are public for the fuzz targets and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/vm.h"
#include "runtime/os/page_filler.h"

struct qmFileHandle;

namespace qm {

struct qmConnection;

// Header and reply lines are read through a buffer of this size (NUL included); longer lines are
// read to their end and cut.
inline constexpr size_t TRANSFER_LINE_SIZE = 1024;
// A download into memory reserves no more than this for a length the server claims.
inline constexpr int64_t TRANSFER_RESERVE_LIMIT = int64_t(64) << 20;

// Percent-encodes a URL: bytes 0x21 to 0x7A stay unless they are one of " < > % \ ^ [ ] ` + $ ,
// every other byte becomes "%xx" (lower-case hexadecimal digits).
std::string url_encode(const std::string& url);
// Turns every "%xx" back into its byte; a percent sign without two hexadecimal digits stays.
std::string url_decode(const std::string& text);

// The parts of a URL (already encoded) for a transfer.
struct UrlParts {
  bool ftp = false;
  std::string host;      // connect host
  int32_t port = 0;
  std::string authority; // the Host header's value: host, with the port when the URL gives one
  std::string path;      // from the first "/" on
  std::string user, password;  // FTP: as written in the URL (still encoded); empty when absent
  bool has_login = false;
  int32_t type = 0;      // FTP ";type=" letter as FTPASCII or FTPBINARY, 0 when absent
};
// Scheme, host, login, port and path of an encoded URL. 0, ERR_UNKPROTOCOL or ERR_BADURL.
int32_t url_parse(const std::string& url, UrlParts* out);

// The header fields a transfer needs.
struct HttpHeaders {
  int64_t length = -1;  // Content-Length; -1 when absent, negative or garbled
  bool chunked = false;
  std::string location;
};

// The status line: 0 with *status, or ERR_HTTPERROR (number argument 1001, 1002 or 1003; 1003 also
// for a status that is not three digits), or the receive engine's code.
int32_t http_read_status(qmState* L, qmConnection* c, int32_t* status);
// Lines up to the empty one. 0, ERR_HTTPTE, ERR_BADURL (a cut Location) or the receive engine's.
int32_t http_read_headers(qmState* L, qmConnection* c, HttpHeaders* out);
// A chunk-size line: 0 with *size, ERR_HTTPERROR with 3000, or the receive engine's code.
int32_t http_read_chunk_size(qmState* L, qmConnection* c, int64_t* size);
// One FTP reply: the code of its last line, and its text when asked. Inner lines of a
// multi-line reply are dropped; a last line with another code is ERR_FTPERROR with 1.
int32_t ftp_read_reply(qmState* L, qmConnection* c, int32_t* code, std::string* text);

// A body received into memory, straight into the storage of the string it becomes. The storage
// grows geometrically, but never past the length the server announced; it is freed on every way
// out that does not push it. The fresh pages of a large storage are made present on a thread of
// their own while the data arrives (the filler); it is stopped before the storage grows (which
// may move it), is pushed or is freed.
struct MemoryBody {
  qmState* L;
  qmStringStorage storage;
  int64_t expected = -1;  // the whole body's announced length, -1 when unknown
  size_t present = 0;     // bytes of the storage whose pages were made present or handed to the filler
  qmPageFiller filler;
  explicit MemoryBody(qmState* L) : L(L) {}
  MemoryBody(const MemoryBody&) = delete;
  MemoryBody& operator=(const MemoryBody&) = delete;
  ~MemoryBody() { release(); }
  // Room for extra more bytes; false when memory runs out.
  bool reserve_more(size_t extra);
  // Makes the pages for the next n bytes present ahead of the receive, a step at a time, unless
  // the filler has them.
  void prefault(size_t n);
  // n more bytes were written into the storage.
  void wrote(size_t n) {
    storage.size += n;
    filler.advance(storage.size);
  }
  // Before the storage becomes the string.
  void finish() { filler.stop(); }
  void release() {
    filler.stop();
    vm_storage_free(L, &storage);
    present = 0;
  }
};

// Where a body goes: a file, or memory.
struct TransferSink {
  explicit TransferSink(qmState* L) : memory(L) {}
  qmFileHandle* file = nullptr;
  MemoryBody memory;
  int64_t bytes = 0;  // taken so far
};
// Receives count bytes (until the peer closes when count is negative) into the sink. 0 or a code;
// the bytes taken are in the sink either way. A close ends a read until the close with 0.
int32_t transfer_receive(qmState* L, qmConnection* c, int64_t count, TransferSink* sink);

int32_t cmd_downloadfile(qmState* L);
int32_t cmd_uploadfile(qmState* L);

}  // namespace qm
