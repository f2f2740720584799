#include "runtime/applet.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cstring>
#include <memory>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/os/qmos.h"
#include "runtime/packed.h"
#include "runtime/project.h"
#include "runtime/registry.h"

namespace qm {

// ---- The applet-location record -----------------------------------------------------------------

namespace {

// The only copy of the record in the executable. qmappend finds it by its 48 bytes, which must
// occur once in the binary, and patches the offset. It is defined in assembly: a C++ constant's
// value would also be written into the debug information (a second copy that a search finds),
// and the compiler could fold its unpatched offset into the code. The volatile read in
// applet_location_copy takes the bytes as they are in the file.
asm(R"(
  .section .rodata.qm_applet_location,"a"
  .balign 8
  .globl qm_applet_location_record
  .hidden qm_applet_location_record
  .type qm_applet_location_record, @object
  .size qm_applet_location_record, 48
qm_applet_location_record:
  .ascii "Brenkal Dovitran Entertainment"
  .zero 2
  .byte 0xDE, 0xAD, 0xC0, 0xDE
  .byte 0xC0, 0xDE, 0xCA, 0xFE
  .byte 0xC0, 0xCA, 0xC0, 0x1A
  .zero 4
  .previous
)");

}  // namespace

extern "C" const AppletLocation qm_applet_location_record;

AppletLocation applet_location_copy() {
  AppletLocation out;
  const volatile uint8_t* src = reinterpret_cast<const volatile uint8_t*>(&qm_applet_location_record);
  uint8_t* dst = reinterpret_cast<uint8_t*>(&out);
  for (size_t i = 0; i < sizeof out; ++i) dst[i] = src[i];
  return out;
}

int64_t applet_location_offset(const AppletLocation& loc) {
  uint32_t off = get_be32(loc.offset);
  return off == APPLET_NO_OFFSET ? -1 : int64_t(off);
}

void applet_location_template(uint8_t out[APPLET_LOCATION_SIZE]) {
  // Built from pieces so that this function's own constants never repeat the whole record.
  std::memset(out, 0, APPLET_LOCATION_SIZE);
  const char* words[] = {"Brenkal ", "Dovitran ", "Entertainment"};
  size_t n = 0;
  for (const char* w : words) {
    std::memcpy(out + n, w, std::strlen(w));
    n += std::strlen(w);
  }
  put_be32(out + 32, APPLET_NO_OFFSET);
  put_be32(out + 36, 0xC0DECAFEu);
  put_be32(out + 40, 0xC0CAC01Au);
}

// ---- Reading ------------------------------------------------------------------------------------

namespace {

constexpr size_t kNameMax = DECL_NAME_SIZE - 1;        // source, include and linked-file names
constexpr size_t kTextMax = APPLET_TEXT_SIZE - 1;      // metadata texts
constexpr size_t kLabelMax = VM_NAME_MAX - 1;          // label and constant names
// The section tags this reader knows run from 0 to here.
constexpr uint8_t kLastSectionTag = 31;

struct CodeError {
  int32_t code;
};
[[noreturn]] void fail(int32_t code) { throw CodeError{code}; }

// How far the applet's bytes reach: the file's size, or for a compressed applet as far as it has
// been inflated, inflating more on demand.
class Extent {
 public:
  virtual ~Extent() = default;
  // True when the applet holds bytes up to applet offset end; fails with an error code when
  // the bytes cannot be made.
  virtual bool reaches(int64_t end) = 0;
};

class FileExtent : public Extent {
 public:
  explicit FileExtent(int64_t size) : size_(size) {}
  bool reaches(int64_t end) override { return end <= size_; }

 private:
  int64_t size_;
};

// Sequential reads over the applet's bytes in its host file; positions are applet offsets.
class Input {
 public:
  Input(qmFileHandle* h, int64_t base, Extent* extent) : h_(h), base_(base), extent_(extent) {}

