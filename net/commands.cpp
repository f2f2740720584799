// The network library's commands: argument reading and results; the work is in objects.cpp and
// engine.cpp.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "net/network.h"
#include "net/transfer.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

constexpr int32_t kTypeConnection = 99, kTypeServer = 115, kTypeUDP = 117;

int32_t fail_text(const char* text) {
  err_set_string_arg(text);
  return ERR_SOCKET;
}

// A port argument: 0..65535 (from 1 when zero is not allowed), else ERR_WRONGUSAGE.
int32_t port_arg(qmState* L, int32_t n, int32_t fallback, bool zero_allowed, int32_t* out) {
  double v = fallback;
  if (vm_get_top(L) >= n && vm_type(L, n) != QM_TNIL) v = vm_arg_check_number(L, n);
  const int64_t p = to_i64(v);
  if (p < (zero_allowed ? 0 : 1) || p > 65535) return ERR_WRONGUSAGE;
  *out = int32_t(p);
  return 0;
}

const char* opt_string(qmState* L, int32_t n, const char* fallback) {
  if (vm_get_top(L) >= n && vm_type(L, n) != QM_TNIL) return vm_arg_check_string(L, n, nullptr);
  return fallback;
}

void push_address(qmState* L, const in_addr& a) {
  char text[INET_ADDRSTRLEN] = "";
  inet_ntop(AF_INET, &a, text, sizeof text);
  vm_push_string(L, text);
}

int32_t cmd_openconnection(qmState* L) {
  arg_check_count(L, 3, 3);
  const NewId id = new_id_arg(L, 1);
  const char* host = vm_arg_check_string(L, 2, nullptr);
  int32_t port = 0;
  if (int32_t err = port_arg(L, 3, 0, false, &port)) return err;
  if (net_sockets_start()) return ERR_OPENSOCKET;
  qmConnection* c = nullptr;
  if (int32_t err = net_connect(L, id.id, host, port, &c)) return err;
  return push_new_id(L, id, c);
}

int32_t cmd_closeconnection(qmState* L) {
  arg_check_count(L, 1, 1);
  qmConnection* c = nullptr;
  if (int32_t err = net_connection_find(arg_get_id(L, 1), &c)) return err;
  net_connection_close(L, c);
  return 0;
}

