// The layout of a text job: the inline tags, the pieces of one style, the line breaks (newlines,
// word wrap, a word-wrap table, tab stops) and the runs that the glyph-run frame draws.
//
// A text is first read into pieces: the characters of one word, or of one stretch of blanks, in
// one style (a tag inside a word splits the word into pieces but does not end it), tabs and
// newlines. Words are counted from 0; the breaks that word wrap makes are recorded by word number,
// so that a render again (or a word-wrap table) breaks at the same words whatever the widths are
// then. Breaking works on pieces measured one by one, which differ from the whole run measured at
// once by the kerning and rounding across each joint; what a joint adds is measured from its two
// characters, so the line's x is the whole run's. Runs are then made of the pieces of a line
// between tab stops, joined where their style is the same, and measured whole.
#include "text/layout.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/numparse.h"
#include "text/font_driver.h"

namespace qm {

namespace {

enum class PieceKind : uint8_t { Word, Blanks, Tab, Newline };

struct Piece {
  size_t start = 0, length = 0;  // in the laid-out characters
  int32_t style = 0;             // index into the styles
  PieceKind kind = PieceKind::Word;
  int32_t word = -1;
};

struct Parsed {
  std::string chars;
  std::vector<qmTextStyle> styles;
  std::vector<Piece> pieces;
};

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Keeps NORMAL standing for no other bit.
int32_t normalised(int32_t flags) {
  return (flags & ~TEXTSTYLE_NORMAL) ? flags & ~TEXTSTYLE_NORMAL : TEXTSTYLE_NORMAL;
}

class TagReader {
 public:
  TagReader(qmState* L, const std::string& text, const qmTextStyle& base, bool tags, bool tabs,
            Parsed* out)
      : L_(L), text_(text), style_(base), tags_(tags), tabs_(tabs), out_(out) {}

  int32_t read() {
    const size_t n = text_.size();
    while (pos_ < n) {
      const char c = text_[pos_];
      if (c == '[' || c == ']') {
        if (pos_ + 1 < n && text_[pos_ + 1] == c) {
          add_char(c);
          pos_ += 2;
          continue;
        }
        if (!tags_) {
          add_char(c);
          ++pos_;
          continue;
        }
        if (c == ']') return ERR_TEXTSYNTAX;
        if (int32_t err = tag()) return err;
        continue;
      }
      ++pos_;
      if (c == '\r') continue;
      if (c == '\n') {
        add_break(PieceKind::Newline);
      } else if (c == '\t' && tabs_) {
        add_break(PieceKind::Tab);
      } else {
        add_char(c == '\t' ? ' ' : c);
      }
    }
    return 0;
  }

 private:
  qmState* L_;
  const std::string& text_;
  qmTextStyle style_;
  bool tags_, tabs_;
  Parsed* out_;
  size_t pos_ = 0;
  int32_t style_index_ = -1;  // -1: the style changed since it was last stored
  bool in_word_ = false;
  int32_t words_ = 0;
  std::vector<uint32_t> colours_;  // the colours that closing colour tags return to

  int32_t current_style() {
    if (style_index_ < 0) {
      // Each style is stored once: a text takes few, however often its tags change them.
      std::vector<qmTextStyle>& styles = out_->styles;
      const auto it = std::find(styles.begin(), styles.end(), style_);
      style_index_ = int32_t(it - styles.begin());
      if (it == styles.end()) styles.push_back(style_);
    }
    return style_index_;
  }

  void add_break(PieceKind kind) {
    in_word_ = false;
    Piece p;
    p.start = out_->chars.size();
    p.kind = kind;
    p.style = current_style();
    out_->pieces.push_back(p);
  }

  void add_char(char c) {
    const bool blank = c == ' ';
    const PieceKind kind = blank ? PieceKind::Blanks : PieceKind::Word;
    if (!blank && !in_word_) ++words_;
    in_word_ = !blank;
    const int32_t style = current_style();
    std::vector<Piece>& pieces = out_->pieces;
    const int32_t word = blank ? -1 : words_ - 1;
    if (pieces.empty() || pieces.back().kind != kind || pieces.back().style != style ||
        pieces.back().word != word) {
      Piece p;
      p.start = out_->chars.size();
      p.kind = kind;
      p.style = style;
      p.word = word;
      pieces.push_back(p);
    }
    ++pieces.back().length;
    out_->chars.push_back(c);
  }

