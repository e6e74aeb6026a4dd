#include "common/records/layout.hpp"

#include <optional>

namespace records {
namespace {

char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Sets the flat sizes of the group that `open` opens, when it holds only X skips and I fields
// and ends with a field.
void mark_flat(Layout& layout, Item& open) {
  const std::size_t first = static_cast<std::size_t>(&open - layout.items.data()) + 1;
  const std::size_t close = static_cast<std::size_t>(open.partner);
  if (close <= first || layout.items[close - 1].kind != ItemKind::integer) return;
  std::int64_t columns = 0, values = 0;
  for (std::size_t i = first; i < close; ++i) {
    const Item& item = layout.items[i];
    if (item.kind == ItemKind::skip) {
      columns += item.width;
    } else if (item.kind == ItemKind::integer) {
      columns += std::int64_t{item.width} * item.repeat;
      values += item.repeat;
    } else {
      return;
    }
    // Far wider than any line may be: left to the walk, which stops at the line's limit.
    if (columns > (std::int64_t{1} << 40)) return;
  }
  open.flat_columns = columns;
  open.flat_values = values;
}

// Reads the layout text left to right. Blanks outside quoted and counted texts carry no
// meaning (a layout read from a file may say "(1 000 a12)"), so every look skips them.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  bool parse(Layout& layout);

 private:
  void skip_blanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  // The next character that is not a blank, upper-cased, or 0 at the end of the text.
  char peek() {
    skip_blanks();
    return pos_ < text_.size() ? upper(text_[pos_]) : '\0';
  }
  // An unsigned number, blanks allowed between its digits; nullopt when no digit stands here
  // or when it exceeds `limit`.
  std::optional<std::int64_t> number(std::int64_t limit, bool& too_large) {
    if (!is_digit(peek())) return std::nullopt;
    std::int64_t value = 0;
    while (is_digit(peek())) {
      value = value * 10 + (text_[pos_] - '0');
      ++pos_;
      if (value > limit) {
        too_large = true;
        return std::nullopt;
      }
    }
    return value;
  }
  bool width(std::int32_t& out) {
    bool too_large = false;
    auto w = number(max_width, too_large);
    if (!w || *w == 0) return false;
    out = static_cast<std::int32_t>(*w);
    return true;
  }
  // ".d" after the width of a real field.
  bool decimals(std::int32_t& out) {
    if (peek() != '.') return false;
    ++pos_;
    bool too_large = false;
    auto d = number(max_width, too_large);
    if (!d) return false;
    out = static_cast<std::int32_t>(*d);
    return true;
  }
  bool literal(Layout& layout, char quote);
  bool item(Layout& layout, bool& is_scale, bool after_scale);
  bool structure_item(Layout& layout, char c, std::optional<std::int64_t> count);
  bool counted_text(Layout& layout, std::optional<std::int64_t> count);
  bool position_item(Layout& layout, char c, std::optional<std::int64_t> count);
  bool mode_item(Layout& layout, char c, std::optional<std::int64_t> count, bool negative);
  bool data_item(Layout& layout, char c, std::optional<std::int64_t> count);

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool Parser::literal(Layout& layout, char quote) {
  Item it{ItemKind::literal};
  it.literal_begin = static_cast<std::uint32_t>(layout.texts.size());
  ++pos_;  // the opening quote
  for (;;) {
    if (pos_ >= text_.size()) return false;
    char c = text_[pos_++];
    if (c == quote) {
      // A doubled quote stands for one quote character inside the text.
      if (pos_ < text_.size() && text_[pos_] == quote) {
        ++pos_;
      } else {
        break;
      }
    }
    layout.texts.push_back(c);
  }
  it.literal_size = static_cast<std::uint32_t>(layout.texts.size() - it.literal_begin);
  layout.items.push_back(it);
  return true;
}

// One item at the current position; on success it has been appended to layout.items. The
// repeat count or scale number in front is read here; each family of items reads the rest.
bool Parser::item(Layout& layout, bool& is_scale, bool after_scale) {
  is_scale = false;
  char c = peek();
  bool negative = false;
  bool signed_number = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    signed_number = true;
    ++pos_;
    c = peek();
    if (!is_digit(c)) return false;
  }
  bool too_large = false;
  std::optional<std::int64_t> count = number(max_repeat, too_large);
  if (too_large) return false;
  c = peek();
  if (c == '\0') return false;
  if (signed_number && c != 'P') return false;
  // Only a scale factor follows without a comma by a real field.
  if (after_scale && c != 'F' && c != 'E' && c != 'D' && c != 'G' && c != '/' && c != ':') {
    return false;
  }
  if (count && *count == 0 && c != 'P') return false;

