// The checks inside each family: family number, numbering, parent range and sex.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "famlint/family_index.hpp"
#include "famlint/pedigree_table.hpp"

namespace famlint {

// Builds `buf1` with crtins from rows 1..ndat of `data` (ndat in 1..max_records), then checks
// family after family, and in each family record after record in file order: that the record
// carries its family's number, that it carries its place in the family as its individual
// number, that its father and then its mother do not exceed the family's size, and that a
// member of sex 1 is nobody's mother and one of sex 2 nobody's father. A member of any other
// sex code passes unless somebody names it as father or mother.
// Returns nothing when every family passes; otherwise the message of the first failure (too
// many families from crtins, naming `file_name`, or family number, numbering, parent range,
// sex).
outcome::Outcome testsex(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                         std::string_view file_name, std::int32_t most_families = max_families);

}  // namespace famlint
