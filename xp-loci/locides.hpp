// The locus table of xp-loci: names and map positions of the chromosome file's loci, in file
// order, filled once by the reader.
#pragma once

#include <array>
#include <cstdint>

#include "common/formats/chromosome_file.hpp"
#include "common/records/records.hpp"

namespace xploci {

constexpr std::int32_t max_loci = formats::max_chromosome_loci;

struct Locides {
  std::array<records::Text<12>, max_loci> names;
  std::array<float, max_loci> positions{};  // centimorgans, as read
  std::int32_t count = 0;                   // L, 0 to max_loci
};

}  // namespace xploci