  void skip_blanks() {
    while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
  }

  // A number ("$FF", "%101", "0x1F", "12") or a constant ("#RED"), as an unsigned 32-bit value.
  int32_t value(uint32_t* out) {
    const char* p = text_.c_str() + pos_;
    if (*p == '"') return ERR_VALUEEXPECTED;
    double v = 0.0;
    size_t used = 0;
    if (*p == '#') {
      ConstantValue cv;
      if (int32_t err = constant_parse_ref(L_, p, &used, &cv)) return err;
      if (cv.type != QM_TNUMBER) return ERR_VALUEEXPECTED;
      v = cv.number;
    } else if (int32_t err = parse_option_number(p, &v, &used)) {
      return err;
    }
    pos_ += used;
    *out = to_u32_bits(v);
    return 0;
  }

  // "=" and up to max values separated by ",": *count of them.
  int32_t values(uint32_t* out, int32_t max, int32_t* count) {
    *count = 0;
    skip_blanks();
    if (pos_ >= text_.size() || text_[pos_] != '=') return 0;
    ++pos_;
    while (*count < max) {
      skip_blanks();
      if (int32_t err = value(&out[*count])) return err;
      ++*count;
      skip_blanks();
      if (*count == max || pos_ >= text_.size() || text_[pos_] != ',') break;
      ++pos_;
    }
    return 0;
  }

  int32_t closing_bracket() {
    skip_blanks();
    if (pos_ >= text_.size() || text_[pos_] != ']') return ERR_SQBRACKETCLOSE;
    ++pos_;
    return 0;
  }

  void changed() { style_index_ = -1; }

  // One tag from its "[".
  int32_t tag() {
    ++pos_;
    skip_blanks();
    bool closing = false;
    if (pos_ < text_.size() && text_[pos_] == '/') {
      closing = true;
      ++pos_;
      skip_blanks();
    }
    const size_t n = text_.size();
    const size_t name_start = pos_;
    const char first = pos_ < n ? char(char_to_lower(static_cast<unsigned char>(text_[pos_]))) : 0;
    if (first == 'b' || first == 'i' || first == 'u') {
      ++pos_;
      if (pos_ < n && !is_blank(text_[pos_]) && text_[pos_] != ']') return ERR_UNKTEXTFMT;
      const int32_t bit = first == 'b'   ? TEXTSTYLE_BOLD
                          : first == 'i' ? TEXTSTYLE_ITALIC
                                         : TEXTSTYLE_UNDERLINED;
      style_.flags = normalised(closing ? style_.flags & ~bit : style_.flags | bit);
      changed();
      return closing_bracket();
    }
    while (pos_ < n && is_letter(text_[pos_])) ++pos_;
    const std::string name = text_.substr(name_start, pos_ - name_start);
    enum { Colour, Shadow, Edge } which;
    if (str_case_cmp(name.c_str(), "color") == 0)
      which = Colour;
    else if (str_case_cmp(name.c_str(), "shadow") == 0)
      which = Shadow;
    else if (str_case_cmp(name.c_str(), "edge") == 0)
      which = Edge;
    else
      return ERR_UNKTEXTFMT;
    if (closing) {
      if (which == Colour) {
        if (colours_.empty()) return ERR_TEXTSYNTAX;
        style_.colour = colours_.back();
        colours_.pop_back();
      } else {
        style_.flags =
            normalised(style_.flags & ~(which == Shadow ? TEXTSTYLE_SHADOW : TEXTSTYLE_EDGE));
      }
      changed();
      return closing_bracket();
    }
    uint32_t v[3] = {0, 0, 0};
    int32_t count = 0;
    if (int32_t err = values(v, which == Colour ? 1 : which == Shadow ? 3 : 2, &count)) return err;
    if (int32_t err = closing_bracket()) return err;
    switch (which) {
      case Colour:
        if (count == 0) return ERR_TEXTARG;
        colours_.push_back(style_.colour);
        style_.colour = v[0];
        break;
      case Shadow:
        if (count >= 2 && (v[1] < 1 || v[1] > 64)) return ERR_WRONGUSAGE;
        if (count >= 1) style_.shadow_colour = v[0];
        if (count >= 2) style_.shadow_distance = int32_t(v[1]);
        if (count >= 3) style_.shadow_direction = int32_t(v[2] & 0xFF);
        style_.flags = normalised(style_.flags | TEXTSTYLE_SHADOW);
        break;
      case Edge:
        if (count >= 2 && (v[1] < 1 || v[1] > 8)) return ERR_WRONGUSAGE;
        if (count >= 1) style_.edge_colour = v[0];
        if (count >= 2) style_.edge_size = int32_t(v[1]);
        style_.flags = normalised(style_.flags | TEXTSTYLE_EDGE);
        break;
    }
    changed();
    return 0;
  }
};

// Breaks the pieces into lines and runs.
class LineBreaker {
 public:
  LineBreaker(const Parsed& parsed, qmTextJob& job, bool print, bool again, qmTextLayout* out)
      : p_(parsed), job_(job), print_(print), again_(again), out_(out) {}

