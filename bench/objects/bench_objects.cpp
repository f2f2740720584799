// Objects with automatic ids at scale: 1,000,000 StartTimer(Nil) and 100,000 OpenFile(Nil) with
// CloseFile, called through the engine, beside a peer that does the same bookkeeping by hand in
// the same run (records in a hash map; fopen and fclose). Each of ours should stay under a second.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "stdlib/stdlib.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// Calls a global command with the arguments the pusher leaves; keeps its one result on top.
template <typename Push>
bool call(qmState* L, const char* name, Push push, int32_t results) {
  vm_push_string(L, name);
  vm_get_table(L, QM_GLOBALSINDEX);
  int32_t n = push();
  return vm_pcall(L, n, results, 0) == 0;
}

void report(const char* what, double ours, double peer) {
  std::printf("%-36s ours %.3f s  peer %.3f s  ratio %.2f%s\n", what, ours, peer, ours / peer,
              ours < 1.0 ? "" : "  (over a second)");
}

}  // namespace

int main() {
  qmState* L = vm_open();
  qm::err_install(L);
  const qm::TagItem quiet[] = {{qm::ATTR_QUIET, 1}, {0, 0}};
  qm::runtime_set_attrs(L, quiet);
  if (system_open(L) || dos_open(L)) return 1;
  vm_set_top(L, 0);

  constexpr int kTimers = 1000000;
  auto t0 = Clock::now();
  for (int i = 0; i < kTimers; ++i) {
    if (!call(L, "starttimer", [&] { vm_push_nil(L); return 1; }, 0)) return 1;
  }
  double ours = since(t0);
  system_cleanup();
  struct Record {
    int64_t start[2];
    void* next;
  };
  std::unordered_map<void*, Record*> peer_map;
  t0 = Clock::now();
  for (int i = 0; i < kTimers; ++i) {
    auto* r = static_cast<Record*>(std::calloc(1, sizeof(Record)));
    peer_map.emplace(r, r);
  }
  double peer = since(t0);
  for (auto& [k, r] : peer_map) std::free(r);
  report("1e6 StartTimer(Nil)", ours, peer);

  constexpr int kFiles = 100000;
  std::string path = "/tmp/bench_objects_" + std::to_string(getpid());
  std::fclose(std::fopen(path.c_str(), "wb"));
  t0 = Clock::now();
  for (int i = 0; i < kFiles; ++i) {
    if (!call(L, "openfile", [&] { vm_push_nil(L); vm_push_string(L, path.c_str()); return 2; }, 1)) return 1;
    if (!call(L, "closefile", [&] { vm_push_value(L, -2); return 1; }, 0)) return 1;
    vm_set_top(L, 0);
  }
  ours = since(t0);
  t0 = Clock::now();
  for (int i = 0; i < kFiles; ++i) std::fclose(std::fopen(path.c_str(), "rb"));
  peer = since(t0);
  report("1e5 OpenFile(Nil) and CloseFile", ours, peer);
  std::remove(path.c_str());

  dos_cleanup(L);
  vm_close_state(L);
  return 0;
}