  int64_t pos() const { return pos_; }
  // True when n more bytes follow the position.
  bool has(int64_t n) const { return n >= 0 && extent_->reaches(pos_ + n); }

  void bytes(void* out, int64_t n) {
    if (!has(n)) fail(ERR_UNEXPECTEDEOF);
    if (n && qmos_read(h_, out, n) != n) fail(ERR_UNEXPECTEDEOF);
    pos_ += n;
  }
  void skip(int64_t n) {
    if (!has(n)) fail(ERR_UNEXPECTEDEOF);
    pos_ += n;
    qmos_seek(h_, base_ + pos_, QMOS_SEEK_BEGINNING);
  }
  uint8_t u8() {
    uint8_t b;
    bytes(&b, 1);
    return b;
  }
  int32_t s16() {
    uint8_t b[2];
    bytes(b, 2);
    return int16_t(get_be16(b));
  }
  uint32_t u32() {
    uint8_t b[4];
    bytes(b, 4);
    return get_be32(b);
  }
  int32_t s32() { return int32_t(u32()); }
  double f64() {
    uint8_t b[8];
    bytes(b, 8);
    return std::bit_cast<double>(get_be64(b));
  }
  // A NUL-ended string of at most max bytes; a longer one is refused as a malformed section.
  std::string cstring(size_t max) {
    std::string s;
    for (;;) {
      uint8_t c = u8();
      if (c == 0) return s;
      if (s.size() >= max) fail(ERR_UNKNOWNSEC);
      s += char(c);
    }
  }
  // n bytes at applet offset `at`, then back to where the section was.
  std::string block_at(uint32_t at, uint32_t n) {
    check_range(at, n);
    std::string s(n, '\0');
    qmos_seek(h_, base_ + at, QMOS_SEEK_BEGINNING);
    bool ok = qmos_read(h_, s.data(), n) == int64_t(n);
    qmos_seek(h_, base_ + pos_, QMOS_SEEK_BEGINNING);
    if (!ok) fail(ERR_UNEXPECTEDEOF);
    return s;
  }
  // A byte range that must lie inside the applet.
  void check_range(uint32_t at, uint32_t n) const {
    if (!extent_->reaches(int64_t(at) + int64_t(n))) fail(ERR_UNEXPECTEDEOF);
  }

 private:
  qmFileHandle* h_;
  int64_t base_;
  Extent* extent_;
  int64_t pos_ = 0;
};

struct FileCloser {
  void operator()(qmFileHandle* h) const { qmos_close(h); }
};
using FilePtr = std::unique_ptr<qmFileHandle, FileCloser>;

// Inflating stops where the reader stops: at the bytecode section's end or the farthest byte that
// a declaration or linked file names, whichever lies farther. What lies beyond is never made, so
// a stream that inflates to gigabytes past the applet costs nothing. An applet that would reach
// beyond this is no applet.
constexpr int64_t kInflatedLimit = int64_t(1) << 30;

// The plain applet inflated from a compressed one, as far as the reader asks, into a temporary
// file that is unlinked as soon as it is made and reached through /proc/self/fd/N: nothing is
// left behind, even when the player is killed. The magic and the first section's tag are checked
// as soon as their bytes come out of the inflater, so that garbage stops there.
class InflatedApplet : public Extent {
 public:
  ~InflatedApplet() override {
    if (fd_ >= 0 && !owned_) close(fd_);
  }

  // Makes the temporary file and inflates the applet's first bytes. 0 or an error code.
  int32_t start(const Applet& a) {
    char temp[DECL_NAME_SIZE];
    if (!vfile_temp_name(temp, sizeof temp, "applet.qma")) return ERR_WRITEFILE;
    std::string host = qmos_native_name(temp, true);
    fd_ = open(host.c_str(), O_RDWR | O_CLOEXEC);
    unlink(host.c_str());
    if (fd_ < 0) {
      err_set_string_arg(temp);
      return ERR_WRITEFILE;
    }
    if (int32_t err = stream_.open("QMZ\0", a.path.c_str(), a.offset)) return err;
    if (int32_t err = grow(5)) return err;
    return written_ < 4 ? ERR_NOAPPLET : 0;
  }

