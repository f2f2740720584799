// InKeyStr: a line typed on the current display, echoed as it is typed. Each echoed character is
// a PRINT layer of its own (the display's layers are on for the time of the input), so that a
// backspace takes it away again; at the end the echoes go and the whole text is printed once.
#include <string>
#include <vector>

#include "display/display.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/input_queue.h"
#include "layers/layers.h"
#include "layers/manage.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "text/layout.h"
#include "text/text_internal.h"

namespace qm {

namespace {

enum : int32_t {
  KEY_BACKSPACE = 271,
  KEY_TAB = 272,
  KEY_ENTER = 273,
  KEY_RETURN = 274,
  KEY_SPACE = 276
};
enum : int32_t {
  INPUT_ALL = 0,
  INPUT_ALPHANUMERICAL,
  INPUT_ALPHABETICAL,
  INPUT_NUMERICAL,
  INPUT_HEXNUMERICAL
};
constexpr size_t kMaxTyped = 1024;

bool is_digit(int32_t c) {
  return c >= '0' && c <= '9';
}
bool is_letter(int32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

bool accepted(int32_t type, int32_t c) {
  switch (type) {
    case INPUT_ALL:
      return (c >= 32 && c < 127) || c >= 160;
    case INPUT_ALPHANUMERICAL:
      return c == ' ' || is_letter(c) || is_digit(c);
    case INPUT_ALPHABETICAL:
      return c == ' ' || is_letter(c);
    case INPUT_NUMERICAL:
      return is_digit(c);
    case INPUT_HEXNUMERICAL:
      return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    default:
      return false;
  }
}

// Where drawing goes instead of the display, as InKeyStr names it.
int32_t redirected(const qmDisplay* d) {
  if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
  const OutputTarget* t = drawtarget_selected();
  if (!t) return 0;
  if (t->object_type == OBJ_ANIM) return ERR_SELECTANIM;
  if (d->output_type == TARGET_MASK) return ERR_SELECTMASK;
  if (d->output_type == TARGET_ALPHA) return ERR_SELECTALPHACHANNEL;
  return t->object_type == OBJ_BGPIC ? ERR_SELECTBG : ERR_SELECTBRUSH;
}

class Input {
 public:
  Input(qmState* L, qmDisplay* d, int32_t type, int32_t max, bool password)
      : L_(L), d_(d), type_(type), max_(max), password_(password) {
    start_x_ = d->cursor_x, start_y_ = d->cursor_y;
    layers_ = d->layers, layers_on_ = d->output.layers_on;
    d->layers = d->output.layers_on = 1;
  }
  // No echo outlives the input, whichever way it ends; a failed input leaves the cursor where it
  // began.
  ~Input() {
    remove_echoes();
    if (!finished_) d_->cursor_x = start_x_, d_->cursor_y = start_y_;
  }

  // 0 with the typed text, or the error that ended the input.
  int32_t run(std::string* out) {
    while (!ended_) {
      if (platform_pump_events(L_) != 0 || platform_quit_requested()) return ERR_USERABORT;
      input_queue_expire();
      input_queue_lock();
      int32_t err = 0;
      qmInputEvent ev{};
      for (int32_t n = 0; !err && !ended_ && input_queue_peek(n, &ev, false); ++n)
        if (ev.type == INPUT_KEY && ev.a == 1) err = key(ev.c);
      input_queue_remove(-1, 0);
      input_queue_unlock();
      if (err) return err;
      if (!ended_) platform_wait_event();
    }
    remove_echoes();
    d_->cursor_x = start_x_, d_->cursor_y = start_y_;
    const std::string shown = password_ ? std::string(typed_.size(), '*') : typed_;
    if (int32_t err = text_print(L_, shown.data(), shown.size(), true)) return err;
    finished_ = true;
    *out = typed_;
    return 0;
  }

 private:
  qmState* L_;
  qmDisplay* d_;
  int32_t type_, max_;
  bool password_;
  int32_t start_x_ = 0, start_y_ = 0;
  int32_t layers_ = 0, layers_on_ = 0;
  bool ended_ = false, finished_ = false;
  std::string typed_;
  struct Echo {
    int32_t x, y;    // the cursor before the character
    qmLayer* layer;  // its echo
  };
  std::vector<Echo> echoes_;

  int32_t key(int32_t code) {
    if (code == KEY_BACKSPACE) {
      if (typed_.empty()) return 0;
      typed_.pop_back();
      const Echo e = echoes_.back();
      echoes_.pop_back();
      remove_echo(e.layer);
      d_->cursor_x = e.x, d_->cursor_y = e.y;
      return 0;
    }
    if (code == KEY_ENTER || code == KEY_RETURN) {
      d_->cursor_x = d_->text_margin_left;
      d_->cursor_y += text_get_current_font()->height;
      ended_ = true;
      return 0;
    }
    if (code == KEY_TAB || code == KEY_SPACE) code = ' ';
    if (code > 255 || code < 0) return 0;
    if ((max_ > 0 && int32_t(typed_.size()) >= max_) || !accepted(type_, code)) return 0;
    const Echo e{d_->cursor_x, d_->cursor_y, nullptr};
    const char c = password_ ? '*' : char(code);
    if (int32_t err = text_print(L_, &c, 1, true)) return err;
    typed_.push_back(char(code));
    echoes_.push_back(e);
    echoes_.back().layer = layers_top(d_->bgpic);
    if (typed_.size() >= kMaxTyped) ended_ = true;
    return 0;
  }

  void remove_echo(qmLayer* layer) {
    qmBGPic* pic = d_->bgpic;
    if (layer && pic && layer_index_of(pic, layer) >= 0)
      remove_layer(L_, pic, layer, false, nullptr, nullptr);
  }

  void remove_echoes() {
    while (!echoes_.empty()) {
      remove_echo(echoes_.back().layer);
      echoes_.pop_back();
    }
    d_->layers = layers_;
    d_->output.layers_on = layers_on_;
  }
};

}  // namespace

int32_t cmd_inkeystr(qmState* L) {
  arg_check_count(L, 1, 3);
  const int32_t type = int32_t(vm_arg_check_integer(L, 1));
  const int32_t max = vm_get_top(L) >= 2 ? int32_t(vm_arg_check_integer(L, 2)) : 0;
  const bool password = vm_get_top(L) >= 3 && vm_arg_check_integer(L, 3) != 0;
  qmDisplay* d = display_current();
  if (!d || d->win.state == DISPSTATE_CLOSED) return ERR_CLOSEDDISPDRAW;
  if (int32_t err = redirected(d)) return err;
  std::string typed;
  {
    Input input(L, d, type, max, password);
    if (int32_t err = input.run(&typed)) return err;
  }
  vm_push_lstring(L, typed.data(), typed.size());
  return 1;
}

}  // namespace qm