int32_t cmd_createserver(qmState* L) {
  arg_check_count(L, 1, 4);
  const NewId id = new_id_arg(L, 1);
  int32_t port = 0;
  if (int32_t err = port_arg(L, 2, 0, true, &port)) return err;
  const char* host = opt_string(L, 3, "*");
  const int32_t queue = vm_get_top(L) >= 4 && vm_type(L, 4) != QM_TNIL ? to_i32_sat(vm_arg_check_number(L, 4)) : 32;
  if (net_sockets_start()) return ERR_OPENSOCKET;
  qmSocket* s = nullptr;
  if (int32_t err = net_socket_new(&s)) return err;
  const int on = 1;
  if (setsockopt(s->fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
    net_socket_free(s);
    return ERR_SOCKOPT;
  }
  bool host_error = false;
  if (int32_t code = net_bind_address(s->fd, host, port, &host_error)) {
    net_socket_free(s);
    return fail_text(host_error ? sock_host_error_text(code) : sock_error_text(code));
  }
  if (int32_t code = sock_listen(s->fd, queue)) {
    net_socket_free(s);
    return fail_text(sock_error_text(code));
  }
  qmServer* server = nullptr;
  if (int32_t err = net_server_add(L, id.id, s, &server)) return err;
  return push_new_id(L, id, server);
}

int32_t cmd_closeserver(qmState* L) {
  arg_check_count(L, 1, 1);
  qmServer* s = nullptr;
  if (int32_t err = net_server_find(arg_get_id(L, 1), &s)) return err;
  net_server_close(L, s);
  return 0;
}

int32_t cmd_senddata(qmState* L) {
  arg_check_count(L, 2, 2);
  qmConnection* c = nullptr;
  if (int32_t err = net_connection_find(arg_get_id(L, 1), &c)) return err;
  size_t length = 0;
  const char* data = vm_arg_check_string(L, 2, &length);
  size_t sent = 0;
  // Failures are not raised: the count tells.
  net_send(L, c, data, length, &sent);
  vm_push_number(L, double(sent));
  return 1;
}

int32_t cmd_receivedata(qmState* L) {
  arg_check_count(L, 2, 3);
  qmConnection* c = nullptr;
  if (int32_t err = net_connection_find(arg_get_id(L, 1), &c)) return err;
  const int64_t mode = to_i64(vm_arg_check_number(L, 2));
  const bool third = vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL;
  int64_t count = 0;
  bool wait = true;
  if (mode == RECEIVEBYTES) {
    count = third ? to_i64(vm_arg_check_number(L, 3)) : 0;
    if (count < 1) return ERR_WRONGUSAGE;
  } else if (mode == RECEIVEALL) {
    if (third) wait = flag_arg(L, 3);
  } else if (mode != RECEIVELINE) {
    return ERR_WRONGUSAGE;
  }
  return net_receive(L, c, int32_t(mode), count, wait, nullptr, 0, nullptr, nullptr);
}

int32_t peer_address(qmState* L, sockaddr_in* out) {
  qmConnection* c = nullptr;
  if (int32_t err = net_connection_find(arg_get_id(L, 1), &c)) return err;
  socklen_t len = sizeof *out;
  if (getpeername(c->socket->fd, reinterpret_cast<sockaddr*>(out), &len) != 0) return ERR_PEERNAME;
  return 0;
}

int32_t cmd_getconnectionip(qmState* L) {
  arg_check_count(L, 1, 1);
  sockaddr_in a{};
  if (int32_t err = peer_address(L, &a)) return err;
  push_address(L, a.sin_addr);
  return 1;
}

int32_t cmd_getconnectionport(qmState* L) {
  arg_check_count(L, 1, 1);
  sockaddr_in a{};
  if (int32_t err = peer_address(L, &a)) return err;
  vm_push_number(L, ntohs(a.sin_port));
  return 1;
}

int32_t cmd_gethostname(qmState* L) {
  arg_check_count(L, 0, 0);
  char name[256];
  if (gethostname(name, sizeof name) != 0) return ERR_HOSTNAME;
  name[sizeof name - 1] = 0;
  vm_push_string(L, name);
  return 1;
}

// ToIP and ToHostName: the look-up, the first result and the host table.
int32_t host_lookup(qmState* L, bool want_ip) {
  arg_check_count(L, 1, 1);
  const char* host = vm_arg_check_string(L, 1, nullptr);
  if (net_sockets_start()) return ERR_OPENSOCKET;
  HostEntry h;
  in_addr dotted{};
  int32_t code = inet_aton(host, &dotted) ? sock_gethostbyaddr(&dotted, sizeof dotted, &h)
                                          : sock_gethostbyname(host, &h);
  if (code == 0 && want_ip && h.addresses.empty()) code = HOST_NOT_FOUND;
  if (code) return fail_text(sock_host_error_text(code));
  if (want_ip) push_address(L, h.addresses[0]);
  else vm_push_string(L, h.name.c_str());
  vm_new_table(L);
  table_set_string(L, "name", h.name.c_str());
  vm_push_string(L, "alias");
  vm_new_table(L);
  for (size_t i = 0; i < h.aliases.size() && i < INT32_MAX - 1; ++i) {
    vm_push_string(L, h.aliases[i].c_str());
    vm_raw_seti(L, -2, int32_t(i + 1));
  }
  vm_set_table(L, -3);
  vm_push_string(L, "ip");
  vm_new_table(L);
  for (size_t i = 0; i < h.addresses.size() && i < INT32_MAX - 1; ++i) {
    push_address(L, h.addresses[i]);
    vm_raw_seti(L, -2, int32_t(i + 1));
  }
  vm_set_table(L, -3);
  return 2;
}

int32_t cmd_toip(qmState* L) { return host_lookup(L, true); }
int32_t cmd_tohostname(qmState* L) { return host_lookup(L, false); }

int32_t cmd_setnetworktimeout(qmState* L) {
  arg_check_count(L, 1, 1);
  const int64_t ms = to_i64(vm_arg_check_number(L, 1));
  if (ms < 0) return ERR_WRONGUSAGE;
  net_timeout_ms() = int32_t(std::min<int64_t>(ms, INT32_MAX));
  return 0;
}

// The local address of the object that id and type name.
int32_t local_address(qmState* L, sockaddr_in* out) {
  const ObjectId id = arg_get_id(L, 1);
  const int32_t type = vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL ? to_i32_sat(vm_arg_check_number(L, 2))
                                                                       : kTypeConnection;
  int32_t fd = -1;
  if (type == kTypeUDP) {
    qmUDPObject* u = nullptr;
    if (int32_t err = net_udp_find(id, &u)) return err;
    fd = u->socket->fd;
  } else if (type == kTypeConnection) {
    qmConnection* c = nullptr;
    if (int32_t err = net_connection_find(id, &c)) return err;
    fd = c->socket->fd;
  } else {
    qmServer* s = nullptr;
    if (int32_t err = net_server_find(id, &s)) return err;
    fd = s->socket->fd;
  }
  socklen_t len = sizeof *out;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(out), &len) != 0) return ERR_SOCKNAME;
  return 0;
}

