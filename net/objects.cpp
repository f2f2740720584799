// The network library's objects: socket records, the three lists, addresses, the event checks
// the poller calls and the clean-up.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <new>
#include <vector>

#include "display/picture.h"
#include "engine/errcodes.h"
#include "events/events.h"
#include "net/network.h"
#include "platform/platform.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectList g_connections, g_servers, g_udp;
int32_t g_timeout_ms = 10000;
bool g_started = false;

// Limits of a listed socket: every call only polls.
void listed(SockTimeout* t) {
  t->block = 0.0;
  t->total = 0.0;
}

// Unlinks h, moving the poller's resume point off it first.
void unlink(ObjectList& list, ObjectHeader* h) {
  poller_on_unlink(POLL_NETWORK, h, h->next);
  list.remove(h);
}

template <class T>
int32_t find(ObjectList& list, const ObjectId& id, int32_t code, T** out) {
  *out = nullptr;
  if (ObjectHeader* h = list.find(id)) {
    *out = reinterpret_cast<T*>(h);
    return 0;
  }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return code;
}

// Appends a new record of type T under id; an older one of the same explicit id is closed first.
template <class T, class Close>
int32_t add(qmState* L, ObjectList& list, int32_t type, const ObjectId& id, T** out, Close close) {
  *out = nullptr;
  const bool automatic = id == automatic_id();
  if (!automatic)
    if (ObjectHeader* old = list.find(id)) close(L, reinterpret_cast<T*>(old));
  auto* o = new (std::nothrow) T();
  if (!o) return ERR_MEM;
  o->header.type = type;
  o->header.id = automatic ? ObjectId{0, o} : id;
  if (!list.append(&o->header)) {
    delete o;
    return ERR_MEM;
  }
  *out = o;
  return 0;
}

void release_refs(qmState* L, ObjectHeader& h) {
  if (L) reflist_free(L, h.refs);
  h.refs = nullptr;
}

const SockTimeout kPoll{0.0, 0.0, 0.0};

}  // namespace

ObjectList& net_connections() { return g_connections; }
ObjectList& net_servers() { return g_servers; }
ObjectList& net_udp_objects() { return g_udp; }
int32_t& net_timeout_ms() { return g_timeout_ms; }

int32_t net_sockets_start() {
  if (!g_started) {
    if (!net_init_sockets()) return ERR_OPENSOCKET;
    g_started = true;
  }
  return 0;
}

qmSocket* net_socket_wrap(int32_t fd) {
  auto* s = new (std::nothrow) qmSocket();
  if (!s) return nullptr;
  s->fd = fd;
  sock_set_nonblocking(fd);
  s->io = qmIoBlock{s, sock_send, sock_recv, sock_io_error_text};
  s->buffer.io = &s->io;
  s->buffer.timeout = &s->timeout;
  s->buffer.start = sock_now();
  s->timeout = SockTimeout{-1.0, -1.0, sock_now()};
  return s;
}

int32_t net_socket_new(qmSocket** out) {
  *out = nullptr;
  int32_t fd = -1;
  if (int32_t e = sock_create(&fd, AF_INET, SOCK_STREAM, 0)) {
    err_set_string_arg(sock_error_text(e));
    return ERR_SOCKET;
  }
  qmSocket* s = net_socket_wrap(fd);
  if (!s) {
    sock_destroy(&fd);
    return ERR_MEM;
  }
  *out = s;
  return 0;
}

void net_socket_free(qmSocket* s) {
  if (!s) return;
  sock_destroy(&s->fd);
  delete s;
}

namespace {

// Lists a TCP object made around socket; the socket goes with the object, or is freed on failure.
template <class T, class Close>
int32_t add_tcp(qmState* L, ObjectList& list, int32_t type, const ObjectId& id, qmSocket* socket, T** out,
                Close close) {
  if (int32_t err = add(L, list, type, id, out, close)) {
    net_socket_free(socket);
    return err;
  }
  listed(&socket->timeout);
  (*out)->socket = socket;
  return 0;
}

}  // namespace

int32_t net_connection_add(qmState* L, const ObjectId& id, qmSocket* socket, qmConnection** out) {
  return add_tcp(L, g_connections, OBJ_CLIENT, id, socket, out, net_connection_close);
}

