#include "tools/asm/text.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "tools/asm/applet.h"
#include "tools/asm/asm.h"

namespace qm::asmx {

namespace {

// ---- tokens ----

struct Token {
  std::string text;
  bool quoted = false;  // a "..." string, escapes already decoded
};

struct SyntaxError {
  std::string msg;
  size_t line = 0;  // 0: the line being read
};

[[noreturn]] void fail(std::string msg, size_t line = 0) {
  throw SyntaxError{std::move(msg), line};
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits one line into tokens: blanks and commas separate, ';' starts a comment.
std::vector<Token> tokenize(std::string_view line) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == ',' || c == '\r') {
      ++i;
    } else if (c == ';') {
      break;
    } else if (c == '"') {
      Token t{"", true};
      ++i;
      for (;;) {
        if (i >= line.size()) fail("unterminated string");
        char d = line[i++];
        if (d == '"') break;
        if (d != '\\') {
          t.text += d;
          continue;
        }
        if (i >= line.size()) fail("unterminated string");
        char e = line[i++];
        switch (e) {
          case 'n':
            t.text += '\n';
            break;
          case 't':
            t.text += '\t';
            break;
          case 'r':
            t.text += '\r';
            break;
          case '\\':
            t.text += '\\';
            break;
          case '"':
            t.text += '"';
            break;
          case 'x': {
            int h = i + 1 < line.size() ? hex_digit(line[i]) : -1;
            int l = h >= 0 ? hex_digit(line[i + 1]) : -1;
            if (l < 0) fail("\\x needs two hex digits");
            t.text += char(h * 16 + l);
            i += 2;
            break;
          }
          default: {
            if (e < '0' || e > '9') fail(std::string("unknown escape \\") + e);
            int v = e - '0';
            for (int n = 0; n < 2 && i < line.size() && line[i] >= '0' && line[i] <= '9'; ++n)
              v = v * 10 + (line[i++] - '0');
            if (v > 255) fail("escape above 255");
            t.text += char(v);
          }
        }
      }
      out.push_back(std::move(t));
    } else {
      size_t j = i;
      while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != ',' &&
             line[j] != ';' && line[j] != '\r' && line[j] != '"')
        ++j;
      out.push_back(Token{std::string(line.substr(i, j - i)), false});
      i = j;
    }
  }
  return out;
}

// ---- numbers ----

bool parse_int(std::string_view s, int64_t& v) {
  bool neg = !s.empty() && s[0] == '-';
  if (neg || (!s.empty() && s[0] == '+')) s.remove_prefix(1);
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (s.size() > 1 && s[0] == '$') {  // a colour as scripts write it: $RRGGBB
    base = 16;
    s.remove_prefix(1);
  }
  uint64_t u = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), u, base);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || u > (1ull << 40))
    return false;
  v = neg ? -int64_t(u) : int64_t(u);
  return true;
}

int64_t need_int(const Token& t, int64_t lo, int64_t hi) {
  int64_t v;
  if (t.quoted || !parse_int(t.text, v)) fail("number expected, got '" + t.text + "'");
  if (v < lo || v > hi)
    fail("'" + t.text + "' outside " + std::to_string(lo) + ".." + std::to_string(hi));
  return v;
}

double need_double(std::string_view s) {
  std::string_view body = s;
  if (!body.empty() && body[0] == '+') body.remove_prefix(1);
  double d = 0;
  auto r = std::from_chars(body.data(), body.data() + body.size(), d);
  if (body.empty() || r.ec != std::errc() || r.ptr != body.data() + body.size())
    fail("number expected, got '" + std::string(s) + "'");
  return d;
}

std::string format_double(double d) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, d);
  std::string s(buf, r.ptr);
  double back = 0;
  std::from_chars(s.data(), s.data() + s.size(), back);
  if (std::bit_cast<uint64_t>(back) != std::bit_cast<uint64_t>(d)) {
    snprintf(buf, sizeof buf, "bits 0x%016llx", (unsigned long long)std::bit_cast<uint64_t>(d));
    return buf;
  }
  return s;
}

std::string quote(const OptString& s) {
  if (!s) return "none";
  std::string out = "\"";
  for (unsigned char c : *s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c >= 0x20 && c < 0x7f) {
      out += char(c);
    } else {
      char buf[8];
      snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    }
  }
  return out + "\"";
}

