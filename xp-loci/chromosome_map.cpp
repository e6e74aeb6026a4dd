#include "xp-loci/chromosome_map.hpp"

#include "common/records/layout_check.hpp"

namespace xploci {

namespace {

constexpr int chromosome_unit = 10;
constexpr int free_text_lines = 8;
constexpr std::string_view whole_line = "(a255)";

void read_line(records::File& file, records::Text<255>& line) {
  records::Reader(file, whole_line)(line).end();
}

}  // namespace

outcome::Outcome read_chromosome_map(const records::Text<255>& name, Locides& locides, std::int32_t most) {
  records::File& file = records::open(chromosome_unit, name.view(), records::Mode::read);
  records::Text<255> scratch;
  for (int line = 1; line <= free_text_lines; ++line) read_line(file, scratch);
  records::Text<255> count_layout;
  records::Text<255> first_layout;
  // Line 11 describes the second locus record, which is stepped over whole: its layout is
  // read only to keep the lines in step and is never parsed.
  records::Text<255> second_layout;
  read_line(file, count_layout);
  read_line(file, first_layout);
  read_line(file, second_layout);
  read_line(file, scratch);

  std::int32_t count = 0;
  records::warn_unparsed_layout("xp-loci", name.trimmed(), 9, count_layout.view());
  records::Reader(file, count_layout.view())(count).end();
  if (count > most) {
    records::close(file);
    return outcome::stop("too many loci to model.");
  }
  locides.count = count > 0 ? count : 0;
  locides.names.assign(static_cast<std::size_t>(locides.count), records::Text<12>{});
  locides.positions.assign(static_cast<std::size_t>(locides.count), 0.0f);

  for (std::int32_t k = 0; k < locides.count; ++k) {
    std::int32_t alleles = 0;  // read only because it stands between name and position
    if (k == 0) records::warn_unparsed_layout("xp-loci", name.trimmed(), 10, first_layout.view());
    // end() leaves the frequencies that the layout goes on to describe unread.
    records::Reader(file, first_layout.view())(locides.names[k])(alleles)(locides.positions[k]).end();
    read_line(file, scratch);
  }
  records::close(file);
  return std::nullopt;
}

}  // namespace xploci
