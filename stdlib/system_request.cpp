// The system library's requesters: FileRequest, PathRequest, StringRequest, FontRequest,
// ListRequest and ColorRequest, and the message box behind SystemRequest and the error report.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "engine/vmstring.h"
#include "platform/requester.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/vfile.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

constexpr size_t kPathSize = 1024;
constexpr int32_t kMaxStringLength = 1024;

// The last file chosen (folder and file) and the last folder: where the next requester starts
// when the program names no place.
char g_last_file[kPathSize] = "";
char g_last_folder[kPathSize] = "";

// Marks the current display while a requester is up; afterwards its key and button state is
// cleared, so that what went to the requester reaches no event handler.
class RequesterOpen {
 public:
  RequesterOpen() : d_(display_current()) {
    if (d_) d_->win.requester_running = 1;
  }
  ~RequesterOpen() {
    if (!d_) return;
    d_->win.requester_running = 0;
    display_reset_input_state(d_);
  }
  RequesterOpen(const RequesterOpen&) = delete;
  RequesterOpen& operator=(const RequesterOpen&) = delete;

 private:
  qmDisplay* d_;
};

std::string opt_string(qmState* L, int32_t n) {
  const char* s = vm_arg_opt_string(L, n, "", nullptr);
  return s ? s : "";
}

// The folder part (up to and including the last separator) and the file part of a path.
void split_path(const char* path, std::string* folder, std::string* file) {
  const char* name = path_file_part(path);
  folder->assign(path, size_t(name - path));
  file->assign(name);
}

int32_t cmd_filerequest(qmState* L) {
  arg_check_count(L, 2, 5);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const char* patterns = vm_arg_check_string(L, 2, nullptr);
  const int32_t mode = to_i32(vm_arg_opt_number(L, 3, REQ_NORMAL));
  std::string folder = opt_string(L, 4), file = opt_string(L, 5);
  if (mode < REQ_NORMAL || mode > REQ_SAVEMODE) return ERR_WRONGUSAGE;
  if (folder.empty() && file.empty() && g_last_file[0]) split_path(g_last_file, &folder, &file);
  FileRequestResult result;
  int32_t r;
  {
    RequesterOpen open;
    r = platform_file_request(title, patterns, mode, folder.c_str(), file.c_str(), &result);
  }
  if (r < 0) return ERR_MEM;
  std::vector<std::string> paths;
  for (const std::string& name : result.names) {
    char full[kPathSize];
    copy_bounded(full, sizeof full, result.path.c_str());
    path_add_part(full, sizeof full, name.c_str());
    paths.push_back(full);
  }
  if (r == 1 && !paths.empty()) copy_bounded(g_last_file, sizeof g_last_file, paths[0].c_str());
  if (mode != REQ_MULTISELECT) {
    vm_push_string(L, r == 1 && !paths.empty() ? paths[0].c_str() : "");
    return 1;
  }
  vm_new_table(L);
  int32_t i = 0;
  if (r == 1) {
    for (const std::string& p : paths) {
      vm_push_string(L, p.c_str());
      vm_raw_seti(L, -2, i++);
    }
  }
  vm_push_string(L, "");
  vm_raw_seti(L, -2, i);
  return 1;
}

int32_t cmd_pathrequest(qmState* L) {
  arg_check_count(L, 1, 3);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const int32_t mode = to_i32(vm_arg_opt_number(L, 2, REQ_NORMAL));
  char folder[kPathSize];
  copy_bounded(folder, sizeof folder, opt_string(L, 3).c_str());
  if (mode != REQ_NORMAL && mode != REQ_SAVEMODE) return ERR_WRONGUSAGE;
  if (!folder[0]) copy_bounded(folder, sizeof folder, g_last_folder);
  std::string chosen;
  int32_t r;
  {
    RequesterOpen open;
    r = platform_path_request(title, folder, &chosen);
  }
  if (r < 0) return ERR_MEM;
  if (r == 1) copy_bounded(g_last_folder, sizeof g_last_folder, chosen.c_str());
  vm_push_string(L, r == 1 ? g_last_folder : "");
  return 1;
}

int32_t cmd_stringrequest(qmState* L) {
  arg_check_count(L, 2, 6);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const char* body = vm_arg_check_string(L, 2, nullptr);
  std::string text = opt_string(L, 3);
  const int32_t kind = to_i32(vm_arg_opt_number(L, 4, 0));
  const int32_t max_length = to_i32(vm_arg_opt_number(L, 5, 0));
  const int32_t flags = to_i32(vm_arg_opt_number(L, 6, 0));
  if (kind != 0 && kind != REQ_STRING_NUMERICAL) return ERR_WRONGUSAGE;
  if (max_length < 0 || max_length > kMaxStringLength) return ERR_WRONGUSAGE;
  if (max_length > 0 && text.size() > size_t(max_length)) text.resize(size_t(max_length));
  if (kind == REQ_STRING_NUMERICAL && !text.empty()) {
    double v;
    if (!vm_str_to_number(text.c_str(), &v)) return ERR_WRONGUSAGE;
  }
  std::string answer;
  int32_t r;
  {
    RequesterOpen open;
    r = platform_string_request(title, body, text.c_str(), &answer, max_length, flags, kind);
  }
  if (r < 0) return ERR_MEM;
  vm_push_string(L, r == 1 ? answer.c_str() : "");
  vm_push_number(L, r == 1 ? 1 : 0);
  return 2;
}

