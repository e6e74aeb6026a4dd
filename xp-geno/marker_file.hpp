// The marker genotype file as xp-geno reads it: a first line with the number of individuals
// and the number of markers, then the marker names, then two alleles per individual and
// marker, all as blank-separated items however they are spread over lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace xpgeno {

// Identifiers and marker names are held in buffers of 20 characters: at most 19 each.
constexpr std::size_t name_buffer = 20;

// A genotype file gives each marker name 12 columns, so a name of 12 characters touches the
// next one and the two read as one item; names of at most this many characters keep apart.
constexpr std::size_t genotype_name_chars = 11;

// The first marker name longer than genotype_name_chars: the likely cause when the file then
// seems to end early, since every allele after a merged name is read one item too soon.
struct LongName {
  std::int64_t j = 0;     // 0: no such name
  std::int64_t line = 0;
  std::string text;
};

struct MarkerCounts {
  std::int32_t individuals = 0;  // N
  std::int32_t markers = 0;      // M
};

// Reads N and M from the first line of `in` (named `name` in messages); the rest of that line
// is ignored. Fails when the line does not begin with two integers or either is negative.
outcome::Outcome read_marker_counts(freeform::ItemStream& in, std::string_view name,
                                     MarkerCounts& counts);

// Reads the name of marker `j` of `count` into `marker` (NUL-terminated, at most
// marker.size() - 1 characters) and its length into `length`. Fails when the file ends first,
// or when the name is too long or holds a comma (it would split its column).
outcome::Outcome read_marker_name(freeform::ItemStream& in, std::string_view name, std::int64_t j,
                                   std::int64_t count, std::span<char> marker, std::size_t& length);

// Reads the two alleles of individual `k` at marker `j` into `first` and `second`. Fails when
// the file ends first or an item is not an integer; when it ends first and `long_name` names
// a marker name, the message puts that name first as the cause.
outcome::Outcome read_allele_pair(freeform::ItemStream& in, std::string_view name, std::int64_t k,
                                  std::int64_t j, std::int32_t& first, std::int32_t& second,
                                  const LongName& long_name);

}  // namespace xpgeno
