// libFuzzer target over the receive engine: whatever a peer sends must be taken by lines, counts
// or all of it, into a script string or a caller's buffer of any size, and end in a result or an
// error code; never a crash, a hang or a byte past the buffer.
// Byte 0: the mode (mod 3) and, in bit 2, a caller buffer instead of a script string; byte 1:
// the count for RECEIVEBYTES and the caller buffer's size; the rest is what the peer sends before
// it closes its side.
#include <cstdint>
#include <vector>

#include "tests/fuzz/net_peer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 65536) return 0;
  qmState* L = fuzz_net_state();
  const int32_t mode = data[0] % 3;
  const bool caller_buffer = (data[0] & 4) != 0;
  const int64_t count = data[1] + 1;
  FuzzPeer peer;
  if (!peer.open(data + 2, size - 2)) return 0;
  qm::qmConnection& c = peer.c;
  std::vector<char> buffer(data[1]);
  // Receive until the engine reports the end of the data (or its error).
  for (int round = 0; round < 70000; ++round) {
    vm_set_top(L, 0);
    int64_t got = 0;
    const int32_t r = caller_buffer
                          ? qm::net_receive(L, &c, mode, count, true, buffer.data(), buffer.size(), nullptr, &got)
                          : qm::net_receive(L, &c, mode, count, true, nullptr, 0, nullptr, &got);
    if (r != 3 && r != 0) break;
    if (r == 0 && got == 0) break;
    if (mode == qm::RECEIVEALL && r == 3) break;
  }
  vm_set_top(L, 0);
  return 0;
}
