// DownloadFile and UploadFile: one engine for HTTP (GET, POST, redirects, chunked bodies, a proxy)
// and FTP (the control dialogue and its passive data connection). Its connections are ordinary
// connections with automatic ids and both event flags set, so that they raise no events; they
// leave the list again before the command returns, whichever way it ends.
#include "net/transfer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "engine/vmstring.h"
#include "net/network.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

constexpr size_t kLongText = 1023;   // URL, encoded URL, location, path, file name
constexpr size_t kShortText = 255;   // proxy, FTP user and password, post type
constexpr int32_t kFtpAscii = 97, kFtpBinary = 105;
constexpr int32_t kMaxRedirects = 5;
constexpr const char* kDefaultPassword = "guest@quillmere.invalid";
constexpr const char* kDefaultPostType = "application/x-www-form-urlencoded";
constexpr size_t kMemoryPiece = size_t(4) << 20;
// Fresh pages of a body in memory are made present this much at a time, ahead of the receive.
constexpr size_t kPrefaultStep = size_t(1) << 20;
// ... and on threads of their own when the storage has at least this much fresh room. A body past
// kFillerFrom is likely a large one: from there the storage grows a lead ahead of the receive, and
// the threads work up to that lead ahead of it.
constexpr size_t kFillerRange = size_t(8) << 20;
constexpr size_t kFillerFrom = size_t(1) << 20;
constexpr size_t kFillerLead = size_t(16) << 20;
constexpr size_t kUploadBlock = 8192;

int32_t fail_number(int32_t code, int32_t number) {
  err_set_number_arg(number);
  return code;
}

int32_t fail_text(int32_t code, const std::string& text) {
  err_set_string_arg(text.c_str());
  return code;
}