int32_t cmd_getlocalip(qmState* L) {
  arg_check_count(L, 1, 2);
  sockaddr_in a{};
  if (int32_t err = local_address(L, &a)) return err;
  push_address(L, a.sin_addr);
  return 1;
}

int32_t cmd_getlocalport(qmState* L) {
  arg_check_count(L, 1, 2);
  sockaddr_in a{};
  if (int32_t err = local_address(L, &a)) return err;
  vm_push_number(L, ntohs(a.sin_port));
  return 1;
}

int32_t cmd_createudpobject(qmState* L) {
  arg_check_count(L, 1, 3);
  const NewId id = new_id_arg(L, 1);
  int32_t port = 0;
  if (int32_t err = port_arg(L, 2, 0, true, &port)) return err;
  const char* host = opt_string(L, 3, "*");
  if (net_sockets_start()) return ERR_OPENSOCKET;
  auto* s = new (std::nothrow) qmUDPSocket();
  if (!s) return ERR_MEM;
  if (int32_t code = sock_create(&s->fd, AF_INET, SOCK_DGRAM, 0)) {
    delete s;
    return fail_text(sock_error_text(code));
  }
  sock_set_nonblocking(s->fd);
  bool host_error = false;
  if (int32_t code = net_bind_address(s->fd, host, port, &host_error)) {
    sock_destroy(&s->fd);
    delete s;
    return fail_text(host_error ? sock_host_error_text(code) : sock_error_text(code));
  }
  qmUDPObject* u = nullptr;
  if (int32_t err = net_udp_add(L, id.id, s, &u)) return err;
  return push_new_id(L, id, u);
}

int32_t cmd_closeudpobject(qmState* L) {
  arg_check_count(L, 1, 1);
  qmUDPObject* u = nullptr;
  if (int32_t err = net_udp_find(arg_get_id(L, 1), &u)) return err;
  net_udp_close(L, u);
  return 0;
}

int32_t cmd_sendudpdata(qmState* L) {
  arg_check_count(L, 4, 4);
  const ObjectId id = arg_get_id(L, 1);
  size_t length = 0;
  const char* data = vm_arg_check_string(L, 2, &length);
  const char* ip = vm_arg_check_string(L, 3, nullptr);
  int32_t port = 0;
  if (int32_t err = port_arg(L, 4, 0, false, &port)) return err;
  if (length == 0) return ERR_WRONGUSAGE;
  qmUDPObject* u = nullptr;
  if (int32_t err = net_udp_find(id, &u)) return err;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(uint16_t(port));
  if (!inet_aton(ip, &a.sin_addr)) return ERR_BADIP;
  size_t sent = 0;
  const int32_t code =
      sock_sendto(u->socket->fd, data, length, &sent, reinterpret_cast<sockaddr*>(&a), sizeof a, u->socket->timeout);
  if (code == SOCK_CLOSED) return fail_text("connection refused");
  if (code) return fail_text(sock_error_text(code));
  vm_push_number(L, double(sent));
  return 1;
}