int32_t net_server_add(qmState* L, const ObjectId& id, qmSocket* socket, qmServer** out) {
  return add_tcp(L, g_servers, OBJ_SERVER, id, socket, out, net_server_close);
}

int32_t net_udp_add(qmState* L, const ObjectId& id, qmUDPSocket* socket, qmUDPObject** out) {
  int32_t err = add(L, g_udp, OBJ_UDPOBJECT, id, out, net_udp_close);
  if (err) {
    sock_destroy(&socket->fd);
    delete socket;
    return err;
  }
  listed(&socket->timeout);
  (*out)->socket = socket;
  return 0;
}

int32_t net_connection_find(const ObjectId& id, qmConnection** out) {
  return find(g_connections, id, ERR_FINDCLIENT, out);
}
int32_t net_server_find(const ObjectId& id, qmServer** out) { return find(g_servers, id, ERR_FINDSERVER, out); }
int32_t net_udp_find(const ObjectId& id, qmUDPObject** out) { return find(g_udp, id, ERR_FINDUDPOBJECT, out); }

void net_connection_close(qmState* L, qmConnection* c) {
  unlink(g_connections, &c->header);
  release_refs(L, c->header);
  net_socket_free(c->socket);
  delete c;
}

void net_server_close(qmState* L, qmServer* s) {
  unlink(g_servers, &s->header);
  release_refs(L, s->header);
  net_socket_free(s->socket);
  delete s;
}

void net_udp_close(qmState* L, qmUDPObject* u) {
  unlink(g_udp, &u->header);
  release_refs(L, u->header);
  if (u->socket) sock_destroy(&u->socket->fd);
  delete u->socket;
  delete u;
}

int32_t net_resolve(const char* host, int32_t port, sockaddr_in* out, bool* host_error) {
  *host_error = false;
  *out = sockaddr_in{};
  out->sin_family = AF_INET;
  out->sin_port = htons(uint16_t(port));
  if (host[0] == '*' && host[1] == 0) {
    out->sin_addr.s_addr = htonl(INADDR_ANY);
    return 0;
  }
  if (inet_aton(host, &out->sin_addr)) return 0;
  HostEntry h;
  int32_t code = sock_gethostbyname(host, &h);
  if (code == 0 && h.addresses.empty()) code = HOST_NOT_FOUND;
  if (code) {
    *host_error = true;
    return code;
  }
  out->sin_addr = h.addresses[0];
  return 0;
}

