// Process-wide registries that tie the libraries together: the runtime attributes and the setting
// and query hooks, every library's object list, the library names with their command tables, and
// the command and constant listings.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_map>

struct qmState;
struct qmCommand;
struct qmFileHandle;

namespace qm {

// Object-type codes shared by all libraries (the first word of every object record).
enum ObjectType : int32_t {
  OBJ_BGPIC = 1, OBJ_SAMPLE = 2, OBJ_BRUSH = 3, OBJ_ANIM = 4, OBJ_SNDMODULE = 5, OBJ_KEYDOWN = 6,
  OBJ_NOOBJECT = 7, OBJ_TEXTOBJECT = 8, OBJ_TEXTOUT = 9, OBJ_UNDO = 10, OBJ_PRINT = 11,
  OBJ_BRUSHPART = 12, OBJ_BGPICPART = 13, OBJ_BOX = 14, OBJ_CIRCLE = 15, OBJ_ELLIPSE = 16,
  OBJ_LINE = 17, OBJ_PLOT = 18, OBJ_MAINWINDOW = 19, OBJ_ANIMDISK = 20, OBJ_DISPLAY = 21,
  OBJ_LAYER = 22, OBJ_HIDEBRUSH = 23, OBJ_INSERTBRUSH = 24, OBJ_HIDELAYER = 25,
  OBJ_REMOVELAYER = 26, OBJ_POLYGON = 27, OBJ_MASK = 28, OBJ_SHAPE = 28, OBJ_NEXTFRAME = 29,
  OBJ_ALPHACHANNEL = 30, OBJ_ARC = 31, OBJ_SPRITE = 32, OBJ_MUSIC = 33, OBJ_NEXTFRAME2 = 34,
  OBJ_CLIPREGION = 35, OBJ_POINTER = 36, OBJ_ASYNCDRAW = 37, OBJ_DOUBLEBUFFER = 38,
  OBJ_MEMORY = 39, OBJ_EVENTHANDLER = 40, OBJ_INTERVAL = 41, OBJ_TIMEOUT = 42, OBJ_FONT = 43,
  OBJ_FILE = 44, OBJ_DIRECTORY = 45, OBJ_BRUSH_VS_BOX = 46, OBJ_LAYER_VS_BOX = 47,
  OBJ_SPRITE_VS_BOX = 48, OBJ_VECTORPATH = 49, OBJ_VIDEO = 50, OBJ_MOVELIST = 51,
  OBJ_ANIMSTREAM = 52, OBJ_TIMER = 53, OBJ_CLIENT = 54, OBJ_SERVER = 55, OBJ_UDPOBJECT = 56,
};

// An object id: exactly one part is set. A number is an id the script chose; a handle is the
// record's own address, which scripts hold as light user data (automatic ids).
struct ObjectId {
  int32_t number = 0;
  void* handle = nullptr;
};

inline bool operator==(const ObjectId& a, const ObjectId& b) { return a.number == b.number && a.handle == b.handle; }

// A script value that an object keeps alive: a reference in the engine's registry under a name.
struct RefNode {
  RefNode* next;
  char* name;
  int32_t ref;
};

// The first member of every script-visible object record. An object with an automatic id holds
// its own address in id.handle.
struct ObjectHeader {
  int32_t type;
  ObjectId id;
  RefNode* refs;
  ObjectHeader* next;
  ObjectHeader* prev = nullptr;  // kept by ObjectList, so that a record leaves its list at once
};

// One library's objects: the list in creation order that listings and the registry's lookups walk
// from `head`, and an index from id to record beside it, so that adding, finding and removing an
// object take the same time for the millionth object as for the first.
class ObjectList {
 public:
  ObjectHeader* head = nullptr;

  ObjectHeader* find(const ObjectId& id) const;
  // Appends h under its id; false when memory runs out (the list is unchanged then).
  bool append(ObjectHeader* h);
  void remove(ObjectHeader* h);
  // Files h under a new id, keeping its place in the list; false when memory runs out (h keeps
  // its old id then).
  bool rekey(ObjectHeader* h, const ObjectId& id);
  // Empties the list and hands back its first record; the records stay linked along next for
  // the caller to free in order.
  ObjectHeader* take_all();