// Weight and slant names, as the font layer names styles.
struct StyleRow {
  const char* name;
  int32_t kind;  // 0 weight, 1 slant
  int32_t value;
};
constexpr StyleRow kFontStyles[] = {
    {"Thin", 0, 0},         {"Extralight", 0, 40}, {"Extra-light", 0, 40}, {"Ultralight", 0, 40},
    {"Ultra-light", 0, 40}, {"Light", 0, 50},      {"Book", 0, 75},        {"Normal", 0, 80},
    {"Regular", 0, 80},     {"Medium", 0, 100},    {"Semibold", 0, 180},   {"Semi-bold", 0, 180},
    {"Semi", 0, 180},       {"Demibold", 0, 180},  {"Demi-bold", 0, 180},  {"Demi", 0, 180},
    {"Bold", 0, 200},       {"Extrabold", 0, 205}, {"Extra-bold", 0, 205}, {"Ultrabold", 0, 205},
    {"Ultra-bold", 0, 205}, {"Black", 0, 210},     {"Heavy", 0, 210},      {"Extrablack", 0, 215},
    {"Ultrablack", 0, 215}, {"Roman", 1, 0},       {"Italic", 1, 100},     {"Oblique", 1, 110},
};

const char* style_name(int32_t kind, int32_t value) {
  for (const StyleRow& row : kFontStyles)
    if (row.kind == kind && row.value == value) return row.name;
  return nullptr;
}

int32_t cmd_fontrequest(qmState* L) {
  arg_check_count(L, 1, 3);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  char name[kPathSize];
  copy_bounded(name, sizeof name, opt_string(L, 2).c_str());
  (void)vm_arg_opt_number(L, 3, 0);  // the flags choose nothing on this host
  FontRequestResult font;
  {
    RequesterOpen open;
    platform_font_request(title, name, 12, &font);
  }
  std::string full = font.name;
  if (font.weight != 80)
    if (const char* w = style_name(0, font.weight)) full += std::string(" ") + w;
  if (font.slant != 0)
    if (const char* s = style_name(1, font.slant)) full += std::string(" ") + s;
  vm_new_table(L);
  table_set_string(L, "name", full.c_str());
  table_set_string(L, "family", font.name.c_str());
  table_set_double(L, "size", font.size);
  table_set_double(L, "weight", font.weight);
  table_set_double(L, "slant", font.slant);
  table_set_double(L, "underline", font.underline);
  table_set_double(L, "strikeout", 0.0);
  table_set_double(L, "bold", font.bold);
  table_set_double(L, "italic", font.italic);
  table_set_double(L, "color", 0.0);
  return 1;
}

int32_t cmd_listrequest(qmState* L) {
  arg_check_count(L, 3, 4);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const char* body = vm_arg_check_string(L, 2, nullptr);
  vm_arg_check_table(L, 3);
  int32_t selected = to_i32(vm_arg_opt_number(L, 4, 0));
  std::vector<std::string> items;
  for (int32_t i = 0;; i++) {
    vm_raw_geti(L, 3, i);
    if (vm_type(L, -1) == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    const char* s = vm_to_string(L, -1);
    items.emplace_back(s && *s ? s : " ");
    vm_pop(L, 1);
  }
  if (items.empty()) return ERR_WRONGUSAGE;
  if (selected < -1 || selected >= int32_t(items.size())) selected = -1;
  int32_t chosen = -1, r;
  {
    RequesterOpen open;
    r = platform_list_request(title, body, items, selected, &chosen);
  }
  if (r < 0) return ERR_MEM;
  vm_push_number(L, r == 1 ? chosen : -1);
  return 1;
}

int32_t cmd_colorrequest(qmState* L) {
  arg_check_count(L, 1, 2);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const int32_t initial = to_i32(vm_arg_opt_number(L, 2, 0));
  int32_t colour = -1, r;
  {
    RequesterOpen open;
    r = platform_color_request(title, initial, &colour);
  }
  vm_push_number(L, r == 1 ? colour : -1);
  return 1;
}

// The message box behind SystemRequest and the error report. When no person can see a box (no
// display server, a headless driver, scripted replies) the text goes to standard error as well.
int32_t message_box(const char* title, const char* text, const char* buttons, int32_t icon) {
  RequesterOpen open;
  if (!platform_message_box_possible()) std::fprintf(stderr, "%s: %s\n", title ? title : "", text ? text : "");
  return platform_system_request(title, text, buttons, icon);
}

}  // namespace

const qmCommand kSystemRequestCommands[] = {
    {"FileRequest", cmd_filerequest},
    {"PathRequest", cmd_pathrequest},
    {"StringRequest", cmd_stringrequest},
    {"FontRequest", cmd_fontrequest},
    {"ListRequest", cmd_listrequest},
    {"ColorRequest", cmd_colorrequest},
    {nullptr, nullptr},
};

void system_requesters_install() { err_set_request_fn(message_box); }

void system_requesters_reset() {
  g_last_file[0] = 0;
  g_last_folder[0] = 0;
}
