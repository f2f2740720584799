// The player's configuration: one option table serves the command line and the .ini file next to
// the program. Both are parsed into an option value array (one slot per option id); options the
// table does not know are kept as foreign options. apply_options then checks the options against
// each other and turns them into the configuration record and the program's display settings.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// Option ids: the slots of the option value array. Slot 0 takes the script or applet file name.
enum OptionId : int32_t {
  OPT_FILE = 0,
  OPT_WINDOW = 1,
  OPT_BORDERLESS = 2,
  OPT_SIZEABLE = 3,
  OPT_BACKFILL = 4,
  OPT_HIDETITLEBAR = 5,
  OPT_BRUSH = 6,
  OPT_STARTCOLOR = 7,
  OPT_ENDCOLOR = 8,
  OPT_DEPTH = 9,
  OPT_COMPILE = 10,
  OPT_QUIET = 11,
  OPT_BRUSHFILE = 13,
  OPT_FIXED = 15,
  OPT_NOSOUND = 16,
  OPT_EXETYPE = 17,
  OPT_SCALEPICTURE = 18,
  OPT_PICXPOS = 19,
  OPT_PICYPOS = 20,
  OPT_PICTRANS = 21,
  OPT_FULLSCREEN = 22,
  OPT_EXPORTCOMMANDS = 23,
  OPT_EXPORTCONSTANTS = 24,
  OPT_USEQUARTZ = 25,
  OPT_NOHIDE = 26,
  OPT_OWNSCREEN = 27,
  OPT_SCRWIDTH = 28,
  OPT_SCRHEIGHT = 29,
  OPT_FAKEFULLSCREEN = 30,
  OPT_HIDEPOINTER = 31,
  OPT_NOMODESWITCH = 32,
  OPT_LINKFILES = 33,
  OPT_DEBUGDEVICE = 34,
  OPT_COMPRESS = 35,
  OPT_OVERWRITE = 36,
  OPT_AUTOSCALE = 37,
  OPT_SCALEWIDTH = 38,
  OPT_SCALEHEIGHT = 39,
  OPT_SMOOTHSCALE = 40,
  OPT_LAYERSCALE = 41,
  OPT_LOCKSETTINGS = 48,
  OPT_LINKFONTS = 49,
  OPT_PRIVATE3 = 50,
  OPT_SCRIPTALIAS = 52,
  OPT_ICON16X16 = 53,  // .. OPT_ICON512X512 = 59
  OPT_ICON512X512 = 59,
  OPT_KEEPPROPORTIONS = 60,
  OPT_FITSCALE = 61,
  OPT_EXPORTPLUGINS = 65,
  OPT_SLOTS = 66,
};

// One row of the option table. The help texts are carried for completeness; the player prints no
// option help.
struct OptionDef {
  const char* name;
  int32_t id;
  bool takes_argument;
  const char* help_heading;  // first row of a help section only
  const char* help;
  const char* argument_template;
  const char* allowed_values;
};

// The 55 rows, ended by a row with a null name.
extern const OptionDef kOptionTable[];

// The first row whose name equals name without regard to case, or null.
const OptionDef* option_find(const char* name);

// An option the table does not know: its name and, once one was given, its value.
struct ForeignOption {
  std::string name;
  std::optional<std::string> value;
};

// The option value array: a flag option holds 0 or 1 in its slot, an option with argument its
// text. Later writes (the .ini file after the command line) replace earlier ones.
struct OptionValues {
  std::array<int32_t, OPT_SLOTS> flag{};
  std::array<std::optional<std::string>, OPT_SLOTS> text{};
  std::vector<ForeignOption> foreign;

  bool is_set(int32_t id) const { return flag[size_t(id)] != 0 || text[size_t(id)].has_value(); }
  const char* str(int32_t id) const { return text[size_t(id)] ? text[size_t(id)]->c_str() : nullptr; }
};

// Parses the process arguments (argv[1..], each one word; a word is never re-split or unquoted)
// into values. A word beginning with "-" names an option: its letters, digits and '_' form the
// name, the character after the name is dropped, and what follows it is read as the next word
// ("-EXPORTCOMMANDS=list.txt"). Any other word is the value of a pending option, or the file
// name. 0, or ERR_ARGS for an option where a value is pending, a value missing at the end, or a
// second file name.
int32_t parse_command_line(int argc, const char* const argv[], OptionValues* values);

// Parses the text of a .ini file into values; 0 or ERR_INISYNTAX.
int32_t parse_ini_text(const char* text, size_t size, OptionValues* values);
// Reads and parses the .ini file at host path; a missing file is no error.
int32_t parse_ini_file(const std::string& host_path, OptionValues* values);

// The .ini file of a program: its path with the extension replaced by ".ini" (no extension:
// ".ini" appended).
std::string ini_path_for(const std::string& program_path);

