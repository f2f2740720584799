// libFuzzer target over the HTTP reply readers: whatever a server sends is read as a status line,
// header blocks (after any 100 replies) and a body by length or by chunks into memory, and ends
// in a result or an error code; never a crash, a hang or a byte past a buffer.
#include <cstdint>

#include "net/transfer.h"
#include "tests/fuzz/net_peer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  qmState* L = fuzz_net_state();
  FuzzPeer peer;
  if (!peer.open(data, size)) return 0;
  qm::qmConnection& c = peer.c;
  int32_t status = 0;
  qm::HttpHeaders headers;
  int32_t code = qm::http_read_status(L, &c, &status);
  while (code == 0 && status == 100) {
    code = qm::http_read_headers(L, &c, &headers);
    if (code == 0) code = qm::http_read_status(L, &c, &status);
  }
  if (code == 0) code = qm::http_read_headers(L, &c, &headers);
  qm::TransferSink sink(L);
  if (code == 0 && !headers.chunked && headers.length > 0) {
    qm::transfer_receive(L, &c, headers.length, &sink);
  } else if (code == 0 && headers.chunked) {
    for (;;) {
      int64_t chunk = 0;
      if (qm::http_read_chunk_size(L, &c, &chunk) || chunk == 0) break;
      if (qm::transfer_receive(L, &c, chunk, &sink)) break;
      int64_t ignored = 0;
      char end[4];
      if (qm::net_receive(L, &c, qm::RECEIVELINE, 0, true, end, sizeof end, nullptr, &ignored)) break;
    }
  }
  vm_set_top(L, 0);
  return 0;
}
