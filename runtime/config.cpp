// The option table, the command-line word parser, the .ini parser and apply_options.
#include "runtime/config.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "runtime/errors.h"
#include "runtime/numparse.h"
#include "runtime/os/qmos.h"

namespace qm {

const OptionDef kOptionTable[] = {
    {"WINDOW", OPT_WINDOW, false, "Arguments controlling the window style:", "open script in a window (default)", nullptr, nullptr},
    {"BORDERLESS", OPT_BORDERLESS, false, nullptr, "make window borderless", nullptr, nullptr},
    {"SIZEABLE", OPT_SIZEABLE, false, nullptr, "allow window resizing", nullptr, nullptr},
    {"FIXED", OPT_FIXED, false, nullptr, "forbid window dragging", nullptr, nullptr},
    {"NOHIDE", OPT_NOHIDE, false, nullptr, "forbid window minimizing", nullptr, nullptr},
    {"FULLSCREEN", OPT_FULLSCREEN, false, "Arguments controlling full screen mode:", "open script in best available full screen mode", nullptr, nullptr},
    {"FAKEFULLSCREEN", OPT_FAKEFULLSCREEN, false, nullptr, "open script in fake full screen mode", nullptr, nullptr},
    {"OWNSCREEN", OPT_OWNSCREEN, false, nullptr, "open script in custom full screen mode", nullptr, nullptr},
    {"SCRWIDTH", OPT_SCRWIDTH, true, nullptr, "set width for custom full screen mode", "<width>", nullptr},
    {"SCRHEIGHT", OPT_SCRHEIGHT, true, nullptr, "set height for custom full screen mode", "<height>", nullptr},
    {"DEPTH", OPT_DEPTH, true, nullptr, "set depth for custom full screen mode", "<depth>", nullptr},
    {"HIDEPOINTER", OPT_HIDEPOINTER, false, nullptr, "automatically hide pointer when in full screen mode", nullptr, nullptr},
    {"NOMODESWITCH", OPT_NOMODESWITCH, false, nullptr, "forbid hotkey switching between windowed and full screen modes", nullptr, nullptr},
    {"BACKFILL", OPT_BACKFILL, true, "Arguments controlling backfill style:", "enable backfill decoration", "<mode>", "color|gradient|texture|picture"},
    {"STARTCOLOR", OPT_STARTCOLOR, true, nullptr, "set start color to use for backfilling", "<color>", "$RRGGBB"},
    {"ENDCOLOR", OPT_ENDCOLOR, true, nullptr, "set end color to use for backfilling", "<color>", "$RRGGBB"},
    {"BRUSHFILE", OPT_BRUSHFILE, true, nullptr, "set image to be used for backfilling", "<image file>", nullptr},
    {"BRUSH", OPT_BRUSH, true, nullptr, "alternative way of specifying backfill image", "<brush id>", nullptr},
    {"SCALEPICTURE", OPT_SCALEPICTURE, false, nullptr, "scale backfill image to fit display size", nullptr, nullptr},
    {"PICXPOS", OPT_PICXPOS, true, nullptr, "set x-position of backfill image (defaults to center)", "<pos>", nullptr},
    {"PICYPOS", OPT_PICYPOS, true, nullptr, "set y-position of backfill image (defaults to center)", "<pos>", nullptr},
    {"PICTRANS", OPT_PICTRANS, true, nullptr, "set transparent color for backfill image (defaults to no transparency)", "<color>", "$RRGGBB"},
    {"HIDETITLEBAR", OPT_HIDETITLEBAR, false, nullptr, "position backfill above desktop title bar", nullptr, nullptr},
    {"COMPILE", OPT_COMPILE, true, "Arguments controlling the compiler:", "compile script into an executable or applet", "<output file>", nullptr},
    {"EXETYPE", OPT_EXETYPE, true, nullptr, "configure compiler output type (defaults to current platform)", "<type>", "linux|applet"},
    {"COMPRESS", OPT_COMPRESS, false, nullptr, "enable compression for compiled script", nullptr, nullptr},
    {"OVERWRITE", OPT_OVERWRITE, false, nullptr, "overwrite existing file without asking", nullptr, nullptr},
    {"LOCKSETTINGS", OPT_LOCKSETTINGS, false, nullptr, "lock display settings in output file", nullptr, nullptr},
    {"LINKFILES", OPT_LINKFILES, true, nullptr, "database containing additional files to link into output file", "<database file>", nullptr},
    {"LINKFONTS", OPT_LINKFONTS, true, nullptr, "database containing additional fonts to link into output file", "<database file>", nullptr},
    {"ICON16X16", 53, true, nullptr, "16x16 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON24X24", 54, true, nullptr, "24x24 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON32X32", 55, true, nullptr, "32x32 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON48X48", 56, true, nullptr, "48x48 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON128X128", 57, true, nullptr, "128x128 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON256X256", 58, true, nullptr, "256x256 pixel icon to link into output file", "<image file>", nullptr},
    {"ICON512X512", 59, true, nullptr, "512x512 pixel icon to link into output file", "<image file>", nullptr},
    {"AUTOSCALE", OPT_AUTOSCALE, false, "Arguments controlling the scaling engine:", "enable auto scaling engine", nullptr, nullptr},
    {"LAYERSCALE", OPT_LAYERSCALE, false, nullptr, "enable layer scaling engine", nullptr, nullptr},
    {"SCALEWIDTH", OPT_SCALEWIDTH, true, nullptr, "set scaling engine output width", "<width>", nullptr},
    {"SCALEHEIGHT", OPT_SCALEHEIGHT, true, nullptr, "set scaling engine output height", "<height>", nullptr},
    {"SMOOTHSCALE", OPT_SMOOTHSCALE, false, nullptr, "enable antialiased interpolation (slower)", nullptr, nullptr},
    {"KEEPPROPORTIONS", OPT_KEEPPROPORTIONS, false, nullptr, "do not allow distorted scaling", nullptr, nullptr},
    {"FITSCALE", OPT_FITSCALE, false, nullptr, "choose scaling resolution automatically from current desktop size", nullptr, nullptr},
    {"EXPORTCOMMANDS", OPT_EXPORTCOMMANDS, true, "Arguments for obtaining information about native functionality:", "export list of native commands to specified file", "<file>", nullptr},
    {"EXPORTCONSTANTS", OPT_EXPORTCONSTANTS, true, nullptr, "export list of native constants to specified file", "<file>", nullptr},
    {"EXPORTPLUGINS", OPT_EXPORTPLUGINS, true, nullptr, "export list of loaded plugins to specified file", "<file>", nullptr},
    {"QUIET", OPT_QUIET, false, "Miscellaneous arguments:", "suppress Quillmere's startup output", nullptr, nullptr},
    {"NOSOUND", OPT_NOSOUND, false, nullptr, "disable sound output", nullptr, nullptr},
    {"USEQUARTZ", OPT_USEQUARTZ, false, nullptr, "use Quartz technology instead of QuickDraw", nullptr, nullptr},
    {"DEBUGDEVICE", OPT_DEBUGDEVICE, true, nullptr, "set device for debug output", "<dev>", nullptr},
    {"PRIVATE1", OPT_EXPORTCOMMANDS, true, nullptr, nullptr, nullptr, nullptr},
    {"PRIVATE2", OPT_EXPORTCONSTANTS, true, nullptr, nullptr, nullptr, nullptr},
    {"PRIVATE3", OPT_PRIVATE3, true, nullptr, nullptr, nullptr, nullptr},
    {"SCRIPTALIAS", OPT_SCRIPTALIAS, true, nullptr, nullptr, nullptr, nullptr},
    {nullptr, 0, false, nullptr, nullptr, nullptr, nullptr},
};

const OptionDef* option_find(const char* name) {
  for (const OptionDef* row = kOptionTable; row->name; ++row) {
    if (str_case_cmp(row->name, name) == 0) return row;
  }
  return nullptr;
}

namespace {

bool is_name_char(unsigned char c) { return char_is_alnum(c) || c == '_'; }

// ---- command line --------------------------------------------------------------------------------

// What the next value word goes to.
struct Pending {
  int32_t slot = -1;          // an option slot
  int32_t foreign = -1;       // index of a foreign option
  bool any() const { return slot >= 0 || foreign >= 0; }
};

int32_t take_word(const std::string& word, OptionValues* values, Pending* pending);

int32_t take_option(const std::string& word, OptionValues* values, Pending* pending) {
  if (pending->any()) return ERR_ARGS;
  size_t end = 1;
  while (end < word.size() && is_name_char(static_cast<unsigned char>(word[end]))) end++;
  std::string name = word.substr(1, end - 1);
  if (const OptionDef* row = option_find(name.c_str())) {
    if (row->takes_argument) {
      pending->slot = row->id;
    } else {
      values->flag[size_t(row->id)] = 1;
    }
  } else {
    values->foreign.push_back({name, std::nullopt});
    pending->foreign = int32_t(values->foreign.size() - 1);
  }
  // The character that ended the name is dropped; the rest reads as the next word.
  if (end + 1 < word.size()) return take_word(word.substr(end + 1), values, pending);
  return 0;
}

int32_t take_word(const std::string& word, OptionValues* values, Pending* pending) {
  if (!word.empty() && word[0] == '-') return take_option(word, values, pending);
  if (pending->slot >= 0) {
    values->text[size_t(pending->slot)] = word;
    pending->slot = -1;
  } else if (pending->foreign >= 0) {
    values->foreign[size_t(pending->foreign)].value = word;
    pending->foreign = -1;
  } else if (!values->text[OPT_FILE]) {
    values->text[OPT_FILE] = word;
  } else {
    return ERR_ARGS;
  }
  return 0;
}

// ---- .ini file -----------------------------------------------------------------------------------

bool is_true_text(const std::string& value) {
  if (str_case_cmp(value.c_str(), "true") == 0 || str_case_cmp(value.c_str(), "yes") == 0 ||
      str_case_cmp(value.c_str(), "on") == 0) {
    return true;
  }
  double n = 0;
  size_t used = 0;
  return parse_option_number(value.c_str(), &n, &used) == 0 && n != 0;
}

void store_ini_entry(const std::string& key, const std::string& value, OptionValues* values) {
  const OptionDef* row = option_find(key.c_str());
  if (!row) {
    values->foreign.push_back({key, value});
  } else if (row->takes_argument) {
    values->text[size_t(row->id)] = value;
  } else {
    values->flag[size_t(row->id)] = is_true_text(value) ? 1 : 0;
  }
}

constexpr size_t INI_KEY_MAX = 127;

bool is_line_end(char c) { return c == '\n' || c == '\r'; }

// ---- apply_options -------------------------------------------------------------------------------

// A number option: 0 with *out set (untouched when the option is absent), or the number's error.
int32_t option_number(const OptionValues& values, int32_t id, int32_t* out) {
  const char* text = values.str(id);
  if (!text) return 0;
  double v = 0;
  size_t used = 0;
  if (int32_t err = parse_option_number(text, &v, &used)) return err;
  *out = to_i32(v);
  return 0;
}

// SCALEWIDTH and SCALEHEIGHT: "50%" is stored as -50, a percentage of the display size.
int32_t option_scale(const OptionValues& values, int32_t id, int32_t* out) {
  const char* text = values.str(id);
  if (!text) return 0;
  double v = 0;
  size_t used = 0;
  if (int32_t err = parse_option_number(text, &v, &used)) return err;
  *out = text[used] == '%' ? -to_i32(v) : to_i32(v);
  return 0;
}

struct ExeType {
  const char* name;
  uint32_t bit;
};

// The compiler's output types; they serve only the compile request, which the player refuses.
constexpr ExeType kExeTypes[] = {{"linux", 1}, {"applet", 2}};

int32_t parse_exe_types(const std::string& text, uint32_t* bits) {
  size_t start = 0;
  for (;;) {
    size_t plus = text.find('+', start);
    std::string type = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    bool found = false;
    for (const ExeType& t : kExeTypes) {
      if (!type.empty() && str_case_cmp(t.name, type.c_str()) == 0) {
        *bits |= t.bit;
        found = true;
      }
    }
    if (!found) return ERR_EXETYPE;
    if (plus == std::string::npos) return 0;
    start = plus + 1;
  }
}

int32_t apply_backfill(const OptionValues& values, DisplaySettings* d) {
  const char* mode = values.str(OPT_BACKFILL);
  if (!mode) return 0;
  int32_t type;
  if (str_case_cmp(mode, "COLOR") == 0) {
    type = BACKFILL_COLOR;
  } else if (str_case_cmp(mode, "RAINBOW") == 0 || str_case_cmp(mode, "GRADIENT") == 0) {
    type = BACKFILL_GRADIENT;
  } else if (str_case_cmp(mode, "TEXTURE") == 0) {
    type = BACKFILL_TEXTURE;
  } else if (str_case_cmp(mode, "PICTURE") == 0) {
    type = BACKFILL_PICTURE;
  } else {
    return ERR_BACKFILL;
  }
  bool brush = values.is_set(OPT_BRUSH), brush_file = values.is_set(OPT_BRUSHFILE);
  bool start = values.is_set(OPT_STARTCOLOR), end = values.is_set(OPT_ENDCOLOR);
  if (brush && brush_file) return ERR_BACKFILL;
  if (type == BACKFILL_COLOR && !start) return ERR_BACKFILL;
  if (type == BACKFILL_GRADIENT && !(start && end)) return ERR_BACKFILL;
  if ((type == BACKFILL_TEXTURE || type == BACKFILL_PICTURE) && !(brush || brush_file)) return ERR_BACKFILL;
  d->backfill_type = type;
  if (int32_t err = option_number(values, OPT_BRUSH, &d->backfill_brush)) return err;
  if (brush_file) d->backfill_brush_file = values.str(OPT_BRUSHFILE);
  if (int32_t err = option_number(values, OPT_STARTCOLOR, &d->start_color)) return err;
  if (int32_t err = option_number(values, OPT_ENDCOLOR, &d->end_color)) return err;
  if (values.flag[OPT_SCALEPICTURE]) d->scale_picture = 1;
  if (int32_t err = option_number(values, OPT_PICXPOS, &d->pic_x)) return err;
  if (int32_t err = option_number(values, OPT_PICYPOS, &d->pic_y)) return err;
  return option_number(values, OPT_PICTRANS, &d->pic_trans);
}

constexpr int32_t kIconSizes[7] = {16, 24, 32, 48, 128, 256, 512};

bool debug_device_word = false;

}  // namespace

int32_t parse_command_line(int argc, const char* const argv[], OptionValues* values) {
  Pending pending;
  for (int i = 1; i < argc; ++i) {
    if (int32_t err = take_word(argv[i] ? argv[i] : "", values, &pending)) return err;
  }
  return pending.any() ? ERR_ARGS : 0;
}

int32_t parse_ini_text(const char* text, size_t size, OptionValues* values) {
  size_t i = 0;
  while (i < size) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      i++;
      continue;
    }
    if (c == '#' || c == '[') {
      while (i < size && text[i] != '\n') i++;
      continue;
    }
    if (!char_is_alpha(static_cast<unsigned char>(c))) return ERR_INISYNTAX;
    size_t key_start = i;
    while (i < size && is_name_char(static_cast<unsigned char>(text[i]))) i++;
    if (i - key_start > INI_KEY_MAX) return ERR_INISYNTAX;
    std::string key(text + key_start, i - key_start);
    while (i < size && (text[i] == ' ' || text[i] == '\t')) i++;
    if (i >= size || text[i] != '=') return ERR_INISYNTAX;
    i++;
    while (i < size && (text[i] == ' ' || text[i] == '\t')) i++;
    std::string value;
    if (i < size && text[i] == '"') {
      size_t start = ++i;
      while (i < size && text[i] != '"' && !is_line_end(text[i])) i++;
      if (i >= size || text[i] != '"') return ERR_INISYNTAX;
      value.assign(text + start, i - start);
      // Whatever follows the closing quote on its line is not part of the entry.
      while (i < size && text[i] != '\n') i++;
    } else {
      size_t start = i;
      while (i < size && !is_line_end(text[i])) i++;
      size_t end = i;
      while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) end--;
      value.assign(text + start, end - start);
    }
    store_ini_entry(key, value, values);
  }
  return 0;
}