// Loads the chunk as the player does, in a state of its own: 0 or the loader's error code.
int32_t check_chunk(const std::vector<uint8_t>& chunk, qmCodeFault* fault) {
  qmState* L = vm_open();
  if (!L) return ERR_MEM;
  struct Source {
    const std::vector<uint8_t>& bytes;
    bool given = false;
  } source{chunk};
  auto reader = [](qmState*, void* data, size_t* size) -> const char* {
    auto* s = static_cast<Source*>(data);
    if (s->given) return nullptr;
    s->given = true;
    *size = s->bytes.size();
    return reinterpret_cast<const char*>(s->bytes.data());
  };
  int32_t err = vm_load_checked(L, reader, &source, "qmasm", fault);
  vm_close_state(L);
  return err;
}

// ---- applet directives ----

// What the applet directives collect; written around the chunk when the text asks for an applet.
struct AppletText {
  bool wanted = false;
  bool compress = false;
  bool desktop = false;
  int32_t major = 5, minor = 0;
  std::string base_dir;
  std::vector<std::pair<uint8_t, std::string>> texts;
  std::vector<std::pair<std::string, int32_t>> labels;
  struct Const {
    std::string name;
    bool is_text;
    double number;
    std::string text;
  };
  std::vector<Const> constants;
  std::vector<LinkedEntry> links;
  std::vector<DeclRecord> decls;

  std::string file_bytes(const std::string& name) const {
    std::string path = !name.empty() && name[0] == '/' ? name : base_dir + name;
    std::ifstream f(path, std::ios::binary);
    if (!f) fail("cannot read " + path);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }

  static int32_t decl_type(const std::string& name) {
    static const char* const kTypes[] = {"bgpic", "brush", "anim", "music", "sample", "button",
                                         "keydown", "sprite", "file", "font", "display", "video",
                                         "plugin"};
    for (int32_t i = 0; i < 13; ++i)
      if (name == kTypes[i]) return i;
    fail("unknown object type " + name);
  }

  // .declare TYPE ID ["name"] [key=value ...]
  void declare(const std::vector<Token>& t) {
    if (t.size() < 3) fail(".declare needs a type and an id");
    DeclRecord d;
    d.type = uint8_t(decl_type(t[1].text));
    d.id = int32_t(need_int(t[2], INT32_MIN, INT32_MAX));
    int32_t version = major * 100 + minor;
    std::map<std::string, int64_t> n;
    DisplayFields df;
    for (size_t i = 3; i < t.size(); ++i) {
      if (t[i].quoted) {
        d.name = t[i].text;
        continue;
      }
      size_t eq = t[i].text.find('=');
      if (eq == std::string::npos) fail("key=value expected, got '" + t[i].text + "'");
      std::string key = t[i].text.substr(0, eq);
      std::string value = t[i].text.substr(eq + 1);
      if (key == "title" || key == "link") {
        if (value.empty() && i + 1 < t.size() && t[i + 1].quoted) value = t[++i].text;
        if (key == "title")
          df.title = value;
        else
          d.linked = file_bytes(value);
        continue;
      }
      n[key] = need_int(Token{value, false}, INT32_MIN, UINT32_MAX);
    }
    auto get = [&](const char* key, int64_t def) {
      auto it = n.find(key);
      if (it == n.end()) return def;
      int64_t v = it->second;
      n.erase(it);
      return v;
    };
    d.arg1 = int32_t(get("arg1", -1));
    d.arg2 = int32_t(get("arg2", 0));
    d.context = int32_t(get("line", 0));
    auto s16 = [&](const char* key, int64_t def) { return int16_t(get(key, def)); };
    switch (d.type) {
      case 0:
        d.payload = payload_bgpic(version, uint8_t(get("fill", 0)), uint32_t(get("color", 0)),
                                  uint32_t(get("endcolor", 0)), s16("angle", 0),
                                  int32_t(get("texture", 0)), 0, 0);
        break;
      case 1:
        d.payload = payload_brush(version, s16("width", 0), s16("height", 0), s16("x", 0),
                                  s16("y", 0), s16("alpha", -1), uint8_t(get("hardware", 0)));
        break;
      case 2:
        d.payload = payload_anim(version, uint8_t(get("fromdisk", 0)), s16("width", 0),
                                 s16("height", 0), s16("frames", 0), s16("fpr", 0), s16("x", 0),
                                 s16("y", 0));
        break;
      case 5:
        d.payload = payload_button(s16("x", 0), s16("y", 0), s16("width", 0), s16("height", 0));
        break;
      case 7:
        d.payload = payload_sprite(s16("width", 0), s16("height", 0), s16("frames", 0),
                                   s16("fpr", 0), s16("x", 0), s16("y", 0));
        break;
      case 10:
        df.bgpic = int32_t(get("bgpic", 0));
        df.x = int32_t(get("x", -100000));
        df.y = int32_t(get("y", -100000));
        df.width = int32_t(get("width", 640));
        df.height = int32_t(get("height", 480));
        df.color = uint32_t(get("color", 0));
        df.flags = uint32_t(get("flags", 0x400));
        df.given_mask = uint32_t(get("mask", 0));
        df.fill_style = uint8_t(get("fill", 1));
        d.payload = payload_display(version, df);
        break;
      default: break;
    }
    if (!n.empty()) fail("key " + n.begin()->first + " does not belong to " + t[1].text);
    decls.push_back(std::move(d));
  }

