// The identifiers of a numbered pedigree file, as the SOLAR converters take them: the last
// item of each record, where famorder put the raw id (or -1, -2, ... for an individual
// without one), so that the SOLAR files name individuals alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace freeform {

// Steps over the first line of the pedigree `in` (named `name` in messages); its count is not
// used. An empty file is no fault here: it fails at its first record, if one is wanted.
outcome::Outcome skip_pedigree_header(ItemStream& in, std::string_view name);

// Reads the record of individual `k` (counted from 1) from the pedigree `in` (named `name`):
// six integers, then the identifier, all on one line with nothing after them, so that a record
// with a blank field cannot shift every later identifier. Puts the identifier into `id`,
// NUL-terminated, and its length into `length`. Fails when the file ends first, the record
// does not have that form, or the identifier has id.size() characters or more or holds a comma
// (it would split its column in the SOLAR file).
outcome::Outcome read_identifier(ItemStream& in, std::string_view name, std::int64_t k, std::span<char> id,
                        std::size_t& length);

}  // namespace freeform