 private:
  struct Hash {
    size_t operator()(const ObjectId& id) const noexcept {
      return std::hash<const void*>()(id.handle) ^ (std::hash<int32_t>()(id.number) << 1);
    }
  };
  std::unordered_map<ObjectId, ObjectHeader*, Hash> index_;
  ObjectHeader* tail_ = nullptr;
};

// Runtime attribute tags.
inline constexpr int32_t ATTR_WORD1 = 1;
inline constexpr int32_t ATTR_QUIET = 2;
inline constexpr int32_t ATTR_NOSOUND = 3;
inline constexpr int32_t ATTR_WORD6 = 6;
inline constexpr int32_t ATTR_PROTECTED_CALLS = 11;
inline constexpr int32_t ATTR_WORD12 = 12;
inline constexpr int32_t ATTR_SCRIPT_RUNNING = 23;
// Whether the program has onsampleloop, onsampleend, onmusicend and onvideoend handlers (the
// event library sets and answers them; the sound and video layers keep end events only then).
inline constexpr int32_t ATTR_ONSAMPLELOOP = 13;
inline constexpr int32_t ATTR_ONSAMPLEEND = 14;
inline constexpr int32_t ATTR_ONMUSICEND = 19;
inline constexpr int32_t ATTR_ONVIDEOEND = 24;

struct RuntimeFlags {
  bool quiet = false;
  bool script_running = false;
  int32_t protected_calls = 0;
  intptr_t word1 = 0;   // tags 1, 6 and 12 belong to the commands that set them
  intptr_t word6 = 0;
  intptr_t word12 = 0;
};

RuntimeFlags& runtime_flags();

// One {tag, data} pair of an attribute list; a list ends with tag 0. For reading, data is the
// address of the word that receives the value.
struct TagItem {
  int32_t tag;
  intptr_t data;
};

// A hook returns non-zero when it took the tag.
using AttrHook = int (*)(qmState* state, int32_t tag, intptr_t data);

int32_t runtime_add_set_hook(AttrHook hook);
int32_t runtime_add_get_hook(AttrHook hook);

// Apply or read a 0-ended tag list; the result is the number of tags taken.
int32_t runtime_set_attrs(qmState* state, const TagItem* tags);
int32_t runtime_get_attrs(qmState* state, const TagItem* tags);

// Object lists: a library registers the address of its list head once; lookups walk all lists
// in registration order.
int32_t objlist_register(ObjectHeader** head);
int32_t objlist_count_type(int32_t type);
int32_t objlist_type_of_handle(const void* handle);  // -1 when no object has that handle
ObjectHeader* objlist_find(int32_t type, const ObjectId& id);

// One argument of script_call_command: a type word and its value.
enum CallArgType : int32_t {
  CALLARG_INT = 0,            // number: a signed integer
  CALLARG_UINT = 1,           // number: an unsigned integer
  CALLARG_STRING = 2,
  CALLARG_NIL = 3,
  CALLARG_LIGHTUSERDATA = 4,
  CALLARG_ID = 5,             // an object's id: its handle as light user data when set, else its number
};

struct CallArg {
  int32_t type = CALLARG_NIL;
  int64_t number = 0;
  const char* text = nullptr;
  void* pointer = nullptr;
  ObjectId id;

  static CallArg integer(int32_t v) { return {CALLARG_INT, v, nullptr, nullptr, {}}; }
  static CallArg unsigned_integer(uint32_t v) { return {CALLARG_UINT, v, nullptr, nullptr, {}}; }
  static CallArg string(const char* s) { return {CALLARG_STRING, 0, s, nullptr, {}}; }
  static CallArg nil() { return {}; }
  static CallArg lightuserdata(void* p) { return {CALLARG_LIGHTUSERDATA, 0, nullptr, p, {}}; }
  static CallArg object_id(const ObjectId& id) { return {CALLARG_ID, 0, nullptr, nullptr, id}; }
};

// Calls the global function or command name (looked up lower-cased) with the arguments, keeping
// `results` results on the stack. Errors propagate as from any call; arguments of an unknown type
// are skipped. Returns the code of the call (0), or 0 without doing anything when state is null.
int32_t script_call_command(qmState* state, const char* name, int32_t results, std::initializer_list<CallArg> args);

// Libraries: each records its name (up to 63 characters) and its command table, in the order of
// start-up. 0, or ERR_MEM.
int32_t library_register_name(const qmCommand* commands, const char* name);
// The command name as its library's table writes it, looked up case-insensitively; null when no
// registered library has it.
const char* library_command_name(const char* name);

// Writes text without its NUL; 1 when every byte was written.
int32_t file_write_string(qmFileHandle* handle, const char* text);

// The listings. The command listing: "::<library>", the number of its commands and one command
// name a line for each library, then "::end". The constant listing: the names of the registry
// table "constants", one a line. Nothing is written when the file cannot be opened; 1 when the
// listing was written, else 0.
int32_t export_command_list(const char* file_name);
int32_t export_constant_list(qmState* state, const char* file_name);

// Unless quiet, prints format with the display name of file_name in place of its first %s, and
// "..." when dots is set, without a line end: console_print_done or console_print_failed ends it.
void console_print_file(const char* format, const char* file_name, bool dots);

// A copy of a reference list with new name copies and new registry references to the same
// values; null when memory runs out (nothing is left over then). reflist_free releases each
// reference and frees the nodes.
RefNode* reflist_copy(qmState* state, const RefNode* list);
void reflist_free(qmState* state, RefNode* list);

// The runtime's recursive lock, for the libraries that need one.
void runtime_lock();
void runtime_unlock();

// The project record that the applet reader keeps under the registry key "applet".
void* applet_get_record(qmState* state);

// Empties every registry (hooks, object lists, libraries, program error texts) and resets the
// runtime attributes.
void registry_free_all();

}  // namespace qm
