// Reading one record of the numbered pedigree through the record layer.
#pragma once

#include <span>
#include <string_view>

#include "common/numbered_pedigree/numbered_record.hpp"
#include "common/records/records.hpp"

namespace numbered_pedigree {

// Reads the next line of `file` under `layout` into `record` and the identifier into `name`
// (its size is the identifier's length), and ends the line. The layout is the caller's because
// the read diagnostic shows it as written ("(6I5,A12)" in famlint, "(6i5,a12)" in genodrop).
// A line that cannot be read ends the run through the record layer's diagnostic.
void read_record(records::File& file, std::string_view layout, Record& record,
                 std::span<char> name);

}  // namespace numbered_pedigree