  // Returns false for a directive that is not an applet directive.
  bool directive(const std::vector<Token>& t, bool top, uint32_t pc) {
    const std::string& d = t[0].text;
    auto need = [&](size_t lo, size_t hi) {
      if (t.size() - 1 < lo || t.size() - 1 > hi) fail(d + ": wrong number of operands");
    };
    if (d == ".applet") {
      need(0, 0);
    } else if (d == ".compress") {
      need(0, 0);
      compress = true;
    } else if (d == ".desktop") {
      need(0, 0);
      desktop = true;
    } else if (d == ".appletversion") {
      need(2, 2);
      major = int32_t(need_int(t[1], 0, 255));
      minor = int32_t(need_int(t[2], 0, 255));
    } else if (d == ".meta") {
      need(2, 2);
      static const char* const kKeys[] = {"title", "version", "copyright", "author", "description"};
      uint8_t tag = 0;
      for (uint8_t i = 0; i < 5; ++i)
        if (t[1].text == kKeys[i]) tag = uint8_t(11 + i);
      if (!tag || !t[2].quoted) fail(".meta KEY \"text\" expected");
      texts.emplace_back(tag, t[2].text);
    } else if (d == ".scriptlabel") {
      need(1, 1);
      if (!top) fail(".scriptlabel belongs to the main function");
      labels.emplace_back(t[1].text, int32_t(pc));
    } else if (d == ".constant") {
      need(2, 2);
      if (t[2].quoted)
        constants.push_back({t[1].text, true, 0, t[2].text});
      else
        constants.push_back({t[1].text, false, need_double(t[2].text), ""});
    } else if (d == ".link") {
      need(2, 3);
      if (!t[1].quoted || !t[2].quoted) fail(".link \"name\" \"file\" expected");
      bool elsewhere = t.size() > 3 && t[3].text == "elsewhere";
      if (t.size() > 3 && !elsewhere) fail(".link \"name\" \"file\" [elsewhere] expected");
      links.push_back({t[1].text, file_bytes(t[2].text), elsewhere});
    } else if (d == ".declare") {
      declare(t);
    } else {
      return false;
    }
    wanted = true;
    return true;
  }

  std::vector<uint8_t> write(const std::vector<uint8_t>& chunk,
                             const std::vector<IncludeRecord>& includes) const {
    AppletWriter w;
    w.version(uint8_t(major), uint8_t(minor));
    for (const auto& [tag, text] : texts) w.text(tag, text);
    if (!decls.empty()) w.declarations(decls);
    if (desktop) w.u8(7);  // the program asks for the desktop display
    if (!links.empty()) w.linked_files(links);
    if (!labels.empty()) w.labels(labels);
    if (!includes.empty()) w.includes(includes);
    for (const Const& c : constants) {
      if (c.is_text)
        w.string_constant(c.name, c.text);
      else
        w.number_constant(c.name, c.number);
    }
    w.bytecode(chunk);
    return compress ? compress_applet(w.bytes()) : w.bytes();
  }
};

// ---- assembler ----

// The source line of each instruction of a function and of its nested functions, and the line
// that ends the function, so that what the player's code check finds names a line.
struct SourceLines {
  std::vector<size_t> pcs;
  size_t end_line = 0;
  std::vector<SourceLines> nested;  // references into this vector die when another is added
};

struct FunctionState {
  Function* fn;
  std::unique_ptr<Builder> b;
  std::map<std::string, Label> labels;
  std::map<std::string, int> proto_names;
  struct ProtoFixup {
    size_t pc;
    std::string name;
  };
  std::vector<ProtoFixup> proto_fixups;
  struct LocalFixup {
    size_t local;
    bool end;
    std::string label;
  };
  std::vector<LocalFixup> local_fixups;
  std::optional<int> upvalue_count;
  std::string name;
  std::map<std::string, size_t> label_mentions;  // the source line that first names each label
  bool explicit_lines = false;                   // .lineno or .lines wrote the line table
  bool explicit_line_defined = false;            // .linedefined was given
  size_t directive_line = 0;                     // the line of its .function
  SourceLines* src = nullptr;
};

