// The socket layer over POSIX sockets: non-blocking descriptors, poll-based waits and the error
// texts that the network library puts into its messages.
#include "net/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "events/events.h"
#include "platform/platform.h"

namespace qm {

namespace {

LookupHook g_lookup_hook = nullptr;
int64_t g_connect_waits = 0;

// One poll of a descriptor. On the fake clock a wait that found nothing moves the clock on by
// what it waited, so that time-outs measured on it still run out.
int poll_one(int32_t s, short events, int timeout_ms, short* revents) {
  pollfd p{s, events, 0};
  const int n = poll(&p, 1, timeout_ms);
  if (n == 0 && timeout_ms > 0 && platform_clock().is_fake()) platform_clock().sleep_us(int64_t(timeout_ms) * 1000);
  *revents = p.revents;
  return n;
}

void set_blocking(int32_t s, bool nonblocking) {
  const int flags = fcntl(s, F_GETFL, 0);
  if (flags == -1) return;
  fcntl(s, F_SETFL, nonblocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

bool would_block(int e) { return e == EAGAIN || e == EWOULDBLOCK; }

// The retry loop shared by sending, receiving and peeking: call answers the system call's result.
template <class Call>
int32_t transfer(int32_t s, int32_t wait_mode, bool is_send, const SockTimeout& t, size_t* count, Call call) {
  if (count) *count = 0;
  if (s < 0) return SOCK_CLOSED;
  for (;;) {
    const ssize_t n = call();
    if (n > 0) {
      if (count) *count = size_t(n);
      return 0;
    }
    if (n == 0) return SOCK_CLOSED;
    const int e = errno;
    if (e == EINTR) continue;
    // A peer that resets the connection has gone as surely as one that closed it: the kernel
    // reports the reset once, to the first call after it, and every later call finds the
    // connection closed, so the reset answers closed as well. Bytes that arrived before it
    // were read by the calls before.
    if (e == ECONNRESET || e == ECONNABORTED) return SOCK_CLOSED;
    if (is_send && e == EPIPE) return SOCK_CLOSED;
    if (!would_block(e)) return e;
    if (int32_t w = sock_wait(s, wait_mode, t)) return w;
  }
}

int32_t copy_host(const hostent* h, HostEntry* out) {
  out->name = h->h_name ? h->h_name : "";
  out->aliases.clear();
  out->addresses.clear();
  for (char** a = h->h_aliases; a && *a; ++a) out->aliases.emplace_back(*a);
  if (h->h_addrtype == AF_INET && h->h_length == int(sizeof(in_addr)))
    for (char** a = h->h_addr_list; a && *a; ++a) {
      in_addr addr;
      std::memcpy(&addr, *a, sizeof addr);
      out->addresses.push_back(addr);
    }
  return 0;
}

int32_t lookup_failure(int herr, int e) {
  if (herr) return herr;
  if (e) return e;
  return SOCK_LOOKUP_FAILED;
}

bool lookup_refused(const char* name, int32_t* code) {
  if (g_lookup_hook && g_lookup_hook(name, code)) return true;
  const char* fail = std::getenv("QM_LOOKUP_FAIL");
  if (fail && *fail && std::strcmp(fail, name) == 0) {
    *code = HOST_NOT_FOUND;
    return true;
  }
  return false;
}

}  // namespace

double sock_now() { return double(platform_clock().now_us()) / 1e6; }

int32_t net_init_sockets() {
  std::signal(SIGPIPE, SIG_IGN);
  return 1;
}

int32_t net_close_sockets() { return 1; }

double timeout_remaining(const SockTimeout& t) {
  const double elapsed = sock_now() - t.start;
  if (t.block < 0 && t.total < 0) return -1;
  if (t.block < 0) return std::max(0.0, t.total - elapsed);
  if (t.total < 0) return std::max(0.0, t.block - elapsed);
  return std::min(t.block, std::max(0.0, t.total - elapsed));
}

int32_t sock_create(int32_t* s, int32_t domain, int32_t type, int32_t protocol) {
  const int fd = socket(domain, type | SOCK_CLOEXEC, protocol);
  *s = fd;
  return fd == -1 ? errno : 0;
}

void sock_set_nonblocking(int32_t s) {
  if (s >= 0) set_blocking(s, true);
}

void sock_destroy(int32_t* s) {
  if (*s == -1) return;
  set_blocking(*s, false);
  close(*s);
  *s = -1;
}

int32_t sock_bind(int32_t s, const sockaddr* address, socklen_t length) {
  set_blocking(s, false);
  const int r = bind(s, address, length);
  const int e = errno;
  set_blocking(s, true);
  return r == 0 ? 0 : e;
}

int32_t sock_listen(int32_t s, int32_t queue) {
  set_blocking(s, false);
  const int r = listen(s, queue);
  const int e = errno;
  set_blocking(s, true);
  return r == 0 ? 0 : e;
}

int32_t sock_poll(int32_t s, int32_t mode, int32_t ms) {
  short events = 0;
  if (mode & SOCK_READABLE) events |= POLLIN;
  if (mode & SOCK_WRITABLE) events |= POLLOUT;
  // The line hook's tick interrupts a poll every 10 ms: a retry waits only for what is left.
  Clock& clock = platform_clock();
  const int64_t deadline = clock.now_us() + int64_t(ms) * 1000;
  for (;;) {
    short revents = 0;
    const int n = poll_one(s, events, ms, &revents);
    if (n == -1 && errno == EINTR) {
      if (clock.is_fake()) {
        clock.sleep_us(int64_t(ms) * 1000);
        return SOCK_TIMEOUT;
      }
      const int64_t left = deadline - clock.now_us();
      if (left <= 0) return SOCK_TIMEOUT;
      ms = int32_t((left + 999) / 1000);
      continue;
    }
    if (n == -1) return errno;
    return n == 0 ? SOCK_TIMEOUT : 0;
  }
}

int32_t sock_wait(int32_t s, int32_t mode, const SockTimeout& t) {
  if (t.block == 0.0) return SOCK_TIMEOUT;
  short events = 0;
  if (mode & SOCK_READABLE) events |= POLLIN;
  if (mode & SOCK_WRITABLE) events |= POLLOUT;
  for (;;) {
    const double remaining = timeout_remaining(t);
    int ms = -1;
    if (remaining >= 0) ms = int(std::min(std::ceil(remaining * 1000.0), double(INT_MAX)));
    short revents = 0;
    const int n = poll_one(s, events, ms, &revents);
    if (n == -1) {
      if (errno == EINTR) continue;
      return errno;
    }
    return n == 0 ? SOCK_TIMEOUT : 0;
  }
}

int32_t sock_connect_ms(qmState* L, int32_t s, const sockaddr* address, socklen_t length, int32_t limit_ms,
                        int32_t* pump_code) {
  *pump_code = 0;
  if (s < 0) return SOCK_CLOSED;
  for (;;) {
    if (connect(s, address, length) == 0) return 0;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EINPROGRESS) return errno;
    break;
  }
  const int64_t start = platform_clock().now_us();
  const int64_t limit_s = limit_ms / 1000, limit_rest = limit_ms % 1000;
  for (;;) {
    int32_t code = 0;
    if (event_pump_platform(L, nullptr, &code) != 0 || platform_quit_requested()) {
      *pump_code = code ? code : ERR_USERABORT;
      return SOCK_TIMEOUT;
    }
    ++g_connect_waits;
    const int32_t ready = sock_poll(s, SOCK_READABLE | SOCK_WRITABLE, 10);
    if (ready > 0) return ready;
    if (ready == SOCK_TIMEOUT) {
      const int64_t elapsed_ms = (platform_clock().now_us() - start) / 1000;
      const int64_t es = elapsed_ms / 1000, ems = elapsed_ms % 1000;
      if (es > limit_s || (es == limit_s && ems > limit_rest)) return SOCK_TIMEOUT;
      continue;
    }
    // Writable and not readable: connected. Otherwise the pending error tells, which a zero-byte
    // receive reports as well on this host.
    int err = 0;
    socklen_t len = sizeof err;
    if (getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) == -1) return errno;
    return err;
  }
}

int32_t sock_accept(int32_t s, int32_t* client, sockaddr* address, socklen_t* length, const SockTimeout& t) {
  *client = -1;
  if (s < 0) return SOCK_CLOSED;
  sockaddr_in local{};
  socklen_t local_length = sizeof local;
  if (!address || !length) address = reinterpret_cast<sockaddr*>(&local), length = &local_length;
  for (;;) {
    const int fd = accept4(s, address, length, SOCK_CLOEXEC);
    if (fd >= 0) {
      *client = fd;
      return 0;
    }
    const int e = errno;
    if (e == EINTR) continue;
    if (!would_block(e) && e != ECONNABORTED) return e;
    if (int32_t w = sock_wait(s, SOCK_READABLE, t)) return w;
  }
}

int32_t sock_send(int32_t s, const void* data, size_t length, size_t* sent, const SockTimeout& t) {
  return transfer(s, SOCK_WRITABLE, true, t, sent, [&] { return send(s, data, length, MSG_NOSIGNAL); });
}

int32_t sock_sendto(int32_t s, const void* data, size_t length, size_t* sent, const sockaddr* address,
                    socklen_t address_length, const SockTimeout& t) {
  return transfer(s, SOCK_WRITABLE, true, t, sent,
                  [&] { return sendto(s, data, length, MSG_NOSIGNAL, address, address_length); });
}

int32_t sock_recv(int32_t s, void* buffer, size_t length, size_t* got, const SockTimeout& t) {
  return transfer(s, SOCK_READABLE, false, t, got, [&] { return recv(s, buffer, length, 0); });
}

int32_t sock_recvfrom(int32_t s, void* buffer, size_t length, size_t* got, sockaddr* address,
                      socklen_t* address_length, const SockTimeout& t) {
  const socklen_t room = address_length ? *address_length : 0;
  return transfer(s, SOCK_READABLE, false, t, got, [&] {
    if (address_length) *address_length = room;
    return recvfrom(s, buffer, length, 0, address, address_length);
  });
}

int32_t sock_peek(int32_t s, const SockTimeout& t, bool datagram) {
  char byte;
  return transfer(s, SOCK_READABLE, false, t, nullptr, [&]() -> ssize_t {
    const ssize_t n = datagram ? recvfrom(s, &byte, 1, MSG_PEEK, nullptr, nullptr) : recv(s, &byte, 1, MSG_PEEK);
    // An empty datagram is a datagram waiting, not a closed peer.
    return datagram && n == 0 ? 1 : n;
  });
}

int32_t sock_gethostbyname(const char* name, HostEntry* out) {
  int32_t code = 0;
  if (lookup_refused(name, &code)) return code;
  errno = 0;
  h_errno = 0;
  const hostent* h = gethostbyname(name);
  if (!h) return lookup_failure(h_errno, errno);
  return copy_host(h, out);
}

int32_t sock_gethostbyaddr(const void* address, socklen_t length, HostEntry* out) {
  char text[INET_ADDRSTRLEN] = "";
  if (length == sizeof(in_addr)) inet_ntop(AF_INET, address, text, sizeof text);
  int32_t code = 0;
  if (lookup_refused(text, &code)) return code;
  errno = 0;
  h_errno = 0;
  const hostent* h = gethostbyaddr(address, length, AF_INET);
  if (!h) return lookup_failure(h_errno, errno);
  return copy_host(h, out);
}

void sock_set_lookup_hook(LookupHook hook) { g_lookup_hook = hook; }

const char* io_error_text(int32_t code) {
  switch (code) {
    case 0: return "";
    case SOCK_TIMEOUT: return "timeout";
    case SOCK_CLOSED: return "closed";
    default: return "unknown error";
  }
}

const char* sock_error_text(int32_t code) {
  if (code <= 0) return io_error_text(code);
  switch (code) {
    case EACCES: return "permission denied";
    case EADDRINUSE: return "address already in use";
    case ECONNABORTED:
    case ECONNRESET: return "closed";
    case EISCONN: return "already connected";
    case ETIMEDOUT: return "timeout";
    case ECONNREFUSED: return "connection refused";
    default: return std::strerror(code);
  }
}

const char* sock_io_error_text(void*, int32_t code) { return sock_error_text(code); }

const char* sock_host_error_text(int32_t code) {
  if (code <= 0) return io_error_text(code);
  if (code == HOST_NOT_FOUND) return "host not found";
  return hstrerror(code);
}

int64_t sock_connect_wait_count() { return g_connect_waits; }

}  // namespace qm
