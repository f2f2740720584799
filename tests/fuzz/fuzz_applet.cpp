// The applet reader on arbitrary bytes: every input ends in 0 or an error code, never in a read
// outside the file, and the declared objects it produced stay inside their bounds.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/vm.h"
#include "runtime/applet.h"
#include "runtime/errors.h"

namespace {

const std::string& input_path() {
  static const std::string path = [] {
    char tmpl[] = "/tmp/fuzz_appletXXXXXX";
    int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    return std::string(tmpl);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = input_path();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  qmState* L = vm_open();
  if (!L) return 0;
  qm::err_install(L);
  qm::Applet a;
  int32_t code = qm::applet_read(L, path.c_str(), 0, &a);
  if (code < 0) __builtin_trap();
  for (const qm::Declaration& d : a.declarations) {
    if (d.type < 0 || d.type > qm::DECL_TYPE_MAX) __builtin_trap();
    if (d.display.drag_regions.size() > size_t(qm::DECL_MAX_REGIONS)) __builtin_trap();
    if (d.display.title.size() >= qm::DECL_TITLE_SIZE) __builtin_trap();
    if (d.bgpic.gradient.stop_count > qm::DECL_MAX_STOPS) __builtin_trap();
  }
  vm_close_state(L);
  return 0;
}
