// libFuzzer target over the FTP reply reader: whatever a server sends is read reply by reply
// (multi-line ones included) until the data ends in an error code; never a crash, a hang or a
// byte past a buffer.
#include <cstdint>
#include <string>

#include "net/transfer.h"
#include "tests/fuzz/net_peer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  qmState* L = fuzz_net_state();
  FuzzPeer peer;
  if (!peer.open(data, size)) return 0;
  qm::qmConnection& c = peer.c;
  for (int round = 0; round < 100000; ++round) {
    int32_t reply = 0;
    std::string text;
    if (qm::ftp_read_reply(L, &c, &reply, &text)) break;
  }
  vm_set_top(L, 0);
  return 0;
}
