// Starting other programs and opening documents.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

namespace {

constexpr size_t kMaxArgs = 127;

// Starts argv[0] (a path, or a name searched in PATH when search is set) as a process of its own
// and does not wait for it. The child forks the program's process and ends at once, so no zombie
// is left behind and the program belongs to init. A pipe closed on exec tells whether the exec
// happened: it reaches end of file on success and carries the errno otherwise. Whatever fails in
// the children ends them with _exit: they never go on as a second copy of the player.
int32_t spawn_detached(const std::vector<std::string>& args, bool search) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return qm::ERR_READFILE;
  pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return qm::ERR_READFILE;
  }
  if (child == 0) {
    close(fds[0]);
    pid_t grandchild = fork();
    if (grandchild == 0) {
      if (search) {
        execvp(argv[0], argv.data());
      } else {
        execv(argv[0], argv.data());
      }
      int err = errno;
      ssize_t ignored = write(fds[1], &err, sizeof err);
      (void)ignored;
      _exit(127);
    }
    if (grandchild < 0) {
      int err = errno;
      ssize_t ignored = write(fds[1], &err, sizeof err);
      (void)ignored;
    }
    _exit(grandchild < 0 ? 127 : 0);
  }
  close(fds[1]);
  int err = 0;
  ssize_t n;
  do {
    n = read(fds[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  close(fds[0]);
  int status;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return n > 0 ? qm::ERR_READFILE : 0;
}

int32_t xdg_open(const std::string& host_path) {
  return spawn_detached({"xdg-open", host_path}, true);
}

qmOpenDocumentFn g_opener = xdg_open;

bool ends_with_nocase(const std::string& text, const char* tail) {
  size_t n = std::char_traits<char>::length(tail);
  return text.size() >= n && qm::str_case_cmp(text.c_str() + text.size() - n, tail) == 0;
}

// Splits at spaces; a double-quoted part belongs to one argument and loses its quotes.
int32_t split_args(const std::string& text, std::vector<std::string>* out) {
  std::string current;
  bool in_word = false, quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (c == ' ' && !quoted) {
      if (in_word) out->push_back(std::move(current));
      current.clear();
      in_word = false;
    } else {
      current += c;
      in_word = true;
    }
  }
  if (quoted) return qm::ERR_WRONGUSAGE;
  if (in_word) out->push_back(std::move(current));
  return out->size() > kMaxArgs ? qm::ERR_WRONGUSAGE : 0;
}

}  // namespace

qmOpenDocumentFn qmos_set_document_opener(qmOpenDocumentFn fn) {
  qmOpenDocumentFn previous = g_opener;
  g_opener = fn ? fn : xdg_open;
  return previous;
}

int32_t qmos_open_document(const char* path) {
  if (!path) return qm::ERR_READFILE;
  return g_opener(qmos_native_name(path, true));
}

int32_t qmos_run_program(const char* path, const char* args, int32_t async) {
  if (!path) return qm::ERR_WRONGUSAGE;
  std::string unix_path(path);
  for (char& c : unix_path) {
    if (c == '\\') c = '/';
  }
  // A file with an extension is a document, unless it is a program by its extension.
  std::string display = vfile_basename(unix_path.c_str());
  if (display.find('.') != std::string::npos &&
      !(unix_path.size() >= 6 &&
        (ends_with_nocase(unix_path, ".app") || ends_with_nocase(unix_path, ".exe")))) {
    return qmos_open_document(unix_path.c_str());
  }
  std::string arg_text = args ? args : "";
  if (!async) {
    std::string command = qmos_native_name(unix_path.c_str(), true);
    if (!arg_text.empty()) command += ' ' + qmos_latin1_to_utf8(arg_text);
    int rc = std::system(command.c_str());
    (void)rc;  // the program's own exit status is its business
    return 0;
  }
  // There are no application bundles on this host: a ".app" path starts like any program.
  std::vector<std::string> argv{qmos_native_name(unix_path.c_str(), true)};
  std::vector<std::string> split;
  if (int32_t err = split_args(arg_text, &split)) return err;
  for (auto& a : split) argv.push_back(qmos_latin1_to_utf8(a));
  return spawn_detached(argv, false);
}