  // Hands the temporary file to the applet, which keeps it open while it runs.
  void hand_over(Applet* a) {
    const int fd = fd_;
    a->temp_fd = std::shared_ptr<int>(new int(fd), [](int* p) {
      close(*p);
      delete p;
    });
    owned_ = true;
    a->path = "/proc/self/fd/" + std::to_string(fd);
    a->offset = 0;
    a->compressed = true;
  }

  bool reaches(int64_t end) override {
    if (end > kInflatedLimit) fail(ERR_NOAPPLET);
    if (int32_t err = grow(end)) fail(err);
    return end <= written_;
  }

 private:
  // Inflates until the file holds end bytes or the stream ends. 0 or an error code.
  int32_t grow(int64_t end) {
    while (written_ < end && !stream_.ended())
      if (int32_t err = stream_.next(put, this)) return err;
    return 0;
  }

  static int32_t put(void* ud, const uint8_t* data, size_t size) {
    auto* self = static_cast<InflatedApplet*>(ud);
    for (size_t i = 0; i < size && self->have_ < sizeof self->head_; ++i) self->head_[self->have_++] = data[i];
    if (self->have_ >= 4 && std::memcmp(self->head_, "QMA\0", 4) != 0) return ERR_NOAPPLET;
    if (self->have_ >= 5 && self->head_[4] > kLastSectionTag) return ERR_UNKNOWNSEC;
    while (size > 0) {
      ssize_t n = write(self->fd_, data, size);
      if (n <= 0) return ERR_WRITE;
      data += n;
      size -= size_t(n);
      self->written_ += n;
    }
    return 0;
  }

  int fd_ = -1;
  bool owned_ = false;
  PackedStream stream_;
  uint8_t head_[5] = {};
  size_t have_ = 0;
  int64_t written_ = 0;
};

void read_gradient(Input& in, qmGradient* g) {
  g->type = in.u8();
  g->centre_x = in.u32() / 1000000.0;
  g->centre_y = in.u32() / 1000000.0;
  g->balance = in.u32() / 1000000.0;
  g->border = in.u32() / 1000000.0;
  int32_t n = in.u8();
  if (n > DECL_MAX_STOPS) fail(ERR_UNKNOWNSEC);
  g->stop_count = n;
  for (int32_t i = 0; i < n; ++i) {
    g->stops[i].colour = in.u32();
    g->stops[i].position = in.u32() / 1000000.0;
  }
}

void read_regions(Input& in, std::vector<Region>* out) {
  uint32_t n = in.u32();
  if (n > uint32_t(DECL_MAX_REGIONS)) fail(ERR_UNKNOWNSEC);
  out->resize(n);
  for (Region& r : *out) {
    r.type = in.s32();
    r.x = in.s32();
    r.y = in.s32();
    r.width = in.s32();
    r.height = in.s32();
  }
}

class Reader {
 public:
  Reader(qmState* L, Input& in, Applet* a) : L_(L), in_(in), a_(a) {}

  void run() {
    while (a_->bytecode.empty()) {
      if (!in_.has(1)) fail(ERR_UNEXPECTEDEOF);
      section(in_.u8());
    }
  }

 private:
  bool since(int32_t major, int32_t minor) const { return a_->version >= major * 100 + minor; }

