// Times string-library commands called through the engine against outside peers on the same
// data, and prints ours / peer (below 1.0 means we are faster).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "stdlib/checksum.h"
#include "stdlib/stdlib.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Runs a shell command and returns its wall time.
double time_command(const std::string& cmd) {
  auto t0 = Clock::now();
  int rc = std::system(cmd.c_str());
  double t = seconds_since(t0);
  if (rc != 0) std::fprintf(stderr, "bench_stdlib: '%s' failed\n", cmd.c_str());
  return t;
}

void write_file(const char* path, const std::string& data) {
  FILE* f = std::fopen(path, "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

// Calls a global command with string/number arguments; returns the wall time of the call.
double time_call(qmState* L, const char* name, const std::vector<std::string>& sargs, double* num = nullptr) {
  vm_set_top(L, 0);
  vm_push_string(L, name);
  vm_get_table(L, QM_GLOBALSINDEX);
  for (const auto& s : sargs) vm_push_lstring(L, s.data(), s.size());
  auto t0 = Clock::now();
  int32_t rc = vm_pcall(L, int32_t(sargs.size()), 1, 0);
  double t = seconds_since(t0);
  if (rc) std::fprintf(stderr, "bench_stdlib: %s failed with %d\n", name, rc);
  if (num) *num = vm_to_number(L, -1);
  vm_set_top(L, 0);
  return t;
}

void report(const char* what, double ours, double peer, const char* peer_name) {
  std::printf("%-44s ours %8.3f s  %-10s %8.3f s  ratio %.2f\n", what, ours, peer_name, peer, ours / peer);
}

}  // namespace

int main() {
  qm::registry_free_all();
  qmState* L = vm_open();
  qm::err_install(L);
  string_open(L);

  // 10 MB of text with 100k occurrences of the needle.
  std::mt19937 rng(1);
  std::string text;
  text.reserve(10 << 20);
  const std::string needle = "needle";
  for (int i = 0; i < 100000; i++) {
    size_t filler = (10u << 20) / 100000 - needle.size();
    for (size_t k = 0; k < filler; k++) text.push_back(char('a' + rng() % 20));  // no 'n','e','d','l'...
    text += needle;
  }
  const char* text_path = "/tmp/qm_bench_text.txt";
  write_file(text_path, text);

  double ours = time_call(L, "replacestr", {text, needle, "pin"});
  double peer = time_command(std::string("python3 -c \"import time;d=open('") + text_path +
                             "').read();t=time.monotonic();d.replace('needle','pin');"
                             "open('/tmp/qm_bench_py.txt','w').write(str(time.monotonic()-t))\"");
  FILE* f = std::fopen("/tmp/qm_bench_py.txt", "r");
  if (f && std::fscanf(f, "%lf", &peer) != 1) peer = 0;
  if (f) std::fclose(f);
  report("ReplaceStr, 100k replacements in 10 MB", ours, peer, "python3");

  // FindStr of a needle that only occurs at the very end of 10 MB of text in which its first
  // letter is common; best of five runs each.
  std::string hay = text;
  for (size_t i = 0; i + needle.size() <= hay.size(); i += 97) hay[i] = 'f';
  for (size_t i = 0; i + 6 <= hay.size(); i++)
    if (hay.compare(i, 6, "needle") == 0) hay[i] = 'x';
  hay += "findme";
  ours = peer = 1e9;
  double pos = 0;
  for (int run = 0; run < 5; run++) {
    ours = std::min(ours, time_call(L, "findstr", {hay, "findme"}, &pos));
    auto t0 = Clock::now();
    const void* hit = memmem(hay.data(), hay.size(), "findme", 6);
    peer = std::min(peer, seconds_since(t0));
    if (!hit || size_t(static_cast<const char*>(hit) - hay.data()) != size_t(pos))
      std::fprintf(stderr, "bench_stdlib: FindStr and memmem disagree\n");
  }
  report("FindStr over 10 MB", ours, peer, "memmem");

  // MD5 of 100 MB: our digest over the file read in 64 KiB pieces, and md5sum on the same file.
  std::string big(100 << 20, '\0');
  for (auto& c : big) c = char(rng());
  const char* big_path = "/tmp/qm_bench_100m.bin";
  write_file(big_path, big);
  big.clear();
  big.shrink_to_fit();
  auto t0 = Clock::now();
  FILE* in = std::fopen(big_path, "rb");
  std::vector<uint8_t> buf(65536);
  qm::qmMD5 ctx;
  qm::md5_init(&ctx);
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), in)) > 0) qm::md5_update(&ctx, buf.data(), n);
  std::fclose(in);
  uint8_t digest[16];
  qm::md5_final(&ctx, digest);
  ours = seconds_since(t0);
  peer = time_command(std::string("md5sum ") + big_path + " > /dev/null");
  report("MD5 of 100 MB", ours, peer, "md5sum");

  std::remove(text_path);
  std::remove(big_path);
  std::remove("/tmp/qm_bench_py.txt");
  vm_close_state(L);
  return 0;
}
