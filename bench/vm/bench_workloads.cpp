// The engine against lua5.4 on ten workload shapes, each written twice with one algorithm
// (bench/vm/workloads/NAME.qasm and NAME.lua); the last three carry a line table as a compiler
// writes it, a line per statement. Each program runs as an applet through the real
// player (quillmere -QUIET, the per-line hook installed as always), as a bare chunk through
// qmrun (no hook), and as source through lua5.4, in interleaved rounds so that a change in the
// machine's load hits all three alike. Every figure is the median of the rounds; the ratios are
// our time divided by Lua's. A program that fails or computes a wrong result (it then calls an
// undefined function) stops the benchmark.
//
// Each round also runs an empty program on every side; the median of those (start-up and exit,
// which for the player is mostly the dynamic loader and SDL) is taken off that side's times
// before the ratios are formed, so that the ratios compare the engines. The footer gives the
// start-up figures and the geometric means without taking them off.
//
//   bench_workloads [--rounds N] [--wall] [--callgrind] [--keep DIR] [NAME...]
//
// Times are processor seconds (user and system) of each run, or elapsed seconds with --wall.
// --callgrind counts instructions instead (one run of each under valgrind's callgrind): slow,
// but the same on a busy machine as on a quiet one.
//
// --keep writes the applets (NAME.qma) and chunks (NAME.qmb) into DIR for profiling and runs
// nothing; names pick workloads.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/asm/text.h"

