// What the anim benchmarks share: shell commands and hyperfine's mean time of a command.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace animbench {

inline int sh(const std::string& cmd) {
  return std::system(cmd.c_str());
}

// The mean of a hyperfine JSON export's first result, in seconds.
inline double mean_of(const std::string& json) {
  std::ifstream in(json);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t at = text.find("\"mean\":");
  return at == std::string::npos ? 0 : std::atof(text.c_str() + at + 7);
}

// The mean of 5 runs after one warm-up, in seconds; 0 when the command or hyperfine fails. The
// JSON export goes to dir/name.json.
inline double hyperfine(const std::string& dir, const std::string& name, const std::string& cmd) {
  const std::string json = dir + "/" + name + ".json";
  if (sh("hyperfine -N --runs 5 --warmup 1 --style none --export-json " + json + " '" + cmd +
         "' > /dev/null 2>&1"))
    return 0;
  return mean_of(json);
}

}  // namespace animbench
