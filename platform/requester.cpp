// Requesters over SDL's message box and the zenity dialog program.
#include "platform/requester.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/fonts.h"
#include "platform/platform.h"

extern char** environ;

// ---- the rules ----

int32_t requester_split_buttons(std::string_view list, std::vector<std::string>* labels) {
  labels->clear();
  size_t start = 0;
  for (;;) {
    size_t bar = list.find('|', start);
    labels->emplace_back(list.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (labels->size() > size_t(kMaxRequesterButtons)) return -1;
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return int32_t(labels->size());
}

int32_t requester_button_result(int32_t index, int32_t count) {
  if (index < 0 || index >= count) return 0;
  return index == count - 1 ? 0 : index + 1;
}

std::vector<std::string> requester_patterns(std::string_view list) {
  std::vector<std::string> out;
  if (list.empty() || list.front() == '*' || list == "#?") return out;
  size_t start = 0;
  for (;;) {
    size_t bar = list.find('|', start);
    std::string_view ext = list.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    if (!ext.empty()) out.push_back(ext.front() == '.' ? std::string(ext) : std::string(1, '.').append(ext));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return out;
}

bool requester_pattern_matches(const std::vector<std::string>& extensions, std::string_view name) {
  if (extensions.empty()) return true;
  for (const std::string& ext : extensions) {
    if (name.size() < ext.size()) continue;
    std::string_view tail = name.substr(name.size() - ext.size());
    bool same = true;
    for (size_t i = 0; i < ext.size() && same; i++)
      same = std::tolower(static_cast<unsigned char>(tail[i])) == std::tolower(static_cast<unsigned char>(ext[i]));
    if (same) return true;
  }
  return false;
}

bool requester_file_record(const std::vector<std::string>& paths, FileRequestResult* out) {
  *out = FileRequestResult{};
  if (paths.empty()) return false;
  for (const std::string& p : paths) {
    size_t slash = p.rfind('/');
    if (slash == std::string::npos) return false;
    if (out->path.empty()) out->path = p.substr(0, slash + 1);
    out->names.push_back(p.substr(slash + 1));
  }
  out->ok = 1;
  return true;
}

bool requester_is_number(std::string_view text) {
  if (text.empty()) return false;
  size_t i = text.front() == '-' ? 1 : 0;
  int dots = 0;
  for (; i < text.size(); i++) {
    if (text[i] == '.') {
      if (++dots > 1) return false;
    } else if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      return false;
    }
  }
  return text != "-";
}

std::string requester_string_default(std::string_view text, int32_t kind, int32_t max_length) {
  std::string out(text);
  if (kind == REQ_STRING_NUMERICAL && !requester_is_number(out)) out = "0";
  if (max_length > 0 && out.size() > size_t(max_length)) out.resize(size_t(max_length));
  // The requester's text buffer holds 1024 bytes with its NUL.
  if (out.size() > kRequesterTextMax) out.resize(kRequesterTextMax);
  return out;
}

int32_t requester_colour_from_16(uint32_t red, uint32_t green, uint32_t blue) {
  return int32_t((red / 257) * 65536 + (green / 257) * 256 + blue / 257);
}

int32_t requester_parse_colour(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  if (text.size() == 7 && text[0] == '#') {
    int32_t v = 0;
    for (size_t i = 1; i < 7; i++) {
      int c = std::tolower(static_cast<unsigned char>(text[i]));
      if (!std::isxdigit(c)) return -1;
      v = v * 16 + (std::isdigit(c) ? c - '0' : c - 'a' + 10);
    }
    return v;
  }
  size_t open = text.find('(');
  if (open == std::string_view::npos || text.back() != ')') return -1;
  std::string_view head = text.substr(0, open);
  if (head != "rgb" && head != "rgba") return -1;
  int32_t comp[3];
  std::string_view rest = text.substr(open + 1, text.size() - open - 2);
  for (int32_t& c : comp) {
    size_t comma = rest.find(',');
    std::string part(rest.substr(0, comma));
    char* end = nullptr;
    long v = std::strtol(part.c_str(), &end, 10);
    if (part.empty() || end == part.c_str() || v < 0 || v > 255) return -1;
    c = int32_t(v);
    if (comma == std::string_view::npos) rest = {};
    else rest = rest.substr(comma + 1);
  }
  return (comp[0] << 16) | (comp[1] << 8) | comp[2];
}

// ---- the message box ----

bool platform_message_box_possible() {
  if (platform_video_start() != 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  // Offscreen and dummy drivers have no box of their own, and SDL would fall back to an X11 box
  // whenever DISPLAY is set: a headless run must never wait for a person.
  return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

namespace {

uint32_t box_kind(int32_t icon) {
  switch (icon) {
    case 1: return SDL_MESSAGEBOX_INFORMATION;
    case 2: return SDL_MESSAGEBOX_ERROR;
    case 0: case 4: return 0;
    default: return SDL_MESSAGEBOX_WARNING;
  }
}

}  // namespace

int32_t platform_system_request(const char* title, const char* text, const char* buttons, int32_t icon) {
  std::vector<std::string> labels;
  const bool custom = buttons != nullptr;
  int32_t count = custom ? requester_split_buttons(buttons, &labels) : 1;
  if (count < 0) return -1;
  if (!custom) labels = {"OK"};
  std::string reply;
  if (platform_requester_scripted("system", title, &reply)) {
    if (!custom) return 0;
    int32_t chosen = std::atoi(reply.c_str());
    if (chosen < 1 || chosen > count) chosen = count == 2 ? 2 : 0;  // Escape: the cancel button
    return chosen == 0 ? 0 : requester_button_result(chosen - 1, count);
  }
  if (!platform_message_box_possible()) return -1;
  std::vector<std::string> utf8(labels.size());
  std::vector<SDL_MessageBoxButtonData> data(labels.size());
  for (size_t i = 0; i < labels.size(); i++) {
    utf8[i] = platform_latin1_to_utf8(labels[i]);
    data[i].flags = 0;
    // With fewer than three buttons the first is the default; of two, the second cancels.
    if (i == 0 && count < 3) data[i].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (i == 1 && count == 2) data[i].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data[i].buttonid = int(i);
    data[i].text = utf8[i].c_str();
  }
  std::string t = platform_latin1_to_utf8(title ? title : ""), b = platform_latin1_to_utf8(text ? text : "");
  SDL_MessageBoxData box{};
  box.flags = box_kind(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = t.c_str();
  box.message = b.c_str();
  box.numbuttons = int(data.size());
  box.buttons = data.data();
  int hit = -1;
  if (SDL_ShowMessageBox(&box, &hit) != 0) return -1;
  if (!custom) return 0;
  return requester_button_result(hit, count);
}

// ---- the dialog program ----

namespace {

std::string g_program = "zenity";
bool g_missing_told = false;

bool program_found(const std::string& name) {
  if (name.empty()) return false;
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

// The dialog's standard input: an in-memory file that holds the data, so that writing never
// waits on the dialog; /dev/null without data. -1 when it cannot be made.
int input_file(const std::string* data) {
  if (!data) return open("/dev/null", O_RDONLY | O_CLOEXEC);
  int fd = memfd_create("dialog-input", MFD_CLOEXEC);
  if (fd < 0) return -1;
  for (size_t done = 0; done < data->size();) {
    ssize_t n = write(fd, data->data() + done, data->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      close(fd);
      return -1;
    }
    done += size_t(n);
  }
  if (lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Runs the dialog with the arguments (UTF-8), `input` on its standard input when given, and
// collects what it prints. 1 when it ended with status 0 (the user confirmed), 0 for a cancel or
// a missing program, -1 when it could not start.
int32_t run_dialog(const std::vector<std::string>& args, std::string* out, const std::string* input = nullptr) {
  out->clear();
  if (!program_found(g_program)) {
    if (!g_missing_told) {
      std::fprintf(stderr, "The dialog program \"%s\" was not found: requesters answer \"cancelled\".\n",
                   g_program.c_str());
      g_missing_told = true;
    }
    return 0;
  }
  int in = input_file(input);
  if (in < 0) return -1;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    close(in);
    return -1;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(g_program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) {
    close(in);
    close(fds[0]);
    close(fds[1]);
    return -1;
  }
  if (pid == 0) {
    dup2(in, STDIN_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(in);
  close(fds[1]);
  // The window system keeps being served while the dialog is up, so windows stay responsive.
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    int r = poll(&p, 1, 10);
    if (r < 0 && errno != EINTR) break;
    if (r > 0) {
      char buf[4096];
      ssize_t n = read(fds[0], buf, sizeof buf);
      if (n > 0) {
        out->append(buf, size_t(n));
        continue;
      }
      if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
    }
    if (platform_video_started()) SDL_PumpEvents();
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  while (!out->empty() && (out->back() == '\n' || out->back() == '\r')) out->pop_back();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
}

std::string u8(const char* latin1) { return platform_latin1_to_utf8(latin1 ? latin1 : ""); }

// The dialog program reads backslash escapes in the text above a list or an entry; a list's text
// is markup besides, and an entry's text marks its access key with "_". Escaped, the program's
// text shows as it stands.
std::string dialog_label(const char* latin1, bool markup) {
  std::string out;
  for (const char* p = latin1 ? latin1 : ""; *p; p++) {
    switch (*p) {
      case '\\': out += "\\\\"; break;
      case '&': out += markup ? "&amp;" : "&"; break;
      case '<': out += markup ? "&lt;" : "<"; break;
      case '>': out += markup ? "&gt;" : ">"; break;
      case '_': out += markup ? "_" : "__"; break;
      default: out += *p;
    }
  }
  return platform_latin1_to_utf8(out);
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(sep, start);
    out.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return out;
    start = at + 1;
  }
}

// A glob that matches the extension in any case: ".png" gives "*.[pP][nN][gG]".
std::string any_case_glob(const std::string& ext) {
  std::string g = "*";
  for (char c : ext) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isalpha(u)) {
      g += '[';
      g += char(std::tolower(u));
      g += char(std::toupper(u));
      g += ']';
    } else if (c == '[' || c == ']' || c == '*' || c == '?') {
      g += '[';
      g += c;
      g += ']';
    } else {
      g += c;
    }
  }
  return g;
}

std::string joined_folder(const char* folder, const char* file) {
  std::string f = folder ? folder : "";
  if (!f.empty() && f.back() != '/') f += '/';
  return f + (file ? file : "");
}

}  // namespace

void platform_set_dialog_program(const char* name) {
  g_program = name ? name : "";
  g_missing_told = false;
}

int32_t platform_file_request(const char* title, const char* patterns, int32_t mode, const char* folder,
                              const char* file, FileRequestResult* out) {
  *out = FileRequestResult{};
  std::string reply;
  std::vector<std::string> paths;
  if (platform_requester_scripted("file", title ? title : "", &reply)) {
    if (reply.empty()) return 0;
    paths = split(reply, '|');
  } else {
    std::vector<std::string> args = {"--file-selection", "--title=" + u8(title), "--separator=\n"};
    if (mode == REQ_MULTISELECT) args.push_back("--multiple");
    if (mode == REQ_SAVEMODE) args.insert(args.end(), {"--save", "--confirm-overwrite"});
    std::string start = joined_folder(folder, file);
    if (!start.empty()) args.push_back("--filename=" + platform_latin1_to_utf8(start));
    std::vector<std::string> exts = requester_patterns(patterns ? patterns : "");
    if (!exts.empty() && mode != REQ_SAVEMODE) {
      std::string filter = std::string("--file-filter=").append(u8(patterns)).append(" |");
      for (const std::string& e : exts) filter.append(1, ' ').append(platform_latin1_to_utf8(any_case_glob(e)));
      args.push_back(filter);
    }
    std::string text;
    int32_t r = run_dialog(args, &text);
    if (r <= 0) return r;
    for (const std::string& p : split(text, '\n'))
      if (!p.empty()) paths.push_back(platform_utf8_to_latin1(p));
    if (paths.empty()) return 0;
  }
  if (mode != REQ_MULTISELECT && paths.size() > 1) paths.resize(1);
  return requester_file_record(paths, out) ? 1 : -1;
}

int32_t platform_path_request(const char* title, const char* folder, std::string* out) {
  out->clear();
  std::string reply;
  if (platform_requester_scripted("path", title ? title : "", &reply)) {
    if (reply.empty()) return 0;
    *out = reply;
    return 1;
  }
  std::vector<std::string> args = {"--file-selection", "--directory", "--title=" + u8(title)};
  if (folder && *folder) args.push_back("--filename=" + platform_latin1_to_utf8(joined_folder(folder, "")));
  std::string text;
  int32_t r = run_dialog(args, &text);
  if (r <= 0 || text.empty()) return r < 0 ? -1 : 0;
  *out = platform_utf8_to_latin1(text).substr(0, kRequesterTextMax);
  return 1;
}

int32_t platform_string_request(const char* title, const char* text, const char* default_text, std::string* out,
                                int32_t max_length, int32_t flags, int32_t kind) {
  out->clear();
  std::string current = requester_string_default(default_text ? default_text : "", kind, max_length);
  std::string reply;
  if (platform_requester_scripted("string", title ? title : "", &reply)) {
    if (reply.empty()) return 0;
    *out = reply.substr(0, kRequesterTextMax);
    return 1;
  }
  // The dialog cannot filter typing: a text that breaks the rules opens it again with the text
  // cut to the maximum length, or with the last acceptable text for numbers.
  for (;;) {
    std::vector<std::string> args = {"--entry", "--title=" + u8(title), "--text=" + dialog_label(text, false),
                                     "--entry-text=" + platform_latin1_to_utf8(current)};
    if (flags & 1) args.push_back("--hide-text");
    std::string typed;
    int32_t r = run_dialog(args, &typed);
    if (r <= 0) return r;
    std::string latin1 = platform_utf8_to_latin1(typed);
    bool fits = max_length <= 0 || latin1.size() <= size_t(max_length);
    bool number = kind != REQ_STRING_NUMERICAL || requester_is_number(latin1);
    if (fits && number) {
      *out = latin1.substr(0, kRequesterTextMax);
      return 1;
    }
    if (number) current = latin1.substr(0, size_t(max_length));
  }
}

namespace {

// A list of one column as radio buttons (one row chosen) or as check boxes (any rows chosen), the
// rows of `marked` starting chosen, since the dialog has no other way to start with a choice. The
// rows go through standard input, one value a line, so that a row beginning with "-" is never read
// as an option. 1 with *rows the chosen rows in order, 0 cancelled, -1 failure.
int32_t run_list(const std::string& title, const std::string& text, const std::vector<std::string>& items,
                 const std::vector<bool>& marked, bool several, std::vector<int32_t>* rows) {
  rows->clear();
  std::string input;
  for (size_t i = 0; i < items.size(); i++) {
    std::string item = platform_latin1_to_utf8(items[i]);
    for (char& c : item)
      if (c == '\n' || c == '\r') c = ' ';
    input.append(i < marked.size() && marked[i] ? "TRUE\n" : "FALSE\n").append(std::to_string(i)).append(1, '\n');
    input.append(item).append(1, '\n');
  }
  std::vector<std::string> args = {"--list", several ? "--checklist" : "--radiolist", "--title=" + title,
                                   "--text=" + text, "--column=", "--column=#", "--column=", "--hide-column=2",
                                   "--print-column=2", "--separator=|", "--hide-header"};
  std::string chosen;
  int32_t r = run_dialog(args, &chosen, &input);
  if (r <= 0) return r;
  if (!chosen.empty())
    for (const std::string& cell : split(chosen, '|')) {
      int32_t n = std::atoi(cell.c_str());
      if (n >= 0 && size_t(n) < items.size()) rows->push_back(n);
      if (!several) break;
    }
  return 1;
}

// One row of the list chosen: *row, or -1 when none. The row `initial` (-1: none) starts chosen.
int32_t run_pick_list(const std::string& title, const std::string& text, const std::vector<std::string>& items,
                      int32_t initial, int32_t* row) {
  std::vector<bool> marked(items.size());
  if (initial >= 0 && size_t(initial) < items.size()) marked[size_t(initial)] = true;
  std::vector<int32_t> rows;
  int32_t r = run_list(title, text, items, marked, false, &rows);
  *row = rows.empty() ? -1 : rows[0];
  return r;
}

}  // namespace

int32_t platform_list_request(const char* title, const char* text, const std::vector<std::string>& items,
                              int32_t initial, int32_t* selection) {
  *selection = -1;
  std::string reply;
  if (platform_requester_scripted("list", title ? title : "", &reply)) {
    if (reply.empty()) return 0;
    int32_t row = std::atoi(reply.c_str());
    *selection = row >= 0 && size_t(row) < items.size() ? row : -1;
    return 1;
  }
  return run_pick_list(u8(title), dialog_label(text, true), items, initial, selection);
}

int32_t platform_color_request(const char* title, int32_t initial, int32_t* out) {
  std::string reply;
  if (!platform_requester_scripted("colour", title ? title : "", &reply)) {
    char start[16];
    std::snprintf(start, sizeof start, "#%06X", unsigned(initial < 0 ? 0 : initial & 0xFFFFFF));
    if (run_dialog({"--color-selection", "--title=" + u8(title), std::string("--color=") + start}, &reply) != 1)
      return 0;
  }
  int32_t colour = requester_parse_colour(reply);
  if (colour < 0) return 0;
  *out = colour;
  return 1;
}

int32_t requester_font_size(std::string_view text) {
  if (text.empty() || text.size() > 4) return 0;
  int32_t size = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    size = size * 10 + (c - '0');
  }
  return size >= 1 && size <= kMaxFontRequestSize ? size : 0;
}

int32_t platform_font_request(const char* title, const char* name, int32_t size, FontRequestResult* out) {
  *out = FontRequestResult{};
  out->name = name && *name ? name : "DejaVu Sans";
  out->size = name && *name ? size : 12;
  std::string reply;
  if (platform_requester_scripted("font", title ? title : "", &reply)) {
    if (reply.empty()) return 1;
    std::vector<std::string> parts = split(reply, '|');
    if (!parts[0].empty()) out->name = parts[0];
    if (parts.size() > 1 && requester_font_size(parts[1]) > 0) out->size = requester_font_size(parts[1]);
    return 1;
  }
  // The families as a list with the current one marked (a full name such as "DejaVu Sans Bold"
  // marks its family), then the size, then the styles with the current font's own marked; a
  // cancel at any step keeps the font the requester started with.
  PlatformFontFace face;
  if (!platform_font_face(out->name.c_str(), &face)) face.family = out->name;
  const std::vector<std::string> families = platform_font_families();
  int32_t current = -1;
  for (size_t i = 0; i < families.size() && current < 0; i++)
    if (strcasecmp(families[i].c_str(), face.family.c_str()) == 0) current = int32_t(i);
  int32_t row = -1;
  if (run_pick_list(u8(title), "Font", families, current, &row) != 1) return 1;
  std::string size_text = std::to_string(out->size);
  int32_t chosen_size = 0;
  while (chosen_size == 0) {
    std::string typed;
    if (run_dialog({"--entry", "--title=" + u8(title), "--text=Size", "--entry-text=" + size_text}, &typed) != 1)
      return 1;
    chosen_size = requester_font_size(typed);
  }
  std::vector<int32_t> styles;
  if (run_list(u8(title), "Style", {"Bold", "Italic", "Underline"}, {face.bold, face.italic, false}, true,
               &styles) != 1)
    return 1;
  if (row >= 0) out->name = families[size_t(row)];
  out->size = chosen_size;
  for (int32_t s : styles) (s == 0 ? out->bold : s == 1 ? out->italic : out->underline) = 1;
  out->weight = out->bold ? 200 : 80;
  out->slant = out->italic ? 100 : 0;
  return 1;
}
