// Loopback helpers for the network tests: listeners on kernel-chosen ports, blocking clients and
// a count of the process's open descriptors.
#pragma once

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace nettest {

inline sockaddr_in loopback(uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

inline uint16_t local_port(int fd) {
  sockaddr_in a{};
  socklen_t len = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  return ntohs(a.sin_port);
}

// A blocking TCP listener on 127.0.0.1 and a port of the kernel's choice.
inline int listener(int backlog, uint16_t* port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = loopback(0);
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(fd, backlog);
  *port = local_port(fd);
  return fd;
}

// A blocking client connected to port; -1 when refused.
inline int client(uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = loopback(port);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// A port where nothing listens (it was bound a moment ago and given back).
inline uint16_t closed_port() {
  uint16_t port = 0;
  close(listener(1, &port));
  return port;
}

inline int open_descriptors() {
  int n = 0;
  DIR* d = opendir("/proc/self/fd");
  while (dirent* e = readdir(d))
    if (e->d_name[0] != '.') ++n;
  closedir(d);
  return n;
}

}  // namespace nettest
