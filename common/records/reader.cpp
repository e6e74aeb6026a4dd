#include <algorithm>
#include <cstring>
#include <type_traits>

#include "common/records/diagnostic.hpp"
#include "common/records/fields.hpp"
#include "common/records/file.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/walk.hpp"

namespace records {

struct Reader::State {
  File& file;
  std::shared_ptr<const Layout> layout;
  Cursor cursor;
  std::int64_t column = 0;  // where the next field starts in the current line, from 0
  bool blanks_are_zeros = false;
  int scale = 0;
  bool ended = false;
  std::string scratch;
  // Looked up once a record, not once a field.
  const ImpliedDecimalsNote implied_note = implied_decimals_note();

  State(File& f, std::shared_ptr<const Layout> l)
      : file(f), layout(std::move(l)), cursor(*layout) {}

  void next_line() {
    if (!file.next_line()) fail(file, end_of_file);
    column = 0;
  }

  // Acts on an item that reads no list item, other than a skip, a tab or a slash.
  void control(const Item& item) {
    switch (item.kind) {
      case ItemKind::blank_null:
      case ItemKind::blank_zero:
        blanks_are_zeros = item.kind == ItemKind::blank_zero;
        break;
      case ItemKind::scale:
        scale = item.scale;
        break;
      case ItemKind::literal:
        // Quoted text has nothing to match on input.
        fail(file, error_in_format);
      default:
        break;
    }
  }

  // Moves to the next data item, reading on across lines as the layout says.
  const Item& next_data() {
    return walk(cursor, file, column, [this] { next_line(); },
                [this](const Item& item) { control(item); });
  }

  // The columns of a field of `width` that stand in the line; a numeric field also ends at a
  // comma, and the next field then starts after the comma.
  std::string_view field(std::int64_t width, bool numeric) {
    std::string_view line = file.line();
    std::int64_t start = std::min<std::int64_t>(column, static_cast<std::int64_t>(line.size()));
    std::int64_t stop = std::min<std::int64_t>(column + width, static_cast<std::int64_t>(line.size()));
    std::string_view text = line.substr(static_cast<std::size_t>(start),
                                        static_cast<std::size_t>(stop - start));
    column += width;
    if (numeric) {
      std::size_t comma = text.find(',');
      if (comma != std::string_view::npos) {
        text = text.substr(0, comma);
        column = start + static_cast<std::int64_t>(comma) + 1;
      }
    }
    return text;
  }

  // Ends the run on a field that did not convert; `overflow` names the variable's kind.
  void check(FieldStatus status, std::string_view overflow) {
    if (status == FieldStatus::unexpected_character) fail(file, unexpected_character);
    if (status == FieldStatus::overflow) fail(file, overflow);
  }

  // `values` under one repeated item, each from its field in turn. Where no comma stands in
  // the columns of the whole run, each field is just its columns, found without a search.
  void real_run(const Item& item, std::span<float> values) {
    const std::string_view line = file.line();
    const auto size = static_cast<std::int64_t>(line.size());
    const std::int64_t from = std::min(column, size);
    const std::int64_t to = std::min(column + item.width * static_cast<std::int64_t>(values.size()), size);
    const bool commas = std::memchr(line.data() + from, ',', static_cast<std::size_t>(to - from)) != nullptr;
    for (float& value : values) real_at(item, value, commas);
  }

  template <typename T>
  void real(T& value) {
    real_at(next_data(), value);
  }

  template <typename T>
  void real_at(const Item& item, T& value, bool commas = true) {
    if (item.kind != ItemKind::real_fixed && item.kind != ItemKind::real_exp &&
        item.kind != ItemKind::real_general) {
      fail(file, wrong_kind);
    }
    // A field ends at a comma; where none can stand, no search for one.
    const std::string_view text = field(item.width, commas);
    check(read_real(text, item.digits, scale, blanks_are_zeros, scratch, value), real_overflow);
    // A value of zero reads the same with or without its implied decimals.
    if (implied_note != nullptr && item.digits > 0 && value != 0 &&
        std::memchr(text.data(), '.', text.size()) == nullptr)
      note_implied(text, item.digits, value);
  }

  template <typename T>
  void note_implied(std::string_view text, int decimals, T value) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    ImpliedDecimals note;
    note.file = file.name();
    note.line = file.line_number();
    note.text = text.substr(first, last - first + 1);
    note.decimals = decimals;
    note.value = static_cast<double>(value);
    note.single = std::is_same_v<T, float>;
    implied_note(note);
  }
};

Reader::Reader(File& file, std::string_view layout)
    : state_(std::make_unique<State>(file, file.layout(layout))) {
  if (!state_->layout->valid) fail(file, error_in_format);
  state_->next_line();
}

Reader::~Reader() = default;

Reader& Reader::operator()(std::int32_t& value) {
  const Item& item = state_->next_data();
  if (item.kind != ItemKind::integer && item.kind != ItemKind::real_general) {
    fail(state_->file, wrong_kind);
  }
  state_->check(read_integer(state_->field(item.width, true), state_->blanks_are_zeros, value),
                integer_overflow);
  return *this;
}

Reader& Reader::operator()(float& value) {
  state_->real(value);
  return *this;
}

Reader& Reader::operator()(double& value) {
  state_->real(value);
  return *this;
}

Reader& Reader::operator()(std::span<float> values) {
  State& s = *state_;
  while (!values.empty()) {
    // The values that stand under one repeated item have no other item between them: the
    // layout is walked once for all of them.
    const Item& item = s.next_data();
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(values.size()), s.cursor.repeats_left() + 1));
    s.cursor.take_repeats(static_cast<std::int64_t>(n) - 1);
    s.real_run(item, values.first(n));
    values = values.subspan(n);
  }
  return *this;
}

Reader& Reader::operator()(std::span<char> text) {
  const Item& item = state_->next_data();
  if (item.kind != ItemKind::text) fail(state_->file, wrong_kind);
  const std::int64_t length = static_cast<std::int64_t>(text.size());
  const std::int64_t width = item.width > 0 ? item.width : length;
  std::string_view columns = state_->field(width, false);
  // Columns beyond the end of the line read as blanks: `columns` may be shorter than `width`.
  // A field wider than the variable keeps its rightmost `length` columns.
  std::size_t from = static_cast<std::size_t>(width > length ? width - length : 0);
  std::fill(text.begin(), text.end(), ' ');
  if (from < columns.size()) {
    std::string_view kept = columns.substr(from, static_cast<std::size_t>(std::min(width, length)));
    std::memcpy(text.data(), kept.data(), kept.size());
  }
  return *this;
}

void Reader::end() {
  State& s = *state_;
  // Slashes and skips up to the next data item, a colon or the end of the layout still act.
  end_walk(s.ended, s.cursor, s.file, s.column, [&s] { s.next_line(); },
           [&s](const Item& item) { s.control(item); });
}

}  // namespace records
