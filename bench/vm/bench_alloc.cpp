// Allocation and collection: a program that makes and drops 1e6 small tables and 1e6 strings,
// run by our engine (assembled here) and by lua5.4 in the same run. Each side runs in a child
// process so that its peak resident memory can be read from the kernel (ru_maxrss); the time is
// the best of three runs. Prints the times, the peaks and our value divided by Lua's.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/state.h"
#include "engine/vm.h"
#include "tools/asm/text.h"
#include "tools/qmrun/testlib.h"

namespace {

// for i = 1, 1e6: t = {}; t.x = i; s = "s" .. i   (everything dropped at the next step)
const char* kLua =
    "for i = 1, 1000000 do local t = {} t.x = i local s = 's' .. i end";
const char* kQasm = R"(
.maxstack 8
  LOADK r0 #0
  LOADK r1 #1000000
  LOADK r2 #1
  JMP @test
body:
  NEWTABLE r3 0 0
  SETTABLE r3 "x" r0
  LOADK r4 "s"
  MOVE r5 r0
  CONCAT r4 r4 r5
test:
  FORLOOP r0 @body
  RETURN r0 1
)";

struct Run {
  double seconds = 0;
  long peak_kb = 0;
  bool ok = false;
};

// Runs `child` in a forked process; the time is the child's wall time on the monotonic clock.
template <typename F>
Run in_child(F child) {
  Run r;
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid < 0) return r;
  if (pid == 0) _exit(child() ? 0 : 1);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return r;
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.peak_kb = usage.ru_maxrss;
  r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return r;
}

Run run_ours(const char* source) {
  std::vector<uint8_t> chunk;
  std::string error;
  if (!qm::asmx::assemble(source, chunk, error)) {
    std::fprintf(stderr, "bench_alloc: %s\n", error.c_str());
    return {};
  }
  return in_child([&] {
    qmState* L = vm_open();
    if (!L) return false;
    qm::testlib::open(L);
    int32_t status = qm::testlib::load_chunk(L, chunk, "bench");
    if (status == 0) status = qm::testlib::run(L, "bench", nullptr);
    vm_close_state(L);
    return status == 0;
  });
}

Run run_lua(const char* source) {
  return in_child([&] {
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) dup2(devnull, 2);
    execlp("lua5.4", "lua5.4", "-e", source, static_cast<char*>(nullptr));
    return false;
  });
}

}  // namespace

// Best time and highest peak of three runs.
template <typename F>
Run best_of_three(F run) {
  Run best = run();
  for (int i = 0; i < 2 && best.ok; i++) {
    Run r = run();
    if (!r.ok) return r;
    if (r.seconds < best.seconds) best.seconds = r.seconds;
    if (r.peak_kb > best.peak_kb) best.peak_kb = r.peak_kb;
  }
  return best;
}

int main() {
  Run ours = best_of_three([] { return run_ours(kQasm); });
  Run lua = best_of_three([] { return run_lua(kLua); });
  if (!ours.ok) {
    std::printf("alloc: our run failed\n");
    return 1;
  }
  if (!lua.ok) {
    std::printf("alloc: lua5.4 is not available; ours %.3f s, peak %ld KiB\n", ours.seconds, ours.peak_kb);
    return 0;
  }
  std::printf("alloc 1e6 tables + 1e6 strings\n");
  std::printf("  time      ours %8.3f s     lua5.4 %8.3f s     ratio %.2f\n", ours.seconds, lua.seconds,
              ours.seconds / lua.seconds);
  std::printf("  peak RSS  ours %8ld KiB   lua5.4 %8ld KiB   ratio %.2f\n", ours.peak_kb, lua.peak_kb,
              double(ours.peak_kb) / double(lua.peak_kb));
  return 0;
}
