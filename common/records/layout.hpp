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
inline constexpr std::int64_t max_width = 1'000'000;
// Largest repeat count; counts such as 1000 in "(1000a12)" mean "as many as the list holds".
inline constexpr std::int64_t max_repeat = 2'147'483'647;
// Largest number of items a read or write may pass without reaching a data item. A layout that
// skips further (say "(i5,2000000000(x),i5)") is refused as "error in format" instead of
// spinning for minutes.
inline constexpr std::int64_t max_idle_steps = 1'000'000;

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
  // group_open of a flat group, one of nothing but X skips and I fields that ends with a
  // field, such as "(6x,2i3)": the columns and the values of one repetition, which a write
  // takes whole without walking the items (0 for any other group).
  std::int64_t flat_columns = 0;
  std::int64_t flat_values = 0;
};

inline bool is_data(ItemKind kind) {
  return kind <= ItemKind::text;
}

// Moves `column` (from 0) as a skip, left skip or tab item says; returns false, leaving it, for
// any other item. Reading and writing move alike: X and TR go right, TL left but never before
// column 1, T to its column.
inline bool move_column(const Item& item, std::int64_t& column) {
  switch (item.kind) {
    case ItemKind::skip:
      column += item.width;
      return true;
    case ItemKind::skip_left:
      column = column > item.width ? column - item.width : 0;
      return true;
    case ItemKind::tab:
      column = item.width - 1;
      return true;
    default:
      return false;
  }
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

  explicit Cursor(const Layout& layout) : layout_(&layout) {}

  // Moves to the next item to act on. Returns Event::item with current() set to it (once for
  // each repetition of a repeated item), Event::end when the layout's closing parenthesis is
  // reached, or Event::overrun when more than max_idle_steps items pass since the last data
  // item.
  Event next() {
    // The common step, the next repetition of a data item such as the i6 of "(1000i6)", stays
    // inline; everything else takes the walk through groups.
    if (repeat_left_ > 0 && is_data(layout_->items[current_].kind)) {
      --repeat_left_;
      return Event::item;
    }
    return step();
  }
  const Item& current() const { return layout_->items[current_]; }
  // After next() returned a data item: how many more times the layout repeats it right away,
  // and taking `count` of those repetitions at once, as `count` calls of next() would.
  std::int64_t repeats_left() const { return repeat_left_; }
  void take_repeats(std::int64_t count) { repeat_left_ -= count; }
  // A flat group (see Item) that the walk stands before a whole repetition of: about to
  // enter it, or at its close after a repetition, with nothing of it left over.
  struct FlatGroup {
    std::size_t open = 0, close = 0;  // indices of its parentheses
    std::int64_t repetitions = 0;     // whole repetitions still to come
  };
  bool flat_group_ahead(FlatGroup& group) const {
    if (repeat_left_ != 0 || pc_ >= layout_->items.size()) return false;
    const Item& item = layout_->items[pc_];
    if (item.kind == ItemKind::group_open) {
      if (item.flat_columns == 0) return false;
      group = {pc_, static_cast<std::size_t>(item.partner), item.repeat};
      return true;
    }
    if (item.kind != ItemKind::group_close) return false;
    const std::size_t open = static_cast<std::size_t>(item.partner);
    if (layout_->items[open].flat_columns == 0) return false;
    group = {open, pc_, frames_.back().left - 1};
    return true;
  }
  // Passes `count` (1 to group.repetitions) whole repetitions of the flat group, as the calls
  // of next() for all their items would, stopping at the group's close after the last one.
  void take_repetitions(const FlatGroup& group, std::int64_t count) {
    if (pc_ == group.open) {
      frames_.push_back({group.open, layout_->items[group.open].repeat - count + 1});
    } else {
      frames_.back().left -= count;
    }
    pc_ = group.close;
    current_ = group.close - 1;
    repeat_left_ = 0;
    idle_ = 0;
  }
  // Starts the layout again at its restart point (its last top-level group, with that group's
  // repeat count); the caller has checked restart_has_data.
  void restart();

  // What to_data() stopped at.
  enum class Stop {
    data,       // current() is the next data item
    end,        // ending only: the layout ends, or a colon or a data item comes next
    malformed,  // the layout can never reach a data item here: "error in format"
  };
  // The one walk of reading and writing: steps to the next data item, handing every item
  // before it to `control` (slashes, skips, quoted texts, edit modes). At the end of the layout
  // it calls `new_line` and starts again at the restart point, unless `ending`: a record that
  // is being ended stops there, and at a colon or the next data item.
  template <typename Control, typename NewLine>
  Stop to_data(bool ending, Control&& control, NewLine&& new_line) {
    for (;;) {
      switch (next()) {
        case Event::end:
          if (ending) return Stop::end;
          if (!layout_->restart_has_data) return Stop::malformed;
          new_line();
          restart();
          continue;
        case Event::overrun:
          return Stop::malformed;
        case Event::item:
          break;
      }
      const Item& item = current();
      if (is_data(item.kind)) return ending ? Stop::end : Stop::data;
      if (ending && item.kind == ItemKind::colon) return Stop::end;
      control(item);
    }
  }

 private:
  struct Frame {
    std::size_t open;       // index of the group_open
    std::int64_t left;      // repetitions still to run, this one included
  };
  Event step();

  const Layout* layout_;
  // Open groups, innermost last. Layouts of the suite nest two deep; a deeper one moves to
  // the heap.
  struct Frames {
    Frame small[8];
    std::vector<Frame> more;
    std::size_t size = 0;
    bool empty() const { return size == 0; }
    Frame& back() { return size <= 8 ? small[size - 1] : more[size - 9]; }
    const Frame& back() const { return size <= 8 ? small[size - 1] : more[size - 9]; }
    void push_back(Frame f) {
      if (size < 8) small[size] = f;
      else more.push_back(f);
      ++size;
    }
    void pop_back() {
      if (size > 8) more.pop_back();
      --size;
    }
    void clear() {
      more.clear();
      size = 0;
    }
  } frames_;
  std::size_t pc_ = 0;           // next item to look at
  std::size_t current_ = 0;      // item last returned
  std::int64_t repeat_left_ = 0; // further repetitions of items_[current_]
  std::int64_t idle_ = 0;
};

}  // namespace records
