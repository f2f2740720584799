// The network library: TCP connections and servers, UDP objects, host names, the on-line test
// and the network time-out, with the receive and send engines that the HTTP and FTP transfers
// drive and the four event checks that the event poller calls through event_sources().
//
// Everything runs on the main thread and never blocks: listed sockets keep a block of 0.0, so
// every socket call only polls, and the engines wait between polls in net_wait_frame, which
// watches the socket up to the next frame's time and then lets the display present without a
// wait of its own. Data is thus taken as soon as it comes, and a program still shows every frame
// during a long transfer.
//
// Objects leave their lists through net_unlink, which moves the poller's resume point first, so
// that a callback may close any connection while the poller walks the list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/socket.h"
#include "runtime/registry.h"

struct qmState;
struct qmFileHandle;

namespace qm {

inline constexpr size_t NET_BUFFER_SIZE = 8192;

struct qmSocket;

// The functions the engines move bytes with (the socket layer's for TCP sockets).
struct qmIoBlock {
  void* context = nullptr;
  int32_t (*send)(int32_t s, const void* data, size_t length, size_t* sent, const SockTimeout& t) = nullptr;
  int32_t (*receive)(int32_t s, void* buffer, size_t length, size_t* got, const SockTimeout& t) = nullptr;
  const char* (*error_text)(void* context, int32_t code) = nullptr;
};

// Bytes received but not yet consumed: data[first, last).
struct qmRecvBuffer {
  double start = 0.0;
  uint32_t sent = 0;
  uint32_t received = 0;
  qmIoBlock* io = nullptr;
  SockTimeout* timeout = nullptr;
  uint32_t first = 0, last = 0;
  uint8_t data[NET_BUFFER_SIZE];
};

struct qmSocket {
  int32_t fd = -1;
  qmIoBlock io;
  qmRecvBuffer buffer;
  SockTimeout timeout;
};

struct qmUDPSocket {
  int32_t fd = -1;
  SockTimeout timeout;
  uint8_t data[NET_BUFFER_SIZE];
};

struct qmConnection {
  ObjectHeader header{};  // OBJ_CLIENT
  qmSocket* socket = nullptr;
  bool data_event = false;    // onreceivedata raised and not yet answered by ReceiveData
  bool closed_event = false;  // ondisconnect raised
  bool progress = false;      // the transfer's progress function is to be called
  int64_t progress_count = 0;
  int64_t progress_total = 0;
  bool progress_userdata = false;  // the progress function gets the fourth argument
};

struct qmServer {
  ObjectHeader header{};  // OBJ_SERVER
  qmSocket* socket = nullptr;
};

struct qmUDPObject {
  ObjectHeader header{};  // OBJ_UDPOBJECT
  qmUDPSocket* socket = nullptr;
  bool data_event = false;
};

// ReceiveData's modes.
inline constexpr int32_t RECEIVEALL = 0;
inline constexpr int32_t RECEIVEBYTES = 1;
inline constexpr int32_t RECEIVELINE = 2;

// ---- the library's state -----------------------------------------------------------------------

ObjectList& net_connections();
ObjectList& net_servers();
ObjectList& net_udp_objects();
// The network time-out in milliseconds (0: no limit for receiving and sending).
int32_t& net_timeout_ms();
// Starts the socket interface once; 0 or ERR_OPENSOCKET.
int32_t net_sockets_start();

// ---- sockets and objects -----------------------------------------------------------------------

// A new TCP socket record (non-blocking, no limits yet). 0, ERR_MEM or ERR_SOCKET (with the
// socket error text as the message argument).
int32_t net_socket_new(qmSocket** out);
// Makes a socket record around a descriptor that is already open (an accepted one).
qmSocket* net_socket_wrap(int32_t fd);
// Destroys the descriptor and frees the record (null does nothing).
void net_socket_free(qmSocket* s);

// Appends an object made around a socket: the old object of an explicit id is freed first, the
// socket's limits become 0.0 (listed sockets only poll). The object owns the socket from here,
// also when the append fails (ERR_MEM, the socket freed then).
int32_t net_connection_add(qmState* L, const ObjectId& id, qmSocket* socket, qmConnection** out);
int32_t net_server_add(qmState* L, const ObjectId& id, qmSocket* socket, qmServer** out);
int32_t net_udp_add(qmState* L, const ObjectId& id, qmUDPSocket* socket, qmUDPObject** out);
// Lookups: 0, ERR_FINDARRAY for an automatic handle, else the kind's error naming the number.
int32_t net_connection_find(const ObjectId& id, qmConnection** out);
int32_t net_server_find(const ObjectId& id, qmServer** out);
int32_t net_udp_find(const ObjectId& id, qmUDPObject** out);
void net_connection_close(qmState* L, qmConnection* c);
void net_server_close(qmState* L, qmServer* s);
void net_udp_close(qmState* L, qmUDPObject* u);

// The address for host and port: "*" is any address, a dotted address stands for itself, any
// other name is looked up and its first address taken. 0, or the look-up's code (*host_error set).
int32_t net_resolve(const char* host, int32_t port, sockaddr_in* out, bool* host_error);
// Binds through net_resolve; 0 or the code (*host_error set when the look-up failed).
int32_t net_bind_address(int32_t fd, const char* host, int32_t port, bool* host_error);

// ---- the engines -------------------------------------------------------------------------------

// Connects to host:port under the network time-out and appends the connection under id (an
// automatic id: automatic_id()). 0, or an error code (ERR_SOCKET with the error text as the
// message argument; ERR_USERABORT when the program must stop meanwhile).
int32_t net_connect(qmState* L, const ObjectId& id, const char* host, int32_t port, qmConnection** out);

// Receives by mode into a file, a caller buffer or (both null) a script string. Script mode pushes
// the data, its length and the done flag and answers 3, or an error code; the other modes answer
// 0 or an error code, with the bytes taken in *received.
int32_t net_receive(qmState* L, qmConnection* c, int32_t mode, int64_t count, bool wait, char* buffer, size_t size,
                    qmFileHandle* file, int64_t* received);
// One line (up to a line feed, carriage returns dropped) into buffer, NUL-terminated: what does
// not fit is read to the line's end and dropped, with *cut set. 0 or the receive engine's code.
int32_t net_receive_line(qmState* L, qmConnection* c, char* buffer, size_t size, size_t* length, bool* cut);
// Sends everything, waiting while the socket is full. 0, the socket layer's status, or the code
// that ended the send early (the progress function's, or ERR_USERABORT when the program must
// stop); *sent.
int32_t net_send(qmState* L, qmConnection* c, const char* data, size_t length, size_t* sent);
// Calls the transfer's progress function (stack index 3, user data at 4) with {action, count,
// total[, userdata]}: 0, ERR_USERABORT when it answered 1 or the program must stop, or the call's
// error.
int32_t net_progress_callback(qmState* L, qmConnection* c, int32_t action);

// Waits until the descriptor is ready for mode or the next frame is due (*due_us, 0 at the first
// call), then lets the display present once the frame is due. Lasts a frame without a display too.
void net_wait_frame(qmState* L, int32_t fd, int32_t mode, int64_t* due_us);

// ---- the event checks --------------------------------------------------------------------------

bool net_check_disconnect(qmConnection* c);
bool net_check_receive(qmConnection* c);
bool net_check_accept(qmServer* s, qmConnection** accepted);
bool net_check_udp_receive(qmUDPObject* u);
// Installs the four checks as the poller's network sources.
void net_install_event_sources();

// IsOnline: a connection to the configured host (QM_ONLINE_HOST=host:port, else the build's
// default) under the network time-out.
bool net_is_online(qmState* L);

void network_cleanup(qmState* L);

}  // namespace qm

int32_t network_init(qmState* L);