  int32_t run() {
    const qmTextStyle& base = p_.styles.empty() ? job_.style : p_.styles.front();
    qmFont* font = base.font ? base.font : font_default();
    out_->line_height = font ? font->height : 0;
    out_->start_x = print_ ? job_.cursor_x - job_.left_margin : 0;
    // A word-wrap table takes the place of the width.
    wrap_ = print_            ? job_.right_margin - job_.left_margin + 1
            : job_.wrap_table ? 0
                              : job_.right_margin;
    out_->area_width = wrap_;
    replay_ = again_ || job_.wrap_table;
    if (!replay_) job_.word_breaks.clear();
    if (!again_) job_.tab_choices.clear();
    seg_x_ = x_ = out_->start_x;
    const std::vector<Piece>& pieces = p_.pieces;
    extent_.resize(pieces.size());
    joint_.resize(pieces.size());
    known_.assign(pieces.size(), 0);
    for (size_t i = 0; i < pieces.size();) {
      const Piece& piece = pieces[i];
      switch (piece.kind) {
        case PieceKind::Newline:
          if (int32_t err = new_line()) return err;
          ++i;
          break;
        case PieceKind::Tab:
          if (int32_t err = tab()) return err;
          ++i;
          break;
        case PieceKind::Blanks: {
          qmTextExtent e;
          if (int32_t err = measure(i, &e)) return err;
          int32_t joint = 0;
          if (int32_t err = joint_to(i, &joint)) return err;
          segment_.push_back(i);
          x_ = add(x_, int64_t(e.advance) + joint);
          ++i;
          break;
        }
        case PieceKind::Word: {
          size_t end = i;
          while (end < pieces.size() && pieces[end].kind == PieceKind::Word &&
                 pieces[end].word == piece.word)
            ++end;
          if (int32_t err = word(i, end)) return err;
          i = end;
          break;
        }
      }
    }
    int32_t end_x = 0;
    if (int32_t err = flush(&end_x)) return err;
    out_->end_x = end_x;
    out_->lines = line_ + 1;
    return trim_line_ends();
  }

 private:
  const Parsed& p_;
  qmTextJob& job_;
  bool print_, again_, replay_ = false;
  qmTextLayout* out_;
  int32_t wrap_ = 0;
  int32_t line_ = 0;
  int32_t seg_x_ = 0;  // where the pieces of the current segment (since a tab or line start) begin
  int32_t x_ = 0;      // where the line has got to
  std::vector<size_t> segment_;
  size_t next_break_ = 0;
  size_t tab_index_ = 0;
  // Extents measured so far, by style and characters (texts repeat their words and blanks), and
  // each piece's extent and the joint into it once known.
  std::unordered_map<std::string, qmTextExtent> measured_;
  std::string key_;
  // Joints by style and their two characters (up to four bytes each).
  struct JointKey {
    int32_t style;
    uint32_t a, b;
    bool operator==(const JointKey&) const = default;
  };
  struct JointHash {
    size_t operator()(const JointKey& k) const {
      return std::hash<uint64_t>()((uint64_t(k.a) << 32 | k.b) ^
                                   (uint64_t(uint32_t(k.style)) << 20));
    }
  };
  std::unordered_map<JointKey, int32_t, JointHash> joints_;
  std::vector<qmTextExtent> extent_;
  std::vector<int32_t> joint_;
  std::vector<uint8_t> known_;  // bit 0 the extent, bit 1 the joint