  void section(uint8_t tag) {
    switch (tag) {
      case 0: in_.skip(in_.u32()); break;
      case 1: bytecode(); break;
      case 2: {
        uint32_t n = in_.u32();
        for (uint32_t i = 0; i < n; ++i) declaration();
        break;
      }
      case 3: {
        DisplayPayload& d = first_display();
        d.width = in_.s16();
        d.height = in_.s16();
        break;
      }
      case 4: {
        int32_t n = in_.s16();
        if (n < 0) fail(ERR_UNKNOWNSEC);
        in_.skip(n);
        break;
      }
      case 5: first_display().color = in_.u32(); break;
      case 6: {
        DisplayPayload& d = first_display();
        d.x = in_.s32();
        d.y = in_.s32();
        break;
      }
      case 7: a_->settings.private2 = true; break;
      case 8: case 27: includes(tag == 27); break;
      case 9: labels(); break;
      case 10: version(); break;
      case 11: a_->title = in_.cstring(kTextMax); break;
      case 12: a_->version_text = in_.cstring(kTextMax); break;
      case 13: a_->copyright = in_.cstring(kTextMax); break;
      case 14: a_->author = in_.cstring(kTextMax); break;
      case 15: a_->description = in_.cstring(kTextMax); break;
      case 16: a_->settings.display_mode = in_.u8(); break;
      case 17: backfill(); break;
      case 18: display_flag(DISPF_BORDERLESS); break;
      case 19: display_flag(DISPF_FIXED); break;
      case 20: display_flag(DISPF_SIZEABLE); break;
      case 21: a_->settings.hide_title = in_.u8(); break;
      case 22:
        a_->settings.screen_width = in_.s16();
        a_->settings.screen_height = in_.s16();
        break;
      case 23: a_->settings.screen_depth = in_.u8(); break;
      case 24: display_flag(DISPF_HIDEPOINTER); break;
      case 25: display_flag(DISPF_NOMODESWITCH); break;
      case 26: linked_files(); break;
      case 28: scaling(); break;
      case 29: {
        AppletSettings fresh;
        fresh.private2 = a_->settings.private2;
        a_->settings = fresh;
        a_->settings.settings_reset = true;
        break;
      }
      case 30: display_flag(DISPF_NOHIDE); break;
      case 31: constants(); break;
      default: fail(ERR_UNKNOWNSEC);
    }
  }

  void bytecode() {
    uint32_t n = in_.u32();
    if (!in_.has(n)) fail(ERR_UNEXPECTEDEOF);
    if (n == 0) fail(ERR_UNEXPECTEDEOF);  // an empty chunk cannot end the section list
    a_->bytecode.resize(n);
    in_.bytes(a_->bytecode.data(), n);
  }

  void version() {
    int32_t major = in_.u8();
    int32_t minor = in_.u8();
    if (major > 5 || (major == 5 && minor > 0)) {
      char text[16];
      std::snprintf(text, sizeof text, "%d.%d", major, minor);
      err_set_string_arg(text);
      fail(ERR_APPLETVERSION);
    }
    a_->version = major * 100 + minor;
  }

  // The display payload that the first-display sections change: the last display declaration at
  // the time the first such section is read, or a default display declared for them.
  DisplayPayload& first_display() {
    if (first_display_ < 0) {
      for (size_t i = a_->declarations.size(); i-- > 0;) {
        if (a_->declarations[i].type == DECL_DISPLAY) {
          first_display_ = int64_t(i);
          break;
        }
      }
      if (first_display_ < 0) {
        if (add_default_display(&a_->declarations, nullptr)) fail(ERR_MEM);
        first_display_ = int64_t(a_->declarations.size() - 1);
      }
    }
    return a_->declarations[size_t(first_display_)].display;
  }

  void display_flag(uint32_t bit) {
    bool on = in_.u8() != 0;
    DisplayPayload& d = first_display();
    if (on) d.flags |= bit;
    d.given_mask |= bit;
  }

  void scaling() {
    int32_t mode = in_.u8();
    int32_t w = in_.s32();
    int32_t h = in_.s32();
    bool smooth = in_.u8() != 0;
    DisplayPayload& d = first_display();
    uint32_t bit = mode == 0 ? DISPF_SCALEMODE1 : DISPF_SCALEMODE2;
    d.flags |= bit;
    d.given_mask |= bit | DISPF_SMOOTHSCALE;
    if (smooth) d.flags |= DISPF_SMOOTHSCALE;
    d.scale_width = w;
    d.scale_height = h;
  }

