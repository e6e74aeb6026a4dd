// The locus table of xp-loci: names and map positions of the chromosome file's loci, in file
// order, filled once by the reader.
#pragma once

#include <cstdint>
#include <vector>

#include "common/formats/chromosome_file.hpp"
#include "common/records/records.hpp"

namespace xploci {

constexpr std::int32_t max_loci = formats::max_chromosome_loci;

// Sized by the file's count, at most the reader's limit (max_loci unless simreps gives more).
struct Locides {
  std::vector<records::Text<12>> names;
  std::vector<float> positions;  // centimorgans, as read
  std::int32_t count = 0;        // L, 0 to the limit
};

}  // namespace xploci