namespace {

struct Workload {
  const char* name;
  const char* shape;
};

const Workload kWorkloads[] = {
    {"fib", "recursive fib(30..32)"},
    {"loop", "for loop with arithmetic, 5e7 steps"},
    {"intkeys", "integer keys: fill, read-modify-write"},
    {"concat", "concatenation in a loop, then lengths"},
    {"closures", "closures made and called in a loop"},
    {"methods", "method calls through __index table"},
    {"strkeys", "string keys: insert, look up, update"},
    {"forsum", "for line, one-instruction body line"},
    {"forbody", "loop workload, body on its own line"},
    {"whilesum", "while line and two body lines"},
};

std::string read_text(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "bench_workloads: cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void write_program(const std::string& text, const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  bool applet = false;
  if (!qm::asmx::assemble_program(text, std::string(), bytes, applet, error)) {
    std::fprintf(stderr, "bench_workloads: %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
  std::ofstream o(path, std::ios::binary);
  o.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Processor seconds (user and system) of all finished children so far.
double children_cpu() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

bool g_wall = false;

// Seconds of one run: processor time by default, which a busy machine disturbs far less than
// elapsed time; elapsed time with --wall.
double run_once(const std::string& cmd) {
  auto t0 = std::chrono::steady_clock::now();
  double c0 = children_cpu();
  int raw = std::system(cmd.c_str());
  double c1 = children_cpu();
  auto t1 = std::chrono::steady_clock::now();
  if (raw == -1 || !WIFEXITED(raw) || WEXITSTATUS(raw) != 0) {
    std::fprintf(stderr, "bench_workloads: failed: %s\n", cmd.c_str());
    std::exit(1);
  }
  return g_wall ? std::chrono::duration<double>(t1 - t0).count() : c1 - c0;
}

// The instruction count callgrind reports for one run.
double count_once(const std::string& cmd, const std::string& dir) {
  std::string log = dir + "/callgrind.log";
  std::string full = "valgrind --tool=callgrind --trace-children=yes --callgrind-out-file=" + dir +
                     "/callgrind.out.%p sh -c '" + cmd + "' 2>" + log;
  run_once(full);
  std::string text = read_text(log);
  // the shell's count and the program's, summed
  double total = 0;
  for (size_t at = text.find("Collected :"); at != std::string::npos; at = text.find("Collected :", at + 1))
    total += std::strtod(text.c_str() + at + 11, nullptr);
  if (total == 0) {
    std::fprintf(stderr, "bench_workloads: no count in %s\n", log.c_str());
    std::exit(1);
  }
  return total;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void print_load(const char* when) {
  double load[3] = {0, 0, 0};
  if (getloadavg(load, 3) == 3) std::printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 3;
  std::string keep;
  bool callgrind = false;
  std::vector<const Workload*> picked;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--rounds" && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--wall") {
      g_wall = true;
    } else if (a == "--callgrind") {
      callgrind = true;
      rounds = 1;
    } else if (a == "--keep" && i + 1 < argc) {
      keep = argv[++i];
    } else {
      auto w = std::find_if(std::begin(kWorkloads), std::end(kWorkloads), [&](const Workload& x) { return a == x.name; });
      if (w == std::end(kWorkloads)) {
        std::fprintf(stderr, "usage: bench_workloads [--rounds N] [--wall] [--callgrind] [--keep DIR] [NAME...]\n");
        return 2;
      }
      picked.push_back(w);
    }
  }
  if (picked.empty())
    for (const Workload& w : kWorkloads) picked.push_back(&w);

  std::string dir = keep;
  if (dir.empty()) {
    char tmpl[] = "/tmp/bench_workloads.XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    dir = tmpl;
  } else {
    std::filesystem::create_directories(dir);
  }
  const std::string src = QM_WORKLOADS_DIR;
  for (const Workload* w : picked) {
    std::string text = read_text(src + "/" + w->name + ".qasm");
    write_program(text, dir + "/" + w->name + ".qmb");
    write_program(".applet\n" + text, dir + "/" + w->name + ".qma");
    std::filesystem::copy_file(src + "/" + w->name + ".lua", dir + "/" + w->name + ".lua",
                               std::filesystem::copy_options::overwrite_existing);
  }
  if (!keep.empty()) return 0;
  const std::string empty_program = ".maxstack 2\n  RETURN r0 1\n";
  write_program(empty_program, dir + "/empty.qmb");
  write_program(".applet\n" + empty_program, dir + "/empty.qma");
  std::ofstream(dir + "/empty.lua").put('\n');

  // The player opens its window and sound device as in normal use, headless unless a driver is
  // chosen already. It runs in its own folder so that nothing it may write lands elsewhere.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  struct Times {
    std::vector<double> player, qmrun, lua;
  };
  std::vector<Times> times(picked.size() + 1);  // the last: the empty program
  print_load("before");
  for (int r = 0; r < rounds; ++r) {
    for (size_t i = 0; i <= picked.size(); ++i) {
      std::string base = dir + "/" + (i < picked.size() ? picked[i]->name : "empty");
      std::string cmds[3] = {"cd " + dir + " && " + QM_PLAYER + " -QUIET " + base + ".qma >/dev/null",
                             std::string(QM_QMRUN) + " " + base + ".qmb >/dev/null",
                             "lua5.4 " + base + ".lua >/dev/null"};
      std::vector<double>* into[3] = {&times[i].player, &times[i].qmrun, &times[i].lua};
      for (int s = 0; s < 3; ++s) into[s]->push_back(callgrind ? count_once(cmds[s], dir) : run_once(cmds[s]));
    }
  }
  print_load("after");

  // Instruction counts print in millions.
  double unit = callgrind ? 1e6 : 1;
  std::printf("%-9s %-40s %8s %8s %8s %8s %8s\n", "workload", "shape", "player", "qmrun", "lua5.4", "pl/lua",
              "qr/lua");
  const Times& empty = times.back();
  double start_p = median(empty.player), start_q = median(empty.qmrun), start_l = median(empty.lua);
  double log_player = 0, log_qmrun = 0, raw_player = 0, raw_qmrun = 0;
  for (size_t i = 0; i < picked.size(); ++i) {
    double p = median(times[i].player), q = median(times[i].qmrun), l = median(times[i].lua);
    raw_player += std::log(p / l);
    raw_qmrun += std::log(q / l);
    p -= start_p;
    q -= start_q;
    l -= start_l;
    log_player += std::log(p / l);
    log_qmrun += std::log(q / l);
    std::printf("%-9s %-40s %8.3f %8.3f %8.3f %8.2f %8.2f\n", picked[i]->name, picked[i]->shape, p / unit, q / unit,
                l / unit, p / l, q / l);
  }
  double n = double(picked.size());
  std::printf("%-9s %-40s %8s %8s %8s %8.2f %8.2f\n", "geomean", "", "", "", "", std::exp(log_player / n),
              std::exp(log_qmrun / n));
  std::printf("start-up and exit, taken off above: player %.3f  qmrun %.3f  lua5.4 %.3f; geomean with it: %.2f %.2f\n",
              start_p / unit, start_q / unit, start_l / unit, std::exp(raw_player / n), std::exp(raw_qmrun / n));
  if (callgrind)
    std::printf("(instructions in millions, counted by callgrind; ratios are ours / lua5.4)\n");
  else
    std::printf("(median of %d interleaved rounds, %s seconds; ratios are ours / lua5.4)\n", rounds,
                g_wall ? "elapsed" : "processor");
  std::filesystem::remove_all(dir);
  return 0;
}