  void backfill() {
    AppletSettings& s = a_->settings;
    s.backfill = in_.u8();
    switch (s.backfill) {
      case 1: s.color = in_.u32(); break;
      case 2:
        s.start_color = in_.s32();
        s.end_color = in_.s32();
        break;
      case 3: s.brush = in_.s32(); break;
      case 4:
        s.brush = in_.s32();
        s.pic_x = in_.s32();
        s.pic_y = in_.s32();
        s.start_color = in_.s32();
        s.end_color = in_.s32();
        if (since(3, 2)) s.scale_picture = in_.u8();
        break;
      default: break;
    }
  }

  void includes(bool with_host) {
    uint32_t n = in_.u32();
    for (uint32_t i = 0; i < n; ++i) {
      IncludeRange r;
      r.first_line = in_.s32();
      r.last_line = in_.s32();
      r.line_offset = in_.s32();
      r.file_name = in_.cstring(kNameMax);
      if (with_host) in_.cstring(kNameMax);
      a_->includes.push_back(std::move(r));
    }
  }

  void labels() {
    uint32_t n = in_.u32();
    for (uint32_t i = 0; i < n; ++i) {
      int32_t value = in_.s32();
      std::string name = in_.cstring(kLabelMax);
      if (L_ && vm_label_set(L_, name.c_str(), value)) fail(ERR_UNKNOWNSEC);
    }
  }

  void constants() {
    for (;;) {
      std::string name = in_.cstring(kLabelMax);
      if (name.empty()) return;
      uint8_t kind = in_.u8();
      qmConstant rows[2] = {{name.c_str(), nullptr, 0.0}, {nullptr, nullptr, 0.0}};
      std::string text;
      if (kind == 0) {
        rows[0].num = in_.f64();
      } else {
        text = in_.cstring(std::string::npos);
        rows[0].str = text.c_str();
      }
      if (L_ && vm_register_constants(L_, rows, 1)) fail(ERR_UNKNOWNSEC);
    }
  }

  void linked_files() {
    uint32_t n = in_.u32();
    in_.u32();
    for (uint32_t i = 0; i < n; ++i) {
      qmLinkedFile f;
      f.name = in_.cstring(kNameMax - 1);
      uint32_t size = in_.u32();
      uint32_t at;
      if (size == 0xFFFFFFFFu) {
        size = in_.u32();
        at = in_.u32();
        in_.check_range(at, size);
      } else {
        if (in_.pos() > INT32_MAX) fail(ERR_UNKNOWNSEC);
        at = uint32_t(in_.pos());
        in_.skip(size);
      }
      if (at > uint32_t(INT32_MAX)) fail(ERR_UNKNOWNSEC);
      f.offset = int32_t(at);
      f.length = size;
      a_->linked.files.push_back(std::move(f));
    }
  }

  void declaration() {
    Declaration d;
    int32_t type = in_.u8();
    if (type > DECL_TYPE_MAX) fail(ERR_UNKNOWNSEC);
    d.type = type;
    d.id = in_.s32();
    d.name_offset = in_.u32();
    d.name_length = in_.u32();
    d.linked_offset = in_.u32();
    d.linked_size = in_.u32();
    d.arg1 = in_.s32();
    d.arg2 = in_.s32();
    d.context = in_.s32();
    d.from_applet = 1;
    payload(d);
    d.host_path = a_->path;
    if (d.linked_size) {
      in_.check_range(d.linked_offset, d.linked_size);
      if (d.linked_offset > uint32_t(INT32_MAX)) fail(ERR_UNKNOWNSEC);
    }
    if (d.name_length) {
      if (d.name_length > kNameMax) fail(ERR_UNKNOWNSEC);
      std::string name = in_.block_at(d.name_offset, d.name_length);
      d.source_name = name.substr(0, name.find('\0'));
      d.has_name = true;
    }
    a_->declarations.push_back(std::move(d));
  }

