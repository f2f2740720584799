// For the network fuzz targets: a connection whose peer has sent the given bytes and closed its
// side (a socket pair with a send buffer large enough for the whole input), and one script state
// for all runs.
#pragma once

#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "engine/vm.h"
#include "net/network.h"
#include "runtime/errors.h"

inline qmState* fuzz_net_state() {
  static qmState* L = [] {
    qmState* s = vm_open();
    qm::err_install(s);
    return s;
  }();
  return L;
}

struct FuzzPeer {
  qm::qmConnection c;
  int peer = -1;

  // False when the bytes could not be put in place (the run is skipped).
  bool open(const uint8_t* data, size_t size) {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return false;
    int bytes = 4 << 20;
    setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
    peer = fds[1];
    c.socket = qm::net_socket_wrap(fds[0]);
    c.socket->timeout = qm::SockTimeout{0.0, 0.0, 0.0};
    if (write(fds[1], data, size) != ssize_t(size)) return false;
    shutdown(fds[1], SHUT_WR);
    return true;
  }
  ~FuzzPeer() {
    if (c.socket) qm::net_socket_free(c.socket);
    if (peer >= 0) close(peer);
  }
};