  if (c == '\'' || c == '"') {
    return !count && literal(layout, text_[pos_]);
  }
  ++pos_;
  switch (c) {
    case '(':
    case '/':
    case ':':
      return structure_item(layout, c, count);
    case 'H':
      return counted_text(layout, count);
    case 'X':
    case 'T':
      return position_item(layout, c, count);
    case 'P':
    case 'B':
    case 'S':
      is_scale = c == 'P';
      return mode_item(layout, c, count, negative);
    case 'I':
    case 'F':
    case 'E':
    case 'D':
    case 'G':
    case 'A':
      return data_item(layout, c, count);
    default:
      return false;
  }
}

// A group's opening parenthesis, a slash or a colon.
bool Parser::structure_item(Layout& layout, char c, std::optional<std::int64_t> count) {
  Item it{ItemKind::group_open};
  it.repeat = count ? static_cast<std::int32_t>(*count) : 1;
  if (c == '/') it.kind = ItemKind::slash;
  if (c == ':') {
    if (count) return false;
    it.kind = ItemKind::colon;
  }
  layout.items.push_back(it);
  return true;
}

// nH: the next n characters as they stand, blanks included.
bool Parser::counted_text(Layout& layout, std::optional<std::int64_t> count) {
  if (!count || *count > static_cast<std::int64_t>(text_.size() - pos_)) return false;
  Item it{ItemKind::literal};
  it.literal_begin = static_cast<std::uint32_t>(layout.texts.size());
  it.literal_size = static_cast<std::uint32_t>(*count);
  layout.texts.append(text_.substr(pos_, static_cast<std::size_t>(*count)));
  pos_ += static_cast<std::size_t>(*count);
  layout.items.push_back(it);
  return true;
}

// nX, Tn, TLn, TRn: moves of the position in the line.
bool Parser::position_item(Layout& layout, char c, std::optional<std::int64_t> count) {
  Item it{ItemKind::skip};
  if (c == 'X') {
    if (count && *count > max_width) return false;
    it.width = count ? static_cast<std::int32_t>(*count) : 1;
    layout.items.push_back(it);
    return true;
  }
  if (count) return false;
  it.kind = ItemKind::tab;
  if (peek() == 'L' || peek() == 'R') {
    it.kind = peek() == 'L' ? ItemKind::skip_left : ItemKind::skip;
    ++pos_;
  }
  if (!width(it.width)) return false;
  layout.items.push_back(it);
  return true;
}

// kP, BN, BZ, S, SP, SS: modes for the items that follow.
bool Parser::mode_item(Layout& layout, char c, std::optional<std::int64_t> count, bool negative) {
  Item it{ItemKind::scale};
  if (c == 'P') {
    if (!count || *count > max_width) return false;
    it.scale = static_cast<std::int32_t>(negative ? -*count : *count);
    layout.items.push_back(it);
    return true;
  }
  if (count) return false;
  if (c == 'B') {
    if (peek() != 'N' && peek() != 'Z') return false;
    it.kind = peek() == 'N' ? ItemKind::blank_null : ItemKind::blank_zero;
    ++pos_;
  } else {
    it.kind = ItemKind::sign_default;
    if (peek() == 'P' || peek() == 'S') {
      if (peek() == 'P') it.kind = ItemKind::sign_plus;
      ++pos_;
    }
  }
  layout.items.push_back(it);
  return true;
}

// Iw[.m], Fw.d, Ew.d[Ee], Dw.d, Gw.d[Ee], A[w]: the items that take a list item.
bool Parser::data_item(Layout& layout, char c, std::optional<std::int64_t> count) {
  Item it{ItemKind::integer};
  it.repeat = count ? static_cast<std::int32_t>(*count) : 1;
  switch (c) {
    case 'I': {
      if (!width(it.width)) return false;
      if (peek() == '.') {
        ++pos_;
        bool too_large = false;
        auto m = number(max_width, too_large);
        if (!m) return false;
        it.digits = static_cast<std::int32_t>(*m);
      }
      break;
    }
    case 'A':
      it.kind = ItemKind::text;
      if (is_digit(peek()) && !width(it.width)) return false;
      break;
    default:
      it.kind = c == 'F'   ? ItemKind::real_fixed
                : c == 'G' ? ItemKind::real_general
                           : ItemKind::real_exp;
      it.exponent_letter = c == 'D' ? 'D' : 'E';
      if (!width(it.width) || !decimals(it.digits)) return false;
      if ((c == 'E' || c == 'G') && peek() == 'E') {
        ++pos_;
        if (!width(it.exponent_digits)) return false;
      }
      break;
  }
  layout.items.push_back(it);
  return true;
}

bool Parser::parse(Layout& layout) {
  if (peek() != '(') return false;
  ++pos_;
  std::vector<std::size_t> open_groups;  // indices of the group_open items not yet closed
  // What the last thing read was decides what may follow: a comma is needed between two
  // items except next to a slash or a colon, and after a scale factor before a real field.
  enum class Last { open, comma, item, free_item, scale } last = Last::open;
  for (;;) {
    char c = peek();
    if (c == '\0') return false;
    if (c == ',') {
      if (last == Last::open || last == Last::comma) return false;
      ++pos_;
      last = Last::comma;
      continue;
    }
    if (c == ')') {
      if (last == Last::comma) return false;
      ++pos_;
      if (open_groups.empty()) break;
      std::size_t open = open_groups.back();
      open_groups.pop_back();
      Item close{ItemKind::group_close};
      close.partner = static_cast<std::int32_t>(open);
      layout.items[open].partner = static_cast<std::int32_t>(layout.items.size());
      layout.items.push_back(close);
      if (open_groups.empty()) layout.restart = open;
      last = Last::item;
      continue;
    }
    const bool free_position = c == '/' || c == ':';
    if (last == Last::item && !free_position) return false;
    bool is_scale = false;
    if (!item(layout, is_scale, last == Last::scale)) return false;
    ItemKind kind = layout.items.back().kind;
    if (kind == ItemKind::group_open) {
      open_groups.push_back(layout.items.size() - 1);
      last = Last::open;
    } else if (kind == ItemKind::slash || kind == ItemKind::colon) {
      last = Last::free_item;
    } else {
      last = is_scale ? Last::scale : Last::item;
    }
  }
  // Nothing but blanks may follow the closing parenthesis.
  skip_blanks();
  if (pos_ != text_.size()) return false;
  for (std::size_t i = layout.restart; i < layout.items.size(); ++i) {
    if (is_data(layout.items[i].kind)) layout.restart_has_data = true;
  }
  for (Item& open : layout.items) {
    if (open.kind == ItemKind::group_open) mark_flat(layout, open);
  }
  return true;
}

}  // namespace