class Assembler {
 public:
  bool run(std::string_view text, std::vector<uint8_t>& chunk, std::string& error) {
    open_function(&main_, "", &main_lines_);
    try {
      size_t start = 0;
      while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++line_no_;
        const size_t depth = stack_.size();
        line(tokenize(text.substr(start, end - start)));
        if (stack_.size() == depth) cur().src->pcs.resize(cur().fn->code.size(), line_no_);
        start = end + 1;
      }
      if (stack_.size() != 1) fail(".function without .end");
      close_function();
      if (program_) {
        if (!main_.source && !file_name_.empty()) main_.source = file_name_;
        chunk = write_chunk(main_, header_);
        check(chunk);
      } else {
        chunk = write_chunk(main_, header_);
      }
      if (applet_.wanted) chunk = applet_.write(chunk, include_records());
    } catch (const SyntaxError& e) {
      error = "line " + std::to_string(e.line ? e.line : line_no_) + ": " + e.msg;
      return false;
    } catch (const AsmError& e) {
      error = "line " + std::to_string(line_no_) + ": " + e.what();
      return false;
    }
    return true;
  }

  bool is_applet() const { return applet_.wanted; }
  void set_base_dir(std::string dir) { applet_.base_dir = std::move(dir); }
  // A program for the player: functions without .lineno or .lines carry their source lines, the
  // main function without .source is named after the file, and the player's code check runs.
  void set_program(std::string file_name) {
    program_ = true;
    file_name_ = std::move(file_name);
  }

 private:
  FunctionState& cur() { return stack_.back(); }

  void open_function(Function* f, std::string name, SourceLines* src) {
    FunctionState s;
    s.fn = f;
    s.src = src;
    s.b = std::make_unique<Builder>(*f);
    s.name = std::move(name);
    stack_.push_back(std::move(s));
  }

  Label label(const std::string& name) {
    auto it = cur().labels.find(name);
    if (it != cur().labels.end()) return it->second;
    Label l = cur().b->new_label();
    cur().labels.emplace(name, l);
    cur().label_mentions.emplace(name, line_no_);
    return l;
  }

  void close_function() {
    FunctionState& s = cur();
    for (const auto& [name, l] : s.labels)
      if (!s.b->is_bound(l)) fail("label " + name + " is never bound", s.label_mentions[name]);
    s.b->finish();
    s.src->end_line = line_no_;
    if (program_ && !s.explicit_lines) s.fn->lines.assign(s.src->pcs.begin(), s.src->pcs.end());
    // A nested function defined on line 0 would pass for a main chunk in error reports.
    if (program_ && stack_.size() > 1 && !s.explicit_line_defined)
      s.fn->line_defined = std::max<int32_t>(
          1, s.fn->lines.empty() ? int32_t(s.directive_line) : s.fn->lines.front());
    for (const auto& f : s.proto_fixups) {
      auto it = s.proto_names.find(f.name);
      if (it == s.proto_names.end()) fail("no nested function named " + f.name);
      Instruction& i = s.fn->code[f.pc];
      i = make_abx(inst_op(i), inst_a(i), uint32_t(it->second));
    }
    for (const auto& f : s.local_fixups) {
      int32_t pc = s.b->label_pc(label(f.label));
      Local& l = s.fn->locals[f.local];
      (f.end ? l.endpc : l.startpc) = pc;
    }
    if (!s.upvalue_count) s.fn->nups = uint8_t(s.fn->upvalue_names.size());
    stack_.pop_back();
  }

  void line(const std::vector<Token>& t) {
    if (t.empty()) return;
    const std::string& w = t[0].text;
    if (!t[0].quoted && w.size() > 1 && w.back() == ':') {
      cur().b->bind(label(w.substr(0, w.size() - 1)));
      if (t.size() > 1) line(std::vector<Token>(t.begin() + 1, t.end()));
      return;
    }
    if (!t[0].quoted && w[0] == '.') {
      directive(t);
      return;
    }
    instruction(t);
  }

  static void argc(const std::vector<Token>& t, size_t lo, size_t hi) {
    if (t.size() - 1 < lo || t.size() - 1 > hi) fail(t[0].text + ": wrong number of operands");
  }

  static OptString opt_string(const Token& t) {
    if (t.quoted) return t.text;
    if (t.text == "none") return std::nullopt;
    fail("string or none expected");
  }

  Constant constant(const std::vector<Token>& t, size_t i) {
    const Token& v = t[i];
    if (v.quoted) return Constant{kConstString, 0, v.text};
    if (v.text == "nil") return Constant{};
    if (v.text == "none") return Constant{kConstString, 0, std::nullopt};
    if (v.text == "type") {
      argc(t, i + 1, i + 1);
      return Constant{uint8_t(need_int(t[i + 1], 0, 255)), 0, std::nullopt};
    }
    if (v.text == "bits") {
      argc(t, i + 1, i + 1);
      uint64_t bits;
      std::string_view s = t[i + 1].text;
      if (s.size() > 2 && s[0] == '0' && s[1] == 'x') s.remove_prefix(2);
      auto r = std::from_chars(s.data(), s.data() + s.size(), bits, 16);
      if (r.ec != std::errc() || r.ptr != s.data() + s.size()) fail("bad bit pattern");
      return Constant{kConstNumber, std::bit_cast<double>(bits), std::nullopt};
    }
    return Constant{kConstNumber, need_double(v.text), std::nullopt};
  }

  void directive(const std::vector<Token>& t) {
    const std::string& d = t[0].text;
    Function& f = *cur().fn;
    bool top = stack_.size() == 1;
    if (d == ".signature") {
      argc(t, 1, 1);
      if (!t[1].quoted || t[1].text.size() != 4) fail(".signature needs a 4-byte string");
      std::memcpy(header_.signature, t[1].text.data(), 4);
    } else if (d == ".byteorder") {
      argc(t, 1, 1);
      header_.byte_order = uint8_t(need_int(t[1], 0, 255));
    } else if (d == ".sizes") {
      argc(t, 8, 8);
      for (int i = 0; i < 8; ++i) header_.sizes[i] = uint8_t(need_int(t[size_t(i) + 1], 0, 255));
    } else if (d == ".testnumber") {
      argc(t, 1, 2);
      header_.test_number = constant(t, 1).number;
    } else if (d == ".source") {
      argc(t, 1, 1);
      f.source = opt_string(t[1]);
    } else if (d == ".linedefined") {
      argc(t, 1, 1);
      cur().explicit_line_defined = true;
      f.line_defined = int32_t(need_int(t[1], INT32_MIN, INT32_MAX));
    } else if (d == ".params") {
      argc(t, 1, 1);
      f.numparams = uint8_t(need_int(t[1], 0, 255));
    } else if (d == ".vararg") {
      argc(t, 0, 1);
      f.is_vararg = t.size() > 1 ? uint8_t(need_int(t[1], 0, 255)) : 1;
    } else if (d == ".maxstack") {
      argc(t, 1, 1);
      f.maxstack = uint8_t(need_int(t[1], 0, 255));
    } else if (d == ".upvalues") {
      argc(t, 1, 1);
      cur().upvalue_count = int(need_int(t[1], 0, 255));
      f.nups = uint8_t(*cur().upvalue_count);
    } else if (d == ".upname") {
      argc(t, 1, 1);
      f.upvalue_names.push_back(opt_string(t[1]));
    } else if (d == ".local") {
      argc(t, 3, 3);
      Local l{opt_string(t[1]), 0, 0};
      for (int k = 0; k < 2; ++k) {
        const Token& p = t[size_t(k) + 2];
        int32_t& pc = k ? l.endpc : l.startpc;
        if (!p.quoted && p.text.size() > 1 && p.text[0] == '@')
          cur().local_fixups.push_back({f.locals.size(), k == 1, p.text.substr(1)});
        else
          pc = int32_t(need_int(p, INT32_MIN, INT32_MAX));
      }
      f.locals.push_back(std::move(l));
    } else if (d == ".const") {
      argc(t, 1, 2);
      f.constants.push_back(constant(t, 1));
    } else if (d == ".lineno") {
      argc(t, 1, 1);
      cur().explicit_lines = true;
      cur().b->line(int32_t(need_int(t[1], INT32_MIN, INT32_MAX)));
    } else if (d == ".lines") {
      cur().explicit_lines = true;
      f.lines.clear();
      for (size_t i = 1; i < t.size(); ++i)
        f.lines.push_back(int32_t(need_int(t[i], INT32_MIN, INT32_MAX)));
    } else if (d == ".count") {
      argc(t, 2, 2);
      auto v = int32_t(need_int(t[2], INT32_MIN, INT32_MAX));
      const std::string& what = t[1].text;
      CountOverrides& c = f.counts;
      if (what == "lines")
        c.lines = v;
      else if (what == "locals")
        c.locals = v;
      else if (what == "upnames")
        c.upvalue_names = v;
      else if (what == "constants")
        c.constants = v;
      else if (what == "functions")
        c.protos = v;
      else if (what == "code")
        c.code = v;
      else
        fail("unknown count " + what);
    } else if (d == ".word") {
      argc(t, 1, 1);
      cur().b->emit(Instruction(need_int(t[1], 0, 0xFFFFFFFFll)));
    } else if (d == ".function") {
      argc(t, 0, 1);
      std::string name = t.size() > 1 ? t[1].text : "";
      if (!name.empty()) {
        if (cur().proto_names.count(name)) fail("function " + name + " defined twice");
        cur().proto_names[name] = int(f.protos.size());
      }
      f.protos.emplace_back();
      cur().src->nested.emplace_back();
      open_function(&f.protos.back(), name, &cur().src->nested.back());
      cur().directive_line = line_no_;
    } else if (d == ".end") {
      argc(t, 0, 0);
      if (top) fail(".end without .function");
      close_function();
    } else if (!applet_.directive(t, top, b_pc())) {
      fail("unknown directive " + d);
    }
  }

  uint32_t b_pc() const { return uint32_t(stack_.back().b->pc()); }

  // A register/plain field: rN or N.
  uint32_t field(const Token& t, uint32_t max) {
    if (!t.quoted && t.text.size() > 1 && (t.text[0] == 'r' || t.text[0] == 'u'))
      return uint32_t(need_int(Token{t.text.substr(1), false}, 0, max));
    return uint32_t(need_int(t, 0, max));
  }

  // A constant operand: kN, "text", #literal. Returns the constant index or nullopt.
  std::optional<uint32_t> const_operand(const Token& t) {
    if (t.quoted) return cur().b->k_str(t.text);
    if (t.text.size() > 1 && t.text[0] == 'k')
      return uint32_t(need_int(Token{t.text.substr(1), false}, 0, kMaxArgBx));
    if (t.text.size() > 1 && t.text[0] == '#') {
      std::string v = t.text.substr(1);
      if (v == "nil") return cur().b->k_nil();
      int64_t colour = 0;
      if (v[0] == '$' && parse_int(v, colour)) return cur().b->k_num(double(colour));
      return cur().b->k_num(need_double(v));
    }
    return std::nullopt;
  }

  uint32_t rk_operand(const Token& t) {
    if (auto k = const_operand(t)) {
      if (*k > kMaxArgB - kRKConst) fail("constant index too large for an RK operand");
      return rk_const(*k);
    }
    return field(t, kMaxArgB);
  }

  uint32_t bx_operand(const Token& t, ArgMode mode, size_t pc) {
    if (mode == ArgMode::Proto && !t.quoted && t.text.size() > 1 && t.text[0] == 'f') {
      if (t.text[1] == ':') {
        cur().proto_fixups.push_back({pc, t.text.substr(2)});
        return 0;
      }
      return uint32_t(need_int(Token{t.text.substr(1), false}, 0, kMaxArgBx));
    }
    if (auto k = const_operand(t)) return *k;
    return uint32_t(need_int(t, 0, kMaxArgBx));
  }

  void instruction(const std::vector<Token>& t) {
    std::string m = t[0].text;
    for (char& c : m) c = char(toupper(static_cast<unsigned char>(c)));
    Builder& b = *cur().b;
    if (m == "GOSUB" || m == "JMP") {
      argc(t, 1, m == "JMP" ? 2 : 1);
      uint32_t mode = m == "GOSUB" ? kJmpGosub : t.size() > 2 ? uint32_t(need_int(t[2], 0, 3)) : 0;
      if (!t[1].quoted && t[1].text.size() > 1 && t[1].text[0] == '@')
        b.jmp(label(t[1].text.substr(1)), mode);
      else
        b.jmp_raw(int32_t(need_int(t[1], -kBiasJ, int64_t(kMaxArgJ) - kBiasJ)), mode);
      return;
    }
    int op = -1;
    for (int i = 0; i < kNumOpcodes; ++i)
      if (m == kOpInfo[i].name) op = i;
    if (op < 0) fail("unknown instruction " + m);
    const OpInfo& info = kOpInfo[op];
    auto arg = [&](size_t i) { return i < t.size() ? t[i] : Token{"0", false}; };
    uint32_t a = field(arg(1), kMaxArgA);
    switch (info.format) {
      case OpFormat::ABC: {
        argc(t, 0, 3);
        auto operand = [&](ArgMode mode, const Token& tok) {
          return mode == ArgMode::RK ? rk_operand(tok) : field(tok, kMaxArgB);
        };
        b.abc(OpCode(op), a, operand(info.b, arg(2)), operand(info.c, arg(3)));
        break;
      }
      case OpFormat::ABx:
        argc(t, 2, 2);
        b.abx(OpCode(op), a, bx_operand(t[2], info.b, b.pc()));
        break;
      case OpFormat::AsBx:
        argc(t, 2, 2);
        if (!t[2].quoted && t[2].text.size() > 1 && t[2].text[0] == '@')
          b.asbx(OpCode(op), a, label(t[2].text.substr(1)));
        else
          b.asbx(OpCode(op), a, int32_t(need_int(t[2], -kBiasSBx, int64_t(kMaxArgBx) - kBiasSBx)));
        break;
      case OpFormat::J:
        break;
    }
  }

  // The player's code check over the written chunk; its first fault fails with the line of the
  // instruction (or the end of the function) at fault.
  void check(const std::vector<uint8_t>& chunk) {
    qmCodeFault fault;
    int32_t err = check_chunk(chunk, &fault);
    if (err == 0) return;
    if (err != ERR_BADBYTECODE)
      fail("the player refuses the chunk with error " + std::to_string(err), line_no_);
    const Function* f = &main_;
    const SourceLines* src = &main_lines_;
    for (int32_t i : fault.function) {
      f = &f->protos[size_t(i)];
      src = &src->nested[size_t(i)];
    }
    std::string reason = fault.reason;
    if (reason.find("maximum stack") != std::string::npos)
      reason += " (.maxstack " + std::to_string(f->maxstack) + ")";
    // A fault of the function as a whole names its last instruction's line.
    const bool at_pc = fault.pc >= 0 && size_t(fault.pc) < src->pcs.size();
    const char* what = at_pc                    ? "this instruction: "
                       : fault.function.empty() ? "the program: "
                                                : "this function: ";
    size_t line = std::max<size_t>(src->end_line, 1);
    if (at_pc)
      line = src->pcs[size_t(fault.pc)];
    else if (!src->pcs.empty())
      line = src->pcs.back();
    fail(std::string("the player's code check refuses ") + what + reason, line);
  }

  // One include record per source name: lines 1 to the highest line of the functions of that
  // source, read as they stand, so that an error report names the line of the source file.
  std::vector<IncludeRecord> include_records() const {
    std::map<std::string, int32_t> last;
    collect_lines(main_, std::nullopt, last);
    std::vector<IncludeRecord> out;
    for (const auto& [name, line] : last)
      if (line >= 1) out.push_back({1, line, 0, name});
    return out;
  }

  static void collect_lines(const Function& f, const OptString& enclosing,
                            std::map<std::string, int32_t>& last) {
    const OptString& source = f.source ? f.source : enclosing;
    if (source) {
      int32_t& top = last[*source];
      for (int32_t l : f.lines) top = std::max(top, l);
    }
    for (const Function& p : f.protos) collect_lines(p, source, last);
  }

  Header header_;
  Function main_;
  SourceLines main_lines_;
  std::vector<FunctionState> stack_;
  AppletText applet_;
  size_t line_no_ = 0;
  bool program_ = false;
  std::string file_name_;
};

