// Layout strings parsed into a flat list of items, and the cursor that walks one through a
// read or a write. Internal to the record layer.
//
// A layout is parsed once into items; repeat counts stay counts and are only spent while the
// cursor walks, so "(2000000000a12)" costs no more to parse or hold than "(a12)".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// Largest field width, skip count, decimal count or tab column a layout may carry; anything
// larger is refused as "error in format". No record of the suite comes near it.
inline constexpr std::int64_t kMaxWidth = 1'000'000;
// Largest repeat count; counts such as 1000 in "(1000a12)" mean "as many as the list holds".
inline constexpr std::int64_t kMaxRepeat = 2'147'483'647;
// Largest number of items a read or write may pass without reaching a data item. A layout that
// skips further (say "(i5,2000000000(x),i5)") is refused as "error in format" instead of
// spinning for minutes.
inline constexpr std::int64_t kMaxIdleSteps = 1'000'000;

enum class ItemKind : std::uint8_t {
  integer,     // Iw or Iw.m
  real_fixed,  // Fw.d
  real_exp,    // Ew.d[Ee], Dw.d
  real_general,// Gw.d[Ee]: read as F; written only for integers (as Iw)
  text,        // A or Aw
  skip,        // nX and TRn: move right
  skip_left,   // TLn: move left, never before column 1
  tab,         // Tn: move to column n
  slash,       // end of line
  literal,     // quoted or counted (nH) text, written as it stands
  colon,       // ends a write or read when the list is used up
  blank_null,  // BN: blanks in numeric input fields are ignored
  blank_zero,  // BZ: blanks in numeric input fields are zeros
  sign_default,// S, SS
  sign_plus,   // SP
  scale,       // kP
  group_open,  // r( ... )
  group_close, // the matching )
};

struct Item {
  ItemKind kind;
  char exponent_letter = 'E';  // real_exp: E or D
  std::int32_t repeat = 1;     // data items, slash and groups
  std::int32_t width = 0;      // field width (0 for A without width), skip count, tab column
  std::int32_t digits = -1;    // d of Fw.d; m of Iw.m (-1 when absent)
  std::int32_t exponent_digits = 0;  // e of Ew.dEe (0 when absent)
  std::int32_t scale = 0;      // k of kP
  std::int32_t partner = -1;   // group_open: index of its close; group_close: of its open
  std::uint32_t literal_begin = 0, literal_size = 0;  // literal: where its text is in `texts`
};

inline bool is_data(ItemKind kind) {
  return kind <= ItemKind::text;
}

struct Layout {
  bool valid = false;
  std::vector<Item> items;  // the items inside the outer parentheses
  std::string texts;        // the text of the literals, quotes undoubled
  // Where the layout starts again when it runs out of items with list items left: the last
  // group directly inside the outer parentheses, or 0 when there is none.
  std::size_t restart = 0;
  // Whether the items from `restart` to the end hold a data item: without one a restart
  // could never reach a data item.
  bool restart_has_data = false;

  std::string_view literal(const Item& item) const {
    return std::string_view(texts).substr(item.literal_begin, item.literal_size);
  }
};

// Parses `text`. Returns a Layout whose `valid` is false when `text` is not a well-formed
// layout (unbalanced parentheses, a zero or missing width where one is needed, an unknown
// letter, a repeat count without an item, a number beyond its limit, anything after the
// closing parenthesis, an empty text); the parser never reads outside `text`.
Layout parse_layout(std::string_view text);

// Walks a layout's items in order, spending repeat counts as it goes.
class Cursor {
 public:
  enum class Event { item, end, overrun };

  explicit Cursor(const Layout& layout) : layout_(&layout) { frames_.reserve(8); }

  // Moves to the next item to act on. Returns Event::item with current() set to it (once for
  // each repetition of a repeated item), Event::end when the layout's closing parenthesis is
  // reached, or Event::overrun when more than kMaxIdleSteps items pass since the last data
  // item.
  Event next();
  const Item& current() const { return layout_->items[current_]; }
  // Starts the layout again at its restart point (its last top-level group, with that group's
  // repeat count); the caller has checked restart_has_data.
  void restart();

 private:
  struct Frame {
    std::size_t open;       // index of the group_open
    std::int64_t left;      // repetitions still to run, this one included
  };
  const Layout* layout_;
  std::vector<Frame> frames_;
  std::size_t pc_ = 0;           // next item to look at
  std::size_t current_ = 0;      // item last returned
  std::int64_t repeat_left_ = 0; // further repetitions of items_[current_]
  std::int64_t idle_ = 0;
};

}  // namespace records