int32_t parse_ini_file(const std::string& host_path, OptionValues* values) {
  std::ifstream in(host_path, std::ios::binary);
  if (!in) return 0;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return parse_ini_text(text.data(), text.size(), values);
}

std::string ini_path_for(const std::string& program_path) {
  size_t slash = program_path.rfind('/');
  size_t dot = program_path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    return program_path.substr(0, dot) + ".ini";
  }
  return program_path + ".ini";
}

int32_t read_link_database(const std::string& host_path, bool fonts, std::vector<std::string>* list) {
  std::ifstream in(host_path, std::ios::binary);
  if (!in) {
    err_set_string_arg(host_path.c_str());
    return ERR_READFILE;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t a = line.find_first_not_of(" \t");
    if (a == std::string::npos) continue;
    std::string name;
    if (line[a] == '"') {
      size_t close = line.find('"', a + 1);
      if (close == std::string::npos) return ERR_LFSYNTAX;
      if (line.find_first_not_of(" \t", close + 1) != std::string::npos) return ERR_LFSYNTAX;
      name = line.substr(a + 1, close - a - 1);
    } else {
      size_t b = line.find_last_not_of(" \t");
      name = line.substr(a, b - a + 1);
    }
    if (name.empty()) return ERR_LFSYNTAX;
    if (fonts) {
      if (name.size() > 5 && str_case_cmp(name.c_str() + name.size() - 5, ".font") == 0) {
        name.resize(name.size() - 5);
      }
      name = "::font:" + name;
    }
    bool known = false;
    for (const std::string& n : *list) known = known || n == name;
    if (!known) list->push_back(name);
  }
  return 0;
}

