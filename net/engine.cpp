// The engines of the network library: connecting, the receive loop over a connection's buffer,
// the send loop, the transfers' progress calls, the wait between polls and the on-line test.
#include <netinet/in.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/events.h"
#include "net/network.h"
#include "platform/window.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

#ifndef QM_ONLINE_HOST_DEFAULT
#define QM_ONLINE_HOST_DEFAULT "example.com:80"
#endif

namespace qm {

namespace {

// The program must stop: a quit was asked for.
bool stopping() { return platform_quit_requested(); }

// Pumps the platform's events: true when the program must stop.
bool pump(qmState* L) {
  int32_t code = 0;
  return event_pump_platform(L, nullptr, &code) != 0 || stopping();
}

constexpr int64_t kDirectPiece = int64_t(1) << 20;

bool idle_too_long(int64_t idle_us) {
  const int64_t limit = net_timeout_ms();
  return limit != 0 && idle_us / 1000 > limit;
}

// Where received bytes go.
struct Sink {
  std::string* text = nullptr;
  char* buffer = nullptr;
  size_t size = 0;
  size_t used = 0;
  qmFileHandle* file = nullptr;
  bool line = false;
  // A line longer than the caller's buffer keeps what fits and drops the rest to its end.
  bool cut_lines = false;
  bool cut = false;