Layout parse_layout(std::string_view text) {
  Layout layout;
  Parser parser(text);
  layout.valid = parser.parse(layout);
  if (!layout.valid) {
    layout.items.clear();
    layout.texts.clear();
  }
  return layout;
}

Cursor::Event Cursor::step() {
  const std::vector<Item>& items = layout_->items;
  if (repeat_left_ > 0) {
    --repeat_left_;
    if (!is_data(items[current_].kind) && ++idle_ > max_idle_steps) return Event::overrun;
    return Event::item;
  }
  for (;;) {
    if (pc_ >= items.size()) return Event::end;
    if (++idle_ > max_idle_steps) return Event::overrun;
    const Item& it = items[pc_];
    if (it.kind == ItemKind::group_open) {
      frames_.push_back({pc_, it.repeat});
      ++pc_;
      continue;
    }
    if (it.kind == ItemKind::group_close) {
      Frame& frame = frames_.back();
      if (--frame.left > 0) {
        pc_ = frame.open + 1;
      } else {
        frames_.pop_back();
        ++pc_;
      }
      continue;
    }
    current_ = pc_++;
    repeat_left_ = (is_data(it.kind) || it.kind == ItemKind::slash) ? it.repeat - 1 : 0;
    if (is_data(it.kind)) idle_ = 0;
    return Event::item;
  }
}

void Cursor::restart() {
  frames_.clear();
  repeat_left_ = 0;
  pc_ = layout_->restart;
}

}  // namespace records