int32_t apply_options(OptionValues& values, Config* config, DisplaySettings* d) {
  // 1. compile request, window mode, title bar
  if (values.is_set(OPT_COMPILE)) config->compile = true;
  if (values.flag[OPT_WINDOW]) d->mode = DISPMODE_WINDOW;
  if (values.flag[OPT_HIDETITLEBAR]) d->hide_title = 1;

  // 2. display flags
  static constexpr std::pair<int32_t, uint32_t> kFlags[] = {
      {OPT_BORDERLESS, DISPFLAG_BORDERLESS},   {OPT_SIZEABLE, DISPFLAG_SIZEABLE},
      {OPT_FIXED, DISPFLAG_FIXED},             {OPT_NOHIDE, DISPFLAG_NOHIDE},
      {OPT_HIDEPOINTER, DISPFLAG_HIDEPOINTER}, {OPT_NOMODESWITCH, DISPFLAG_NOMODESWITCH},
      {OPT_USEQUARTZ, DISPFLAG_USEQUARTZ},     {OPT_KEEPPROPORTIONS, DISPFLAG_KEEPPROPORTIONS},
      {OPT_FITSCALE, DISPFLAG_FITSCALE},
  };
  for (const auto& [id, bit] : kFlags) {
    if (values.flag[size_t(id)]) d->flags |= bit;
  }

  // 3. scaling engine
  bool autoscale = values.flag[OPT_AUTOSCALE] != 0, layerscale = values.flag[OPT_LAYERSCALE] != 0;
  if (autoscale && layerscale) return ERR_ARGS;
  if (autoscale) d->flags |= DISPFLAG_AUTOSCALE;
  if (layerscale) d->flags |= DISPFLAG_LAYERSCALE;
  if (autoscale || layerscale) {
    if (values.flag[OPT_SMOOTHSCALE]) d->flags |= DISPFLAG_SMOOTHSCALE;
    if (int32_t err = option_scale(values, OPT_SCALEWIDTH, &d->scale_width)) return err;
    if (int32_t err = option_scale(values, OPT_SCALEHEIGHT, &d->scale_height)) return err;
  }

  // 4. compiler words
  config->overwrite = values.flag[OPT_OVERWRITE] != 0;
  config->lock_settings = values.flag[OPT_LOCKSETTINGS] != 0;

  // 5. own screen
  bool own = values.flag[OPT_OWNSCREEN] != 0, full = values.flag[OPT_FULLSCREEN] != 0,
       fake = values.flag[OPT_FAKEFULLSCREEN] != 0;
  if (own && (full || fake)) return ERR_ARGS;
  if (own) d->mode = DISPMODE_OWNSCREEN;
  if (int32_t err = option_number(values, OPT_DEPTH, &d->depth)) return err;
  if (int32_t err = option_number(values, OPT_SCRWIDTH, &d->width)) return err;
  if (int32_t err = option_number(values, OPT_SCRHEIGHT, &d->height)) return err;

  // 6. backfill
  if (int32_t err = apply_backfill(values, d)) return err;

  // 7. quiet and sound
  if (values.flag[OPT_QUIET]) config->quiet = true;
  if (values.flag[OPT_NOSOUND]) config->nosound = true;

  // 8. output types
  if (const char* types = values.str(OPT_EXETYPE)) {
    if (int32_t err = parse_exe_types(types, &config->exe_types)) return err;
  }

  // 9. listing files and private texts
  if (const char* f = values.str(OPT_EXPORTCOMMANDS)) config->export_commands = f;
  if (const char* f = values.str(OPT_EXPORTCONSTANTS)) config->export_constants = f;
  if (const char* f = values.str(OPT_EXPORTPLUGINS)) config->export_plugins = f;
  if (const char* f = values.str(OPT_PRIVATE3)) config->private3 = f;
  if (const char* f = values.str(OPT_SCRIPTALIAS)) config->script_alias = f;

  // 10. link databases, only for a compile request
  if (config->compile) {
    if (const char* f = values.str(OPT_LINKFILES)) {
      if (int32_t err = read_link_database(qmos_native_name(f, true), false, &config->link_files)) return err;
    }
    if (const char* f = values.str(OPT_LINKFONTS)) {
      if (int32_t err = read_link_database(qmos_native_name(f, true), true, &config->link_files)) return err;
    }
  }

  // 11. debug device, compression
  if (const char* dev = values.str(OPT_DEBUGDEVICE)) {
    config->debug_device = dev;
    config_set_debug_device(true);
  }
  if (values.flag[OPT_COMPRESS]) config->compress = true;

  // 12. icons
  for (int32_t k = 0; k < 7; ++k) {
    const char* f = values.str(OPT_ICON16X16 + k);
    if (!f) continue;
    char full_path[1024];
    if (!qmos_full_path(f, full_path, sizeof full_path)) return ERR_ARGS;
    config->icons[size_t(k)] = {full_path, kIconSizes[k], kIconSizes[k], OPT_ICON16X16 + k};
  }

  // 13. full-screen modes
  if (fake && (own || full)) return ERR_ARGS;
  if (fake) d->mode = DISPMODE_FAKEFULLSCREEN;
  if (full && (own || fake)) return ERR_ARGS;
  if (full) d->mode = DISPMODE_FULLSCREEN;

  config->foreign = std::move(values.foreign);
  values.foreign.clear();
  return 0;
}

bool config_debug_device() { return debug_device_word; }
void config_set_debug_device(bool on) { debug_device_word = on; }

}  // namespace qm
