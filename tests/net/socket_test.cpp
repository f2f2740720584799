// The socket layer on loopback: time-out arithmetic, polling and blocking receives, the connect
// limit, error texts, writes to a closed peer and descriptors above FD_SETSIZE.
#include "net/socket.h"

#include <gtest/gtest.h>
#include <netdb.h>
#include <sys/resource.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "net_harness.h"
#include "platform/platform.h"

using namespace qm;
using namespace nettest;

namespace {

TEST(SocketLayer, TimeoutRemaining) {
  FakeClock clock;
  clock.advance_ms(10000);
  platform_set_clock(&clock);
  struct Case {
    double block, total, elapsed, want;
  } cases[] = {
      {-1, -1, 5, -1},      // no limit at all
      {-1, 3, 1, 2},        // only a total: what is left of it
      {-1, 3, 5, 0},        // ... never below 0
      {2, -1, 0.5, 1.5},    // only a block
      {2, -1, 9, 0},
      {2, 3, 0.5, 2},       // both: the block, while the total leaves more
      {2, 3, 2.5, 0.5},     // both: what the total leaves, once it is less
      {2, 3, 4, 0},
      {0, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SockTimeout t{c.block, c.total, sock_now() - c.elapsed};
    EXPECT_DOUBLE_EQ(timeout_remaining(t), c.want) << c.block << " " << c.total << " " << c.elapsed;
  }
  platform_set_clock(nullptr);
}

TEST(SocketLayer, ErrorTexts) {
  struct Case {
    int32_t code;
    const char* text;
  } cases[] = {
      {-1, "timeout"}, {-2, "closed"}, {-3, "unknown error"}, {-40, "unknown error"},
      {EACCES, "permission denied"}, {EADDRINUSE, "address already in use"}, {ECONNABORTED, "closed"},
      {ECONNRESET, "closed"}, {EISCONN, "already connected"}, {ETIMEDOUT, "timeout"},
      {ECONNREFUSED, "connection refused"},
  };
  for (const Case& c : cases) EXPECT_STREQ(sock_error_text(c.code), c.text) << c.code;
  for (int32_t code : {ENOTSOCK, 99999}) {
    const std::string want = std::strerror(code);
    EXPECT_EQ(sock_error_text(code), want);
  }
  EXPECT_STREQ(sock_host_error_text(HOST_NOT_FOUND), "host not found");
  EXPECT_STREQ(sock_host_error_text(TRY_AGAIN), hstrerror(TRY_AGAIN));
  EXPECT_STREQ(sock_host_error_text(-1), "timeout");
}

// A connected pair: a's end made by the layer (non-blocking), b's plain.
struct Pair {
  int32_t a = -1;
  int b = -1;
  int server = -1;
  Pair() {
    uint16_t port = 0;
    server = listener(4, &port);
    b = client(port);
    a = accept(server, nullptr, nullptr);
    sock_set_nonblocking(a);
  }
  ~Pair() {
    sock_destroy(&a);
    if (b >= 0) close(b);
    close(server);
  }
};

TEST(SocketLayer, ReceiveWithoutBlockPollsAndWithoutLimitWaits) {
  Pair p;
  char buf[16];
  size_t got = 99;
  auto polls_ms = [&] {
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(sock_recv(p.a, buf, sizeof buf, &got, SockTimeout{0.0, -1, sock_now()}), SOCK_TIMEOUT);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(sock_peek(p.a, SockTimeout{0.0, -1, sock_now()}, false), SOCK_TIMEOUT);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  // Polls answer at once. A busy machine can hold this thread off its processor for longer than
  // that: polls that overran are timed once more, and the first figure is printed.
  double ms = polls_ms();
  if (ms >= 50) {
    std::printf("polls took %.1f ms (a busy machine?): timed again\n", ms);
    ms = polls_ms();
  }
  EXPECT_LT(ms, 50);

  std::thread sender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    send(p.b, "hello", 5, 0);
  });
  EXPECT_EQ(sock_recv(p.a, buf, sizeof buf, &got, SockTimeout{}), 0);
  sender.join();
  EXPECT_EQ(std::string(buf, got), "hello");

  // A block of 50 ms runs out.
  EXPECT_EQ(sock_recv(p.a, buf, sizeof buf, &got, SockTimeout{0.05, -1, sock_now()}), SOCK_TIMEOUT);
  // The peer closing is "closed", for peeks too.
  close(p.b);
  p.b = -1;
  EXPECT_EQ(sock_peek(p.a, SockTimeout{0.0, -1, sock_now()}, false), SOCK_CLOSED);
  EXPECT_EQ(sock_recv(p.a, buf, sizeof buf, &got, SockTimeout{0.0, -1, sock_now()}), SOCK_CLOSED);
}

TEST(SocketLayer, ConnectLimitZeroGivesUpAfterOneWait) {
  // A listener with a backlog of 0 holds one connection in its queue; further SYNs go unanswered,
  // so the third connect stays pending.
  uint16_t port = 0;
  const int server = listener(0, &port);
  const int first = client(port);
  ASSERT_GE(first, 0);
  int32_t s = -1;
  ASSERT_EQ(sock_create(&s, AF_INET, SOCK_STREAM, 0), 0);
  sock_set_nonblocking(s);
  sockaddr_in a = loopback(port);
  int32_t pump = 0;
  const int64_t before = sock_connect_wait_count();
  EXPECT_EQ(sock_connect_ms(nullptr, s, reinterpret_cast<sockaddr*>(&a), sizeof a, 0, &pump), SOCK_TIMEOUT);
  EXPECT_EQ(sock_connect_wait_count() - before, 1);
  EXPECT_EQ(pump, 0);
  sock_destroy(&s);
  EXPECT_EQ(s, -1);
  sock_destroy(&s);  // nothing for -1
  EXPECT_EQ(s, -1);
  close(first);
  close(server);
}

TEST(SocketLayer, RefusedConnect) {
  int32_t s = -1;
  ASSERT_EQ(sock_create(&s, AF_INET, SOCK_STREAM, 0), 0);
  sock_set_nonblocking(s);
  sockaddr_in a = loopback(closed_port());
  int32_t pump = 0;
  const int32_t r = sock_connect_ms(nullptr, s, reinterpret_cast<sockaddr*>(&a), sizeof a, 1000, &pump);
  EXPECT_STREQ(sock_error_text(r), "connection refused");
  sock_destroy(&s);
}

TEST(SocketLayer, SendToClosedPeerIsClosedWithoutSignal) {
  net_init_sockets();
  // Something (SDL, a plug-in) may restore the default action, which would end the process.
  std::signal(SIGPIPE, SIG_DFL);
  Pair p;
  close(p.b);
  p.b = -1;
  const char data[4096] = {};
  int32_t r = 0;
  for (int i = 0; i < 100 && r == 0; ++i) {
    size_t sent = 0;
    r = sock_send(p.a, data, sizeof data, &sent, SockTimeout{0.0, -1, sock_now()});
    if (r == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // The unread data makes the peer answer with a reset: that is a close as well.
  EXPECT_EQ(r, SOCK_CLOSED);
  std::signal(SIGPIPE, SIG_IGN);
}

TEST(SocketLayer, DescriptorsAboveSelectLimit) {
  rlimit lim{};
  getrlimit(RLIMIT_NOFILE, &lim);
  if (lim.rlim_max < 1300) GTEST_SKIP() << "descriptor limit " << lim.rlim_max;
  if (lim.rlim_cur < 1300) {
    lim.rlim_cur = 1300;
    setrlimit(RLIMIT_NOFILE, &lim);
  }
  uint16_t port = 0;
  const int server = listener(4, &port);
  int32_t s = -1;
  ASSERT_EQ(sock_create(&s, AF_INET, SOCK_STREAM, 0), 0);
  ASSERT_EQ(dup2(s, 1200), 1200);
  close(s);
  s = 1200;
  sock_set_nonblocking(s);
  sockaddr_in a = loopback(port);
  int32_t pump = 0;
  ASSERT_EQ(sock_connect_ms(nullptr, s, reinterpret_cast<sockaddr*>(&a), sizeof a, 1000, &pump), 0);
  const int peer = accept(server, nullptr, nullptr);
  std::thread sender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    send(peer, "xyz", 3, 0);
  });
  char buf[8];
  size_t got = 0;
  EXPECT_EQ(sock_recv(s, buf, sizeof buf, &got, SockTimeout{1.0, -1, sock_now()}), 0);
  sender.join();
  EXPECT_EQ(std::string(buf, got), "xyz");
  sock_destroy(&s);
  close(peer);
  close(server);
}

TEST(SocketLayer, LookupSeam) {
  HostEntry h;
  ASSERT_EQ(sock_gethostbyname("localhost", &h), 0);
  ASSERT_FALSE(h.addresses.empty());
  EXPECT_EQ(h.addresses[0].s_addr, htonl(INADDR_LOOPBACK));
  sock_set_lookup_hook([](const char* name, int32_t* code) {
    if (std::strcmp(name, "localhost") != 0) return false;
    *code = HOST_NOT_FOUND;
    return true;
  });
  EXPECT_EQ(sock_gethostbyname("localhost", &h), HOST_NOT_FOUND);
  sock_set_lookup_hook(nullptr);
  setenv("QM_LOOKUP_FAIL", "127.0.0.1", 1);
  in_addr lo{htonl(INADDR_LOOPBACK)};
  EXPECT_EQ(sock_gethostbyaddr(&lo, sizeof lo, &h), HOST_NOT_FOUND);
  unsetenv("QM_LOOKUP_FAIL");
  EXPECT_EQ(sock_gethostbyaddr(&lo, sizeof lo, &h), 0);
}

}  // namespace
