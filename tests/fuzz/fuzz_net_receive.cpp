// libFuzzer target over the receive engine: whatever a peer sends must be taken by lines, counts
// or all of it, into a script string or a caller's buffer of any size, and end in a result or an
// error code; never a crash, a hang or a byte past the buffer.
// Byte 0: the mode (mod 3) and, in bit 2, a caller buffer instead of a script string; byte 1:
// the count for RECEIVEBYTES and the caller buffer's size; the rest is what the peer sends before
// it closes its side.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "engine/vm.h"
#include "net/network.h"
#include "runtime/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 65536) return 0;
  static qmState* L = [] {
    qmState* s = vm_open();
    qm::err_install(s);
    return s;
  }();
  const int32_t mode = data[0] % 3;
  const bool caller_buffer = (data[0] & 4) != 0;
  const int64_t count = data[1] + 1;
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return 0;
  int bytes = 1 << 20;
  setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
  if (write(fds[1], data + 2, size - 2) != ssize_t(size - 2)) {
    close(fds[0]);
    close(fds[1]);
    return 0;
  }
  shutdown(fds[1], SHUT_WR);
  qm::qmConnection c;
  c.socket = qm::net_socket_wrap(fds[0]);
  c.socket->timeout = qm::SockTimeout{0.0, 0.0, 0.0};
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
  qm::net_socket_free(c.socket);
  close(fds[1]);
  return 0;
}