  // 0, ERR_MEM when the caller's buffer is full, or ERR_WRITE.
  int32_t put(const uint8_t* p, size_t n) {
    if (n == 0) return 0;
    if (file) {
      if (qmos_write(file, p, int64_t(n)) != int64_t(n)) return ERR_WRITE;
      used += n;
      return 0;
    }
    if (buffer) {
      // A line keeps one byte for its terminating NUL.
      const size_t room = size <= used + (line ? 1 : 0) ? 0 : size - used - (line ? 1 : 0);
      if (n > room && cut_lines && line) {
        cut = true;
        n = room;
      } else if (n > room) {
        return ERR_MEM;
      }
      std::memcpy(buffer + used, p, n);
      used += n;
      return 0;
    }
    text->append(reinterpret_cast<const char*>(p), n);
    used += n;
    return 0;
  }
};

// Takes what mode wants out of the buffer's unread bytes into the sink. *taken gets the bytes
// consumed, *stored those the sink got (a line's ends are consumed, not stored), *done whether
// the receive is complete.
int32_t consume(qmRecvBuffer& b, int32_t mode, int64_t count, int64_t received, Sink& sink, size_t* taken,
                size_t* stored, bool* done) {
  const size_t before = sink.used;
  const uint8_t* p = b.data + b.first;
  const size_t available = b.last - b.first;
  size_t n = available;
  int32_t err = 0;
  *done = false;
  if (mode == RECEIVEBYTES) {
    n = size_t(std::min<int64_t>(int64_t(available), count - received));
    err = sink.put(p, n);
    *done = received + int64_t(n) >= count;
  } else if (mode == RECEIVELINE) {
    const auto* lf = static_cast<const uint8_t*>(std::memchr(p, '\n', available));
    n = lf ? size_t(lf - p) + 1 : available;
    const size_t body = lf ? n - 1 : n;
    // Carriage returns are dropped wherever they stand in the line.
    size_t start = 0;
    for (size_t i = 0; i < body && !err; ++i)
      if (p[i] == '\r') {
        err = sink.put(p + start, i - start);
        start = i + 1;
      }
    if (!err) err = sink.put(p + start, body - start);
    *done = lf != nullptr;
  } else {
    err = sink.put(p, n);
  }
  if (err) return err;
  b.first += uint32_t(n);
  b.received += uint32_t(n);
  if (b.first >= b.last) b.first = b.last = 0;
  *taken = n;
  *stored = sink.used - before;
  return 0;
}

}  // namespace

void net_wait_frame(qmState* L, int32_t fd, int32_t mode, int64_t* due_us) {
  Clock& clock = platform_clock();
  // A frame rate past a thousand a second would leave frames too short to wait for the socket
  // in, and the engines would spin while the peer is silent.
  const int64_t period = std::max<int64_t>(1000, 1000000 / std::max(platform_frame_rate(), 1));
  int64_t now = clock.now_us();
  if (*due_us == 0 || *due_us > now + period) *due_us = now + period;
  if (now < *due_us) {
    sock_poll(fd, mode, int32_t((*due_us - now + 999) / 1000));
    now = clock.now_us();
  }
  if (now >= *due_us) {
    // The present must not wait for the frame's time as a drawing loop's does: that wait would
    // not watch the socket, the peer would fill the receive window and stall, and a download
    // would crawl at a window's worth of bytes a frame. The poll above is the pacing.
    display_present_frame(L);
    *due_us += period;
    if (*due_us <= now) *due_us = now + period;
  }
}

int32_t net_connect(qmState* L, const ObjectId& id, const char* host, int32_t port, qmConnection** out) {
  *out = nullptr;
  qmSocket* s = nullptr;
  if (int32_t err = net_socket_new(&s)) return err;
  s->timeout.start = sock_now();
  int32_t status = 0;
  const char* text = nullptr;
  int32_t pump_code = 0;
  sockaddr_in a{};
  bool host_error = false;
  if (host[0] == '*' && host[1] == 0) {
    // No address to connect to (any-address would reach this host).
    status = EADDRNOTAVAIL;
    text = sock_error_text(status);
  } else if ((status = net_resolve(host, port, &a, &host_error))) {
    text = sock_host_error_text(status);
  } else {
    status = sock_connect_ms(L, s->fd, reinterpret_cast<sockaddr*>(&a), sizeof a, net_timeout_ms(), &pump_code);
    if (status) text = sock_error_text(status);
  }
  if (status == 0) return net_connection_add(L, id, s, out);
  net_socket_free(s);
  if (pump_code) return pump_code;
  if (stopping()) return ERR_USERABORT;
  err_set_string_arg(text);
  return ERR_SOCKET;
}

namespace {

int32_t receive(qmState* L, qmConnection* c, int32_t mode, int64_t count, bool wait, Sink& sink, int64_t* received) {
  qmSocket* s = c->socket;
  qmRecvBuffer& b = s->buffer;
  std::string& text = *sink.text;
  char* buffer = sink.buffer;
  const size_t size = sink.size;
  const bool script = !buffer && !sink.file;
  s->timeout.start = sock_now();
  Clock& clock = platform_clock();
  int64_t last_activity = clock.now_us();
  int64_t due = 0;
  int64_t got = 0;
  int32_t status = 0;
  int32_t code = 0;  // an error of our own (the sink's, the progress function's, a stop)
  bool done = false, stopped = false;
  for (;;) {
    if (pump(L)) {
      stopped = true;
      break;
    }
    if (b.first >= b.last && mode == RECEIVEBYTES && (buffer || sink.file) && count - got >= int64_t(NET_BUFFER_SIZE) &&
        (sink.file || size - sink.used >= NET_BUFFER_SIZE)) {
      // A large count into the caller's buffer or a file is received in pieces of up to
      // kDirectPiece (straight into the caller's buffer), instead of 8192 bytes at a time through
      // the connection's buffer.
      static std::vector<uint8_t> scratch = std::vector<uint8_t>(size_t(kDirectPiece));
      const int64_t room = sink.file ? kDirectPiece : int64_t(size - sink.used);
      const size_t want = size_t(std::min<int64_t>({count - got, room, kDirectPiece}));
      uint8_t* target = sink.file ? scratch.data() : reinterpret_cast<uint8_t*>(buffer) + sink.used;
      size_t n = 0;
      status = b.io->receive(s->fd, target, want, &n, s->timeout);
      if (n > 0) {
        last_activity = clock.now_us();
        if (sink.file) {
          if ((code = sink.put(target, n))) break;
        } else {
          sink.used += n;
        }
        got += int64_t(n);
        b.received += uint32_t(n);
        if (c->progress) {
          c->progress_count += int64_t(n);
          if ((code = net_progress_callback(L, c, 0))) break;
        }
        if ((done = got >= count)) break;
        if (status == 0) continue;
      }
    } else if (b.first >= b.last) {
      size_t n = 0;
      status = b.io->receive(s->fd, b.data, NET_BUFFER_SIZE, &n, s->timeout);
      b.first = 0;
      b.last = uint32_t(n);
    }
    if (b.first < b.last) {
      last_activity = clock.now_us();
      size_t taken = 0, stored = 0;
      if ((code = consume(b, mode, count, got, sink, &taken, &stored, &done))) break;
      got += int64_t(stored);
      if (c->progress) {
        c->progress_count += int64_t(taken);
        if ((code = net_progress_callback(L, c, 0))) break;
      }
      if (done) break;
      if (status == 0) continue;
    }
    if (status != SOCK_TIMEOUT || !wait) break;
    if (idle_too_long(clock.now_us() - last_activity)) break;
    net_wait_frame(L, s->fd, SOCK_READABLE, &due);
  }
  // In mode all, data followed by the peer closing is a whole reply.
  bool closed_after_data = false;
  if (mode == RECEIVEALL && status == SOCK_CLOSED && got > 0) status = 0, closed_after_data = true;
  if (received) *received = got;
  if (stopped || (code == 0 && stopping())) code = ERR_USERABORT;
  if (buffer && mode == RECEIVELINE && size > 0) buffer[std::min(sink.used, size - 1)] = 0;
  if (!code && !done && mode != RECEIVEALL) {
    if (status == SOCK_TIMEOUT) code = ERR_RECVTIMEOUT;
    else if (status == SOCK_CLOSED) code = ERR_RECVCLOSED;
    else code = ERR_RECVUNKNOWN;
  }
  if (!code && mode == RECEIVEALL && status != 0 && status != SOCK_TIMEOUT)
    code = status == SOCK_CLOSED ? ERR_RECVCLOSED : ERR_RECVUNKNOWN;
  if (!script) return code;
  c->data_event = false;
  if (code) return code;
  vm_push_lstring(L, text.data(), text.size());
  vm_push_number(L, double(got));
  vm_push_number(L, mode == RECEIVEALL ? (closed_after_data ? 1 : 0) : 1);
  return 3;
}

}  // namespace

int32_t net_receive(qmState* L, qmConnection* c, int32_t mode, int64_t count, bool wait, char* buffer, size_t size,
                    qmFileHandle* file, int64_t* received) {
  std::string text;
  Sink sink;
  sink.text = &text, sink.buffer = buffer, sink.size = size, sink.file = file, sink.line = mode == RECEIVELINE;
  return receive(L, c, mode, count, wait, sink, received);
}

int32_t net_receive_line(qmState* L, qmConnection* c, char* buffer, size_t size, size_t* length, bool* cut) {
  std::string text;
  Sink sink;
  sink.text = &text, sink.buffer = buffer, sink.size = size, sink.line = true, sink.cut_lines = true;
  const int32_t code = receive(L, c, RECEIVELINE, 0, true, sink, nullptr);
  *length = std::min(sink.used, size - 1);
  *cut = sink.cut;
  return code;
}

int32_t net_send(qmState* L, qmConnection* c, const char* data, size_t length, size_t* sent) {
  *sent = 0;
  if (length < 1) return 0;
  qmSocket* s = c->socket;
  Clock& clock = platform_clock();
  int64_t last_activity = clock.now_us();
  int64_t due = 0;
  int32_t status = 0;
  size_t total = 0;
  while (total < length) {
    if (pump(L)) {
      status = ERR_USERABORT;
      break;
    }
    size_t n = 0;
    status = s->io.send(s->fd, data + total, std::min(length - total, NET_BUFFER_SIZE), &n, s->timeout);
    total += n;
    if (n > 0) {
      last_activity = clock.now_us();
      if (c->progress) {
        c->progress_count += int64_t(n);
        if (int32_t code = net_progress_callback(L, c, 0)) {
          status = code;
          break;
        }
      }
      if (status == SOCK_TIMEOUT) status = 0;
    }
    if (status == SOCK_TIMEOUT) {
      if (idle_too_long(clock.now_us() - last_activity)) break;
      net_wait_frame(L, s->fd, SOCK_WRITABLE, &due);
      status = 0;
      continue;
    }
    if (status) break;
  }
  *sent = total;
  s->buffer.sent += uint32_t(total);
  return status;
}

int32_t net_progress_callback(qmState* L, qmConnection* c, int32_t action) {
  vm_push_value(L, 3);
  vm_new_table(L);
  table_set_number(L, "action", action);
  table_set_double(L, "count", double(c->progress_count));
  table_set_double(L, "total", double(c->progress_total));
  if (c->progress_userdata) {
    vm_push_string(L, "userdata");
    vm_push_value(L, 4);
    vm_set_table(L, -3);
  }
  const TagItem raise[] = {{ATTR_PROTECTED_CALLS, 1}, {0, 0}};
  const TagItem lower[] = {{ATTR_PROTECTED_CALLS, 0}, {0, 0}};
  runtime_set_attrs(L, raise);
  const int32_t err = vm_pcall(L, 1, 1, 0);
  runtime_set_attrs(L, lower);
  if (err) return err;
  int32_t code = 0;
  const double result = vm_arg_get_number_or_code(L, -1, &code);
  vm_pop(L, 1);
  if (code) return code;
  if (result == 1 || stopping()) return ERR_USERABORT;
  return 0;
}

bool net_is_online(qmState* L) {
  if (net_sockets_start()) return false;
  std::string target = QM_ONLINE_HOST_DEFAULT;
  if (const char* env = std::getenv("QM_ONLINE_HOST"); env && *env) target = env;
  const size_t colon = target.rfind(':');
  int32_t port = 80;
  if (colon != std::string::npos) {
    port = std::atoi(target.c_str() + colon + 1);
    target.resize(colon);
  }
  if (port < 1 || port > 65535 || target.empty()) return false;
  qmConnection* c = nullptr;
  if (net_connect(L, automatic_id(), target.c_str(), port, &c)) return false;
  net_connection_close(L, c);
  return true;
}

}  // namespace qm