// ---- disassembler ----

class Printer {
 public:
  std::string out;

  void header(const Header& h) {
    Header def;
    if (std::memcmp(h.signature, def.signature, 4) != 0)
      out +=
          ".signature " + quote(std::string(reinterpret_cast<const char*>(h.signature), 4)) + "\n";
    if (h.byte_order != def.byte_order) out += ".byteorder " + std::to_string(h.byte_order) + "\n";
    if (std::memcmp(h.sizes, def.sizes, 8) != 0) {
      out += ".sizes";
      for (uint8_t s : h.sizes) out.append(" ").append(std::to_string(s));
      out += "\n";
    }
    if (std::bit_cast<uint64_t>(h.test_number) != std::bit_cast<uint64_t>(def.test_number))
      out += ".testnumber " + format_double(h.test_number) + "\n";
  }

  void function(const Function& f, const std::string& ind) {
    if (f.source) out += ind + ".source " + quote(f.source) + "\n";
    if (f.line_defined) out += ind + ".linedefined " + std::to_string(f.line_defined) + "\n";
    if (f.numparams) out += ind + ".params " + std::to_string(f.numparams) + "\n";
    if (f.is_vararg) out += ind + ".vararg " + std::to_string(f.is_vararg) + "\n";
    out += ind + ".maxstack " + std::to_string(f.maxstack) + "\n";
    if (f.nups != f.upvalue_names.size()) out += ind + ".upvalues " + std::to_string(f.nups) + "\n";
    for (const OptString& n : f.upvalue_names) out += ind + ".upname " + quote(n) + "\n";
    for (const Local& l : f.locals)
      out += ind + ".local " + quote(l.name) + " " + std::to_string(l.startpc) + " " +
             std::to_string(l.endpc) + "\n";
    for (size_t i = 0; i < f.constants.size(); ++i) {
      const Constant& k = f.constants[i];
      std::string v = k.type == kConstNumber   ? format_double(k.number)
                      : k.type == kConstString ? quote(k.text)
                                               : "nil";
      out += ind + ".const " + v + "  ; k" + std::to_string(i) + "\n";
    }
    for (size_t i = 0; i < f.protos.size(); ++i) {
      out += ind + ".function  ; f" + std::to_string(i) + "\n";
      function(f.protos[i], ind + "  ");
      out += ind + ".end\n";
    }
    code(f, ind);
  }

