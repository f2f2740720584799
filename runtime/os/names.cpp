// Names at the host boundary: Latin-1 inside the player, UTF-8 in the host's file system.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

std::string qmos_latin1_to_utf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool qmos_utf8_to_latin1(const std::string& text, std::string* out) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      result += char(c);
      continue;
    }
    // Only two-byte sequences lead by 0xC2 or 0xC3 stay within Latin-1 (U+0080..U+00FF); 0xC0 and
    // 0xC1 would be overlong forms.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= text.size()) return false;
    unsigned char d = static_cast<unsigned char>(text[i + 1]);
    if ((d & 0xC0) != 0x80) return false;
    result += char(((c & 0x1F) << 6) | (d & 0x3F));
    ++i;
  }
  *out = std::move(result);
  return true;
}

std::string qmos_player_name(const std::string& host) {
  std::string out;
  if (qmos_utf8_to_latin1(host, &out)) return out;
  return host;
}

std::string qmos_executable_path() {
  std::string buf(256, '\0');
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return std::string();
    if (size_t(n) < buf.size()) {
      buf.resize(size_t(n));
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

std::string qmos_executable_folder() {
  std::string path = qmos_executable_path();
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

static bool host_exists(const std::string& host) {
  struct stat st;
  return lstat(host.c_str(), &st) == 0;
}

bool qmos_name_is_whole(const char* name, size_t length) {
  return name != nullptr && std::memchr(name, '\0', length) == nullptr;
}

bool qmos_same_file(const char* a, const char* b) {
  auto host = [](const char* name, struct stat* st) {
    std::string path;
    if (vfile_is_virtual(name)) {
      qmVirtualName v;
      if (!vfile_parse_name(name, &v) || v.memory) return false;
      path = qmos_native_name(v.host.c_str(), true);
    } else {
      path = qmos_native_name(name, true);
    }
    return stat(path.c_str(), st) == 0;
  };
  struct stat sa, sb;
  if (!a || !b || !host(a, &sa) || !host(b, &sb)) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string qmos_native_name(const char* name, bool existing) {
  std::string player(name ? name : "");
  for (char& c : player) {
    if (c == '\\') c = '/';
  }
  std::string prefix;
  if (player.compare(0, 8, "PROGDIR:") == 0) {
    // The folder is already a host name; only the rest is player text.
    prefix = qmos_executable_folder();
    player.erase(0, 8);
    if (!player.empty() && player[0] != '/') prefix += '/';
  }
  std::string host = prefix + qmos_latin1_to_utf8(player);
  if (existing && !host_exists(host)) {
    std::string raw = prefix + player;
    if (raw != host && host_exists(raw)) return raw;
  }
  return host;
}
