// The record layer with layouts taken from data, as the chromosome file supplies them.
// Input: a layout line, a line naming the list items one letter each (i integer, f float,
// d double, a 12-character text, l 255-character text, s 1-character text), then the file.
// The file is read twice under the layout, then what was read is written under it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/records/file.hpp"
#include "common/records/layout.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/records.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"

namespace {

// A few list items cover every transition of the cursor; many would only make writes long.
constexpr std::size_t max_items = 16;

struct Values {
  std::vector<std::int32_t> ints;
  std::vector<float> floats;
  std::vector<double> doubles;
  std::vector<records::Text<12>> names;
  std::vector<records::Text<255>> lines;
  std::vector<records::Text<1>> chars;
};

std::string_view take_line(std::string_view& text) {
  const std::size_t end = text.find('\n');
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return line;
}

void read_record(records::File& file, std::string_view layout, std::string_view kinds, Values& v) {
  records::Reader reader(file, layout);
  for (char kind : kinds) {
    switch (kind) {
      case 'i': reader(v.ints.emplace_back()); break;
      case 'f': reader(v.floats.emplace_back()); break;
      case 'd': reader(v.doubles.emplace_back()); break;
      case 'a': reader(v.names.emplace_back()); break;
      case 'l': reader(v.lines.emplace_back()); break;
      default: reader(v.chars.emplace_back()); break;
    }
  }
  reader.end();
}

void write_record(records::File& file, std::string_view layout, std::string_view kinds,
                  const Values& v) {
  records::Writer writer(file, layout);
  std::size_t i = 0, f = 0, d = 0, a = 0, l = 0, s = 0;
  for (char kind : kinds) {
    switch (kind) {
      case 'i': writer(v.ints[i++]); break;
      case 'f': writer(v.floats[f++]); break;
      case 'd': writer(v.doubles[d++]); break;
      case 'a': writer(v.names[a++]); break;
      case 'l': writer(v.lines[l++]); break;
      default: writer(v.chars[s++]); break;
    }
  }
  writer.end();
}

// Every field without a decimal point that the layout scaled becomes a warning line, as the
// programs print it: the text of any field and any value must make one line.
void make_warning(const records::ImpliedDecimals& note) {
  const std::string line = records::implied_decimals_warning("fuzz", note);
  fuzz::expect(line.find('\n') == std::string::npos || note.text.find('\n') != std::string_view::npos,
               "a warning of more than one line");
  fuzz::expect(note.value != 0 && note.decimals > 0, "a warning for a value the layout did not scale");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = fuzz::as_text(data, size);
  const std::string layout(take_line(text));
  std::string kinds(take_line(text).substr(0, max_items));

  // The parser on its own: it must never read outside the text, whatever it holds.
  const records::Layout parsed = records::parse_layout(layout);
  if (parsed.valid) {
    for (const records::Item& item : parsed.items) {
      if (item.kind == records::ItemKind::group_open || item.kind == records::ItemKind::group_close)
        fuzz::expect(item.partner >= 0 && static_cast<std::size_t>(item.partner) < parsed.items.size(),
                     "a group without its partner");
      if (item.kind == records::ItemKind::literal)
        fuzz::expect(item.literal_begin + item.literal_size <= parsed.texts.size(),
                     "a literal outside the layout's texts");
    }
  }

  const std::string input = fuzz::write_scratch("records.in", text);
  const std::string output = fuzz::scratch_path("records.out");
  Values values;
  records::on_implied_decimals(make_warning);
  try {
    records::File& in = records::open(10, input, records::Mode::read);
    read_record(in, layout, kinds, values);
    read_record(in, layout, kinds, values);
    records::close(in);
    // Written as read twice over: the values of both records, one record after the other.
    records::File& out = records::open(11, output, records::Mode::write);
    kinds += kinds;
    write_record(out, layout, kinds, values);
    records::close(out);
    fuzz::expect(records::open_files().empty(), "a file left open after a full read and write");
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic,
                 "the record layer stopped without its diagnostic");
    fuzz::after_refusal();
  }
  return 0;
}
