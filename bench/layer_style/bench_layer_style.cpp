// SetLayerStyle moving the top layer of 10, 100 and 1000 layers, addressed by position and by
// name, in microseconds per call, beside an empty command call through the engine (the least a
// command costs) in the same run. The growth columns divide each time by the time with 10 layers:
// a linear look-up may grow at most with the layer count (x10, x100), the rest of a call not at all.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/target.h"
#include "engine/vm.h"
#include "layers/layers.h"
#include "platform/platform.h"

namespace {

using namespace qm;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of interleaved rounds, in microseconds per call.
std::vector<double> measure(const std::vector<std::function<void()>>& ops, int n) {
  std::vector<double> best(ops.size(), 1e30);
  for (int round = 0; round < 7; ++round)
    for (size_t i = 0; i < ops.size(); ++i) {
      const double t0 = now_s();
      for (int k = 0; k < n; ++k) ops[i]();
      best[i] = std::min(best[i], (now_s() - t0) * 1e6 / n);
    }
  return best;
}

int32_t empty(qmState*) { return 0; }

void push_command(qmState* L, const char* name) {
  vm_set_top(L, 0);
  vm_push_string(L, name);
  vm_get_table(L, QM_GLOBALSINDEX);
}

int32_t create_layer(qmState* L, int32_t x) {
  push_command(L, "createlayer");
  for (int32_t v : {x % 600, (x / 600) * 8, 4, 4}) vm_push_number(L, v);
  return vm_pcall(L, 4, 0, 0);
}

// SetLayerStyle(layer, {x = x}) with the layer pushed by push_layer.
void set_x(qmState* L, const std::function<void()>& push_layer, int32_t x) {
  push_command(L, "setlayerstyle");
  push_layer();
  vm_new_table(L);
  vm_push_string(L, "x");
  vm_push_number(L, x);
  vm_set_table(L, -3);
  if (vm_pcall(L, 2, 0, 0) != 0) {
    std::printf("bench_layer_style: SetLayerStyle failed\n");
    std::exit(1);
  }
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) return 1;
  qmState* L = vm_open();
  if (display_init(L) != 0 || layers_init(L) != 0) return 1;
  qmDisplay* d = nullptr;
  if (display_create(L, ObjectId{2, nullptr}, 0, &d) != 0 || display_prepare(L, d) != 0 ||
      display_open(L, d, 1) != 0) {
    std::printf("bench_layer_style: no display\n");
    return 1;
  }
  display_make_current(d);
  vm_push_string(L, "emptycommand");
  vm_push_cfunction(L, empty);
  vm_set_table(L, QM_GLOBALSINDEX);
  push_command(L, "enablelayers");
  vm_pcall(L, 0, 0, 0);

  std::printf("%-8s %12s %12s %12s %9s %9s\n", "layers", "position", "name", "empty call", "growth p", "growth n");
  double base_p = 0, base_n = 0;
  int32_t made = 0;
  for (int32_t count : {10, 100, 1000}) {
    while (made < count) create_layer(L, made++);
    const std::string name = "top" + std::to_string(count);
    layer_set_name_checked(d->bgpic, layers_top(d->bgpic), name.c_str());
    int32_t x = 0;
    const std::vector<double> t = measure(
        {[&] { set_x(L, [&] { vm_push_number(L, count); }, ++x & 63); },
         [&] { set_x(L, [&] { vm_push_string(L, name.c_str()); }, ++x & 63); },
         [&] {
           push_command(L, "emptycommand");
           vm_push_number(L, 1);
           vm_pcall(L, 1, 0, 0);
         }},
        2000);
    if (count == 10) base_p = t[0], base_n = t[1];
    std::printf("%-8d %12.3f %12.3f %12.3f %9.2f %9.2f\n", count, t[0], t[1], t[2], t[0] / base_p, t[1] / base_n);
  }
  display_cleanup(L);
  vm_close_state(L);
  platform_exit();
  return 0;
}
