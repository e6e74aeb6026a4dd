// famorder's console texts.
#pragma once

#include <string>

#include "famorder/orpd.hpp"
#include "famorder/read_table.hpp"
#include "famorder/write_table.hpp"

namespace famorder {

// The usage text, three lines.
const char* usage();

// The text for a failed read of `infile` (outcome not ok).
std::string read_message(const ReadOutcome& outcome, const std::string& infile);

// The text for a failed numbering (outcome not ok); `table` and `infile` name the line of an
// unfit number.
std::string orpd_message(const OrpdOutcome& outcome, const PedTable& table,
                         const std::string& infile);

// The text for a value of `table` that its column cannot hold, naming the input line.
std::string too_wide_message(const TooWide& wide, const PedTable& table,
                             const std::string& infile);

}  // namespace famorder
