// The socket layer: every system call the network library makes, over IPv4 BSD sockets. Nothing
// here raises errors or knows the script stack; each operation answers a status:
//   0 success; -1 time-out (also "nothing now" under a block of 0.0); -2 closed (the peer closed
//   or reset the connection); -3 a look-up that failed without a reason; a positive value is an
//   errno or a resolver (h_errno) code.
//
// Descriptors stay non-blocking all the time but for bind, listen and close. Waits use poll, not
// select: a descriptor above FD_SETSIZE is as good as any. Every send passes MSG_NOSIGNAL, so a
// write to a peer that has gone is an EPIPE (closed) even when something restored SIGPIPE's
// default action after net_init_sockets ignored it.
//
// Times read the platform Clock in seconds. A timeout record's negative block or total means no
// limit; the network library keeps block 0.0 on listed objects, so that its calls only poll.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct qmState;

namespace qm {

struct SockTimeout {
  double block = -1.0;
  double total = -1.0;
  double start = 0.0;  // sock_now() when the operation began
};

inline constexpr int32_t SOCK_TIMEOUT = -1;
inline constexpr int32_t SOCK_CLOSED = -2;
inline constexpr int32_t SOCK_LOOKUP_FAILED = -3;

// Modes of sock_wait.
inline constexpr int32_t SOCK_READABLE = 1;
inline constexpr int32_t SOCK_WRITABLE = 2;

// The platform Clock in seconds.
double sock_now();

// Ignores SIGPIPE; 1. net_close_sockets has nothing to undo; 1.
int32_t net_init_sockets();
int32_t net_close_sockets();

// Seconds left to wait, or -1 for no limit.
double timeout_remaining(const SockTimeout& t);

int32_t sock_create(int32_t* s, int32_t domain, int32_t type, int32_t protocol);
void sock_set_nonblocking(int32_t s);
// Closes the descriptor and stores -1; nothing for -1.
void sock_destroy(int32_t* s);
int32_t sock_bind(int32_t s, const sockaddr* address, socklen_t length);
int32_t sock_listen(int32_t s, int32_t queue);
// One poll of up to ms milliseconds (0: none): 0 ready, -1 nothing, or errno. On the fake clock
// a poll that found nothing moves the clock on by what it waited.
int32_t sock_poll(int32_t s, int32_t mode, int32_t ms);
// 0 ready, -1 time-out, or errno. A block of exactly 0.0 answers -1 at once.
int32_t sock_wait(int32_t s, int32_t mode, const SockTimeout& t);
// Connects, pumping the platform's events between waits of 10 ms, and gives up once more than
// limit_ms have passed (0 gives up after the first wait). 0, -1 (time-out, or the pump asked the
// program to stop: *pump_code then holds its code, or ERR_USERABORT), -2, or errno.
int32_t sock_connect_ms(qmState* L, int32_t s, const sockaddr* address, socklen_t length, int32_t limit_ms,
                        int32_t* pump_code);
// address and length may be null.
int32_t sock_accept(int32_t s, int32_t* client, sockaddr* address, socklen_t* length, const SockTimeout& t);
int32_t sock_send(int32_t s, const void* data, size_t length, size_t* sent, const SockTimeout& t);
int32_t sock_sendto(int32_t s, const void* data, size_t length, size_t* sent, const sockaddr* address,
                    socklen_t address_length, const SockTimeout& t);
int32_t sock_recv(int32_t s, void* buffer, size_t length, size_t* got, const SockTimeout& t);
int32_t sock_recvfrom(int32_t s, void* buffer, size_t length, size_t* got, sockaddr* address,
                      socklen_t* address_length, const SockTimeout& t);
// 0 when a byte (or a datagram) is waiting; it stays in the socket.
int32_t sock_peek(int32_t s, const SockTimeout& t, bool datagram);

// A host entry copied out of the resolver's static storage. Addresses in network order.
struct HostEntry {
  std::string name;
  std::vector<std::string> aliases;
  std::vector<in_addr> addresses;
};
int32_t sock_gethostbyname(const char* name, HostEntry* out);
// An IPv4 address of length bytes.
int32_t sock_gethostbyaddr(const void* address, socklen_t length, HostEntry* out);

// Look-up failures without asking a resolver: a hook answering true fails the look-up of that name
// with *code. QM_LOOKUP_FAIL=name in the environment fails that one name with HOST_NOT_FOUND.
using LookupHook = bool (*)(const char* name, int32_t* code);
void sock_set_lookup_hook(LookupHook hook);

const char* io_error_text(int32_t code);
const char* sock_error_text(int32_t code);
const char* sock_io_error_text(void* context, int32_t code);
const char* sock_host_error_text(int32_t code);

// How many 10-ms waits sock_connect_ms has made since the process started (tests count them).
int64_t sock_connect_wait_count();

}  // namespace qm