int32_t cmd_receiveudpdata(qmState* L) {
  arg_check_count(L, 1, 2);
  const ObjectId id = arg_get_id(L, 1);
  int64_t maximum = NET_BUFFER_SIZE;
  if (vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL) maximum = to_i64(vm_arg_check_number(L, 2));
  // A receive of no bytes would still take the datagram and lose it.
  if (maximum < 1) return ERR_WRONGUSAGE;
  maximum = std::min<int64_t>(maximum, NET_BUFFER_SIZE);
  qmUDPObject* u = nullptr;
  if (int32_t err = net_udp_find(id, &u)) return err;
  sockaddr_in from{};
  socklen_t from_length = sizeof from;
  size_t got = 0;
  const int32_t code = sock_recvfrom(u->socket->fd, u->socket->data, size_t(maximum), &got,
                                     reinterpret_cast<sockaddr*>(&from), &from_length, u->socket->timeout);
  if (code == SOCK_TIMEOUT) {
    u->data_event = false;
    vm_push_string(L, "");
    vm_push_string(L, "");
    vm_push_number(L, 0);
    return 3;
  }
  // An empty datagram reads as "closed" from the layer; it is a datagram all the same.
  if (code == SOCK_CLOSED && from_length >= socklen_t(sizeof from) && from.sin_family == AF_INET) got = 0;
  else if (code == SOCK_CLOSED) return fail_text("connection refused");
  else if (code) return fail_text(sock_error_text(code));
  u->data_event = false;
  vm_push_lstring(L, reinterpret_cast<const char*>(u->socket->data), got);
  push_address(L, from.sin_addr);
  vm_push_number(L, ntohs(from.sin_port));
  return 3;
}

int32_t cmd_isonline(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_boolean(L, net_is_online(L) ? 1 : 0);
  return 1;
}

const qmCommand kCommands[] = {
    {"OpenConnection", cmd_openconnection},
    {"CloseConnection", cmd_closeconnection},
    {"CreateServer", cmd_createserver},
    {"CloseServer", cmd_closeserver},
    {"SendData", cmd_senddata},
    {"ReceiveData", cmd_receivedata},
    {"GetConnectionIP", cmd_getconnectionip},
    {"GetConnectionPort", cmd_getconnectionport},
    {"GetHostName", cmd_gethostname},
    {"ToIP", cmd_toip},
    {"ToHostName", cmd_tohostname},
    {"DownloadFile", cmd_downloadfile},
    {"UploadFile", cmd_uploadfile},
    {"SetNetworkTimeout", cmd_setnetworktimeout},
    {"GetLocalIP", cmd_getlocalip},
    {"GetLocalPort", cmd_getlocalport},
    {"CreateUDPObject", cmd_createudpobject},
    {"CloseUDPObject", cmd_closeudpobject},
    {"SendUDPData", cmd_sendudpdata},
    {"ReceiveUDPData", cmd_receiveudpdata},
    {"IsOnline", cmd_isonline},
    {nullptr, nullptr},
};

const qmConstant kConstants[] = {
    {"RECEIVEALL", nullptr, RECEIVEALL},
    {"RECEIVEBYTES", nullptr, RECEIVEBYTES},
    {"RECEIVELINE", nullptr, RECEIVELINE},
    {"FTPASCII", nullptr, 97},
    {"FTPBINARY", nullptr, 105},
    {"DOWNLOADFILE_STATUS", nullptr, 0},
    {"UPLOADFILE_STATUS", nullptr, 0},
    {"NETWORKCONNECTION", nullptr, kTypeConnection},
    {"NETWORKSERVER", nullptr, kTypeServer},
    {"NETWORKUDP", nullptr, kTypeUDP},
    {nullptr, nullptr, 0},
};

}  // namespace

}  // namespace qm

int32_t network_init(qmState* L) {
  using namespace qm;
  net_timeout_ms() = 10000;
  net_install_event_sources();
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, kCommands, 0);
  vm_set_top(L, 0);
  if (err || (err = vm_register_constants(L, kConstants, 0))) return err;
  if ((err = library_register_name(kCommands, "network"))) return err;
  for (ObjectList* list : {&net_connections(), &net_servers(), &net_udp_objects()})
    if ((err = objlist_register(&list->head))) return err;
  return 0;
}