  static int32_t add(int64_t a, int64_t b) {
    return int32_t(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
  }

  int32_t measure_text(int32_t style, const char* text, size_t length, qmTextExtent* e) {
    key_.assign(reinterpret_cast<const char*>(&style), sizeof style);
    key_.append(text, length);
    auto it = measured_.find(key_);
    if (it != measured_.end()) {
      *e = it->second;
      return 0;
    }
    if (int32_t err = text_measure_line(text, length, job_.encoding, p_.styles[size_t(style)], e))
      return err;
    measured_.emplace(key_, *e);
    return 0;
  }

  int32_t measure(size_t i, qmTextExtent* e) {
    if (known_[i] & 1) {
      *e = extent_[i];
      return 0;
    }
    const Piece& piece = p_.pieces[i];
    if (int32_t err = measure_text(piece.style, p_.chars.data() + piece.start, piece.length, e))
      return err;
    extent_[i] = *e;
    known_[i] |= 1;
    return 0;
  }

  // The first and the last character of a piece (a whole UTF-8 sequence in a UTF-8 text).
  size_t first_length(const Piece& p) const {
    size_t n = 1;
    if (job_.encoding == TEXTENCODING_UTF8)
      while (n < p.length && (static_cast<unsigned char>(p_.chars[p.start + n]) & 0xC0) == 0x80)
        ++n;
    return n;
  }
  size_t last_start(const Piece& p) const {
    size_t at = p.start + p.length - 1;
    if (job_.encoding == TEXTENCODING_UTF8)
      while (at > p.start && (static_cast<unsigned char>(p_.chars[at]) & 0xC0) == 0x80) --at;
    return at;
  }

  // What piece i adds to the line beyond its own advance where it joins the piece before it in
  // one run: the kerning and rounding across the joint, which pieces measured one by one miss.
  // The advance of the two characters measured together, less the two measured alone.
  int32_t joint_between(size_t ia, size_t ib, int32_t* out) {
    *out = 0;
    if (ia + 1 != ib) return 0;
    if (known_[ib] & 2) {
      *out = joint_[ib];
      return 0;
    }
    const Piece& a = p_.pieces[ia];
    const Piece& b = p_.pieces[ib];
    if (a.style == b.style) {  // each style is stored once
      const size_t a_at = last_start(a), a_length = a.start + a.length - a_at;
      const size_t b_length = first_length(b);
      JointKey key{a.style, 0, 0};
      const bool cached = a_length <= 4 && b_length <= 4;
      if (cached) {
        std::memcpy(&key.a, p_.chars.data() + a_at, a_length);
        std::memcpy(&key.b, p_.chars.data() + b.start, b_length);
        if (auto it = joints_.find(key); it != joints_.end()) {
          *out = joint_[ib] = it->second;
          known_[ib] |= 2;
          return 0;
        }
      }
      const std::string pair = p_.chars.substr(a_at, a_length) + p_.chars.substr(b.start, b_length);
      qmTextExtent both, first, second;
      if (int32_t err = measure_text(a.style, pair.data(), pair.size(), &both)) return err;
      if (int32_t err = measure_text(a.style, pair.data(), a_length, &first)) return err;
      if (int32_t err = measure_text(a.style, pair.data() + a_length, b_length, &second))
        return err;
      *out = both.advance - first.advance - second.advance;
      if (cached) joints_.emplace(key, *out);
    }
    joint_[ib] = *out;
    known_[ib] |= 2;
    return 0;
  }
  int32_t joint_to(size_t i, int32_t* out) {
    *out = 0;
    return segment_.empty() ? 0 : joint_between(segment_.back(), i, out);
  }

  // A run's extent from its pieces: their advances with the joints between them, and their ink
  // at their places. Glyphs of the bitmap fonts and the inbuilt engine are drawn one by one, so
  // this is the run measured whole; the blanks of the inbuilt engine have no ink (a bitmap font's
  // blanks do, as their box). Other engines measure the run whole.
  int32_t run_extent(size_t from, size_t to, const qmTextStyle& style, qmTextExtent* out) {
    const qmFont* font = style.font ? style.font : font_default();
    const bool bitmap =
        font && (font->kind == FONTKIND_BITMAP || font->kind == FONTKIND_COLOURBITMAP);
    if (!font || (!bitmap && font->kind != FONTKIND_INBUILT)) {
      const Piece& a = p_.pieces[segment_[from]];
      const Piece& b = p_.pieces[segment_[to - 1]];
      return text_measure_line(p_.chars.data() + a.start, b.start + b.length - a.start,
                               job_.encoding, style, out);
    }
    int64_t pen = 0;
    bool inked = false;
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    qmTextExtent e;
    for (size_t k = from; k < to; ++k) {
      const Piece& piece = p_.pieces[segment_[k]];
      int32_t joint = 0;
      if (k > from)
        if (int32_t err = joint_between(segment_[k - 1], segment_[k], &joint)) return err;
      if (int32_t err = measure(segment_[k], &e)) return err;
      pen += joint;
      const bool blank_box =
          e.ink_left == 0 && e.ink_top == 0 && e.ink_right == 0 && e.ink_bottom == 0;
      if (bitmap || (piece.kind == PieceKind::Word && !blank_box)) {
        left = inked ? std::min(left, pen + e.ink_left) : pen + e.ink_left;
        top = inked ? std::min<int64_t>(top, e.ink_top) : e.ink_top;
        right = inked ? std::max(right, pen + e.ink_right) : pen + e.ink_right;
        bottom = inked ? std::max<int64_t>(bottom, e.ink_bottom) : e.ink_bottom;
        inked = true;
      }
      pen += e.advance;
    }
    *out = e;
    out->advance = add(0, pen);
    out->ink_left = add(0, left), out->ink_top = add(0, top);
    out->ink_right = add(0, right), out->ink_bottom = add(0, bottom);
    out->needed = out->ink_right >= out->advance ? out->ink_right + 1 : out->advance;
    return 0;
  }

  // The segment's pieces made into runs of the layout, joined where the style is the same; *end_x
  // gets where the segment ends.
  int32_t flush(int32_t* end_x) {
    int32_t x = seg_x_;
    for (size_t k = 0; k < segment_.size();) {
      const Piece& first = p_.pieces[segment_[k]];
      const qmTextStyle& style = p_.styles[size_t(first.style)];
      size_t last = k;
      while (last + 1 < segment_.size() && segment_[last + 1] == segment_[last] + 1 &&
             p_.pieces[segment_[last + 1]].style == first.style)
        ++last;
      const Piece& end = p_.pieces[segment_[last]];
      qmTextRun run;
      run.start = first.start;
      run.length = end.start + end.length - first.start;
      run.style = style;
      if (int32_t err = run_extent(k, last + 1, style, &run.extent)) return err;
      run.x = x;
      run.y = add(0, int64_t(line_) * out_->line_height);
      run.line = line_;
      x = add(x, run.extent.advance);
      out_->runs.push_back(run);
      k = last + 1;
    }
    *end_x = x;
    segment_.clear();
    return 0;
  }

  int32_t new_line() {
    int32_t end_x = 0;
    if (int32_t err = flush(&end_x)) return err;
    ++line_;
    seg_x_ = x_ = 0;
    return 0;
  }

  // The next stop right of the current x, or a new line when there is none (or it lies at or past
  // the wrap width).
  int32_t tab() {
    int32_t x = 0;
    if (int32_t err = flush(&x)) return err;
    const std::vector<int32_t>& stops = job_.tabs;
    int32_t choice = -1;
    if (again_ && tab_index_ < job_.tab_choices.size() &&
        job_.tab_choices[tab_index_] < int32_t(stops.size())) {
      choice = job_.tab_choices[tab_index_];
    } else {
      const int64_t absolute = int64_t(x) + job_.left_margin;
      for (size_t s = 0; s < stops.size(); ++s)
        if (stops[s] > absolute) {
          choice = int32_t(s);
          break;
        }
      if (choice >= 0 && wrap_ > 0 && int64_t(stops[size_t(choice)]) - job_.left_margin >= wrap_)
        choice = -1;
      if (!again_) job_.tab_choices.push_back(choice);
    }
    ++tab_index_;
    if (choice < 0) {
      ++line_;
      seg_x_ = x_ = 0;
    } else {
      seg_x_ = x_ = stops[size_t(choice)] - job_.left_margin;
    }
    return 0;
  }

  // The pieces [from, to) of one word: on this line, or on the next.
  int32_t word(size_t from, size_t to) {
    const int32_t number = p_.pieces[from].word;
    // The word's extent from where it begins: its pieces one after the other.
    int64_t advance = 0, right = 0;
    int32_t joint = 0;
    if (int32_t err = joint_to(from, &joint)) return err;
    for (size_t k = from; k < to; ++k) {
      qmTextExtent e;
      if (int32_t err = measure(k, &e)) return err;
      int32_t inner = 0;
      if (k > from)
        if (int32_t err = joint_between(k - 1, k, &inner)) return err;
      advance += inner;
      right = std::max<int64_t>(right, advance + e.needed + e.extra_right);
      advance += e.advance;
    }
    bool moves = false;
    if (replay_) {
      const std::vector<int32_t>& breaks = job_.word_breaks;
      while (next_break_ < breaks.size() && breaks[next_break_] < number) ++next_break_;
      if (next_break_ < breaks.size() && breaks[next_break_] == number) {
        moves = true;
        ++next_break_;
      }
    } else if (wrap_ > 0 && x_ > 0 && int64_t(x_) + joint + right > wrap_) {
      moves = true;
      job_.word_breaks.push_back(number);
    }
    if (moves) {
      if (int32_t err = new_line()) return err;
      joint = 0;
    }
    for (size_t k = from; k < to; ++k) segment_.push_back(k);
    x_ = add(x_, advance + joint);
    return 0;
  }

  // The blanks at the end of each line go, unless the line is left-aligned and not underlined
  // there. A run left empty goes too, and the one before it is looked at.
  int32_t trim_line_ends() {
    std::vector<qmTextRun>& runs = out_->runs;
    const bool left = job_.align != kTextAlignCenter && job_.align != kTextAlignRight;
    for (size_t end = runs.size(); end > 0;) {
      size_t begin = end - 1;
      while (begin > 0 && runs[begin - 1].line == runs[end - 1].line) --begin;
      for (size_t k = end; k > begin;) {
        qmTextRun& r = runs[k - 1];
        if (left && !(r.style.flags & TEXTSTYLE_UNDERLINED)) break;
        size_t length = r.length;
        while (length > 0 && p_.chars[r.start + length - 1] == ' ') --length;
        if (length == r.length) break;
        if (length == 0) {
          runs.erase(runs.begin() + ptrdiff_t(k - 1));
          --k;
          continue;
        }
        r.length = length;
        if (int32_t err = text_measure_line(p_.chars.data() + r.start, r.length, job_.encoding,
                                            r.style, &r.extent))
          return err;
        break;
      }
      end = begin;
    }
    return 0;
  }
};

}  // namespace

int32_t text_layout(qmState* L, qmTextJob& job, int32_t kind, bool tags_off, bool again,
                    qmTextLayout* out) {
  *out = qmTextLayout{};
  Parsed parsed;
  const bool print = kind == TEXTKIND_PRINT;
  TagReader reader(L, job.text, job.style, !tags_off, print, &parsed);
  if (int32_t err = reader.read()) return err;
  if (parsed.styles.empty()) parsed.styles.push_back(job.style);
  LineBreaker breaker(parsed, job, print, again, out);
  if (int32_t err = breaker.run()) return err;
  out->chars = std::move(parsed.chars);
  return 0;
}

}  // namespace qm
