#include <algorithm>
#include <array>
#include <cstring>

#include "common/records/diagnostic.hpp"
#include "common/records/fields.hpp"
#include "common/records/file.hpp"
#include "common/records/packed_fields.hpp"
#include "common/records/walk.hpp"

namespace records {

struct Writer::State {
  File& file;
  std::shared_ptr<const Layout> layout;
  Cursor cursor;
  // The write position in the line being built, which the file holds. The line is as long as
  // the furthest column written; skips only move `column`, so blanks appear only under a
  // later item.
  std::int64_t column = 0;
  bool plus = false;
  bool ended = false;
  std::string scratch;

  State(File& f, std::shared_ptr<const Layout> l)
      : file(f), layout(std::move(l)), cursor(*layout) {}

  void finish_line() {
    file.end_line();
    column = 0;
  }

  // The `width` columns at the write position, blank-filled up to it; moves past them.
  char* field(std::int64_t width) {
    if (column + width > static_cast<std::int64_t>(max_line)) fail(file, line_too_long);
    char* at = file.line_columns(static_cast<std::size_t>(column), static_cast<std::size_t>(width));
    column += width;
    return at;
  }

  // Acts on an item that writes no list item, other than a skip, a tab or a slash.
  void control(const Item& item) {
    switch (item.kind) {
      case ItemKind::literal: {
        std::string_view text = layout->literal(item);
        if (!text.empty()) std::memcpy(field(static_cast<std::int64_t>(text.size())), text.data(), text.size());
        break;
      }
      case ItemKind::sign_default:
      case ItemKind::sign_plus:
        plus = item.kind == ItemKind::sign_plus;
        break;
      case ItemKind::scale:
        // Scaled output is not supported; only a layout read from a data file, and used for
        // reading, would carry a scale factor.
        if (item.scale != 0) fail(file, error_in_format);
        break;
      default:
        break;
    }
  }

  const Item& next_data() {
    return walk(cursor, file, column, [this] { finish_line(); },
                [this](const Item& item) { control(item); });
  }

  // The next run of `values` that stand under one repeated item: that item, and how many
  // values it takes (at least one). The cursor has moved past them.
  std::pair<const Item*, std::size_t> next_run(std::size_t values) {
    const Item& item = next_data();
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(values), cursor.repeats_left() + 1));
    cursor.take_repeats(static_cast<std::int64_t>(n) - 1);
    return {&item, n};
  }

  // `count` repetitions of the skips and I fields from `first` to `last`, when each is a skip
  // or a plain Iw field of at most eight columns (allele pairs "6x,2i3"): a word stored per
  // field, the items' forms worked out once for all repetitions. Returns false, writing
  // nothing, for any other group.
  bool packed_repetitions(const Item* first, const Item* last, std::int64_t count, char*& out,
                          const char* end, const std::int32_t*& value) const {
    struct Part {
      bool skip;
      int width;
      int repeat;
      packed::Fields fields;
    };
    constexpr std::ptrdiff_t most_parts = 8;
    if (!packed::available || plus || last - first > most_parts) return false;
    std::array<Part, most_parts> parts{};
    std::size_t n = 0;
    for (const Item* item = first; item != last; ++item) {
      const bool skip = item->kind == ItemKind::skip;
      if (item->width > 8 || (!skip && (item->digits >= 0 || item->width < 3))) return false;
      parts[n++] = Part{skip, item->width, skip ? 0 : item->repeat,
                        skip ? packed::Fields() : packed::Fields(item->width, 3, end)};
    }
    for (std::int64_t k = 0; k < count; ++k) {
      for (std::size_t p = 0; p < n; ++p) {
        const Part& part = parts[p];
        if (part.skip) {
          if (end - out >= 8) {
            std::memcpy(out, "        ", 8);
          } else {
            blanks(out, static_cast<std::size_t>(part.width));
          }
          out += part.width;
          continue;
        }
        for (int r = 0; r < part.repeat; ++r, ++value) part.fields.integer(out, *value);
      }
    }
    return true;
  }

  // Writes as many whole repetitions of a flat group as the cursor stands before and
  // `values` fills, all at once; returns how many values they took (0 when none).
  // Only at the end of the line: each skip of the group then lies before a later field and
  // becomes blanks, where a skip over columns written before (after a TL or T) keeps them.
  std::size_t flat_repetitions(std::span<const std::int32_t> values) {
    Cursor::FlatGroup group;
    if (!cursor.flat_group_ahead(group) || group.repetitions == 0) return 0;
    if (static_cast<std::int64_t>(file.line_length()) != column) return 0;
    const Item* items = layout->items.data();
    const Item& open = items[group.open];
    const std::int64_t count = std::min<std::int64_t>(
        group.repetitions, static_cast<std::int64_t>(values.size()) / open.flat_values);
    if (count == 0) return 0;
    char* out = field(open.flat_columns * count);
    // Every column up to the end of the repetitions is written, left to right: a field may
    // spill whole words into the columns after it.
    const char* const end = out + open.flat_columns * count;
    const std::int32_t* value = values.data();
    if (!packed_repetitions(items + group.open + 1, items + group.close, count, out, end, value)) {
      for (std::int64_t k = 0; k < count; ++k) {
        for (std::size_t i = group.open + 1; i < group.close; ++i) {
          const Item& item = items[i];
          if (item.kind == ItemKind::skip) {
            blanks(out, static_cast<std::size_t>(item.width));
            out += item.width;
          } else {
            write_integers(out, item.width, item.digits, plus,
                           std::span<const std::int32_t>(value, static_cast<std::size_t>(item.repeat)));
            out += std::int64_t{item.width} * item.repeat;
            value += item.repeat;
          }
        }
      }
    }
    cursor.take_repetitions(group, count);
    return static_cast<std::size_t>(value - values.data());
  }

  void integer(const Item& item, char* out, std::int32_t value) {
    int min_digits = item.kind == ItemKind::integer ? item.digits : -1;
    write_integer(out, item.width, min_digits, plus, value);
  }

  void check_integer(const Item& item) {
    if (item.kind != ItemKind::integer && item.kind != ItemKind::real_general) {
      fail(file, wrong_kind);
    }
  }

  void real(double value) { real_at(next_data(), value); }

  void real_at(const Item& item, double value) {
    if (item.kind == ItemKind::real_fixed) {
      write_fixed(field(item.width), item.width, item.digits, plus, value, scratch);
    } else if (item.kind == ItemKind::real_exp) {
      write_exponent(field(item.width), item.width, item.digits, item.exponent_digits,
                     item.exponent_letter, plus, value, scratch);
    } else if (item.kind == ItemKind::real_general) {
      fail(file, error_in_format);  // G on output is not supported for reals
    } else {
      fail(file, wrong_kind);
    }
  }
};

