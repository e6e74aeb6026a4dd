// The phenotype file as xp-trait reads it: a first line beginning with the number of
// individuals, then one real value per individual as blank-separated items.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace xptrait {

// Identifiers are held in a buffer of 256 characters: at most 255.
constexpr std::size_t id_buffer = 256;

// Reads N from the start of the first line of `in` (named `name` in messages); the rest of
// the line is ignored. Fails when the line does not begin with an integer or N is negative.
outcome::Outcome read_phenotype_count(freeform::ItemStream& in, std::string_view name,
                                       std::int32_t& count);

// Reads the value of individual `k` into `value`, rounded once to single precision. The item
// must be a decimal number: optional sign, digits with an optional point, optional exponent.
// Fails when the file ends first, the item is anything else (such as the asterisks of a value
// too wide for its field), or the value is beyond the single-precision range.
outcome::Outcome read_phenotype(freeform::ItemStream& in, std::string_view name, std::int64_t k,
                                 float& value);

// True when the whole of `item` is a decimal number in the form read_phenotype takes.
bool is_decimal(std::string_view item);

}  // namespace xptrait
