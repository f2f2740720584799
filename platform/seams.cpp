// Test seams that are not the clock: the recorder of platform calls and the requester responder.
// Both do nothing until a test or the test environment switches them on.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>

#include "platform/platform.h"

namespace {

struct Recorder {
  std::mutex mutex;
  bool in_memory = false;
  std::vector<std::string> lines;
  std::string file;  // QM_PLATFORM_RECORD, read once
  bool file_read = false;
};

Recorder& recorder() {
  static Recorder r;
  return r;
}

std::atomic<int> g_recording{-1};  // -1 not yet known, 0 off, 1 on

bool recording_slow() {
  Recorder& r = recorder();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (!r.file_read) {
    const char* f = std::getenv("QM_PLATFORM_RECORD");
    r.file = f ? f : "";
    r.file_read = true;
  }
  bool on = r.in_memory || !r.file.empty();
  g_recording = on ? 1 : 0;
  return on;
}

}  // namespace

bool platform_recording() {
  int state = g_recording.load(std::memory_order_relaxed);
  return state < 0 ? recording_slow() : state == 1;
}

void platform_record(std::string_view kind, std::string_view detail) {
  if (!platform_recording()) return;
  std::string line(kind);
  if (!detail.empty()) line.append(" ").append(detail);
  Recorder& r = recorder();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.in_memory) r.lines.push_back(line);
  if (!r.file.empty()) {
    if (FILE* f = std::fopen(r.file.c_str(), "a")) {
      std::fprintf(f, "%s\n", line.c_str());
      std::fclose(f);
    }
  }
}

void platform_recorder_start() {
  {
    std::lock_guard<std::mutex> lock(recorder().mutex);
    recorder().in_memory = true;
    recorder().lines.clear();
  }
  g_recording = -1;
}

void platform_recorder_stop() {
  {
    std::lock_guard<std::mutex> lock(recorder().mutex);
    recorder().in_memory = false;
    recorder().lines.clear();
  }
  g_recording = -1;
}

std::vector<std::string> platform_recorder_take() {
  std::lock_guard<std::mutex> lock(recorder().mutex);
  std::vector<std::string> out;
  out.swap(recorder().lines);
  return out;
}

// ---- requester responder ----

namespace {

RequesterResponder g_responder = nullptr;

struct ReplyFile {
  bool read = false;
  bool used = false;  // the variable was set
  std::vector<std::string> replies;
  size_t next = 0;
};

ReplyFile& reply_file() {
  static ReplyFile f;
  if (!f.read) {
    f.read = true;
    if (const char* path = std::getenv("QM_REQUESTER_REPLIES")) {
      f.used = true;
      std::ifstream in(path);
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        f.replies.push_back(line);
      }
    }
  }
  return f;
}

}  // namespace

void platform_set_requester_responder(RequesterResponder responder) { g_responder = responder; }

bool platform_requester_scripted(std::string_view kind, std::string_view title, std::string* reply) {
  reply->clear();
  if (g_responder && g_responder(kind, title, reply)) {
    platform_record("requester", std::string(kind) + " " + *reply);
    return true;
  }
  ReplyFile& f = reply_file();
  if (!f.used) return false;
  if (f.next < f.replies.size()) *reply = f.replies[f.next++];
  platform_record("requester", std::string(kind) + " " + *reply);
  return true;
}