Writer::Writer(File& file, std::string_view layout)
    : state_(std::make_unique<State>(file, file.layout(layout))) {
  if (!state_->layout->valid) fail(file, error_in_format);
  if (file.mode() != Mode::write) fail(file, "can't write file (opened for reading)");
  // A line left unended by a Writer that met a fault is not part of the file.
  file.drop_line();
}

Writer::~Writer() = default;

Writer& Writer::operator()(std::int32_t value) {
  const Item& item = state_->next_data();
  state_->check_integer(item);
  state_->integer(item, state_->field(item.width), value);
  return *this;
}

Writer& Writer::operator()(std::span<const std::int32_t> values) {
  State& s = *state_;
  while (!values.empty()) {
    if (const std::size_t taken = s.flat_repetitions(values); taken > 0) {
      values = values.subspan(taken);
      continue;
    }
    auto [item, n] = s.next_run(values.size());
    s.check_integer(*item);
    char* out = s.field(static_cast<std::int64_t>(item->width) * static_cast<std::int64_t>(n));
    write_integers(out, item->width, item->kind == ItemKind::integer ? item->digits : -1, s.plus,
                   values.first(n));
    values = values.subspan(n);
  }
  return *this;
}

Writer& Writer::operator()(std::span<const float> values) {
  State& s = *state_;
  while (!values.empty()) {
    auto [item, n] = s.next_run(values.size());
    if (item->kind != ItemKind::real_fixed) {
      // E fields, and the faults, one value at a time.
      s.cursor.take_repeats(1 - static_cast<std::int64_t>(n));
      s.real_at(*item, static_cast<double>(values[0]));
      values = values.subspan(1);
      continue;
    }
    char* out = s.field(static_cast<std::int64_t>(item->width) * static_cast<std::int64_t>(n));
    write_fixeds(out, item->width, item->digits, s.plus, values.first(n), s.scratch);
    values = values.subspan(n);
  }
  return *this;
}

Writer& Writer::operator()(float value) {
  // The float's exact value, promoted without change, is what gets rounded to the field.
  state_->real(static_cast<double>(value));
  return *this;
}

Writer& Writer::operator()(double value) {
  state_->real(value);
  return *this;
}

Writer& Writer::operator()(std::string_view text) {
  const Item& item = state_->next_data();
  if (item.kind != ItemKind::text) fail(state_->file, wrong_kind);
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  const std::int64_t width = item.width > 0 ? item.width : length;
  if (width == 0) return *this;
  char* out = state_->field(width);
  if (width > length) {
    std::memset(out, ' ', static_cast<std::size_t>(width - length));
    std::memcpy(out + (width - length), text.data(), text.size());
  } else {
    std::memcpy(out, text.data(), static_cast<std::size_t>(width));
  }
  return *this;
}

void Writer::end() {
  State& s = *state_;
  // Quoted texts and slashes before the next data item are still written.
  if (end_walk(s.ended, s.cursor, s.file, s.column, [&s] { s.finish_line(); },
               [&s](const Item& item) { s.control(item); })) {
    s.finish_line();
  }
}

}  // namespace records