 private:
  void code(const Function& f, const std::string& ind) {
    const size_t n = f.code.size();
    std::vector<bool> target(n + 1, false);
    auto jump_target = [&](size_t pc, int64_t dist) -> int64_t {
      int64_t t = int64_t(pc) + 1 + dist;
      return t >= 0 && t <= int64_t(n) ? t : -1;
    };
    for (size_t pc = 0; pc < n; ++pc) {
      Instruction i = f.code[pc];
      uint32_t op = inst_op(i);
      int64_t t = -1;
      if (op == OP_JMP) t = jump_target(pc, inst_jdist(i));
      if (op == OP_FORLOOP || op == OP_TFORPREP) t = jump_target(pc, inst_sbx(i));
      if (t >= 0) target[size_t(t)] = true;
    }
    const bool lines = f.lines.size() == n && n > 0;
    if (f.lines.empty()) {
      out += ind + ".lines\n";
    } else if (!lines) {
      out += ind + ".lines";
      for (int32_t l : f.lines) out.append(" ").append(std::to_string(l));
      out += "\n";
    }
    int64_t last_line = INT64_MIN;
    for (size_t pc = 0; pc <= n; ++pc) {
      if (target[pc]) out += ind + "L" + std::to_string(pc) + ":\n";
      if (pc == n) break;
      if (lines && f.lines[pc] != last_line) {
        last_line = f.lines[pc];
        out += ind + ".lineno " + std::to_string(last_line) + "\n";
      }
      out += ind + "  " + instruction(f.code[pc], pc, n) + "\n";
    }
  }