  void picture_words(Declaration& d, const int order[6]) {
    for (int i = 0; i < 6; ++i) d.words[order[i]] = in_.s16();
  }

  void payload(Declaration& d) {
    static constexpr int kSpriteOrder[6] = {PIC_WIDTH, PIC_HEIGHT, PIC_FRAMES, PIC_FPR, PIC_X, PIC_Y};
    switch (d.type) {
      case DECL_BGPIC: {
        BgPicPayload& b = d.bgpic;
        declaration_set_gradient_defaults(&b.gradient);
        if (since(4, 7)) {
          b.fill_style = in_.u8();
          b.color = in_.u32();
          b.gradient.start_colour = b.color;
          b.gradient.end_colour = in_.u32();
          b.gradient.angle = in_.s16();
          b.texture_brush = in_.s32();
          b.texture_x = in_.s32();
          b.texture_y = in_.s32();
        }
        if (since(5, 0)) read_gradient(in_, &b.gradient);
        break;
      }
      case DECL_BRUSH:
        d.words[PIC_WIDTH] = in_.s16();
        d.words[PIC_HEIGHT] = in_.s16();
        d.words[PIC_X] = in_.s16();
        d.words[PIC_Y] = in_.s16();
        d.words[PIC_GLOBALALPHA] = in_.s16();
        if (since(5, 0)) d.words[PIC_HARDWARE] = in_.u8();
        break;
      case DECL_SPRITE: picture_words(d, kSpriteOrder); break;
      case DECL_ANIM:
        if (since(3, 0)) d.words[PIC_FROMDISK] = in_.u8();
        if (since(4, 1)) picture_words(d, kSpriteOrder);
        break;
      case DECL_BUTTON:
        for (int i = 0; i < 4; ++i) d.words[i] = in_.s16();
        break;
      case DECL_DISPLAY: display(d.display); break;
      default: break;
    }
  }

  void display(DisplayPayload& p) {
    declaration_set_gradient_defaults(&p.gradient);
    p.fill_style = 1;
    p.bgpic = in_.s32();
    p.x = in_.s32();
    p.y = in_.s32();
    p.width = in_.s32();
    p.height = in_.s32();
    p.color = in_.u32();
    p.gradient.start_colour = p.color;
    p.flags = in_.u32();
    p.given_mask = in_.u32();
    p.scale_width = in_.s32();
    p.scale_height = in_.s32();
    read_regions(in_, &p.drag_regions);
    read_regions(in_, &p.size_regions);
    int32_t n = in_.s16();
    if (n < 0 || size_t(n) > DECL_TITLE_SIZE - 1) fail(ERR_UNKNOWNSEC);
    std::string title(size_t(n), '\0');
    in_.bytes(title.data(), n);
    p.title = title.substr(0, title.find('\0'));
    if (since(4, 7)) {
      p.fill_style = in_.u8();
      p.gradient.end_colour = in_.u32();
      p.gradient.angle = in_.s16();
      p.texture_brush = in_.s32();
      p.texture_x = in_.s32();
      p.texture_y = in_.s32();
    }
    if (since(5, 0)) read_gradient(in_, &p.gradient);
  }