bool prefix_nocase(const std::string& s, size_t at, const char* prefix) {
  const size_t n = std::strlen(prefix);
  if (s.size() < at + n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[at + i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int32_t hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal digits from s[*at]: 1 with the value, 0 when there are none, -1 when the value passes
// INT64_MAX (the digits are still passed over).
int32_t parse_decimal(const std::string& s, size_t* at, int64_t* out) {
  size_t i = *at;
  int64_t v = 0;
  bool over = false;
  while (i < s.size() && is_digit(s[i])) {
    const int32_t d = s[i] - '0';
    if (v > (INT64_MAX - d) / 10) over = true;
    else v = v * 10 + d;
    ++i;
  }
  if (i == *at) return 0;
  *at = i;
  *out = v;
  return over ? -1 : 1;
}

std::string trim_right(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

bool has_line_break_or_nul(const std::string& s) { return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

// Reads one line with the progress calls off (they count body bytes only).
int32_t read_line(qmState* L, qmConnection* c, std::string* line, bool* cut) {
  char buffer[TRANSFER_LINE_SIZE];
  size_t length = 0;
  const bool progress = c->progress;
  c->progress = false;
  const int32_t code = net_receive_line(L, c, buffer, sizeof buffer, &length, cut);
  c->progress = progress;
  if (code) return code;
  line->assign(buffer, length);
  return 0;
}

// Sends the whole text: 0, the code that ended the send, or ERR_SENDDATA.
int32_t send_all(qmState* L, qmConnection* c, const char* data, size_t length) {
  size_t sent = 0;
  const int32_t status = net_send(L, c, data, length, &sent);
  if (status >= ERR_MEM) return status;
  return sent == length ? 0 : ERR_SENDDATA;
}

int32_t send_text(qmState* L, qmConnection* c, const std::string& text) {
  return send_all(L, c, text.data(), text.size());
}

// The progress function returned 1: the transfer ends with what it has, as a success.
bool ended_by_program(int32_t code) { return code == ERR_USERABORT && !platform_quit_requested(); }

struct Options {
  int32_t mode = kFtpBinary;
  bool silentfail = false, fail404 = false, redirect = true;
  bool has_file = false, has_proxy = false, has_post = false, has_data = false;
  std::string file, proxy, post, posttype = kDefaultPostType, data;
};

bool flag_field(qmState* L, const char* field, bool fallback) {
  int32_t v = fallback ? 1 : 0;
  opt_get_int(L, 2, field, &v, nullptr);
  return v != 0;
}

bool text_field(qmState* L, const char* field, std::string* out) {
  int32_t given = 0;
  opt_get_string_alloc(L, 2, field, 0, nullptr, out, &given);
  return given != 0;
}

// Reads the option table at index 2 (when there is one). 0 or ERR_WRONGUSAGE; silentfail is
// read first, so that it holds for the other fields' faults.
int32_t read_options(qmState* L, bool upload, Options* o) {
  if (vm_get_top(L) < 2 || vm_type(L, 2) == QM_TNIL) return upload ? ERR_WRONGUSAGE : 0;
  vm_arg_check_table(L, 2);
  o->silentfail = flag_field(L, "silentfail", false);
  o->fail404 = flag_field(L, "fail404", false);
  o->redirect = flag_field(L, "redirect", true);
  int32_t mode = kFtpBinary;
  opt_get_int(L, 2, "transfermode", &mode, nullptr);
  if (mode != kFtpAscii && mode != kFtpBinary) return ERR_WRONGUSAGE;
  o->mode = mode;
  o->has_file = text_field(L, "file", &o->file);
  o->has_proxy = text_field(L, "proxy", &o->proxy);
  if (!upload) {
    o->has_post = text_field(L, "post", &o->post);
    text_field(L, "posttype", &o->posttype);
  } else {
    o->has_data = text_field(L, "data", &o->data);
  }
  if (o->has_file && (o->file.size() > kLongText || o->file.empty())) return ERR_WRONGUSAGE;
  if (o->proxy.size() > kShortText || o->posttype.size() > kShortText) return ERR_WRONGUSAGE;
  if (o->posttype.find_first_of("\r\n") != std::string::npos) return ERR_WRONGUSAGE;
  if (o->has_post && o->post.empty()) return ERR_WRONGUSAGE;
  if (upload && !(o->has_data && !o->data.empty()) && !o->has_file) return ERR_WRONGUSAGE;
  return 0;
}

// What one transfer holds; released when it ends, whichever way.
struct Transfer {
  explicit Transfer(qmState* L) : L(L), sink(L) {}
  qmState* L;
  bool upload = false;
  bool progress = false, userdata = false;
  Options options;
  qmConnection* control = nullptr;
  qmConnection* data = nullptr;
  qmFileHandle* file = nullptr;  // download: the save handle; upload: the file read
  TransferSink sink;

  ~Transfer() {
    drop(data);
    drop(control);
    if (file) qmos_close(file);
  }
  void drop(qmConnection*& c) {
    if (c) net_connection_close(L, c);
    c = nullptr;
  }
  // Progress calls on the connection that moves the data.
  void watch(qmConnection* c, int64_t total) {
    c->progress = progress;
    c->progress_userdata = userdata;
    c->progress_count = 0;
    c->progress_total = total;
  }
};

int32_t open_connection(qmState* L, const std::string& host, int32_t port, qmConnection** out) {
  if (int32_t code = net_connect(L, automatic_id(), host.c_str(), port, out)) return code;
  // No events for a transfer's own connections.
  (*out)->data_event = (*out)->closed_event = true;
  return 0;
}

// ---- HTTP -------------------------------------------------------------------------------------

// One HTTP exchange for target. 0 when done, with *location set when the reply redirects there.
int32_t http_exchange(Transfer& t, const std::string& target, const UrlParts& u, int32_t redirects,
                      std::string* location) {
  qmState* L = t.L;
  const Options& o = t.options;
  std::string host = u.host;
  int32_t port = u.port;
  if (o.has_proxy) {
    UrlParts p;
    if (!prefix_nocase(o.proxy, 0, "http://")) return ERR_WRONGUSAGE;
    if (int32_t code = url_parse(o.proxy, &p)) return code;
    host = p.host, port = p.port;
  }
  if (int32_t code = open_connection(L, host, port, &t.control)) return code;
  qmConnection* c = t.control;
  std::string request = (o.has_post ? "POST " : "GET ") + target + " HTTP/1.1\r\n";
  request += "TE: trailers\r\nConnection: close, TE\r\nHost: " + u.authority + "\r\nUser-Agent: Quillmere 5.0\r\n";
  if (o.has_post) {
    request += "Content-Type: " + o.posttype + "\r\nContent-Length: " + std::to_string(o.post.size()) + "\r\n";
  }
  request += "\r\n";
  if (int32_t code = send_text(L, c, request)) return code;
  if (o.has_post) {
    if (int32_t code = send_text(L, c, o.post)) return code;
    if (int32_t code = send_text(L, c, "\r\n")) return code;
  }
  int32_t status = 0;
  HttpHeaders headers;
  if (int32_t code = http_read_status(L, c, &status)) return code;
  while (status == 100) {
    if (int32_t code = http_read_headers(L, c, &headers)) return code;
    headers = HttpHeaders{};
    if (int32_t code = http_read_status(L, c, &status)) return code;
  }
  if (status == 404 && o.fail404) return fail_text(ERR_FILENOTFOUND, u.path);
  if (int32_t code = http_read_headers(L, c, &headers)) return code;
  if (!headers.location.empty() && (status == 301 || status == 302) && o.redirect && redirects < kMaxRedirects) {
    *location = headers.location;
    return 0;
  }
  if (status == 204 || status == 304 || (status >= 100 && status <= 199)) return fail_number(ERR_HTTPERROR, status);
  if (!headers.chunked && headers.length <= 0) return fail_number(ERR_HTTPERROR, 2000);
  t.watch(c, headers.chunked ? 0 : headers.length);
  if (!headers.chunked) {
    if (!t.sink.file) {
      t.sink.memory.expected = headers.length;
      if (!t.sink.memory.reserve_more(size_t(std::min(headers.length, TRANSFER_RESERVE_LIMIT)))) return ERR_MEM;
    }
    return transfer_receive(L, c, headers.length, &t.sink);
  }
  for (;;) {
    int64_t size = 0;
    if (int32_t code = http_read_chunk_size(L, c, &size)) return code;
    if (size == 0) return 0;  // the trailers are not read
    if (int32_t code = transfer_receive(L, c, size, &t.sink)) return code;
    std::string line;
    bool cut = false;
    if (int32_t code = read_line(L, c, &line, &cut)) return code;
  }
}

// ---- FTP --------------------------------------------------------------------------------------

bool positive(int32_t code) { return code >= 200 && code <= 299; }

int32_t ftp_command(qmState* L, qmConnection* c, const std::string& command, int32_t* reply, std::string* text) {
  if (int32_t code = send_text(L, c, command + "\r\n")) return code;
  return ftp_read_reply(L, c, reply, text);
}

// The six numbers of a PASV reply from its fifth character on: the port they name.
int32_t pasv_port(const std::string& text, int32_t* port) {
  size_t at = 4;
  while (at < text.size() && !is_digit(text[at])) ++at;
  int64_t n[6] = {};
  int32_t count = 0;
  while (count < 6) {
    if (parse_decimal(text, &at, &n[count]) != 1 || n[count] > 255) return fail_number(ERR_FTPERROR, 2);
    ++count;
    if (at >= text.size() || text[at] != ',') break;
    ++at;
  }
  // Exactly six: a seventh number after a comma is as wrong as a fifth missing.
  if (count != 6 || (at < text.size() && text[at] == ',')) return fail_number(ERR_FTPERROR, 2);
  *port = int32_t(n[4] * 256 + n[5]);
  if (*port == 0) return fail_number(ERR_FTPERROR, 2);
  return 0;
}

// The size a 150 reply announces: its last number (not before the fifth character), when
// " bytes" follows it; else 0.
int64_t announced_size(const std::string& text) {
  size_t end = text.size();
  while (end > 4 && !is_digit(text[end - 1])) --end;
  if (end <= 4) return 0;
  size_t begin = end;
  while (begin > 4 && is_digit(text[begin - 1])) --begin;
  if (text.compare(end, 6, " bytes") != 0) return 0;
  int64_t v = 0;
  size_t at = begin;
  return parse_decimal(text, &at, &v) == 1 ? v : 0;
}

int32_t ftp_upload(Transfer& t) {
  qmState* L = t.L;
  qmConnection* d = t.data;
  if (!t.file) {
    t.watch(d, int64_t(t.options.data.size()));
    return send_text(L, d, t.options.data);
  }
  const int64_t size = t.file->length;
  t.watch(d, size);
  char block[kUploadBlock];
  int64_t total = 0;
  for (;;) {
    const int64_t n = qmos_read(t.file, block, sizeof block);
    if (n < 0) return fail_text(ERR_READFILE, t.options.file);
    if (n > 0) {
      if (int32_t code = send_all(L, d, block, size_t(n))) return code;
      total += n;
    }
    if (n < int64_t(sizeof block)) break;
  }
  return total == size ? 0 : ERR_SENDDATA;
}

int32_t ftp_transfer(Transfer& t, const UrlParts& u) {
  qmState* L = t.L;
  const std::string user = u.has_login ? url_decode(u.user) : "anonymous";
  const std::string password = u.has_login ? url_decode(u.password) : kDefaultPassword;
  const std::string path = url_decode(u.path);
  // Decoded texts go to the control connection as they stand: no line breaks may smuggle
  // commands in.
  if (user.size() > kShortText || password.size() > kShortText || path.size() > kLongText) return ERR_BADURL;
  if (has_line_break_or_nul(user) || has_line_break_or_nul(password) || has_line_break_or_nul(path)) return ERR_BADURL;
  const int32_t mode = u.type ? u.type : t.options.mode;
  if (int32_t code = open_connection(L, u.host, u.port, &t.control)) return code;
  qmConnection* c = t.control;
  int32_t reply = 0;
  std::string text;
  if (int32_t code = ftp_read_reply(L, c, &reply, nullptr)) return code;
  if (reply >= 100 && reply <= 199) {
    if (int32_t code = ftp_read_reply(L, c, &reply, nullptr)) return code;
  }
  if (!positive(reply)) return fail_number(ERR_FTPERROR, 0);
  if (int32_t code = ftp_command(L, c, "user " + user, &reply, nullptr)) return code;
  if (reply == 331) {
    if (int32_t code = ftp_command(L, c, "pass " + password, &reply, nullptr)) return code;
    if (reply == 530) return ERR_FTPAUTH;
  }
  if (!positive(reply)) return fail_number(ERR_FTPERROR, 0);
  if (int32_t code = ftp_command(L, c, "pasv", &reply, &text)) return code;
  if (!positive(reply)) return fail_number(ERR_FTPERROR, 0);
  int32_t data_port = 0;
  if (int32_t code = pasv_port(text, &data_port)) return code;
  // The data connection goes to the control connection's peer: the reply's address is not used.
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  if (getpeername(c->socket->fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0) return ERR_PEERNAME;
  char address[INET_ADDRSTRLEN] = "";
  inet_ntop(AF_INET, &peer.sin_addr, address, sizeof address);
  if (int32_t code = open_connection(L, address, data_port, &t.data)) return code;
  if (int32_t code = ftp_command(L, c, std::string("type ") + (mode == kFtpAscii ? "a" : "i"), &reply, nullptr))
    return code;
  if (reply != 200) return fail_number(ERR_FTPERROR, 0);
  if (int32_t code = ftp_command(L, c, (t.upload ? "stor " : "retr ") + path, &reply, &text)) return code;
  if (reply == 550) return fail_text(t.upload ? ERR_UPLOADFORBIDDEN : ERR_FILENOTFOUND, path);
  if (reply < 100 || reply > 299) return fail_number(ERR_FTPERROR, 0);
  int32_t code = 0;
  if (t.upload) {
    code = ftp_upload(t);
  } else {
    t.watch(t.data, reply == 150 ? announced_size(text) : 0);
    code = transfer_receive(L, t.data, -1, &t.sink);
  }
  t.drop(t.data);
  if (ended_by_program(code)) {
    send_text(L, c, "quit\r\n");
    return code;
  }
  if (code) return code;
  if (reply >= 100 && reply <= 199) {
    if ((code = ftp_read_reply(L, c, &reply, nullptr))) return code;
    if (!positive(reply)) return fail_number(ERR_FTPERROR, 0);
  }
  send_text(L, c, "quit\r\n");
  return 0;
}

// Runs the transfer from the encoded URL, following redirects.
int32_t run(Transfer& t, std::string target) {
  for (int32_t redirects = 0;; ++redirects) {
    UrlParts u;
    if (int32_t code = url_parse(target, &u)) return code;
    if (t.upload && !u.ftp) return ERR_WRONGUSAGE;
    if (t.options.has_proxy && u.ftp) return ERR_WRONGUSAGE;
    if (u.ftp) return ftp_transfer(t, u);
    std::string location;
    if (int32_t code = http_exchange(t, target, u, redirects, &location)) return code;
    if (location.empty()) return 0;
    t.drop(t.control);
    // The location is taken as received, not encoded again.
    target = location;
  }
}

int32_t transfer(qmState* L, bool upload) {
  arg_check_count(L, upload ? 2 : 1, 4);
  size_t url_length = 0;
  const char* url = vm_arg_check_string(L, 1, &url_length);
  Transfer t(L);
  t.upload = upload;
  if (upload) vm_arg_check_table(L, 2);
  if (vm_get_top(L) >= 3) {
    vm_arg_check_function(L, 3);
    t.progress = true;
    t.userdata = vm_get_top(L) >= 4;
  }
  int32_t code = read_options(L, upload, &t.options);
  if (code == 0 && net_sockets_start()) code = ERR_OPENSOCKET;
  std::string encoded;
  if (code == 0) {
    encoded = url_encode(std::string(url, url_length));
    if (url_length > kLongText || encoded.size() > kLongText) code = ERR_BADURL;
  }
  const Options& o = t.options;
  // An upload sends its data instead of a file when it has both.
  if (code == 0 && o.has_file && !(upload && !o.data.empty())) {
    const int32_t file_code = upload ? ERR_READFILE : ERR_WRITEFILE;
    if (!qmos_name_is_whole(o.file.c_str(), o.file.size())) {
      code = fail_text(file_code, o.file);
    } else {
      t.file = upload ? qmos_open(o.file.c_str(), QMOS_MODE_READ) : qmos_save_open(o.file.c_str());
      if (!t.file) code = fail_text(file_code, o.file);
      t.sink.file = upload ? nullptr : t.file;
    }
  }
  if (code == 0) {
    code = run(t, encoded);
    if (ended_by_program(code)) code = 0;
  }
  if (code == 0 && t.sink.file) {
    qmFileHandle* h = t.file;
    t.file = t.sink.file = nullptr;
    if (!qmos_save_commit(h)) code = fail_text(ERR_WRITEFILE, o.file);
  }
  if (code) {
    // Everything is released before the command ends (the connections, the file, the buffers).
    const bool silent = o.silentfail;
    t.sink.memory.release();
    if (!silent) return code;
    char message[ERR_TEXT_SIZE];
    const size_t n = err_get_text(code, message, sizeof message);
    vm_push_lstring(L, message, n);
    vm_push_number(L, -1);
    return 2;
  }
  if (upload) return 0;
  if (o.has_file) {
    vm_push_string(L, "");
  } else {
    t.sink.memory.finish();
    vm_push_storage(L, &t.sink.memory.storage);
  }
  vm_push_number(L, double(t.sink.bytes));
  return 2;
}

}  // namespace

std::string url_encode(const std::string& url) {
  static const char kEscaped[] = "\"<>%\\^[]`+$,";
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(url.size());
  for (const char ch : url) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x21 && b <= 0x7A && !std::strchr(kEscaped, b)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

std::string url_decode(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
      out += char(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

int32_t url_parse(const std::string& url, UrlParts* out) {
  UrlParts u;
  size_t at = 0;
  if (prefix_nocase(url, 0, "http://")) {
    at = 7, u.port = 80;
  } else if (prefix_nocase(url, 0, "ftp://")) {
    at = 6, u.port = 21, u.ftp = true;
  } else {
    return ERR_UNKPROTOCOL;
  }
  const size_t slash = url.find('/', at);
  std::string hostpart = url.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
  u.path = slash == std::string::npos ? "/" : url.substr(slash);
  if (u.path.size() > kLongText || hostpart.size() > kLongText) return ERR_BADURL;
  if (u.ftp && u.path.size() >= 7 && prefix_nocase(u.path, u.path.size() - 7, ";type=")) {
    const char letter = char(std::tolower(static_cast<unsigned char>(u.path.back())));
    if (letter == 'a') u.type = kFtpAscii;
    else if (letter == 'i') u.type = kFtpBinary;
    else return ERR_BADURL;
    u.path.resize(u.path.size() - 7);
    if (u.path.empty()) u.path = "/";
  }
  const size_t at_sign = hostpart.rfind('@');
  if (at_sign != std::string::npos) {
    if (!u.ftp) return ERR_BADURL;
    const size_t colon = hostpart.find(':');
    if (colon == std::string::npos || colon == 0 || colon > at_sign || colon + 1 == at_sign) return ERR_BADURL;
    u.user = hostpart.substr(0, colon);
    u.password = hostpart.substr(colon + 1, at_sign - colon - 1);
    u.has_login = true;
    hostpart.erase(0, at_sign + 1);
  }
  u.authority = hostpart;
  const size_t colon = hostpart.find(':');
  if (colon != std::string::npos) {
    size_t p = colon + 1;
    int64_t port = 0;
    if (parse_decimal(hostpart, &p, &port) != 1 || p != hostpart.size() || port < 1 || port > 65535) return ERR_BADURL;
    u.port = int32_t(port);
    hostpart.resize(colon);
  }
  if (hostpart.empty()) return ERR_BADURL;
  u.host = hostpart;
  *out = std::move(u);
  return 0;
}

int32_t http_read_status(qmState* L, qmConnection* c, int32_t* status) {
  std::string line;
  bool cut = false;
  if (int32_t code = read_line(L, c, &line, &cut)) return code;
  if (line.compare(0, 5, "HTTP/") != 0) return fail_number(ERR_HTTPERROR, 1001);
  size_t at = 5;
  int64_t v = 0;
  if (parse_decimal(line, &at, &v) == 0) return fail_number(ERR_HTTPERROR, 1002);
  if (at < line.size() && line[at] == '.') {
    ++at;
    parse_decimal(line, &at, &v);
  }
  if (at >= line.size() || line[at] != ' ') return fail_number(ERR_HTTPERROR, 1003);
  ++at;
  // The status is three digits, then the reason or the line's end. Fewer digits are a line that
  // broke off (or a peer that is not a web server): read as a status they would let the transfer
  // go on with whatever follows.
  const size_t digits = at;
  int64_t s = 0;
  if (parse_decimal(line, &at, &s) != 1 || at - digits != 3) return fail_number(ERR_HTTPERROR, 1003);
  if (at < line.size() ? line[at] != ' ' : cut) return fail_number(ERR_HTTPERROR, 1003);
  *status = int32_t(s);
  return 0;
}

int32_t http_read_headers(qmState* L, qmConnection* c, HttpHeaders* out) {
  for (;;) {
    std::string line;
    bool cut = false;
    if (int32_t code = read_line(L, c, &line, &cut)) return code;
    if (line.empty() && !cut) return 0;
    if (prefix_nocase(line, 0, "content-length: ")) {
      size_t at = 16;
      while (at < line.size() && line[at] == ' ') ++at;
      int64_t v = -1;
      const int32_t r = parse_decimal(line, &at, &v);
      // A negative, garbled, cut or overflowing length counts as none.
      out->length = (r == 1 && !cut && trim_right(line.substr(at)).empty()) ? v : -1;
    } else if (prefix_nocase(line, 0, "transfer-encoding: ")) {
      const std::string value = trim_right(line.substr(19));
      if (!cut && value.size() == 7 && prefix_nocase(value, 0, "chunked")) out->chunked = true;
      else if (!cut && value.size() == 8 && prefix_nocase(value, 0, "identity")) {
      } else {
        return ERR_HTTPTE;
      }
    } else if (prefix_nocase(line, 0, "location: ")) {
      if (cut) return ERR_BADURL;
      out->location = trim_right(line.substr(10));
      if (has_line_break_or_nul(out->location)) return ERR_BADURL;
    }
  }
}

int32_t http_read_chunk_size(qmState* L, qmConnection* c, int64_t* size) {
  std::string line;
  bool cut = false;
  if (int32_t code = read_line(L, c, &line, &cut)) return code;
  int64_t v = 0;
  size_t i = 0;
  while (i < line.size() && hex_value(line[i]) >= 0) {
    if (v > (INT64_MAX >> 4)) return fail_number(ERR_HTTPERROR, 3000);
    v = v * 16 + hex_value(line[i]);
    ++i;
  }
  // A line cut inside its digits hides the size's end: the digits read are not the size.
  if (i == 0 || (cut && i == line.size())) return fail_number(ERR_HTTPERROR, 3000);
  *size = v;
  return 0;
}

int32_t ftp_read_reply(qmState* L, qmConnection* c, int32_t* code, std::string* text) {
  std::string line;
  bool cut = false;
  if (int32_t r = read_line(L, c, &line, &cut)) return r;
  size_t at = 0;
  int64_t v = 0;
  *code = parse_decimal(line, &at, &v) == 1 ? int32_t(std::min<int64_t>(v, 999999)) : 0;
  if (line.size() >= 4 && line[3] == '-') {
    const std::string first = line.substr(0, 3);
    for (;;) {
      if (int32_t r = read_line(L, c, &line, &cut)) return r;
      const bool coded = line.size() >= 3 && is_digit(line[0]) && is_digit(line[1]) && is_digit(line[2]) &&
                         (line.size() == 3 || line[3] == ' ');
      if (!coded) continue;  // a free inner line
      if (line.compare(0, 3, first) != 0) return fail_number(ERR_FTPERROR, 1);
      break;
    }
  }
  if (text) *text = line;
  return 0;
}

int32_t transfer_receive(qmState* L, qmConnection* c, int64_t count, TransferSink* sink) {
  const bool until_close = count < 0;
  if (sink->file) {
    int64_t got = 0;
    int32_t code = net_receive(L, c, RECEIVEBYTES, until_close ? INT64_MAX : count, true, nullptr, 0, sink->file, &got);
    sink->bytes += got;
    if (until_close && code == ERR_RECVCLOSED) code = 0;
    return code;
  }
  int64_t remaining = until_close ? INT64_MAX : count;
  qmStringStorage& m = sink->memory.storage;
  while (remaining > 0) {
    const size_t piece = size_t(std::min<int64_t>(remaining, int64_t(kMemoryPiece)));
    if (!sink->memory.reserve_more(piece)) return ERR_MEM;
    sink->memory.prefault(piece);
    int64_t got = 0;
    int32_t code = net_receive(L, c, RECEIVEBYTES, int64_t(piece), true, m.data + m.size, piece, nullptr, &got);
    sink->memory.wrote(size_t(got));
    sink->bytes += got;
    remaining -= got;
    if (code) return until_close && code == ERR_RECVCLOSED ? 0 : code;
  }
  return 0;
}

namespace {

// The least capacity of at least n whose block fills a whole number of 2 MB steps of address
// space once the C library has added its header and rounded to pages. The system places such a
// block on a 2 MB boundary and keeps it on one when the block grows and moves, so its large pages
// move whole; otherwise each one a move takes along (the filler's pages ahead of the receive
// among them) is split into small pages, and a hypervisor may trap at the first access to each.
size_t whole_large_steps(size_t n) {
  constexpr size_t kLarge = size_t(2) << 20, kLibraryHeader = 64;
  const size_t overhead = vm_string_size(0) + kLibraryHeader;
  if (n > SIZE_MAX - overhead - kLarge) return n;
  return (n + overhead + kLarge - 1) / kLarge * kLarge - overhead;
}

}  // namespace

bool MemoryBody::reserve_more(size_t extra) {
  const size_t size = storage.size, capacity = storage.capacity;
  if (extra > SIZE_MAX / 2 - size) return false;
  // A large body keeps room for the filler's lead, never past the announced length.
  size_t lead = size >= kFillerFrom ? kFillerLead : 0;
  if (expected >= 0) lead = std::min(lead, size_t(std::max<int64_t>(0, expected - int64_t(size + extra))));
  if (extra + lead <= capacity - size) return true;
  size_t wanted = std::max({size + extra + lead, capacity * 2, size_t(65536)});
  if (expected >= 0 && uint64_t(expected) >= size + extra) wanted = std::min(wanted, size_t(expected));
  if (wanted >= kFillerRange) wanted = whole_large_steps(wanted);
  // The block may move; the pages the filler has not reached yet are filled after the growth.
  if (filler.running()) present = filler.stop();
  // When the growth with its margins cannot be had, what the bytes need may still be.
  if (!vm_storage_reserve(L, &storage, wanted) && !vm_storage_reserve(L, &storage, size + extra)) return false;
  // Large pages for a large body: under a hypervisor the first access to each small page may
  // trap to the host, and the system's copy of the data then costs several times the receive
  // itself. Where memory is mostly page cache (a download's usual company) a large page may wait
  // for the system to compact memory first: once the body is large enough for the filler, its
  // threads do that waiting, ahead of the receive.
  qmos_prepare_bulk_write(storage.data, storage.capacity);
  const size_t from = std::max(present, size);
  if (storage.capacity >= from + kFillerRange) {
    filler.start(storage.data, from, storage.capacity, kFillerLead);
    present = storage.capacity;
  }
  return true;
}

void MemoryBody::prefault(size_t n) {
  const size_t size = storage.size;
  if (filler.running() || n <= present - std::min(present, size)) return;
  const size_t from = std::max(present, size);
  const size_t to = std::min(storage.capacity, std::max(size + n, from + kPrefaultStep));
  if (to <= from) return;
  qmos_prefault(storage.data + from, to - from);
  present = to;
}

int32_t cmd_downloadfile(qmState* L) { return transfer(L, false); }
int32_t cmd_uploadfile(qmState* L) { return transfer(L, true); }

}  // namespace qm
