// famorder's console texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "famorder/orpd.hpp"
#include "famorder/table.hpp"
#include "famorder/write_table.hpp"

namespace famorder {

// The count read at `line` of `infile` is 0, or its line is blank.
std::string no_records_message(const std::string& infile, long line);

// The count `numax` read at `line` of `infile` is above max_records.
std::string too_many_records_message(const std::string& infile, long line, std::int32_t numax);

// The record at input position `position` (from 0) has exactly one parent.
std::string one_parent_message(std::int32_t position);

// Two records hold the id `id`.
std::string same_id_message(std::int32_t id);

// More than max_pedigrees pedigrees.
std::string too_many_pedigrees_message();

// `value`, in `column` of row `row` of `table`, does not fit its column; `table` and `infile`
// name the input line.
std::string unfit_message(std::size_t row, Column column, std::int64_t value,
                          const PedTable& table, const std::string& infile);

// The text for a value of `table` that its column cannot hold, naming the input line.
std::string too_wide_message(const TooWide& wide, const PedTable& table,
                             const std::string& infile);

}  // namespace famorder