// Command-line display flags, merged into the declared displays.
inline constexpr uint32_t DISPFLAG_BORDERLESS = 1;
inline constexpr uint32_t DISPFLAG_SIZEABLE = 2;
inline constexpr uint32_t DISPFLAG_FIXED = 4;
inline constexpr uint32_t DISPFLAG_NOMODESWITCH = 8;
inline constexpr uint32_t DISPFLAG_HIDEPOINTER = 16;
inline constexpr uint32_t DISPFLAG_NOHIDE = 32;
inline constexpr uint32_t DISPFLAG_AUTOSCALE = 64;
inline constexpr uint32_t DISPFLAG_SMOOTHSCALE = 128;
inline constexpr uint32_t DISPFLAG_LAYERSCALE = 0x100;
inline constexpr uint32_t DISPFLAG_USEQUARTZ = 0x2000;
inline constexpr uint32_t DISPFLAG_KEEPPROPORTIONS = 0x8000;
inline constexpr uint32_t DISPFLAG_FITSCALE = 0x10000;

// Display modes chosen by the options.
inline constexpr int32_t DISPMODE_DEFAULT = 0;
inline constexpr int32_t DISPMODE_WINDOW = 1;
inline constexpr int32_t DISPMODE_FULLSCREEN = 2;
inline constexpr int32_t DISPMODE_OWNSCREEN = 5;
inline constexpr int32_t DISPMODE_FAKEFULLSCREEN = 6;

// Backfill types.
inline constexpr int32_t BACKFILL_NONE = 0;
inline constexpr int32_t BACKFILL_COLOR = 1;
inline constexpr int32_t BACKFILL_GRADIENT = 2;
inline constexpr int32_t BACKFILL_TEXTURE = 3;
inline constexpr int32_t BACKFILL_PICTURE = 4;

inline constexpr int32_t BACKFILL_CENTERED = -100000;  // picture position "centred"

// The program's display and backfill settings as the options leave them; the declared displays
// take them over.
struct DisplaySettings {
  int32_t width = -1;
  int32_t height = -1;
  int32_t depth = -1;
  int32_t scale_width = 0;   // negative: a percentage of the display size
  int32_t scale_height = 0;
  uint32_t flags = 0;        // DISPFLAG_*
  int32_t mode = DISPMODE_DEFAULT;
  int32_t hide_title = -1;
  int32_t backfill_type = BACKFILL_NONE;
  int32_t backfill_brush = 0;
  std::string backfill_brush_file;
  int32_t start_color = -1;
  int32_t end_color = -1;
  int32_t scale_picture = 0;
  int32_t pic_x = BACKFILL_CENTERED;
  int32_t pic_y = BACKFILL_CENTERED;
  int32_t pic_trans = -1;
};

// One application icon to link into a compiled program.
struct IconEntry {
  std::string path;  // full path
  int32_t width = 0;
  int32_t height = 0;
  int32_t option_id = 0;
};

// The run-time configuration.
struct Config {
  bool applet = false;           // set by the applet reader
  std::string script_path;       // the script or applet file
  std::string executable_path;   // the player itself
  bool compile = false;
  std::string compile_path;      // absolute
  uint32_t exe_types = 0;        // bits of the output types
  bool quiet = false;
  bool nosound = false;
  bool overwrite = false;
  bool lock_settings = false;
  bool compress = false;
  // Four numeric settings read by other libraries; the first is also runtime attribute 4.
  int32_t setting1 = 30;
  int32_t setting2 = 2048;
  int32_t setting3 = 50;
  int32_t setting4 = 90;
  std::vector<ForeignOption> foreign;
  std::string export_commands;   // listing files; empty when not asked for
  std::string export_constants;
  std::string export_plugins;
  std::string private3;          // handed to the opening of display 1
  std::string script_alias;      // the name shown by the applet reader's progress text
  std::optional<std::string> debug_device;
  std::vector<std::string> link_files;  // with COMPILE: the link databases' entries
  std::array<IconEntry, 7> icons;
  std::string message;           // the exit report's text
  bool usage = false;            // the usage went to standard error: the player ends with status 1
  bool reading_program = false;  // an error now is the program file's: its report names the file
};

// Checks the options against each other and writes them into config and display. 0 or the first
// error: ERR_ARGS for clashing modes, ERR_BACKFILL, ERR_EXETYPE, ERR_LFSYNTAX, a number error of
// parse_option_number, ERR_MEM.
int32_t apply_options(OptionValues& values, Config* config, DisplaySettings* display);

// A link database: one file name a line, in double quotes or plain. Fonts are entered as
// "::font:" and the name without a ".font" ending; a name already in the list is not entered
// again. 0, ERR_LFSYNTAX or ERR_READFILE.
int32_t read_link_database(const std::string& host_path, bool fonts, std::vector<std::string>* list);

// The process-wide debug device word: set by DEBUGDEVICE, read by the exit report.
bool config_debug_device();
void config_set_debug_device(bool on);

}  // namespace qm
