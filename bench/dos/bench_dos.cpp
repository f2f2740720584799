// The dos library's bulk file commands against the programs a user would reach for, on the same
// 200 MB file in the same run: CopyFile against cp, CompressFile against python3's zlib at level
// 6, FileToString against cat. Each line prints our time over the peer's (below 1 is faster).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "stdlib/stdlib.h"

namespace {

constexpr size_t kFileSize = size_t(200) << 20;

double seconds(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Best of three, so a cold cache or a busy neighbour does not decide the ratio.
double best(const std::function<void()>& f) {
  double b = 1e300;
  for (int i = 0; i < 3; i++) b = std::min(b, seconds(f));
  return b;
}

void shell(const std::string& cmd) {
  if (std::system(cmd.c_str()) != 0) {
    std::fprintf(stderr, "bench_dos: failed: %s\n", cmd.c_str());
    std::exit(1);
  }
}

// Text-like data with some noise: deflate finds work to do but the file is not trivial.
void make_file(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  std::vector<char> block(1 << 20);
  uint32_t x = 2463534242u;
  const char* words[] = {"quill ", "mere ", "player ", "applet ", "brush ", "layer ", "sound ", "\n"};
  for (size_t done = 0; done < kFileSize; done += block.size()) {
    size_t i = 0;
    while (i < block.size()) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      if (x % 5 == 0) {
        block[i++] = char(x >> 8);
        continue;
      }
      for (const char* w = words[x % 8]; *w && i < block.size(); w++) block[i++] = *w;
    }
    out.write(block.data(), std::streamsize(block.size()));
  }
}

struct Script {
  qmState* L = nullptr;
  Script() {
    qm::runtime_flags().quiet = true;
    L = vm_open();
    qm::err_install(L);
    dos_open(L);
  }
  ~Script() {
    dos_cleanup(L);
    vm_close_state(L);
  }
  void call(const char* name, std::initializer_list<std::string> args) {
    vm_set_top(L, 0);
    vm_push_string(L, name);
    vm_get_table(L, QM_GLOBALSINDEX);
    for (const std::string& a : args) vm_push_string(L, a.c_str());
    if (int32_t err = vm_pcall(L, int32_t(args.size()), 0, 0)) {
      std::fprintf(stderr, "bench_dos: %s failed with %d\n", name, err);
      std::exit(1);
    }
  }
};

}  // namespace

int main() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmbenchXXXXXX";
  if (!mkdtemp(dir.data())) return 1;
  const std::string src = dir + "/src", dst = dir + "/dst", packed = dir + "/packed", py = dir + "/py";
  make_file(src);
  Script s;

  double ours = best([&] { s.call("copyfile", {src, dir, "dst"}); });
  double peer = best([&] { shell("cp '" + src + "' '" + dst + "'"); });
  std::printf("CopyFile 200 MB / cp:                     %.2f  (%.3f s / %.3f s)\n", ours / peer, ours, peer);

  ours = best([&] { s.call("compressfile", {src, packed}); });
  peer = best([&] {
    shell("python3 -c \"import sys,zlib; open(sys.argv[2],'wb').write(zlib.compress(open(sys.argv[1],'rb').read(),6))\" '" +
          src + "' '" + py + "'");
  });
  std::printf("CompressFile / python3 zlib level 6:      %.2f  (%.3f s / %.3f s)\n", ours / peer, ours, peer);

  ours = best([&] { s.call("filetostring", {src}); });
  peer = best([&] { shell("cat '" + src + "' > /dev/null"); });
  std::printf("FileToString 200 MB / cat:                %.2f  (%.3f s / %.3f s)\n", ours / peer, ours, peer);

  std::filesystem::remove_all(dir);
  return 0;
}