  qmState* L_;
  Input& in_;
  Applet* a_;
  int64_t first_display_ = -1;
};

std::string base_name(const std::string& path) { return vfile_basename(path.c_str()); }

// Opens the applet's file, starting the inflation of a compressed one; leaves the file at the
// magic's end and *extent telling how far the applet's bytes reach.
int32_t open_applet(Applet* a, FilePtr* file, std::unique_ptr<Extent>* extent) {
  file->reset(qmos_open(a->path.c_str(), QMOS_MODE_READ));
  if (!*file) {
    err_set_string_arg(a->path.c_str());
    return ERR_READFILE;
  }
  int64_t end = qmos_seek(file->get(), 0, QMOS_SEEK_END);
  end = qmos_seek(file->get(), 0, QMOS_SEEK_END);  // the seek returns the previous position
  char magic[4] = {};
  if (a->offset < 0 || end - a->offset <= 4) return ERR_NOAPPLET;
  qmos_seek(file->get(), a->offset, QMOS_SEEK_BEGINNING);
  if (qmos_read(file->get(), magic, 4) != 4) return ERR_NOAPPLET;
  if (std::memcmp(magic, "QMZ\0", 4) == 0) {
    file->reset();
    auto inflated = std::make_unique<InflatedApplet>();
    if (int32_t err = inflated->start(*a)) return err;
    inflated->hand_over(a);
    file->reset(qmos_open(a->path.c_str(), QMOS_MODE_READ));
    if (!*file) {
      err_set_string_arg(a->path.c_str());
      return ERR_READFILE;
    }
    if (qmos_read(file->get(), magic, 4) != 4) return ERR_NOAPPLET;
    *extent = std::move(inflated);
  } else {
    *extent = std::make_unique<FileExtent>(end - a->offset);
  }
  return std::memcmp(magic, "QMA\0", 4) == 0 ? 0 : ERR_NOAPPLET;
}

}  // namespace

int32_t applet_read(qmState* L, const char* path, int64_t offset, Applet* out) {
  char full[DECL_NAME_SIZE];
  if (!qmos_full_path(path, full, sizeof full)) {
    err_set_string_arg(path);
    return ERR_FILEEXIST;
  }
  if (qmLock* lock = qmos_lock(full, QMOS_LOCK_READ)) {
    int32_t is_dir = 0;
    qmos_lock_is_dir(lock, &is_dir);
    qmos_unlock(lock);
    if (is_dir) {
      err_set_string_arg(base_name(full).c_str());
      return ERR_NOAPPLET;
    }
  }
  {
    FilePtr probe(qmos_open(full, QMOS_MODE_READ));
    if (!probe) {
      err_set_string_arg(full);
      return ERR_FILEEXIST;
    }
  }
  out->path = full;
  out->offset = offset;
  out->linked.applet_path = full;
  out->linked.base = offset;

  FilePtr file;
  std::unique_ptr<Extent> extent;
  int32_t code = open_applet(out, &file, &extent);
  if (code == 0) {
    out->linked.applet_path = out->path;
    out->linked.base = out->offset;
    Input in(file.get(), out->offset, extent.get());
    try {
      in.skip(4);
      Reader(L, in, out).run();
    } catch (const CodeError& e) {
      code = e.code;
    } catch (const std::bad_alloc&) {
      code = ERR_MEM;
    }
  }
  if (code == ERR_NOAPPLET) err_set_string_arg(base_name(full).c_str());
  file.reset();
  if (L) reg_set_string(L, "script", ":none:");
  return code;
}

DeclareContext applet_declare_context(const Applet& applet) {
  DeclareContext c;
  c.applet_path = applet.path;
  c.applet_offset = applet.offset;
  c.quiet_forced = true;
  c.settings_reset = applet.settings.settings_reset;
  c.private2 = applet.settings.private2;
  return c;
}

// ---- Linked files of the running applet ---------------------------------------------------------

void project_register(qmState* L, Program* program) { vm_reg_set_pointer(L, "applet", program); }

const Program* project_record(qmState* L) { return static_cast<const Program*>(applet_get_record(L)); }

std::string linked_file_lookup(qmState* L, const char* name, int32_t font_kind, int32_t* is_font) {
  const Program* project = L ? project_record(L) : nullptr;
  if (!project) {
    if (is_font) *is_font = 0;
    return name ? name : "";
  }
  return linked_file_resolve(project->linked, name, font_kind, is_font);
}

}  // namespace qm
