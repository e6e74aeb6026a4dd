// The columns of one line of a tab-separated table, as the import tools read them.
#pragma once

#include <string_view>
#include <vector>

namespace files {

// The tab-separated columns of `line`, each without its leading and trailing blanks and
// carriage returns, and without the empty columns that trailing tabs leave.
std::vector<std::string_view> tab_columns(std::string_view line);

}  // namespace files