  static std::string operand(ArgMode mode, uint32_t v) {
    switch (mode) {
      case ArgMode::Reg:
        return "r" + std::to_string(v);
      case ArgMode::RK:
        return rk_is_const(v) ? "k" + std::to_string(rk_const_index(v)) : "r" + std::to_string(v);
      case ArgMode::Upval:
        return "u" + std::to_string(v);
      case ArgMode::Const:
        return "k" + std::to_string(v);
      case ArgMode::Proto:
        return "f" + std::to_string(v);
      default:
        return std::to_string(v);
    }
  }

  static std::string instruction(Instruction i, size_t pc, size_t n) {
    uint32_t op = inst_op(i);
    char word[16];
    snprintf(word, sizeof word, "0x%08x", i);
    if (op >= uint32_t(kNumOpcodes)) return std::string(".word ") + word;
    const OpInfo& info = kOpInfo[op];
    auto target = [&](int64_t dist) {
      int64_t t = int64_t(pc) + 1 + dist;
      return t >= 0 && t <= int64_t(n) ? "@L" + std::to_string(t) : std::to_string(dist);
    };
    std::string s = info.name;
    switch (info.format) {
      case OpFormat::J:
        if (inst_m(i) == kJmpGosub) return "GOSUB " + target(inst_jdist(i));
        s += " " + target(inst_jdist(i));
        if (inst_m(i)) s += " " + std::to_string(inst_m(i));
        return s;
      case OpFormat::AsBx:
        return s + " " + operand(info.a, inst_a(i)) + " " + target(inst_sbx(i));
      case OpFormat::ABx:
        return s + " " + operand(info.a, inst_a(i)) + " " + operand(info.b, inst_bx(i));
      case OpFormat::ABC: {
        std::string ops[3] = {operand(info.a, inst_a(i)), operand(info.b, inst_b(i)),
                              operand(info.c, inst_c(i))};
        int last = 3;
        if (info.c == ArgMode::Unused && inst_c(i) == 0) {
          last = 2;
          if (info.b == ArgMode::Unused && inst_b(i) == 0) last = 1;
        }
        for (int k = 0; k < last; ++k) s += " " + ops[k];
        return s;
      }
    }
    return s;
  }
};

}  // namespace

bool assemble(std::string_view text, std::vector<uint8_t>& chunk, std::string& error) {
  Assembler a;
  return a.run(text, chunk, error);
}

bool assemble_program(std::string_view text, const std::string& base_dir, std::vector<uint8_t>& out,
                      bool& is_applet, std::string& error, const std::string& file_name) {
  Assembler a;
  a.set_base_dir(base_dir.empty() || base_dir.back() == '/' ? base_dir : base_dir + "/");
  a.set_program(file_name);
  bool ok = a.run(text, out, error);
  is_applet = a.is_applet();
  return ok;
}

bool disassemble(const uint8_t* data, size_t size, std::string& text, std::string& error) {
  Header h;
  Function f;
  if (!read_chunk(data, size, h, f, error)) return false;
  Printer p;
  p.header(h);
  p.function(f, "");
  text = std::move(p.out);
  return true;
}

}  // namespace qm::asmx