int32_t net_bind_address(int32_t fd, const char* host, int32_t port, bool* host_error) {
  sockaddr_in a{};
  if (int32_t code = net_resolve(host, port, &a, host_error)) return code;
  return sock_bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

// ---- event checks ------------------------------------------------------------------------------

bool net_check_disconnect(qmConnection* c) {
  if (c->closed_event) return false;
  if (sock_peek(c->socket->fd, kPoll, false) != SOCK_CLOSED) return false;
  c->closed_event = true;
  return true;
}

bool net_check_receive(qmConnection* c) {
  if (c->data_event || c->closed_event) return false;
  const qmRecvBuffer& b = c->socket->buffer;
  if (b.first < b.last || sock_peek(c->socket->fd, kPoll, false) == 0) {
    c->data_event = true;
    return true;
  }
  return false;
}

bool net_check_accept(qmServer* s, qmConnection** accepted) {
  *accepted = nullptr;
  int32_t fd = -1;
  if (sock_accept(s->socket->fd, &fd, nullptr, nullptr, kPoll) != 0) return false;
  qmSocket* socket = net_socket_wrap(fd);
  if (!socket) {
    sock_destroy(&fd);
    return false;
  }
  return net_connection_add(nullptr, automatic_id(), socket, accepted) == 0;
}

bool net_check_udp_receive(qmUDPObject* u) {
  if (u->data_event) return false;
  if (sock_peek(u->socket->fd, kPoll, true) != 0) return false;
  u->data_event = true;
  return true;
}

namespace {

template <class T, class Check>
void* walk(ObjectList& list, void* from, Check check) {
  for (ObjectHeader* h = from ? static_cast<ObjectHeader*>(from) : list.head; h; h = h->next)
    if (check(reinterpret_cast<T*>(h))) return h;
  return nullptr;
}

bool handled(int32_t slot) { return event_global_slot(slot).callback != -1; }

// The sockets whose next change the event checks above would report, for the event loop's wait.
// A socket in a state that they do not report (data the program was told of and has not taken, a
// closed or reset peer without an ondisconnect handler, another error) stays out: it would end
// every wait.
void wait_descriptors(std::vector<int32_t>* fds) {
  const bool receive = handled(GSLOT_ONRECEIVEDATA), disconnect = handled(GSLOT_ONDISCONNECT);
  if (receive || disconnect) {
    for (ObjectHeader* h = g_connections.head; h; h = h->next) {
      const auto* c = reinterpret_cast<qmConnection*>(h);
      if (c->closed_event || !c->socket || c->socket->fd < 0) continue;
      const qmRecvBuffer& b = c->socket->buffer;
      const int32_t state = b.first < b.last ? 0 : sock_peek(c->socket->fd, kPoll, false);
      const bool watch = state == SOCK_TIMEOUT ? true
                         : state == 0           ? receive && !c->data_event
                         : state == SOCK_CLOSED ? disconnect
                                                : false;
      if (watch) fds->push_back(c->socket->fd);
    }
  }
  if (handled(GSLOT_ONCONNECT)) {
    for (ObjectHeader* h = g_servers.head; h; h = h->next) {
      const auto* sv = reinterpret_cast<qmServer*>(h);
      if (!sv->socket || sv->socket->fd < 0) continue;
      // A connection that the check could not accept (no descriptor left) stays pending.
      pollfd p{sv->socket->fd, POLLIN, 0};
      if (poll(&p, 1, 0) == 0) fds->push_back(sv->socket->fd);
    }
  }
  if (handled(GSLOT_ONRECEIVEUDPDATA)) {
    for (ObjectHeader* h = g_udp.head; h; h = h->next) {
      const auto* u = reinterpret_cast<qmUDPObject*>(h);
      if (u->data_event || !u->socket || u->socket->fd < 0) continue;
      const int32_t state = sock_peek(u->socket->fd, kPoll, true);
      if (state == SOCK_TIMEOUT || state == 0) fds->push_back(u->socket->fd);
    }
  }
}

}  // namespace

void net_install_event_sources() {
  platform_set_wait_descriptors(wait_descriptors);
  EventSources& s = event_sources();
  s.udp_waiting = [](void* from, ObjectId* id) {
    void* found = walk<qmUDPObject>(g_udp, from, net_check_udp_receive);
    if (found) *id = static_cast<ObjectHeader*>(found)->id;
    return found;
  };
  s.server_accepting = [](void* from, ObjectId* server, ObjectId* client) {
    qmConnection* accepted = nullptr;
    void* found = walk<qmServer>(g_servers, from, [&](qmServer* sv) { return net_check_accept(sv, &accepted); });
    if (found) {
      *server = static_cast<ObjectHeader*>(found)->id;
      *client = accepted->header.id;
    }
    return found;
  };
  s.connection_data = [](void* from, ObjectId* id) {
    void* found = walk<qmConnection>(g_connections, from, net_check_receive);
    if (found) *id = static_cast<ObjectHeader*>(found)->id;
    return found;
  };
  s.connection_closed = [](void* from, ObjectId* id) {
    void* found = walk<qmConnection>(g_connections, from, net_check_disconnect);
    if (found) *id = static_cast<ObjectHeader*>(found)->id;
    return found;
  };
  s.next_of = [](void* object) -> void* { return static_cast<ObjectHeader*>(object)->next; };
}

void network_cleanup(qmState* L) {
  while (g_connections.head) net_connection_close(L, reinterpret_cast<qmConnection*>(g_connections.head));
  while (g_servers.head) net_server_close(L, reinterpret_cast<qmServer*>(g_servers.head));
  while (g_udp.head) net_udp_close(L, reinterpret_cast<qmUDPObject*>(g_udp.head));
  if (g_started) net_close_sockets();
  g_started = false;
  g_timeout_ms = 10000;
}

}  // namespace qm
