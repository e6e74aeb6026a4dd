#include "xp-loci/solar_map.hpp"

namespace xploci {

namespace {

constexpr int map_unit = 11;
// Every SOLAR map of the suite starts with this number, whatever the chromosome file holds.
constexpr std::int32_t map_header = 10;

}  // namespace

bool is_trait_locus(const records::Text<12>& name) {
  return name.view().find("qtl") != std::string_view::npos;
}

void write_solar_map(const records::Text<255>& name, const Locides& locides) {
  records::File& file = records::open(map_unit, name.view(), records::Mode::write);
  records::Writer(file, "(i5)")(map_header).end();
  for (std::int32_t k = 0; k < locides.count; ++k) {
    if (is_trait_locus(locides.names[k])) continue;
    records::Writer(file, "(a12,f9.3)")(locides.names[k])(locides.positions[k]).end();
  }
  records::close(file);
}

}  // namespace xploci
